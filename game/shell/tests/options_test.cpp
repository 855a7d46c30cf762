// The game's options: what they store, what they refuse together, and the
// settings they override. (The convention itself is tested with cmdline.)
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "input/input.h"
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

TEST(Options, HelpListsTheGamesOptions) {
    const Result r = parse({"--help"});
    EXPECT_EQ(r.status, 0);
    for (const char* name : {"--windowed", "--scale N", "--no-vsync", "--config FILE",
                             "--print-config", "--seed N", "--version"}) {
        EXPECT_NE(r.out.find(name), std::string::npos) << name;
    }
}

TEST(Options, SeedTakesEveryUnsignedValueAndNothingElse) {
    EXPECT_EQ(parse({"--seed", "4294967295"}).status, -1);
    EXPECT_EQ(options.seed_given, 1);
    EXPECT_EQ(options.seed, 4294967295u);
    EXPECT_EQ(parse({"--seed=0"}).status, -1);
    EXPECT_EQ(options.seed, 0u);
    for (const char* bad : {"-1", "4294967296", "12x", "", " 7", "+7"}) {
        EXPECT_EQ(parse({"--seed", bad}).status, kUsageStatus) << '"' << bad << '"';
    }
    const Result r = parse({"level2"});
    EXPECT_EQ(r.status, kUsageStatus);
    EXPECT_NE(r.err.find("vellin: unexpected argument 'level2'"), std::string::npos) << r.err;
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

TEST(Options, OnlyTheSettingsGivenOverrideTheFile) {
    reset_input_settings();
    settings.fullscreen = 0;  // as a settings file might have left them
    settings.scale = 3;
    settings.volume = 40;
    ASSERT_EQ(parse({"--no-vsync", "--mute", "--volume=0"}).status, -1);
    override_settings();
    EXPECT_EQ(settings.fullscreen, 0);
    EXPECT_EQ(settings.scale, 3);
    EXPECT_EQ(settings.vsync, 0);
    EXPECT_EQ(settings.mute, 1);
    EXPECT_EQ(settings.volume, 0);

    ASSERT_EQ(parse({"--windowed", "--fullscreen", "--scale", "2", "--vsync"}).status, -1);
    override_settings();
    EXPECT_EQ(settings.fullscreen, 1);
    EXPECT_EQ(settings.scale, 2);
    EXPECT_EQ(settings.vsync, 1);

    reset_input_settings();  // full screen, as by default
    ASSERT_EQ(parse({"--scale", "2"}).status, -1);
    override_settings();
    EXPECT_EQ(settings.fullscreen, 0) << "a window size asks for a window";
    reset_input_settings();
}

TEST(Options, ScaleAndVolumeStayInTheirRanges) {
    for (const char* bad : {"0", "7"}) {
        EXPECT_EQ(parse({"--scale", bad}).status, kUsageStatus) << bad;
    }
    for (const char* bad : {"101", "-5", "50%"}) {
        EXPECT_EQ(parse({"--volume", bad}).status, kUsageStatus) << bad;
    }
}
