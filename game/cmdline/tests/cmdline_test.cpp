// The shared convention: exact names, both value spellings, short letters,
// operands, and one wording for every refusal.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "cmdline/cmdline.h"
#include "parse_run.h"

namespace {

int quiet;
int level;
const char* name;
unsigned seed;
int seed_given;
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
    cmd_unsigned("--seed", "N", &seed, &seed_given, "where to start"),
    cmd_custom("--pair", "A-B", pair, parse_pair, "two numbers A-B, A not above B", &pair_given,
               "a range"),
};
const CmdLine kLine = {
    "tool", "[OPTION]... FILE...", "Does things.\n", kOptions, 5, "FILE", 1, 2, "Footer.\n"};

struct Result : ParseRun {
    std::vector<std::string> operands;
};

Result parse(std::vector<std::string> args) {
    quiet = level = seed_given = pair_given = 0;
    name = nullptr;
    Result r;
    static_cast<ParseRun&>(r) = run_parse(
        "tool", std::move(args), [&r](int argc, char** argv, std::FILE* out, std::FILE* err) {
            std::vector<const char*> operands(static_cast<std::size_t>(argc));
            int count = -1;
            const int status =
                parse_command_line(kLine, argc, argv, operands.data(), &count, out, err);
            r.operands.assign(operands.begin(), operands.begin() + (count > 0 ? count : 0));
            return status;
        });
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
    EXPECT_EQ(parse({"--seed", "4294967295", "f"}).status, -1);
    EXPECT_EQ(seed_given, 1);
    EXPECT_EQ(seed, 4294967295u);
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
        {{"--level=5%", "f"}, "tool: bad value '5%' for '--level': a whole number from 1 to 6"},
        {{"--seed", "4294967296", "f"},
         "tool: bad value '4294967296' for '--seed': a whole number from 0 to 4294967295"},
        {{"--seed= 7", "f"},
         "tool: bad value ' 7' for '--seed': a whole number from 0 to 4294967295"},
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
