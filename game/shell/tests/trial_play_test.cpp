// Time trial on short layers of the test's own: the clock and the finish as
// the physics reach them, the ghost, and which runs become the best.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "key_script.h"
#include "input/settings.h"
#include "level/level.h"
#include "model/model.h"
#include "shell/physics.h"
#include "shell/stage_best.h"
#include "shell/trial_play.h"
#include "state/state.h"
#include "temp_dir.h"

namespace {

// Ledges on one row from `first` to `last` (map columns), nothing else.
void use_layer(int row, int first, int last) {
    StageFile stage{};
    for (int c = first; c <= last; ++c)
        stage.codes[row][c] = kTileLedge;
    clear_level();
    use_stage(stage);
    generate_wall();
    generate_bridges();
}

Demo holding(std::uint16_t keys, int steps, int wait = 0) {
    Demo demo;
    demo.steps.assign(static_cast<std::size_t>(wait), StepInput{});
    demo.steps.insert(demo.steps.end(), static_cast<std::size_t>(steps), StepInput{keys, 0, 0});
    demo.frame_steps.assign(demo.steps.size(), 1);
    return demo;
}

// Plays a demo's steps through time trial, one step a frame.
void race(const Demo& demo) {
    trial_physics(StepInput{kStepRestart, 0, 0});
    for (std::size_t i = 1; i < demo.steps.size(); ++i) {
        trial_physics(demo.steps[i]);
        trial_frame_done();
    }
}

class TrialPlay : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        ASSERT_EQ(ludz.Read(VELLIN_PHYSICS_DATA "/physics_player.txt"), 1);
    }
    void TearDown() override { stop_trial(); }
};

// Walking right moves 0.25 a step from the first step of the opening drop,
// so from x 60 the last column's edge (1980) is 7,680 steps away: 1:04.000.
TEST_F(TrialPlay, ClockAndFinishOnShortLayers) {
    const struct {
        const char* what;
        int row, first, last;
        long finish;
        int steps = 9000;
    } rows[] = {
        {"a ledge across the stage", 8, 1, 99, 7680},
        {"the bottom row, at the layer's foot", 15, 1, 99, 7680},
        {"a ledge ending at column 60: a fall, no finish", 8, 1, 59, -1},
        {"a ledge ending at column 98: the last column reached falling", 8, 1, 98, 7680},
        {"a demo that stops short of the finish has none", 8, 1, 99, -1, 7679},
    };
    for (const auto& row : rows) {
        use_layer(row.row, row.first, row.last);
        const TrialTimes times = replay_times(holding(kStepRight, row.steps));
        EXPECT_EQ(times.finish, row.finish) << row.what;
        if (row.finish > 0) {
            // Columns 25, 50 and 75 lie 1760, 3760 and 5760 steps from x 60.
            EXPECT_EQ(times.splits[0], 1760) << row.what;
            EXPECT_EQ(times.splits[2], 5760) << row.what;
        }
    }
}

// The jungle's last column can be reached on its own ledges: the key script
// hops to it from the tour's end and passes x 1980 over column 98's ledge.
TEST_F(TrialPlay, TheJungleIsFinishedOnItsLedges) {
    clear_level();
    tile_layer = jungle_map0;
    generate_wall();
    generate_bridges();
    std::ifstream in(VELLIN_TRIAL_DATA "/jungle_end.keys");
    const std::string text((std::istreambuf_iterator<char>(in)), {});
    KeyScript script;
    std::string error;
    ASSERT_TRUE(parse_key_script(text, &script, &error)) << error;
    const Demo demo = demo_from_script(script);
    EXPECT_EQ(replay_times(demo).finish, 8158);
    // One step short, no finish: the finish is the demo's last step.
    Demo short_of_it = demo;
    short_of_it.steps.pop_back();
    EXPECT_EQ(replay_times(short_of_it).finish, -1);
}

TEST_F(TrialPlay, GhostEndsWhereItsDemoEndsAndLeavesThePlayerAlone) {
    use_layer(8, 1, 99);
    start_trial(1, false);
    race(holding(kStepRight, 7700, 100));
    ASSERT_TRUE(trial_run().finished);
    EXPECT_EQ(best_times().finish, 7780);  // the restart step, 99 waiting, then 7680 walking
    ASSERT_EQ(best_run().steps.size(), 7780u);

    // What the best run's demo gives when the player plays it.
    restore_player(opening_state());
    for (const StepInput& in : best_run().steps)
        physics(in);
    const PlayerState end = save_player();

    // The next run: walking from step 300, its player compared half way,
    // while the ghost still runs; then on past the ghost's last step.
    const Demo walk = holding(kStepRight, 4700, 300);
    race(walk);
    const PlayerState player = save_player();
    restore_player(opening_state());
    for (const StepInput& in : walk.steps)
        physics(in);  // the first as the restart step ran it: no key
    const PlayerState alone = save_player();
    EXPECT_EQ(std::memcmp(&player, &alone, sizeof player), 0);
    restore_player(player);
    for (int i = 0; i < 3000; ++i)
        trial_physics(StepInput{});
    PlayerState ghost;
    ASSERT_TRUE(ghost_state(&ghost));
    EXPECT_EQ(std::memcmp(&ghost, &end, sizeof ghost), 0);
    EXPECT_FLOAT_EQ(ghost.pos[0], 1980.0f);
}

