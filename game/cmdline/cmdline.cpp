// The parser, its refusals and the usage text.
#include "cmdline/cmdline.h"

#include <cerrno>
#include <cstdarg>
#include <climits>
#include <cstdlib>
#include <cstring>

#ifndef VELLIN_VERSION
#define VELLIN_VERSION "unknown"
#endif

namespace {

const int kLeftSize = 64;  // bytes for an option's name and value in the usage

const CmdOption kHelp = cmd_letter('h', cmd_flag("--help", nullptr, 0, "print this help and exit"));
const CmdOption kVersion = cmd_flag("--version", nullptr, 0, "print the version and exit");

// "  -q, --quiet" or "      --seed N".
void left_column(const CmdOption& o, char* out) {
    char letter[8] = "    ";
    if (o.letter != 0) {
        std::snprintf(letter, sizeof letter, "-%c, ", o.letter);
    }
    std::snprintf(out, kLeftSize, "  %s%s%s%s", letter, o.name, o.arg ? " " : "",
                  o.arg ? o.arg : "");
}

// "PROGRAM: " and the reason, then the usage: every refusal.
__attribute__((format(printf, 3, 4))) int refuse_with(const CmdLine& line, std::FILE* err,
                                                      const char* format, ...) {
    std::fprintf(err, "%s: ", line.program);
    std::va_list args;
    va_start(args, format);
    std::vfprintf(err, format, args);
    va_end(args);
    std::fputc('\n', err);
    print_usage(line, err);
    return kUsageStatus;
}

int refuse(const CmdLine& line, std::FILE* err, const char* reason, const char* what) {
    return refuse_with(line, err, "%s '%s'", reason, what);
}

// Stores the value; false when it is not one the option takes.
bool store(const CmdOption& o, const char* value) {
    unsigned long long n = 0;
    switch (o.kind) {
        case ArgKind::kFlag:
            *static_cast<int*>(o.target) = static_cast<int>(o.low);
            return true;
        case ArgKind::kText:
            if (*value == '\0') {
                return false;
            }
            *static_cast<const char**>(o.target) = value;
            return true;
        case ArgKind::kInt:
            // Only ranges that start at 0 or above: a number has no sign.
            if (!read_whole_number(value, static_cast<unsigned long long>(o.high), &n) ||
                static_cast<long long>(n) < o.low) {
                return false;
            }
            *static_cast<int*>(o.target) = static_cast<int>(n);
            return true;
        case ArgKind::kUnsigned:
            if (!read_whole_number(value, UINT_MAX, &n)) {
                return false;
            }
            *static_cast<unsigned int*>(o.target) = static_cast<unsigned int>(n);
            return true;
        case ArgKind::kCustom:
            return o.parse(value, o.target);
    }
    return false;
}

// What a good value is, for the refusal of a bad one.
void describe_value(const CmdOption& o, char* out, std::size_t size) {
    switch (o.kind) {
        case ArgKind::kInt:
            std::snprintf(out, size, "a whole number from %lld to %lld", o.low, o.high);
            return;
        case ArgKind::kUnsigned:
            std::snprintf(out, size, "a whole number from 0 to %u", UINT_MAX);
            return;
        case ArgKind::kCustom:
            std::snprintf(out, size, "%s", o.expects);
            return;
        default:
            std::snprintf(out, size, "not empty");
            return;
    }
}

// The program's options, then --help and --version.
const CmdOption& option_at(const CmdLine& line, int i) {
    return i < line.table_size ? line.table[i] : (i == line.table_size ? kHelp : kVersion);
}

// The option named exactly `name` (its first `length` characters).
const CmdOption* find(const CmdLine& line, const char* name, std::size_t length) {
    for (int i = 0; i < line.table_size + 2; ++i) {
        const CmdOption& o = option_at(line, i);
        if (std::strlen(o.name) == length && std::strncmp(o.name, name, length) == 0) {
            return &o;
        }
    }
    return nullptr;
}

const CmdOption* find_letter(const CmdLine& line, char letter) {
    for (int i = 0; i < line.table_size + 2; ++i) {
        if (option_at(line, i).letter == letter) {
            return &option_at(line, i);
        }
    }
    return nullptr;
}

}  // namespace

bool read_whole_number(const char* s, unsigned long long limit, unsigned long long* out) {
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

void print_usage(const CmdLine& line, std::FILE* to) {
    std::fprintf(to, "Usage: %s %s\n%s\n", line.program, line.synopsis, line.about);
    int width = 0;
    char left[kLeftSize];
    for (int i = 0; i < line.table_size + 2; ++i) {
        left_column(option_at(line, i), left);
        const int n = static_cast<int>(std::strlen(left));
        width = n > width ? n : width;
    }
    for (int i = 0; i < line.table_size + 2; ++i) {
        left_column(option_at(line, i), left);
        std::fprintf(to, "%-*s  %s\n", width, left, option_at(line, i).help);
    }
    if (line.footer != nullptr) {
        std::fprintf(to, "\n%s", line.footer);
    }
}

int refuse_command_line(const CmdLine& line, const char* reason, std::FILE* err) {
    return refuse_with(line, err, "%s", reason);
}

int parse_command_line(const CmdLine& line, int argc, char** argv, const char** operands,
                       int* operand_count, std::FILE* out, std::FILE* err) {
    int count = 0;
    bool options_end = false;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (options_end || arg[0] != '-' || arg[1] == '\0') {
            if (line.max_operands >= 0 && count >= line.max_operands) {
                return refuse(line, err, "unexpected argument", arg);
            }
            operands[count++] = arg;
            continue;
        }
        if (std::strcmp(arg, "--") == 0) {
            options_end = true;
            continue;
        }
        // "--seed 7" and "--seed=7"; a short form is a letter alone ("-q").
        const char* equals = arg[1] == '-' ? std::strchr(arg, '=') : nullptr;
        const std::size_t length =
            equals ? static_cast<std::size_t>(equals - arg) : std::strlen(arg);
        const CmdOption* o = arg[1] == '-'    ? find(line, arg, length)
                             : arg[2] == '\0' ? find_letter(line, arg[1])
                                              : nullptr;
        if (o == nullptr) {
            return refuse(line, err, "unknown option", arg);
        }
        const char* value = nullptr;
        if (o->arg != nullptr) {
            if (equals) {
                value = equals + 1;
            } else if (i + 1 < argc) {
                value = argv[++i];
            } else {
                return refuse(line, err, "missing value for", o->name);
            }
        } else if (equals) {
            return refuse(line, err, "no value is taken by", arg);
        }
        if (o == &kHelp) {
            print_usage(line, out);
            return 0;
        }
        if (o == &kVersion) {
            std::fprintf(out, "%s %s\n", line.program, VELLIN_VERSION);
            return 0;
        }
        if (!store(*o, value)) {
            char expects[128];
            describe_value(*o, expects, sizeof expects);
            return refuse_with(line, err, "bad value '%s' for '%s': %s", value, o->name, expects);
        }
        if (o->given != nullptr) {
            *o->given = 1;
        }
    }
    if (count < line.min_operands) {
        char what[64];
        std::snprintf(what, sizeof what, "missing %s", line.operand);
        return refuse_command_line(line, what, err);
    }
    if (operand_count != nullptr) {
        *operand_count = count;
    }
    return -1;
}
