// The stage file reader: UTF-8 text, one line of 100 codes per map row, '#'
// comments, "# name: ..." for the stage's name. Untrusted input: every byte
// is checked before it is used, and a fault is reported, not acted on.
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>

#include "level/level.h"
#include "level/stage_local.h"
#include "state/state.h"

namespace {

constexpr char kNameTag[] = "name:";
constexpr char kCodes[] =
    "0159";  // the characters of kTileEmpty, kTileLedge, kTileRock, kTileBridge
constexpr int kCodeValues[] = {kTileEmpty, kTileLedge, kTileRock, kTileBridge};

// Bytes in the UTF-8 character at p, or 0 when it is not one (overlong forms,
// surrogates and code points past U+10FFFF included).
int utf8_length(const unsigned char* p, std::size_t left) {
    const unsigned char b = p[0];
    int n;
    unsigned int cp;
    if (b < 0x80)
        return 1;
    if (b >= 0xC2 && b <= 0xDF) {
        n = 2, cp = b & 0x1Fu;
    } else if (b >= 0xE0 && b <= 0xEF) {
        n = 3, cp = b & 0x0Fu;
    } else if (b >= 0xF0 && b <= 0xF4) {
        n = 4, cp = b & 0x07u;
    } else {
        return 0;
    }
    if (left < static_cast<std::size_t>(n))
        return 0;
    for (int k = 1; k < n; ++k) {
        if ((p[k] & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (p[k] & 0x3Fu);
    }
    const unsigned int least[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < least[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return n;
}

// The first byte that makes the file not text: invalid UTF-8, or a control
// character other than tab, line feed and a carriage return before one.
bool check_text(const unsigned char* text, std::size_t size, StageFaults* faults) {
    int line = 1, column = 1;
    for (std::size_t i = 0; i < size;) {
        const unsigned char b = text[i];
        const int n = utf8_length(text + i, size - i);
        const bool crlf = b == '\r' && i + 1 < size && text[i + 1] == '\n';
        if (n == 0 || (b < 0x20 && b != '\t' && b != '\n' && !crlf) || b == 0x7F) {
            faults->add(line, column,
                        n == 0 ? "not text: byte 0x%02X is not UTF-8"
                               : "not text: control character 0x%02X",
                        b);
            return false;
        }
        if (b == '\n') {
            ++line;
            column = 1;
        } else if (b != '\r') {
            ++column;
        }
        i += static_cast<std::size_t>(n);
    }
    return true;
}

bool blank(unsigned char b) {
    return b == ' ' || b == '\t';
}

// "# name: ..." (spaces optional around the tag): the rest.
void take_name(const unsigned char* line, std::size_t length, char* name) {
    std::size_t i = 1;
    while (i < length && blank(line[i]))
        ++i;
    const std::size_t tag = sizeof kNameTag - 1;
    if (length - i < tag || std::memcmp(line + i, kNameTag, tag) != 0)
        return;
    i += tag;
    while (i < length && blank(line[i]))
        ++i;
    cut_stage_name(line + i, length - i, name);
}

// Up to this many characters of a run that is not codes are quoted.
constexpr int kQuotedCharacters = 8;

// One map row's line: its codes into `codes`, each run of characters that are
// not codes and a wrong length as faults. Returns its length in characters.
int read_row(const unsigned char* line, std::size_t length, int number, int* codes,
             StageFaults* faults) {
    // Each run of characters that are not codes is one fault at its first.
    std::size_t run = 0, quoted = 0;
    int run_column = 0, run_length = 0;
    const auto end_run = [&] {
        if (run_length == 1)
            faults->add(number, run_column,
                        "'%.*s' is not a tile code (0 empty, 1 ledge, 5 rock, 9 bridge)",
                        static_cast<int>(quoted), reinterpret_cast<const char*>(line + run));
        else if (run_length > 1)
            faults->add(number, run_column,
                        "'%.*s%s' (%d characters) are not tile codes (0 empty, 1 ledge, 5 rock, "
                        "9 bridge)",
                        static_cast<int>(quoted), reinterpret_cast<const char*>(line + run),
                        run_length > kQuotedCharacters ? "..." : "", run_length);
        run_length = 0;
    };
    int column = 0;
    for (std::size_t i = 0; i < length; ++column) {
        const int n = utf8_length(line + i, length - i);
        const std::size_t step = static_cast<std::size_t>(n > 0 ? n : 1);
        if (column < kMapColumns) {
            const char* code = n == 1 && line[i] != '\0' ? std::strchr(kCodes, line[i]) : nullptr;
            if (code != nullptr) {
                codes[column] = kCodeValues[code - kCodes];
                end_run();
            } else {
                if (run_length == 0) {
                    run = i;
                    quoted = 0;
                    run_column = column + 1;
                }
                if (++run_length <= kQuotedCharacters)
                    quoted += step;
            }
        }
        i += step;
    }
    end_run();
    if (column > kMapColumns)
        faults->add(number, kMapColumns + 1, "row is %d characters long: a row has %d codes",
                    column, kMapColumns);
    else if (column < kMapColumns)
        faults->add(number, column + 1, "row ends after %d codes: a row has %d", column,
                    kMapColumns);
    return column;
}

}  // namespace

bool parse_stage(const unsigned char* text, std::size_t size, StageFile* stage, stage_report report,
                 void* context) {
    std::memset(stage, 0, sizeof *stage);
    StageFaults faults;
    if (size > kStageFileLimit) {
        faults.add(1, 1, "larger than %zu bytes: not a stage file", kStageFileLimit);
        return faults.report(report, context);
    }
    if (!check_text(text, size, &faults))
        return faults.report(report, context);
    std::size_t at = size >= 3 && std::memcmp(text, "\xEF\xBB\xBF", 3) == 0 ? 3 : 0;  // a BOM
    int rows = 0, number = 0;
    int lines[kMapRows] = {};
    int first_width = 0;
    while (at < size) {
        ++number;
        const unsigned char* line = text + at;
        const unsigned char* end =
            static_cast<const unsigned char*>(std::memchr(line, '\n', size - at));
        std::size_t length = end != nullptr ? static_cast<std::size_t>(end - line) : size - at;
        at += length + 1;
        while (length > 0 && (blank(line[length - 1]) || line[length - 1] == '\r'))
            --length;
        if (length == 0)
            continue;
        if (line[0] == '#') {
            if (stage->name[0] == '\0')
                take_name(line, length, stage->name);
            continue;
        }
        if (rows == kMapRows) {
            faults.add(number, 1, "row %d: a stage has %d rows", kMapRows + 1, kMapRows);
        } else if (rows < kMapRows) {
            lines[rows] = number;
            const int width = read_row(line, length, number, stage->codes[rows], &faults);
            first_width = rows == 0 ? width : first_width;
        }
        ++rows;
    }
    if (rows < kMapRows) {
        const int last = size > 0 && text[size - 1] == '\n' ? number + 1 : std::max(number, 1);
        faults.add(last, 1, "the file ends after %d row%s: a stage has %d", rows,
                   rows == 1 ? "" : "s", kMapRows);
    }
    check_layer(stage->codes, lines, first_width, &faults);
    return faults.report(report, context);
}

void cut_stage_name(const unsigned char* text, std::size_t length, char name[kStageNameSize]) {
    std::size_t kept = 0;
    while (kept < length) {
        const int n = utf8_length(text + kept, length - kept);
        if (n == 0 ||
            kept + static_cast<std::size_t>(n) >= static_cast<std::size_t>(kStageNameSize))
            break;
        kept += static_cast<std::size_t>(n);
    }
    while (kept > 0 && blank(text[kept - 1]))
        --kept;
    std::memcpy(name, text, kept);
    name[kept] = '\0';
}

void print_stage_fault(std::FILE* to, const char* path, int line, int column, const char* what) {
    if (line == 0) {
        std::fprintf(to, "%s: %s", path, what);
    } else {
        std::fprintf(to, "%s:%d:%d: %s", path, line, column, what);
    }
}

namespace {

struct Printer {
    const char* path;
    std::FILE* err;
};

void print_line(void* context, int line, int column, const char* what) {
    const Printer* p = static_cast<const Printer*>(context);
    print_stage_fault(p->err, p->path, line, column, what);
    std::fputc('\n', p->err);
}

struct FirstFault {
    StageFault* first;
    int* count;
};

void keep_first(void* context, int line, int column, const char* what) {
    const FirstFault* f = static_cast<const FirstFault*>(context);
    if ((*f->count)++ == 0) {
        f->first->line = line;
        f->first->column = column;
        std::snprintf(f->first->what, sizeof f->first->what, "%s", what);
    }
}

}  // namespace

bool load_stage_file(const char* path, StageFile* stage, stage_report report, void* context) {
    std::memset(stage, 0, sizeof *stage);
    const char* why = nullptr;
    const int fd = open_plain_file(path, &why);
    // One byte past the limit tells a file that is too large.
    std::unique_ptr<unsigned char[]> text(new unsigned char[kStageFileLimit + 1]);
    std::size_t size = 0;
    while (why == nullptr && size <= kStageFileLimit) {
        const ssize_t n = read(fd, text.get() + size, kStageFileLimit + 1 - size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            why = std::strerror(errno);
        if (n <= 0)
            break;
        size += static_cast<std::size_t>(n);
    }
    if (fd >= 0)
        close(fd);
    if (why != nullptr) {
        report(context, 0, 0, why);
        return false;
    }
    return parse_stage(text.get(), size, stage, report, context);
}

bool read_stage_file(const char* path, StageFile* stage, std::FILE* err) {
    Printer printer{path, err};
    return load_stage_file(path, stage, print_line, &printer);
}

bool read_stage_quietly(const char* path, StageFile* stage, StageFault* first, int* faults) {
    *first = StageFault{0, 0, ""};
    *faults = 0;
    FirstFault keep{first, faults};
    return load_stage_file(path, stage, keep_first, &keep);
}

int check_stage_files(const char* const* paths, int count, std::FILE* out) {
    int status = 0;
    for (int i = 0; i < count; ++i) {
        StageFile stage;
        if (read_stage_file(paths[i], &stage, out)) {
            std::fprintf(out, "%s: valid\n", paths[i]);
        } else {
            status = 1;
        }
    }
    return std::fflush(out) == 0 ? status : 1;
}
