// The game's options: what they store, what they refuse together, and the
// settings they override. (The convention itself is tested with cmdline.)
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "input/input.h"
#include "shell/options.h"
#include "parse_run.h"

namespace {

ParseRun parse(std::vector<std::string> args) {
    options = Options{};
    return run_parse("vellin", std::move(args), parse_options);
}

}  // namespace

TEST(Options, DemoOptionsThatCannotGoTogetherAreRefused) {
    EXPECT_EQ(parse({"--timedemo", "t.demo", "--capture", "shots", "--capture-every", "3"}).status,
              -1);
    EXPECT_STREQ(options.timedemo, "t.demo");
    EXPECT_EQ(options.capture_every, 3);
    ASSERT_EQ(parse({"--check-stage", "a.stage", "b"}).status, -1);
    ASSERT_EQ(options.stage_file_count, 2);
    EXPECT_STREQ(options.stage_files[1], "b");
    ASSERT_EQ(parse({"--verify", "a.demo", "b.demo"}).status, -1);
    EXPECT_EQ(options.verify, 1);
    EXPECT_EQ(options.stage_file_count, 2);
    for (std::vector<std::string> bad :
         std::vector<std::vector<std::string>>{{"--record", "a", "--play", "b"},
                                               {"--record", "a", "--capture", "c"},
                                               {"--play", "a", "--seed", "3"},
                                               {"--timedemo", "a", "--stage", "s"},
                                               {"--play", "a", "--capture-every", "0"},
                                               {"--play", "a", "--capture-every", "2"},
                                               {"--play", "a", "--overwrite"},
                                               {"--verify", "a", "--check-stage"}}) {
        const ParseRun r = parse(bad);
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

TEST(Options, ValuesOutsideTheTableAreRefused) {
    for (std::vector<std::string> bad : std::vector<std::vector<std::string>>{{"--scale", "0"},
                                                                              {"--scale", "7"},
                                                                              {"--volume", "101"},
                                                                              {"level2"},
                                                                              {"--check-stage"},
                                                                              {"--verify"}}) {
        EXPECT_EQ(parse(bad).status, kUsageStatus) << bad[0];
    }
}
