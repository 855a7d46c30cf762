// The command line of the game and of its tools, one convention for all:
// long options by their exact name only (no abbreviations), "--opt value" or
// "--opt=value", -h/--help and --version everywhere, "--" ends the options,
// and one wording for every refusal, followed by the usage on stderr and exit
// status kUsageStatus.
//
// A program describes itself in a CmdLine whose table of CmdOption points at
// the variables the options set; parse_command_line fills them. Text values
// point into argv, which outlives every use of them.
#ifndef VELLIN_CMDLINE_H
#define VELLIN_CMDLINE_H

#include <cstdio>

// Exit status when a command line is refused.
constexpr int kUsageStatus = 2;

enum class ArgKind {
    kFlag,      // stores `low` in an int
    kText,      // stores the value's text (never empty) in a const char*
    kInt,       // a whole number from `low` to `high` in an int
    kUnsigned,  // a whole number from 0 to UINT_MAX in an unsigned int
    kCustom,    // `parse` reads the value into `target`
};

struct CmdOption {
    const char* name;  // "--seed"
    char letter;       // the short form's letter ('q' for -q), or 0
    const char* arg;   // the value's name in the usage ("N"); nullptr for a flag
    ArgKind kind;
    void* target;
    long long low, high;                             // kFlag: low is stored; kInt: the range
    bool (*parse)(const char* value, void* target);  // kCustom: false for a bad value
    const char* expects;                             // kCustom: what a good value is
    const char* help;
    int* given;  // set to 1 when the option is used; may be null
};

constexpr CmdOption cmd_flag(const char* name, int* target, int value, const char* help) {
    return {name, 0, nullptr, ArgKind::kFlag, target, value, 0, nullptr, nullptr, help, nullptr};
}
constexpr CmdOption cmd_text(const char* name, const char* arg, const char** target,
                             const char* help) {
    return {name, 0, arg, ArgKind::kText, target, 0, 0, nullptr, nullptr, help, nullptr};
}
constexpr CmdOption cmd_int(const char* name, const char* arg, int* target, int low, int high,
                            const char* help) {
    return {name, 0, arg, ArgKind::kInt, target, low, high, nullptr, nullptr, help, nullptr};
}
constexpr CmdOption cmd_unsigned(const char* name, const char* arg, unsigned int* target,
                                 int* given, const char* help) {
    return {name, 0, arg, ArgKind::kUnsigned, target, 0, 0, nullptr, nullptr, help, given};
}
constexpr CmdOption cmd_custom(const char* name, const char* arg, void* target,
                               bool (*parse)(const char*, void*), const char* expects, int* given,
                               const char* help) {
    return {name, 0, arg, ArgKind::kCustom, target, 0, 0, parse, expects, help, given};
}
// The same option, also reached by "-<letter>".
constexpr CmdOption cmd_letter(char letter, CmdOption o) {
    o.letter = letter;
    return o;
}

struct CmdLine {
    const char* program;   // begins every message: "kelpcheck"
    const char* synopsis;  // after "Usage: <program> ": "[OPTION]... FILE..."
    const char* about;     // the lines between the usage line and the options
    const CmdOption* table;
    int table_size;
    const char* operand;  // the operands' name ("FILE"), or nullptr when none are taken
    int min_operands;
    int max_operands;    // -1: any number
    const char* footer;  // after the options (keys, exit status); may be null
};

// Parses argv[1..argc-1]. Operands (arguments that are not options, and all
// after "--") go to `operands`, which has room for argc pointers (null when
// the program takes none), and their number to *operand_count. Returns -1 to
// go on, 0 after --help or --version (printed on `out`), or kUsageStatus
// after a refusal (one line and the usage on `err`).
int parse_command_line(const CmdLine& line, int argc, char** argv, const char** operands,
                       int* operand_count, std::FILE* out, std::FILE* err);

// For a refusal the table cannot see (options that cannot go together):
// "<program>: <reason>" and the usage on `err`. Returns kUsageStatus.
int refuse_command_line(const CmdLine& line, const char* reason, std::FILE* err);

void print_usage(const CmdLine& line, std::FILE* to);

// A whole decimal number up to `limit` and nothing else (no sign, no blanks,
// no trailing text): every number an option or the settings file holds.
bool read_whole_number(const char* s, unsigned long long limit, unsigned long long* out);

#endif
