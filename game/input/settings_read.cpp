// Reading the settings file through Allegro's configuration routines.
#include <allegro.h>

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <fcntl.h>
#include <strings.h>  // strcasecmp
#include <sys/stat.h>
#include <unistd.h>

#include "input/input.h"
#include "input/input_local.h"

namespace {

constexpr int kWordSize = 32;  // longer than any key name

struct Reader {
    const char* path;
    std::FILE* err;
    int bad;
};

void complain(Reader& r, const char* section, const char* entry, const char* format, ...) {
    char why[160];
    std::va_list args;
    va_start(args, format);
    std::vsnprintf(why, sizeof why, format, args);
    va_end(args);
    std::fprintf(r.err, "vellin: %s: [%s] %s: %s; keeping the default\n", r.path, section, entry,
                 why);
    ++r.bad;
}

// Blank-separated words, up to kMaxBound; a word starting with '#' begins a
// comment. Returns the count, or -1 when there are more words than fit.
int split_words(const char* value, char words[kMaxBound][kWordSize]) {
    int n = 0;
    for (const char* p = value;;) {
        p += std::strspn(p, " \t");
        if (*p == '\0' || *p == '#') {
            return n;
        }
        if (n == kMaxBound) {
            return -1;
        }
        const std::size_t length = std::strcspn(p, " \t");
        std::snprintf(words[n++], kWordSize, "%.*s", static_cast<int>(length), p);
        p += length;
    }
}

// A whole decimal number from lo to hi and nothing else.
bool read_int(const char* s, int lo, int hi, int* out) {
    if (*s < '0' || *s > '9') {
        return false;
    }
    char* end = nullptr;
    errno = 0;
    const long n = std::strtol(s, &end, 10);
    end += std::strspn(end, " \t");
    if (errno != 0 || (*end != '\0' && *end != '#') || n < lo || n > hi) {
        return false;
    }
    *out = static_cast<int>(n);
    return true;
}

// yes or no, in any of the usual spellings, and nothing else.
bool read_bool(const char* s, int* out) {
    static const char* const kWords[][2] = {
        {"no", "yes"}, {"0", "1"}, {"false", "true"}, {"off", "on"}};
    char words[kMaxBound][kWordSize];
    if (split_words(s, words) != 1) {
        return false;
    }
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

// Keys (buttons == false) or pad buttons of one action from a value.
bool read_binding(Reader& r, const char* section, Action a, const char* value, bool buttons) {
    char words[kMaxBound][kWordSize];
    const int n = split_words(value, words);
    const char* name = kActionInfo[a].name;
    if (n < 0) {
        complain(r, section, name, "more than %d %s", kMaxBound, buttons ? "buttons" : "keys");
        return false;
    }
    if (n == 0) {
        complain(r, section, name, "no value: write none to leave it unbound");
        return false;
    }
    int codes[kMaxBound];
    const int count = (n == 1 && strcasecmp(words[0], "none") == 0) ? 0 : n;
    for (int i = 0; i < count; ++i) {
        if (buttons && !read_int(words[i], 0, kPadButtons - 1, &codes[i])) {
            complain(r, section, name, "'%s' is not a button number from 0 to %d", words[i],
                     kPadButtons - 1);
            return false;
        }
        if (!buttons && strcasecmp(words[i], "ESC") == 0) {
            complain(r, section, name, "Escape always quits and cannot be bound");
            return false;
        }
        if (!buttons && (codes[i] = key_code(words[i])) == 0) {
            complain(r, section, name, "unknown key name '%s'", words[i]);
            return false;
        }
    }
    Binding& b = bindings[a];
    int* list = buttons ? b.buttons : b.keys;
    (buttons ? b.button_count : b.key_count) = count;
    std::memcpy(list, codes, sizeof(int) * static_cast<std::size_t>(count));
    return true;
}

// The first key (or button) that play actions a and b share, or -1.
int shared(Action a, Action b, bool buttons) {
    const Binding& x = bindings[a];
    const Binding& y = bindings[b];
    const int nx = buttons ? x.button_count : x.key_count;
    const int ny = buttons ? y.button_count : y.key_count;
    for (int i = 0; i < nx; ++i) {
        for (int j = 0; j < ny; ++j) {
            const int u = buttons ? x.buttons[i] : x.keys[i];
            if (u == (buttons ? y.buttons[j] : y.keys[j])) {
                return u;
            }
        }
    }
    return -1;
}

// Two play actions on one key: the entry from the file keeps its default
// instead, until no two share (the defaults share nothing).
void undo_shared(Reader& r, bool buttons, bool from_file[kActionCount]) {
    const char* section = buttons ? "pad" : "keys";
    for (bool again = true; again;) {
        again = false;
        for (int i = 1; i < kPlayActions && !again; ++i) {
            for (int j = 0; j < i && !again; ++j) {
                const Action a = static_cast<Action>(i), b = static_cast<Action>(j);
                const int u = shared(a, b, buttons);
                if (u < 0 || !(from_file[a] || from_file[b])) {
                    continue;
                }
                const Action culprit = from_file[a] ? a : b;
                const Action other = culprit == a ? b : a;
                if (buttons) {
                    complain(r, section, kActionInfo[culprit].name,
                             "button %d is bound to %s as well", u, kActionInfo[other].name);
                    bindings[culprit].button_count = kActionInfo[culprit].defaults.button_count;
                    std::memcpy(bindings[culprit].buttons, kActionInfo[culprit].defaults.buttons,
                                sizeof bindings[culprit].buttons);
                } else {
                    complain(r, section, kActionInfo[culprit].name, "%s is bound to %s as well",
                             key_name(u), kActionInfo[other].name);
                    bindings[culprit].key_count = kActionInfo[culprit].defaults.key_count;
                    std::memcpy(bindings[culprit].keys, kActionInfo[culprit].defaults.keys,
                                sizeof bindings[culprit].keys);
                }
                from_file[culprit] = false;
                again = true;
            }
        }
    }
}

struct NumberEntry {
    const char* section;
    const char* name;
    void* target;  // an int of settings or pad_layout
    int lo, hi;    // lo == hi == -1: a yes or no
};

const NumberEntry kNumbers[] = {
    {"settings", "fullscreen", &settings.fullscreen, -1, -1},
    {"settings", "scale", &settings.scale, 1, kMaxWindowScale},
    {"settings", "volume", &settings.volume, 0, 100},
    {"settings", "mute", &settings.mute, -1, -1},
    {"settings", "vsync", &settings.vsync, -1, -1},
    {"settings", "pause_on_focus_loss", &settings.pause_on_focus_loss, -1, -1},
    {"pad", "move_stick", &pad_layout.move_stick, 0, kPadSticks - 1},
    {"pad", "move_x_axis", &pad_layout.move_x, 0, kPadAxes - 1},
    {"pad", "move_y_axis", &pad_layout.move_y, 0, kPadAxes - 1},
    {"pad", "dpad_stick", &pad_layout.dpad_stick, 0, kPadSticks - 1},
    {"pad", "dpad_x_axis", &pad_layout.dpad_x, 0, kPadAxes - 1},
    {"pad", "dpad_y_axis", &pad_layout.dpad_y, 0, kPadAxes - 1},
    {"pad", "dead_zone", &pad_layout.dead_zone, 0, 99},
};

bool known_entry(const char* section, const char* name) {
    if (std::strcmp(section, "settings") != 0) {
        for (const ActionInfo& a : kActionInfo) {
            if (std::strcmp(a.name, name) == 0) {
                return true;
            }
        }
    }
    for (const NumberEntry& e : kNumbers) {
        if (std::strcmp(e.section, section) == 0 && std::strcmp(e.name, name) == 0) {
            return true;
        }
    }
    return false;
}

void read_entries(Reader& r) {
    for (const NumberEntry& e : kNumbers) {
        const char* value = get_config_string(e.section, e.name, nullptr);
        int* target = static_cast<int*>(e.target);
        if (value == nullptr) {
            continue;
        }
        if (e.lo < 0 && !read_bool(value, target)) {
            complain(r, e.section, e.name, "'%s' is not yes or no", value);
        } else if (e.lo >= 0 && !read_int(value, e.lo, e.hi, target)) {
            complain(r, e.section, e.name, "'%s' is not a whole number from %d to %d", value, e.lo,
                     e.hi);
        }
    }
    for (const bool buttons : {false, true}) {
        const char* section = buttons ? "pad" : "keys";
        bool from_file[kActionCount] = {};
        for (int a = 0; a < kActionCount; ++a) {
            const char* value = get_config_string(section, kActionInfo[a].name, nullptr);
            from_file[a] = value != nullptr &&
                           read_binding(r, section, static_cast<Action>(a), value, buttons);
        }
        undo_shared(r, buttons, from_file);
    }
    const char** sections = nullptr;
    const int count = list_config_sections(&sections);
    for (int i = 0; i < count; ++i) {
        // Allegro gives them as "[name]".
        const char* s = sections[i];
        if (std::strcmp(s, "[settings]") != 0 && std::strcmp(s, "[keys]") != 0 &&
            std::strcmp(s, "[pad]") != 0) {
            std::fprintf(r.err, "vellin: %s: %s: unknown section\n", r.path, s);
            ++r.bad;
        }
    }
    free_config_entries(&sections);
    for (const char* section : {"settings", "keys", "pad"}) {
        const char** names = nullptr;
        const int n = list_config_entries(section, &names);
        for (int i = 0; i < n; ++i) {
            if (!known_entry(section, names[i])) {
                std::fprintf(r.err, "vellin: %s: [%s] %s: unknown entry\n", r.path, section,
                             names[i]);
                ++r.bad;
            }
        }
        free_config_entries(&names);
    }
}

}  // namespace

bool settings_file_path(char* out, std::size_t size) {
    // A relative XDG_CONFIG_HOME is to be ignored, as an unset one.
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    int n = -1;
    if (config != nullptr && config[0] == '/') {
        n = std::snprintf(out, size, "%s/vellin/vellin.cfg", config);
    } else if (home != nullptr && home[0] != '\0') {
        n = std::snprintf(out, size, "%s/.config/vellin/vellin.cfg", home);
    }
    return n > 0 && static_cast<std::size_t>(n) < size;
}

const char* settings_file_problem(const char* path) {
    // Opened without waiting, so that a pipe with no writer cannot hang.
    const int fd = open(path, O_RDONLY | O_NONBLOCK);
    struct stat st {};
    const char* why = nullptr;
    if (fd < 0 || fstat(fd, &st) != 0) {
        why = std::strerror(errno);
    } else if (!S_ISREG(st.st_mode)) {
        why = S_ISDIR(st.st_mode) ? std::strerror(EISDIR) : "not a regular file";
    }
    if (fd >= 0) {
        close(fd);
    }
    return why;
}

int read_settings_file(const char* path, std::FILE* err) {
    Reader r{path, err, 0};
    // Allegro's routines would take a missing or unreadable file for an
    // empty one; only the unreadable one is worth a line.
    if (access(path, F_OK) != 0 && errno == ENOENT) {
        return 0;
    }
    if (const char* why = settings_file_problem(path)) {
        std::fprintf(err, "vellin: %s: %s; using the defaults\n", path, why);
        return 1;
    }
    // The configuration routines need Allegro installed; no driver, no display.
    const bool own = system_driver == nullptr;
    if (own && install_allegro(SYSTEM_NONE, &errno, nullptr) != 0) {
        std::fprintf(err, "vellin: %s: Allegro cannot start; using the defaults\n", path);
        return 1;
    }
    push_config_state();
    set_config_file(path);
    read_entries(r);
    pop_config_state();
    if (own) {
        allegro_exit();
    }
    return r.bad;
}
