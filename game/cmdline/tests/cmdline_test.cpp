// The shared convention: exact names, both value spellings, short letters,
// operands, and one wording for every refusal.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "cmdline/cmdline.h"

namespace {

int quiet;
int level;
const char* name;
int pair_given;
int pair[2];

// "A-B" with A <= B.
bool parse_pair(const char* text, void* target) {
    int* p = static_cast<int*>(target);
    char end = 0;
    return std::sscanf(text, "%d-%d%c", &p[0], &p[1], &end) == 2 && p[0] <= p[1];
}

const CmdOption kOptions[] = {
    cmd_letter('q', cmd_flag("--quiet", &quiet, 1, "say less")),
    cmd_int("--level", "N", &level, 1, 6, "how much"),
    cmd_text("--name", "TEXT", &name, "what to call it"),
    cmd_custom("--pair", "A-B", pair, parse_pair, "two numbers A-B, A not above B", &pair_given,
               "a range"),
};
const CmdLine kLine = {
    "tool", "[OPTION]... FILE...", "Does things.\n", kOptions, 4, "FILE", 1, 2, "Footer.\n"};

struct Result {
    int status;
    std::vector<std::string> operands;
    std::string out, err;
};

std::string slurp(std::FILE* f) {
    std::string s;
    std::rewind(f);
    for (int c; (c = std::fgetc(f)) != EOF;) {
        s += static_cast<char>(c);
    }
    std::fclose(f);
    return s;
}

Result parse(std::vector<std::string> args) {
    static std::vector<std::string> held;  // text values point into it
    held = std::move(args);
    held.insert(held.begin(), "tool");
    quiet = level = pair_given = 0;
    name = nullptr;
    std::vector<char*> argv;
    for (std::string& a : held) {
        argv.push_back(a.data());
    }
    std::vector<const char*> operands(argv.size());
    int count = -1;
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    Result r;
    r.status = parse_command_line(kLine, static_cast<int>(argv.size()), argv.data(),
                                  operands.data(), &count, out, err);
    for (int i = 0; i < count; ++i) {
        r.operands.push_back(operands[i]);
    }
    r.out = slurp(out);
    r.err = slurp(err);
    return r;
}

}  // namespace

TEST(CmdLine, ValuesInBothSpellingsShortLettersAndOperandsInAnyOrder) {
    const Result r = parse({"a.txt", "--level=6", "-q", "--name", "x", "--pair", "2-3", "b.txt"});
    ASSERT_EQ(r.status, -1) << r.err;
    EXPECT_EQ(r.operands, (std::vector<std::string>{"a.txt", "b.txt"}));
    EXPECT_EQ(quiet, 1);
    EXPECT_EQ(level, 6);
    EXPECT_STREQ(name, "x");
    EXPECT_EQ(pair_given, 1);
    EXPECT_EQ(pair[1], 3);
}

TEST(CmdLine, DoubleDashEndsTheOptionsAndALoneDashIsAnOperand) {
    const Result r = parse({"--", "--quiet", "-"});
    ASSERT_EQ(r.status, -1) << r.err;
    EXPECT_EQ(r.operands, (std::vector<std::string>{"--quiet", "-"}));
    EXPECT_EQ(quiet, 0);
}

TEST(CmdLine, HelpAndVersionGoToStdout) {
    for (const char* ask : {"-h", "--help"}) {
        const Result r = parse({"--level", "2", ask, "--bogus"});
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(r.out.rfind("Usage: tool [OPTION]... FILE...\nDoes things.\n", 0), 0u) << r.out;
        for (const char* listed : {"-q, --quiet", "--level N", "-h, --help", "--version"}) {
            EXPECT_NE(r.out.find(listed), std::string::npos) << listed;
        }
    }
    const Result v = parse({"--version"});
    EXPECT_EQ(v.status, 0);
    EXPECT_EQ(v.out.rfind("tool ", 0), 0u) << v.out;
}

TEST(CmdLine, EveryRefusalIsOneLineAndTheUsageOnStderr) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> refused = {
        {{"--qui", "f"}, "tool: unknown option '--qui'"},  // no abbreviations
        {{"--quiet=1", "f"}, "tool: no value is taken by '--quiet=1'"},
        {{"-x", "f"}, "tool: unknown option '-x'"},
        {{"-qq", "f"}, "tool: unknown option '-qq'"},
        {{"f", "--level"}, "tool: missing value for '--level'"},
        {{"--level", "7", "f"}, "tool: bad value '7' for '--level': a whole number from 1 to 6"},
        {{"--level=-1", "f"}, "tool: bad value '-1' for '--level': a whole number from 1 to 6"},
        {{"--level", "0", "f"}, "tool: bad value '0' for '--level': a whole number from 1 to 6"},
        {{"--name=", "f"}, "tool: bad value '' for '--name': not empty"},
        {{"--pair", "3-2", "f"},
         "tool: bad value '3-2' for '--pair': two numbers A-B, A not above B"},
        {{"a", "b", "c"}, "tool: unexpected argument 'c'"},
        {{"-q"}, "tool: missing FILE"},
    };
    for (const auto& [args, said] : refused) {
        const Result r = parse(args);
        EXPECT_EQ(r.status, kUsageStatus) << said;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err.substr(0, r.err.find('\n')), said);
        EXPECT_NE(r.err.find("\nUsage: tool"), std::string::npos) << said;
    }
}
