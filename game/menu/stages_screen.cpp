// The Stages screen: every stage of the stages folders, the player's first,
// each with its name, "valid" or its first fault, and its best time; choosing
// a valid one asks the game to play it at once and resumes.
#include <cstdio>
#include <cstring>

#include "level/level.h"
#include "menu/menu_local.h"

namespace {

constexpr std::size_t kShownName = 24;  // bytes of a name on a line, so that its state shows
// A stage's line at most this long, so that a fault's words do not shrink the
// whole menu (a 640 by 480 window draws 39 characters, marks included, at 2x).
constexpr std::size_t kStageLine = 35;
constexpr int kTimeSize = 16;

// Read when the screen opens, never per frame: listing reads every file, and
// a best time comes from replaying a run. About 1 MB, so static.
StageList stages;
char best[kMaxListedStages][kTimeSize];

// `text` cut to at most `bytes` bytes between characters (UTF-8).
void cut_utf8(const char* text, std::size_t bytes, char* out, std::size_t size) {
    std::size_t n = std::strlen(text);
    if (n > bytes) {
        n = bytes;
        while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) {
            --n;
        }
    }
    std::snprintf(out, size, "%.*s", static_cast<int>(n), text);
}

// The same, ending in "..." when cut, within `bytes` in all.
void cut_dots(const char* text, std::size_t bytes, char* out, std::size_t size) {
    if (std::strlen(text) <= bytes) {
        cut_utf8(text, bytes, out, size);
        return;
    }
    cut_utf8(text, bytes - 3, out, size);
    std::strncat(out, "...", size - std::strlen(out) - 1);
}

void enter() {
    list_stages(menu.setup.stages_folders, menu.setup.stages_folder_count, &stages);
    const auto best_time = menu.setup.effects->best_time;
    for (int i = 0; i < stages.count; ++i) {
        const StageEntry& s = stages.entries[i];
        if (s.faults != 0 || best_time == nullptr || !best_time(s, best[i], sizeof best[i])) {
            best[i][0] = '\0';
        }
    }
}

int count() {
    return stages.count + 1;  // Back is last
}

bool is_stage(int e) {
    return e >= 0 && e < stages.count;
}

void subtitle(char* out, std::size_t size) {
    if (stages.count == 0) {
        std::snprintf(out, size, "No stages found");
    } else if (stages.unlisted > 0) {
        std::snprintf(out, size, "The first %d; %d more not listed", stages.count, stages.unlisted);
    } else {
        std::snprintf(out, size, " ");
    }
}

void label(int e, char* out, std::size_t size) {
    if (!is_stage(e)) {
        std::snprintf(out, size, "Back");
        return;
    }
    const StageEntry& s = stages.entries[e];
    char name[kShownName + 1], line[kShownName + sizeof s.fault.what + 32];
    cut_utf8(s.name, kShownName, name, sizeof name);
    if (s.faults == 0) {
        std::snprintf(line, sizeof line, "%s: valid%s%s", name, best[e][0] ? ", best " : "",
                      best[e]);
    } else if (s.fault.line > 0) {
        std::snprintf(line, sizeof line, "%s: %d:%d: %s", name, s.fault.line, s.fault.column,
                      s.fault.what);
    } else {
        std::snprintf(line, sizeof line, "%s: %s", name, s.fault.what);
    }
    // Choosing the stage says the fault at length.
    cut_dots(line, kStageLine, out, size);
}

// The first fault over the note and prompt lines: a line alone is too short
// for most of the checker's words.
void say_fault(const StageEntry& s) {
    char name[kShownName + 1];
    cut_utf8(s.name, kShownName, name, sizeof name);
    if (s.fault.line > 0) {
        menu_say("%s is not valid (line %d, column %d):", name, s.fault.line, s.fault.column);
    } else {
        menu_say("%s cannot be read:", name);
    }
    cut_dots(s.fault.what, sizeof menu.prompt - 1, menu.prompt, sizeof menu.prompt);
}

MenuResult choose(int e) {
    if (!is_stage(e)) {
        menu_back();
        return kMenuStay;
    }
    const StageEntry& s = stages.entries[e];
    menu.prompt[0] = '\0';
    if (s.faults != 0) {
        say_fault(s);
        return kMenuStay;
    }
    char why[kMenuNoteSize];
    if (!menu.setup.effects->play_stage(s, why, sizeof why)) {
        menu_say("%s", why);
        return kMenuStay;
    }
    return kMenuResume;
}

}  // namespace

const MenuScreen kStagesScreen = {"Stages", enter, nullptr, count,  nullptr,
                                  subtitle, label, choose,  nullptr};

const int (*menu_stage_map())[kMapColumns] {
    if (menu.screen != kScreenStages || !is_stage(menu.cursor)) {
        return nullptr;
    }
    return stages.entries[menu.cursor].stage.codes;
}
