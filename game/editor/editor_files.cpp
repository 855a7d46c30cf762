// The editor's files: opening a stage by name or file, saving it by the
// rules of where it came from, and the recovery copy.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "editor/editor.h"
#include "editor/editor_local.h"
#include "state/state.h"

namespace {

constexpr char kRecoveryFolder[] = "vellin/recovery/";  // under $XDG_STATE_HOME
constexpr char kSuffix[] = ".stage";
constexpr std::size_t kUndoReserve = 256;  // steps before the history first grows

bool fail(char* why, std::size_t size, const char* path, const char* what) {
    std::snprintf(why, size, "%s: %s", path, what);
    return false;
}

bool fits(int n, std::size_t size) {
    return n >= 0 && static_cast<std::size_t>(n) < size;
}

// A new stage: empty but for a ledge under the drop-in, so it is valid from
// the first moment.
void new_layer(int codes[kMapRows][kMapColumns]) {
    constexpr int kLedgeRow = 10;  // a short drop below the start
    std::memset(codes, 0, sizeof(int) * kMapRows * kMapColumns);
    const int right = static_cast<int>(kDropInX / kCellWidth);  // the drop-in's right column
    for (int c = 0; c <= right + 2; ++c)
        codes[kLedgeRow][c] = kTileLedge;
}

// The folder holding `path`, resolved, ending in '/'; "" when it does not exist.
void real_folder(const char* path, char out[PATH_MAX]) {
    char folder[PATH_MAX];
    const char* slash = std::strrchr(path, '/');
    const int n = slash == nullptr ? std::snprintf(folder, sizeof folder, ".")
                                   : std::snprintf(folder, sizeof folder, "%.*s",
                                                   static_cast<int>(slash - path + 1), path);
    out[0] = '\0';
    if (fits(n, sizeof folder) && realpath(folder, out) != nullptr)
        std::strncat(out, "/", PATH_MAX - std::strlen(out) - 1);
    else
        out[0] = '\0';
}

// FNV-1a of the stage's file, its folder resolved: which recovery copy is whose.
void set_recovery_path(Editor* e) {
    char folder[PATH_MAX];
    real_folder(e->path, folder);
    const char* slash = std::strrchr(e->path, '/');
    const char* parts[] = {folder[0] != '\0' ? folder : e->path,
                           folder[0] != '\0' ? (slash ? slash + 1 : e->path) : ""};
    std::uint32_t h = 2166136261u;
    for (const char* part : parts) {
        for (const char* p = part; *p != '\0'; ++p)
            h = (h ^ static_cast<unsigned char>(*p)) * 16777619u;
    }
    char tail[kStageNameSize + sizeof kRecoveryFolder + 16];
    std::snprintf(tail, sizeof tail, "%s%s-%08x%s", kRecoveryFolder, e->stem, h, kSuffix);
    if (!xdg_path("XDG_STATE_HOME", ".local/state", tail, e->recovery, sizeof e->recovery))
        e->recovery[0] = '\0';
}

// Reads the file, refusing one past the stage limit.
bool read_text(const char* path, std::string* text, char* why, std::size_t why_size) {
    const char* cannot = nullptr;
    const int fd = open_plain_file(path, &cannot);
    text->clear();
    char buffer[4096];
    while (cannot == nullptr) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            cannot = std::strerror(errno);
        if (n <= 0)
            break;
        text->append(buffer, static_cast<std::size_t>(n));
        if (text->size() > kStageFileLimit)
            cannot = "larger than a stage file";
    }
    if (fd >= 0)
        close(fd);
    return cannot == nullptr || fail(why, why_size, path, cannot);
}

void first_fault(void* context, int line, int column, const char* what) {
    char* out = static_cast<char*>(context);
    if (out[0] == '\0')
        std::snprintf(out, kEditorFaultSize, "%d:%d: %s", line, column, what);
}