class TrialRecords : public TrialPlay {
  protected:
    TempDir dir{"vellin-trial"};
    ScopedEnv data_home{"XDG_DATA_HOME", dir.path().c_str()};
    void SetUp() override { use_layer(8, 1, 99); }
    void TearDown() override { stop_trial(); }
    std::string file() {
        char out[4096];
        EXPECT_TRUE(record_path("jungle", stage_hash(tile_layer), out, sizeof out));
        return out;
    }
    // The best time, as a fresh start of time trial finds it in the file.
    long kept() {
        stop_trial();
        start_trial(1);
        return best_times().finish;
    }
};

TEST_F(TrialRecords, OnlyAFasterRunReplacesTheKeptBest) {
    start_trial(1);
    EXPECT_EQ(best_times().finish, -1);
    // Runs of 7,880 steps, then slower, then faster: the best after each.
    for (const auto& [wait, best] : {std::pair{200, 7880L}, {400, 7880L}, {50, 7730L}}) {
        race(holding(kStepRight, 7700, wait));
        EXPECT_EQ(best_times().finish, best) << wait;
        EXPECT_EQ(kept(), best) << wait;
    }
    // The file is a demo that plays on its own.
    Demo demo;
    char why[128] = "";
    ASSERT_TRUE(read_demo(file().c_str(), &demo, why, sizeof why)) << why;
    EXPECT_EQ(replay_times(demo).finish, 7730);
    // The ghost setting, read as time trial starts.
    PlayerState ghost;
    for (int shown : {0, 1}) {
        settings.ghost = shown;
        EXPECT_EQ(kept(), 7730);
        EXPECT_EQ(ghost_state(&ghost), shown == 1);
    }
}

// The Stages screen's times: each best run replayed on its own stage, with
// another one in play, which is then as it was.
TEST_F(TrialRecords, EachStagesBestIsReplayedOnItsOwnLayer) {
    start_trial(1);
    race(holding(kStepRight, 7700, 50));  // 7,730 steps
    stop_trial();
    static StageEntry across{};
    std::snprintf(across.stem, sizeof across.stem, "jungle");  // as time trial kept it
    std::memcpy(across.stage.codes, tile_layer, sizeof across.stage.codes);
    across.hash = stage_hash(tile_layer);

    use_layer(8, 1, 59);  // in play: a ledge ending at column 60
    static StageEntry in_play{};
    in_play = across;
    std::memcpy(in_play.stage.codes, tile_layer, sizeof in_play.stage.codes);
    in_play.hash = stage_hash(tile_layer);
    char best[kClockTextSize] = "";
    ASSERT_TRUE(stage_best_time(across, best, sizeof best));
    EXPECT_STREQ(best, "1:04.416");
    EXPECT_EQ(stage_hash(tile_layer), in_play.hash);
    EXPECT_EQ(replay_times(holding(kStepRight, 9000)).finish, -1) << "not the layer in play";
    EXPECT_FALSE(stage_best_time(in_play, best, sizeof best)) << "no run kept for it";
    across.faults = 1;
    EXPECT_FALSE(stage_best_time(across, best, sizeof best)) << "a broken stage is not played";
}

TEST_F(TrialRecords, AnUnwritableFolderKeepsTheBestForTheSession) {
    start_trial(1);
    race(holding(kStepRight, 7700, 200));
    // A file where the records folder should be: no one can write in it.
    const std::filesystem::path folder = std::filesystem::path(file()).parent_path();
    std::filesystem::rename(folder, folder.string() + ".moved");
    std::ofstream(folder.string()) << "not a folder";
    race(holding(kStepRight, 7700, 50));
    EXPECT_EQ(best_times().finish, 7730);  // this session's
    std::filesystem::remove(folder);
    std::filesystem::rename(folder.string() + ".moved", folder);
    EXPECT_EQ(kept(), 7880);  // the file's, as it was
}

}  // namespace
