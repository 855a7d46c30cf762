// The option table, the usage text and the parser.
#include "shell/options.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "shell/data_dir.h"

#ifndef VELLIN_VERSION
#define VELLIN_VERSION "unknown"
#endif

Options options;

namespace {

enum class Kind {
    kFlag,      // stores `value` in an int
    kText,      // stores the argument's text (argv outlives the game)
    kCount,     // a whole number from 1 to INT_MAX
    kUnsigned,  // a whole number from 0 to UINT_MAX
    kPercent,   // a whole number from 0 to 100
};

struct Option {
    const char* name;
    const char* arg;  // shown in the usage; nullptr for a flag
    Kind kind;
    void* target;
    int value;  // what a flag stores
    const char* help;
    int* given;  // set to 1 when the option is used; may be null
};

constexpr Option flag(const char* name, int* target, int value, const char* help) {
    return {name, nullptr, Kind::kFlag, target, value, help, nullptr};
}
constexpr Option text(const char* name, const char* arg, const char** target, const char* help) {
    return {name, arg, Kind::kText, target, 0, help, nullptr};
}
constexpr Option count(const char* name, const char* arg, int* target, const char* help) {
    return {name, arg, Kind::kCount, target, 0, help, nullptr};
}
constexpr Option percent(const char* name, const char* arg, int* target, const char* help) {
    return {name, arg, Kind::kPercent, target, 0, help, nullptr};
}
constexpr Option whole(const char* name, const char* arg, unsigned int* target, int* given,
                       const char* help) {
    return {name, arg, Kind::kUnsigned, target, 0, help, given};
}

// --help and --version are handled before the table.
const Option kOptions[] = {
    flag("--windowed", &options.windowed, 1, "play in a 640 by 480 window"),
    flag("--fullscreen", &options.windowed, 0, "play full screen when possible (the default)"),
    whole("--seed", "N", &options.seed, &options.seed_given,
          "random seed of the stage (default: the clock)"),
    text("--data", "DIR", &data_option, "read the game's files from DIR"),
    flag("--immediate", &options.immediate, 1,
         "draw the stage in immediate mode, not from display lists (slower)"),
    text("--record", "FILE", &options.record, "record a demo of this game into FILE"),
    text("--play", "FILE", &options.play, "watch the demo in FILE"),
    text("--timedemo", "FILE", &options.timedemo, "run the demo in FILE as fast as possible"),
    text("--capture", "DIR", &options.capture, "save the frames of a demo as PNG files in DIR"),
    count("--capture-every", "N", &options.capture_every, "save only every Nth frame"),
    flag("--mute", &options.mute, 1, "play no sound"),
    percent("--volume", "N", &options.volume, "loudness of the sounds, 0 to 100 (default 100)"),
};

void print_usage(std::FILE* to) {
    std::fprintf(to, "Usage: vellin [OPTION]...\nA 3D side-scroller on a jungle stage.\n\n");
    for (const Option& o : kOptions) {
        char left[40];
        std::snprintf(left, sizeof left, "%s%s%s", o.name, o.arg ? " " : "", o.arg ? o.arg : "");
        std::fprintf(to, "  %-22s %s\n", left, o.help);
    }
    std::fprintf(to, "  %-22s %s\n  %-22s %s\n", "--help", "print this help and exit", "--version",
                 "print the version and exit");
}

int refuse(std::FILE* err, const char* reason, const char* what) {
    std::fprintf(err, "vellin: %s '%s'\n", reason, what);
    print_usage(err);
    return kUsageStatus;
}

// Whole decimal numbers only: no sign, no blanks, no trailing text.
bool read_number(const char* s, unsigned long long limit, unsigned long long* out) {
    if (*s < '0' || *s > '9') {
        return false;
    }
    char* end = nullptr;
    errno = 0;
    const unsigned long long n = std::strtoull(s, &end, 10);
    if (errno != 0 || *end != '\0' || n > limit) {
        return false;
    }
    *out = n;
    return true;
}

bool store(const Option& o, const char* value) {
    unsigned long long n = 0;
    switch (o.kind) {
        case Kind::kFlag:
            *static_cast<int*>(o.target) = o.value;
            return true;
        case Kind::kText:
            if (*value == '\0') {
                return false;
            }
            *static_cast<const char**>(o.target) = value;
            return true;
        case Kind::kCount:
            if (!read_number(value, INT_MAX, &n) || n == 0) {
                return false;
            }
            *static_cast<int*>(o.target) = static_cast<int>(n);
            return true;
        case Kind::kPercent:
            if (!read_number(value, 100, &n)) {
                return false;
            }
            *static_cast<int*>(o.target) = static_cast<int>(n);
            return true;
        case Kind::kUnsigned:
            if (!read_number(value, UINT_MAX, &n)) {
                return false;
            }
            *static_cast<unsigned int*>(o.target) = static_cast<unsigned int>(n);
            return true;
    }
    return false;
}

const Option* find(const char* name, std::size_t length) {
    for (const Option& o : kOptions) {
        if (std::strlen(o.name) == length && std::strncmp(o.name, name, length) == 0) {
            return &o;
        }
    }
    return nullptr;
}

// The reason a set of options cannot be used together, or nullptr.
const char* conflict() {
    const int demos =
        (options.record != nullptr) + (options.play != nullptr) + (options.timedemo != nullptr);
    if (demos > 1) {
        return "use only one of --record, --play and --timedemo";
    }
    if (options.capture != nullptr && options.play == nullptr && options.timedemo == nullptr) {
        return "--capture needs --play or --timedemo";
    }
    if (options.seed_given && (options.play != nullptr || options.timedemo != nullptr)) {
        return "--seed cannot be used with a demo to play: the demo holds its seed";
    }
    return nullptr;
}

}  // namespace

int parse_options(int argc, char** argv, std::FILE* out, std::FILE* err) {
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (std::strcmp(arg, "--help") == 0) {
            print_usage(out);
            return 0;
        }
        if (std::strcmp(arg, "--version") == 0) {
            std::fprintf(out, "vellin %s\n", VELLIN_VERSION);
            return 0;
        }
        // Both "--seed 7" and "--seed=7".
        const char* equals = std::strchr(arg, '=');
        const std::size_t length =
            equals ? static_cast<std::size_t>(equals - arg) : std::strlen(arg);
        const Option* o = std::strncmp(arg, "--", 2) == 0 ? find(arg, length) : nullptr;
        if (o == nullptr) {
            return refuse(err, "unknown option", arg);
        }
        const char* value = nullptr;
        if (o->arg != nullptr) {
            if (equals) {
                value = equals + 1;
            } else if (i + 1 < argc) {
                value = argv[++i];
            } else {
                return refuse(err, "missing value for", o->name);
            }
        } else if (equals) {
            return refuse(err, "no value is taken by", arg);
        }
        if (!store(*o, value)) {
            std::fprintf(err, "vellin: bad value '%s' for %s %s\n", value, o->name, o->arg);
            print_usage(err);
            return kUsageStatus;
        }
        if (o->given != nullptr) {
            *o->given = 1;
        }
    }
    if (const char* reason = conflict()) {
        std::fprintf(err, "vellin: %s\n", reason);
        print_usage(err);
        return kUsageStatus;
    }
    return -1;
}