// True when the reader reads back whatever layer is written into the text:
// tried with a layer whose every row differs. Not so when the reader stops
// before the rows (not text, a lone carriage return, invalid UTF-8); saving
// such a file would write a layer of 0s over the player's rows.
bool rows_kept(const char* path, const std::string& text, char* why, std::size_t why_size) {
    static int probe[kMapRows][kMapColumns];
    static StageFile back;
    static const int kCodes[] = {kTileEmpty, kTileLedge, kTileRock, kTileBridge};
    for (int r = 0; r < kMapRows; ++r) {
        for (int c = 0; c < kMapColumns; ++c)
            probe[r][c] = kCodes[(r + c / (r + 1)) % 4];
    }
    const std::string written = layer_text(text, probe);
    char fault[kEditorFaultSize] = "";
    parse_stage(reinterpret_cast<const unsigned char*>(written.data()), written.size(), &back,
                first_fault, fault);
    if (std::memcmp(back.codes, probe, sizeof probe) == 0)
        return true;
    std::snprintf(why, why_size, "%s: its rows cannot be edited in place (%s)", path, fault);
    return false;
}

// The data folder's stages (the folders after the player's) are not
// written, nor is a file without its owner's write bit.
bool read_only(const char* path, bool found, const char* const* folders, int count) {
    struct stat st {};
    if (found && (stat(path, &st) != 0 || (st.st_mode & S_IWUSR) == 0 || access(path, W_OK) != 0))
        return true;
    char folder[PATH_MAX], data[PATH_MAX];
    real_folder(path, folder);
    for (int i = 1; i < count; ++i) {
        char probe[PATH_MAX];
        if (fits(std::snprintf(probe, sizeof probe, "%sx", folders[i]), sizeof probe)) {
            real_folder(probe, data);
            if (data[0] != '\0' && std::strcmp(folder, data) == 0)
                return true;
        }
    }
    return false;
}

void collect_nothing(void*, int, int, const char*) {}

// The reader's faults in the file as opened: how many, and the first.
void collect_read_fault(void* context, int line, int column, const char* what) {
    Editor* e = static_cast<Editor*>(context);
    if (e->read_faults++ == 0)
        std::snprintf(e->first_read_fault, sizeof e->first_read_fault, "%d:%d: %s", line, column,
                      what);
}

// From the text in e->text (or a new layer when `fresh`): the layer, the
// lines, the history and the check.
void start(Editor* e, bool fresh) {
    StageFile stage;
    if (fresh) {
        new_layer(e->codes);
        stage.name[0] = '\0';
    } else {
        parse_stage(reinterpret_cast<const unsigned char*>(e->text.data()), e->text.size(), &stage,
                    collect_read_fault, e);
        std::memcpy(e->codes, stage.codes, sizeof e->codes);
    }
    std::snprintf(e->title, sizeof e->title, "%s", stage.name[0] ? stage.name : e->stem);
    find_row_lines(e);
    take_snapshot(e->codes, &e->saved);
    e->undo.reserve(kUndoReserve);
    e->redo.reserve(kUndoReserve);
    set_recovery_path(e);
    live_check(e);
}

// A name the player types for a stage: a plain file name.
bool good_name(const char* name) {
    const std::size_t n = std::strlen(name);
    if (n == 0 || n >= static_cast<std::size_t>(kStageNameSize) || name[0] == '.')
        return false;
    for (const char* p = name; *p != '\0'; ++p) {
        if (*p == '/' || static_cast<unsigned char>(*p) < 0x20 || *p == 0x7F)
            return false;
    }
    return true;
}

void remove_recovery(Editor* e) {
    if (e->recovery[0] != '\0')
        unlink(e->recovery);
    e->recovery_why[0] = '\0';
}

// Writes the stage to `path` and makes it the file the editor holds, named
// `stem` (the recovery copy follows the name).
SaveAnswer save_to(Editor* e, const char* path, const char* stem, char* why, std::size_t why_size) {
    const std::string text = editor_stage_text(*e);
    if (!replace_file(path, text.data(), text.size(), why, why_size))
        return SaveAnswer::kFailed;
    remove_recovery(e);
    e->text = text;
    e->origin = StageOrigin::kPlayer;
    if (std::strcmp(path, e->path) != 0) {
        if (std::strcmp(e->title, e->stem) == 0)  // titled by its file's name: the new one
            std::snprintf(e->title, sizeof e->title, "%s", stem);
        std::snprintf(e->path, sizeof e->path, "%s", path);
        std::snprintf(e->stem, sizeof e->stem, "%s", stem);
        set_recovery_path(e);
        remove_recovery(e);  // one left by another session on the file replaced
    }
    find_row_lines(e);
    take_snapshot(e->codes, &e->saved);
    return e->fault_count > 0 ? SaveAnswer::kSavedWithFaults : SaveAnswer::kSaved;
}

}  // namespace

