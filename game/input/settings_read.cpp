// Reading the settings file, line by line, as Allegro's configuration routines
// read it (names in any case, # comments, blanks around the value ignored),
// so that every line not taken can be named with its number.
#include <algorithm>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>
#include <strings.h>  // strcasecmp
#include <unistd.h>
#include <vector>

#include "cmdline/cmdline.h"
#include "input/input.h"
#include "input/input_local.h"
#include "input/settings_lines.h"
#include "state/state.h"

namespace {

constexpr int kWordSize = 32;          // longer than any key name
constexpr char kBlanks[] = " \t\f\v";  // as settings_lines.cpp has them
constexpr char kKeeping[] = "; keeping the default";

struct Problem {
    int line;
    std::string text;
};

struct Reader {
    const char* path;
    std::vector<Problem> problems;   // printed in file order at the end
    int row_line[kSettingRowCount];  // where each entry was first given; 0: not yet
    int text_line[kTextSettingRowCount];
    int binding_line[kBindingKinds][kActionCount];
};

// "FILE:LINE: [section] entry: why<tail>"; section or entry may be null.
__attribute__((format(printf, 6, 7))) void complain(Reader& r, int line, const char* section,
                                                    const char* entry, const char* tail,
                                                    const char* format, ...) {
    char why[200];
    std::va_list args;
    va_start(args, format);
    std::vsnprintf(why, sizeof why, format, args);
    va_end(args);
    std::string text = std::string(r.path) + ":" + std::to_string(line) + ": ";
    text += section ? std::string("[") + section + "]" + (entry ? " " : "") : "";
    text += std::string(entry ? entry : "") + ": " + why + tail + "\n";
    r.problems.push_back({line, text});
}

// Blank-separated words of a value (its comment already cut off), up to
// kMaxBound. Returns the count, or -1 when there are more words than fit.
int split_words(const char* value, char words[kMaxBound][kWordSize]) {
    int n = 0;
    for (const char* p = value;;) {
        p += std::strspn(p, kBlanks);
        if (*p == '\0') {
            return n;
        }
        if (n == kMaxBound) {
            return -1;
        }
        const std::size_t length = std::strcspn(p, kBlanks);
        std::snprintf(words[n++], kWordSize, "%.*s", static_cast<int>(length), p);
        p += length;
    }
}

// A row's value: yes or no in any of the usual spellings, or a whole number
// in its range; one word and nothing else.
bool read_value(const SettingRow& row, const char* value, int* out) {
    static const char* const kWords[][2] = {
        {"no", "yes"}, {"0", "1"}, {"false", "true"}, {"off", "on"}};
    char words[kMaxBound][kWordSize];
    if (split_words(value, words) != 1) {
        return false;
    }
    if (row.yes_no) {
        for (const auto& pair : kWords) {
            for (int v = 0; v < 2; ++v) {
                if (strcasecmp(words[0], pair[v]) == 0) {
                    *out = v;
                    return true;
                }
            }
        }
        return false;
    }
    unsigned long long n = 0;
    if (!read_whole_number(words[0], static_cast<unsigned long long>(row.high), &n) ||
        n < static_cast<unsigned long long>(row.low)) {
        return false;
    }
    *out = static_cast<int>(n);
    return true;
}

bool read_row(Reader& r, int line, const char* section, const SettingRow& row, const char* value) {
    if (read_value(row, value, row.value)) {
        return true;
    }
    if (row.yes_no) {
        complain(r, line, section, row.name, kKeeping, "'%s' is not yes or no", value);
    } else {
        complain(r, line, section, row.name, kKeeping, "'%s' is not a whole number from %d to %d",
                 value, row.low, row.high);
    }
    return false;
}

// A text entry's value, as the line reader gives it (blanks around it and a
// comment cut off).
bool read_text(Reader& r, int line, const char* section, const TextSettingRow& row,
               const char* value) {
    const std::string text(value);
    if (text.size() >= static_cast<std::size_t>(kSettingTextSize)) {
        complain(r, line, section, row.name, kKeeping, "longer than %d bytes",
                 kSettingTextSize - 1);
        return false;
    }
    std::snprintf(row.value, kSettingTextSize, "%s", text.c_str());
    return true;
}

// The keys or pad buttons of one action from a value; false when it is refused.
bool read_binding(Reader& r, int line, const char* section, const BindingKind& kind, Action a,
                  const char* value) {
    char words[kMaxBound][kWordSize];
    const int n = split_words(value, words);
    const char* name = kActionInfo[a].name;
    if (n < 0) {
        complain(r, line, section, name, kKeeping, "more than %d %s", kMaxBound, kind.plural);
        return false;
    }
    if (n == 0) {
        complain(r, line, section, name, kKeeping, "no value: write none to leave it unbound");
        return false;
    }
    int codes[kMaxBound];
    const int count = (n == 1 && strcasecmp(words[0], "none") == 0) ? 0 : n;
    for (int i = 0; i < count; ++i) {
        char why[120];
        if (!kind.read(words[i], &codes[i], why, sizeof why)) {
            complain(r, line, section, name, kKeeping, "%s", why);
            return false;
        }
    }
    bindings[a].*kind.count = count;
    std::copy(codes, codes + count, bindings[a].*kind.codes);
    return true;
}

// The first code that play actions a and b share, or -1.
int shared(const BindingKind& kind, Action a, Action b) {
    const Binding& x = bindings[a];
    const Binding& y = bindings[b];
    for (int i = 0; i < x.*kind.count; ++i) {
        for (int j = 0; j < y.*kind.count; ++j) {
            if ((x.*kind.codes)[i] == (y.*kind.codes)[j]) {
                return (x.*kind.codes)[i];
            }
        }
    }
    return -1;
}

// Removes `code` from an action's binding of one kind.
void unbind(Action a, const BindingKind& kind, int code) {
    int* codes = bindings[a].*kind.codes;
    int& count = bindings[a].*kind.count;
    count = static_cast<int>(std::remove(codes, codes + count, code) - codes);
}

// Two play actions on one key: the entry from the file keeps its default
// instead, until no two share (the defaults share nothing). Back to the
// start's default key came late, after players had bound it to something
// else: that default gives way, quietly, to the file's binding.
void undo_shared(Reader& r, int k) {
    const BindingKind& kind = kBindingKind[k];
    int* from_file = r.binding_line[k];  // 0 for an action not taken from the file
    for (bool again = true; again;) {
        again = false;
        for (int i = 1; i < kPlayActions && !again; ++i) {
            for (int j = 0; j < i && !again; ++j) {
                const Action a = static_cast<Action>(i), b = static_cast<Action>(j);
                const int code = shared(kind, a, b);
                if (code < 0 || !(from_file[a] || from_file[b])) {
                    continue;
                }
                const Action culprit = from_file[a] ? a : b;
                const Action other = culprit == a ? b : a;
                if (other == kActRestart && !from_file[other]) {
                    unbind(other, kind, code);
                    again = true;
                    continue;
                }
                char name[kWordSize];
                kind.write(code, name, sizeof name);
                complain(r, from_file[culprit], kind.section, kActionInfo[culprit].name, kKeeping,
                         "%s%s is bound to %s as well", kind.prefix, name, kActionInfo[other].name);
                bindings[culprit].*kind.count = kActionInfo[culprit].defaults.*kind.count;
                std::copy(std::begin(kActionInfo[culprit].defaults.*kind.codes),
                          std::end(kActionInfo[culprit].defaults.*kind.codes),
                          bindings[culprit].*kind.codes);
                from_file[culprit] = 0;
                again = true;
            }
        }
    }
}

bool known_section(const char* section) {
    for (const SettingRow& row : kSettingRows) {
        if (strcasecmp(row.section, section) == 0) {
            return true;
        }
    }
    for (const BindingKind& kind : kBindingKind) {
        if (strcasecmp(kind.section, section) == 0) {
            return true;
        }
    }
    return false;
}

// Takes one entry of a known section, or says why not.
void read_entry(Reader& r, int line, const char* section, const char* name, const char* value) {
    int* first = nullptr;  // where the entry was taken before
    const SettingRow* row = nullptr;
    const TextSettingRow* text = nullptr;
    int kind = 0, action = 0;
    for (int i = 0; i < kSettingRowCount && first == nullptr; ++i) {
        if (strcasecmp(kSettingRows[i].section, section) == 0 &&
            strcasecmp(kSettingRows[i].name, name) == 0) {
            row = &kSettingRows[i];
            first = &r.row_line[i];
        }
    }
    for (int i = 0; i < kTextSettingRowCount && first == nullptr; ++i) {
        if (strcasecmp(kTextSettingRows[i].section, section) == 0 &&
            strcasecmp(kTextSettingRows[i].name, name) == 0) {
            text = &kTextSettingRows[i];
            first = &r.text_line[i];
        }
    }
    for (int k = 0; k < kBindingKinds && first == nullptr; ++k) {
        for (int a = 0; a < kActionCount && first == nullptr; ++a) {
            if (strcasecmp(kBindingKind[k].section, section) == 0 &&
                strcasecmp(kActionInfo[a].name, name) == 0) {
                kind = k;
                action = a;
                first = &r.binding_line[k][a];
            }
        }
    }
    if (first == nullptr) {
        complain(r, line, section, name, "", "unknown entry");
    } else if (*first != 0) {
        // The first time counts, as with Allegro.
        complain(r, line, section, name, "", "given already on line %d; this one is ignored",
                 *first);
    } else if (*value == '\0') {
        complain(r, line, section, name, kKeeping, "no value%s",
                 row || text ? "" : ": write none to leave it unbound");
    } else if (row    ? read_row(r, line, section, *row, value)
               : text ? read_text(r, line, section, *text, value)
                      : read_binding(r, line, section, kBindingKind[kind],
                                     static_cast<Action>(action), value)) {
        *first = line;
    }
}

enum SectionState { kBeforeSections, kKnownSection, kUnknownSection };

// One line, as the settings writer sees it too (settings_lines.h).
void read_line(Reader& r, int line, const SettingsLine& l, std::string* section,
               SectionState* state) {
    const std::string name(l.name != nullptr ? l.name : "", l.name_end - l.name);
    const char* sect = *state == kBeforeSections ? nullptr : section->c_str();
    switch (l.kind) {
        case SettingsLine::kBlank:
            return;
        case SettingsLine::kNotText:
            complain(r, line, nullptr, nullptr, "", "a NUL byte: not a line of text");
            return;
        case SettingsLine::kSection:
        case SettingsLine::kNotSection:
            *section = name;
            *state = l.kind == SettingsLine::kSection && known_section(name.c_str())
                         ? kKnownSection
                         : kUnknownSection;
            if (l.kind == SettingsLine::kNotSection) {
                const std::string raw(l.text, l.text_end);
                complain(r, line, nullptr, raw.c_str(), "", "not a section line: write [name]");
            } else if (*state == kUnknownSection) {
                complain(r, line, section->c_str(), nullptr, "", "unknown section");
            }
            return;
        case SettingsLine::kNoName:
            complain(r, line, sect, nullptr, "", "no entry name before '='");
            return;
        case SettingsLine::kNoEquals:
            complain(r, line, sect, name.c_str(), "", "no '=': write name = value");
            return;
        case SettingsLine::kEntry:
            break;
    }
    if (*state == kBeforeSections) {
        complain(r, line, nullptr, name.c_str(), "", "entry before the first section");
    } else if (*state == kUnknownSection) {
        complain(r, line, sect, name.c_str(), "", "in an unknown section");
    } else {
        read_entry(r, line, sect, name.c_str(), std::string(l.value, l.value_end).c_str());
    }
}

}  // namespace

