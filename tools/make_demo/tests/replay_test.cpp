// The replay that --verify and the time trial trust: a run's time counts
// from its last Back to the start, and neither the seed (the wall's
// roughening) nor the bone poses change where the trooper goes.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>

#include "key_script.h"
#include "level/level.h"
#include "model/model.h"
#include "shell/replay.h"

namespace {

constexpr std::size_t kDropIn = 120;  // steps of the par runs' opening drop, no key held
// Right is held from then on, and every step moves 0.25 units: 1,920 units
// from the drop-in at x 60 to the last column at 1980.
constexpr std::size_t kParSteps = kDropIn + (1980 - 60) * 4;

Demo par_run(const char* stage) {
    const std::string base = std::string(VELLIN_ASSETS_DIR "/stages/") + stage;
    StageFile file;
    EXPECT_TRUE(read_stage_file((base + ".stage").c_str(), &file, stderr));
    use_stage(file);
    std::ifstream keys(base + ".keys");
    KeyScript script;
    std::string error;
    EXPECT_TRUE(
        parse_key_script(std::string(std::istreambuf_iterator<char>(keys), {}), &script, &error))
        << error;
    return demo_from_script(script);
}

}  // namespace

TEST(Replay, TheTimeCountsFromTheLastRestartAndDependsOnNeitherSeedNorPoses) {
    ASSERT_EQ(ludz.Read(VELLIN_ASSETS_DIR "/trooper.txt"), 1);
    const Demo par = par_run("warren");
    Demo restarted = par;  // 300 steps to the left first, then Back to the start
    restarted.steps.insert(restarted.steps.begin(), 300, StepInput{kStepLeft, 0, 0});
    restarted.steps[300].keys |= kStepRestart;
    Demo cut = par;
    cut.steps.resize(7000);
    const struct {
        const char* what;
        const Demo* demo;
        unsigned int seed;
        bool posed;
        bool finished;
        std::size_t steps;
        float furthest_x;
    } rows[] = {
        {"par", &par, 1, true, true, kParSteps, 1980.0f},
        {"another seed", &par, 99, true, true, kParSteps, 1980.0f},
        {"unposed", &par, 99, false, true, kParSteps, 1980.0f},
        {"restarted", &restarted, 1, false, true, kParSteps, 1980.0f},
        {"cut short", &cut, 1, false, false, 7000, 60.0f + (7000 - kDropIn) / 4.0f},
    };
    float end[3] = {};
    for (const auto& row : rows) {
        if (!row.posed)
            pose_nothing(&ludz);
        generate_stage(row.seed);
        const ReplayResult r = replay_demo(*row.demo);
        EXPECT_EQ(r.finished, row.finished) << row.what;
        EXPECT_EQ(r.steps, row.steps) << row.what;
        EXPECT_EQ(r.furthest_x, row.furthest_x) << row.what;
        if (!row.finished)
            continue;
        if (end[0] == 0.0f)
            std::copy(ludz.pos, ludz.pos + 3, end);
        EXPECT_TRUE(std::equal(end, end + 3, ludz.pos)) << row.what << " y " << ludz.pos[1];
    }
}

// The clock's own values are checked beside it; --verify must show the same.
TEST(Replay, StepsShowAsTheGamesClockShowsThem) {
    for (const std::size_t steps : {0, 1, 5, 119, 7200, 7801, 432000}) {
        char shown[kClockTextSize];
        char clock[kClockTextSize];
        format_steps_time(steps, shown);
        format_clock(static_cast<long>(steps), clock);
        EXPECT_STREQ(shown, clock) << steps << ": --verify and the game's clock differ";
    }
}