void sync_recovery(Editor* e) {
    if (e->recovery[0] == '\0')
        return;
    if (!editor_unsaved(*e)) {
        remove_recovery(e);
    } else {
        const std::string text = editor_stage_text(*e);
        if (replace_file(e->recovery, text.data(), text.size(), e->recovery_why,
                         sizeof e->recovery_why))
            e->recovery_why[0] = '\0';
    }
}

bool editor_open(Editor* e, const char* value, const char* const* folders, int count, char* why,
                 std::size_t why_size) {
    *e = Editor();
    if (count < 1 ||
        !fits(std::snprintf(e->player_folder, sizeof e->player_folder, "%s", folders[0]),
              sizeof e->player_folder))
        return fail(why, why_size, value, "no stages folder");
    bool found;
    if (names_stage_file(value)) {
        if (!fits(std::snprintf(e->path, sizeof e->path, "%s", value), sizeof e->path))
            return fail(why, why_size, value, std::strerror(ENAMETOOLONG));
        found = access(e->path, F_OK) == 0;
    } else {
        if (!good_name(value))
            return fail(why, why_size, value, "not a stage name");
        found = find_stage(value, folders, count, e->path, sizeof e->path);
        if (!found &&
            !fits(std::snprintf(e->path, sizeof e->path, "%s%s%s", folders[0], value, kSuffix),
                  sizeof e->path))
            return fail(why, why_size, value, std::strerror(ENAMETOOLONG));
    }
    stage_file_stem(e->path, e->stem);
    if (found && (!read_text(e->path, &e->text, why, why_size) ||
                  !rows_kept(e->path, e->text, why, why_size)))
        return false;
    if (read_only(e->path, found, folders, count))
        e->origin = StageOrigin::kReadOnly;
    else
        e->origin = found ? StageOrigin::kPlayer : StageOrigin::kNew;
    start(e, !found);
    return true;
}

SaveAnswer editor_save(Editor* e, char* why, std::size_t why_size) {
    editor_stroke_end(e);
    if (e->origin == StageOrigin::kReadOnly)
        return SaveAnswer::kNeedsName;
    return save_to(e, e->path, e->stem, why, why_size);
}

SaveAnswer editor_save_as(Editor* e, const char* name, bool replace, char* why,
                          std::size_t why_size) {
    editor_stroke_end(e);
    if (!good_name(name))
        return SaveAnswer::kBadName;
    char path[kEditorPathSize];
    if (!fits(std::snprintf(path, sizeof path, "%s%s%s", e->player_folder, name, kSuffix),
              sizeof path)) {
        fail(why, why_size, name, std::strerror(ENAMETOOLONG));
        return SaveAnswer::kFailed;
    }
    if (!replace && access(path, F_OK) == 0)
        return SaveAnswer::kNameTaken;
    return save_to(e, path, name, why, why_size);
}

bool editor_recovery_offer(const Editor& e, char* out, std::size_t size) {
    struct stat st {};
    if (e.recovery[0] == '\0' || stat(e.recovery, &st) != 0)
        return false;
    std::tm local{};
    char when[32];
    localtime_r(&st.st_mtime, &local);
    std::strftime(when, sizeof when, "%Y-%m-%d %H:%M", &local);
    std::snprintf(out, size, "there is a recovery copy from %s", when);
    return true;
}

bool editor_take_recovery(Editor* e, char* why, std::size_t why_size) {
    std::string text;
    if (!read_text(e->recovery, &text, why, why_size) ||
        !rows_kept(e->recovery, text, why, why_size))
        return false;
    StageFile copy;
    parse_stage(reinterpret_cast<const unsigned char*>(text.data()), text.size(), &copy,
                collect_nothing, nullptr);
    editor_stroke_end(e);
    LayerSnapshot before;
    take_snapshot(e->codes, &before);
    std::memcpy(e->codes, copy.codes, sizeof e->codes);
    finish_step(e, before);
    return true;
}

void editor_drop_recovery(Editor* e) {
    remove_recovery(e);
}