bool settings_file_path(char* out, std::size_t size) {
    return xdg_path("XDG_CONFIG_HOME", ".config", "vellin/vellin.cfg", out, size);
}

const char* settings_file_problem(const char* path) {
    const char* why = nullptr;
    const int fd = open_plain_file(path, &why);
    if (fd >= 0) {
        close(fd);
    }
    return why;
}

int read_settings_file(const char* path, std::FILE* err) {
    if (access(path, F_OK) != 0 && errno == ENOENT) {
        return 0;
    }
    const char* why = settings_file_problem(path);
    std::FILE* f = why ? nullptr : std::fopen(path, "rb");
    if (f == nullptr) {
        std::fprintf(err, "vellin: %s: %s; using the defaults\n", path,
                     why ? why : std::strerror(errno));
        return 1;
    }
    std::string text;
    char chunk[4096];
    for (std::size_t n;
         text.size() <= kSettingsFileMaxBytes && (n = std::fread(chunk, 1, sizeof chunk, f)) > 0;) {
        text.append(chunk, n);
    }
    std::fclose(f);
    if (text.size() > kSettingsFileMaxBytes) {
        std::fprintf(err,
                     "vellin: %s: larger than %zu bytes, not a settings file; using the defaults\n",
                     path, kSettingsFileMaxBytes);
        return 1;
    }
    Reader r{path, {}, {}, {}, {}};
    std::string section;
    SectionState state = kBeforeSections;
    const char* limit = text.data() + text.size();
    int line = 1;
    for (const char* p = settings_text_begin(text.data(), text.size()); p < limit; ++line) {
        const SettingsLine l = settings_line(p, limit);
        read_line(r, line, l, &section, &state);
        p = l.next;
    }
    for (int k = 0; k < kBindingKinds; ++k) {
        undo_shared(r, k);
    }
    std::stable_sort(r.problems.begin(), r.problems.end(),
                     [](const Problem& a, const Problem& b) { return a.line < b.line; });
    for (const Problem& p : r.problems) {
        std::fputs(p.text.c_str(), err);
    }
    return static_cast<int>(r.problems.size());
}
