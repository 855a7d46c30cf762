// The command line: help, version, refusals with status 2, and stored values.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "shell/options.h"

namespace {

struct Result {
    int status;
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

// The options point into argv, which lives until the next parse, as a
// program's does.
Result parse(std::vector<std::string> args) {
    static std::vector<std::string> held;
    held = std::move(args);
    options = Options{};
    held.insert(held.begin(), "vellin");
    std::vector<char*> argv;
    for (std::string& a : held) {
        argv.push_back(a.data());
    }
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    const int status = parse_options(static_cast<int>(argv.size()), argv.data(), out, err);
    return {status, slurp(out), slurp(err)};
}

}  // namespace

TEST(Options, HelpListsEveryOptionOnStdout) {
    const Result r = parse({"--windowed", "--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    for (const char* name : {"--windowed", "--fullscreen", "--seed N", "--mute", "--volume N",
                             "--help", "--version"}) {
        EXPECT_NE(r.out.find(name), std::string::npos) << name;
    }
}

TEST(Options, VersionPrintsTheProgramAndItsVersion) {
    const Result r = parse({"--version"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("vellin 1.", 0), 0u) << r.out;
}

TEST(Options, NoArgumentsStartsFullScreenWithTheClockSeed) {
    const Result r = parse({});
    EXPECT_EQ(r.status, -1);
    EXPECT_EQ(options.windowed, 0);
    EXPECT_EQ(options.seed_given, 0);
}

TEST(Options, StoresValuesInBothSpellingsAndTheLastScreenChoiceWins) {
    EXPECT_EQ(parse({"--fullscreen", "--windowed", "--seed", "4294967295"}).status, -1);
    EXPECT_EQ(options.windowed, 1);
    EXPECT_EQ(options.seed_given, 1);
    EXPECT_EQ(options.seed, 4294967295u);
    EXPECT_EQ(parse({"--windowed", "--fullscreen", "--seed=0"}).status, -1);
    EXPECT_EQ(options.windowed, 0);
    EXPECT_EQ(options.seed_given, 1);
    EXPECT_EQ(options.seed, 0u);
}

TEST(Options, UnknownOptionOrStrayArgumentShowsUsageOnStderr) {
    for (const char* bad : {"--fly", "-w", "level2", "--windowedx", "--windowed=1"}) {
        const Result r = parse({bad});
        EXPECT_EQ(r.status, kUsageStatus) << bad;
        EXPECT_EQ(r.out, "") << bad;
        EXPECT_NE(r.err.find(bad), std::string::npos) << r.err;
        EXPECT_NE(r.err.find("Usage: vellin"), std::string::npos) << bad;
    }
}

TEST(Options, BadOrMissingValueIsRefused) {
    for (const char* bad : {"-1", "4294967296", "12x", "", " 7", "+7", "99999999999999999999999"}) {
        const Result r = parse({"--seed", bad});
        EXPECT_EQ(r.status, kUsageStatus) << '"' << bad << '"';
        EXPECT_NE(r.err.find("bad value"), std::string::npos) << r.err;
    }
    const Result r = parse({"--seed"});
    EXPECT_EQ(r.status, kUsageStatus);
    EXPECT_NE(r.err.find("missing value for '--seed'"), std::string::npos) << r.err;
}

TEST(Options, DemoOptionsThatCannotGoTogetherAreRefused) {
    EXPECT_EQ(parse({"--timedemo", "t.demo", "--capture", "shots", "--capture-every", "3"}).status,
              -1);
    EXPECT_STREQ(options.timedemo, "t.demo");
    EXPECT_EQ(options.capture_every, 3);
    for (std::vector<std::string> bad :
         std::vector<std::vector<std::string>>{{"--record", "a", "--play", "b"},
                                               {"--record", "a", "--capture", "c"},
                                               {"--play", "a", "--seed", "3"},
                                               {"--play", "a", "--capture-every", "0"}}) {
        const Result r = parse(bad);
        EXPECT_EQ(r.status, kUsageStatus) << bad[0] << ' ' << bad[2];
        EXPECT_NE(r.err.find("Usage: vellin"), std::string::npos);
    }
}

TEST(Options, VolumeIsAPercentage) {
    EXPECT_EQ(parse({"--mute", "--volume", "0"}).status, -1);
    EXPECT_EQ(options.mute, 1);
    EXPECT_EQ(options.volume, 0);
    EXPECT_EQ(parse({"--volume=100"}).status, -1);
    EXPECT_EQ(options.volume, 100);
    for (const char* bad : {"101", "-5", "50%"}) {
        EXPECT_EQ(parse({"--volume", bad}).status, kUsageStatus) << bad;
    }
}
