#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "level/level.h"
#include "temp_dir.h"
#include "trial/trial.h"

namespace {

TEST(TrialClock, ShowsWholeStepsAsMinutesSecondsAndMilliseconds) {
    const struct {
        long steps;
        const char* clock;
        const char* difference;
    } rows[] = {
        {0, "0:00.000", "+0.000"},
        {1, "0:00.008", "+0.008"},  // 8 1/3 ms, cut toward zero
        {3, "0:00.025", "+0.025"},
        {120, "0:01.000", "+1.000"},
        {-120, "0:00.000", "-1.000"},
        {7680, "1:04.000", "+1:04.000"},
        {7199, "0:59.991", "+59.991"},
        {720000, "100:00.000", "+100:00.000"},
        // Past where steps * 1000 would overflow a long (a count read from a file).
        {9223372036854776, "1281023894007:36.466", "+1281023894007:36.466"},
    };
    for (const auto& row : rows) {
        char text[kClockTextSize];
        format_clock(row.steps, text);
        EXPECT_STREQ(text, row.clock) << row.steps;
        format_difference(row.steps, text);
        EXPECT_STREQ(text, row.difference) << row.steps;
    }
}

// A run fed positions as the physics would: x and y after each step.
struct Feed {
    float x, y;
    int steps;  // this many steps at (x, y)
};

TrialRun run_through(std::initializer_list<Feed> feeds, const TrialTimes* best = nullptr,
                     int* restarts = nullptr) {
    TrialRun run;
    trial_begin(&run);
    for (const Feed& f : feeds) {
        for (int i = 0; i < f.steps; ++i) {
            if (trial_step(&run, best, f.x, f.y) && restarts != nullptr)
                ++*restarts;
        }
    }
    return run;
}

TEST(TrialRun, FinishesAtTheLastColumnOnlyWithinTheLayer) {
    const struct {
        const char* what;
        float x, y;
        bool finished;
    } rows[] = {
        {"last column's left edge", 1980.0f, -65.0f, true},
        {"short of it", 1979.99f, -65.0f, false},
        {"on the bottom edge of the layer", 1990.0f, -160.0f, true},
        {"just under it", 1990.0f, -160.01f, false},
        {"far below, drifting right", 2400.0f, -1500.0f, false},
        {"above the top row", 1985.0f, 20.0f, true},
    };
    for (const auto& row : rows) {
        const TrialRun run = run_through({{100, -65, 10}, {row.x, row.y, 1}, {row.x, row.y, 5}});
        EXPECT_EQ(run.finished, row.finished) << row.what;
        // The clock stops at the step that finished.
        EXPECT_EQ(run.times.finish, row.finished ? 11 : -1) << row.what;
        EXPECT_EQ(run.steps, row.finished ? 11 : 16) << row.what;
        EXPECT_EQ(at_finish(row.x, row.y), row.finished) << row.what;
    }
}

TEST(TrialRun, SplitsCompareWithTheBestAndTheFinishShowsTheDifference) {
    const TrialTimes best{{50, 100, 150}, 200};
    // Column 25 at step 40 (10 ahead), column 50 at 110 (10 behind), 75 and
    // the finish at once at step 111.
    TrialRun run = run_through({{400, -65, 39}, {500, -65, 1}}, &best);
    EXPECT_EQ(run.note, TrialNote::kSplit);
    EXPECT_TRUE(run.has_difference);
    EXPECT_EQ(run.difference, -10);
    for (int i = 0; i < 69; ++i)
        trial_step(&run, &best, 999.0f, -65.0f);
    trial_step(&run, &best, 1000.0f, -65.0f);
    EXPECT_EQ(run.difference, 10);
    EXPECT_EQ(run.times.splits[1], 110);
    trial_step(&run, &best, 1985.0f, -65.0f);
    EXPECT_EQ(run.times.splits[2], 111);
    EXPECT_EQ(run.note, TrialNote::kFinished);
    EXPECT_EQ(run.difference, 111 - 200);
    // The split shows for two seconds; the banner stays.
    TrialRun split = run_through({{500, -65, 1}, {600, -65, kNoteSteps - 1}}, &best);
    EXPECT_EQ(split.note, TrialNote::kSplit);
    trial_step(&split, &best, 600.0f, -65.0f);
    EXPECT_EQ(split.note, TrialNote::kNone);
    for (int i = 0; i < 3 * kNoteSteps; ++i)
        trial_step(&run, &best, 1985.0f, -65.0f);
    EXPECT_EQ(run.note, TrialNote::kFinished);
    EXPECT_EQ(run.steps, 111);
    // Without a best there is nothing to compare with.
    const TrialRun first = run_through({{1985, -65, 1}});
    EXPECT_TRUE(first.finished);
    EXPECT_FALSE(first.has_difference);
}

TEST(TrialRun, TwoSecondsUnderTheLayerStartTheRunAgain) {
    int restarts = 0;
    // Under, back up (a fall caught by nothing never comes back, but the
    // count must be of steps in a row), then under for good.
    TrialRun run = run_through(
        {{100, -65, 30}, {120, -170, kFallRestartSteps - 1}, {130, -65, 1}, {140, -170, 1}},
        nullptr, &restarts);
    EXPECT_EQ(restarts, 0);
    EXPECT_EQ(run.steps, 30 + kFallRestartSteps + 1);
    for (long i = 2; i < kFallRestartSteps; ++i)
        ASSERT_FALSE(trial_step(&run, nullptr, 150.0f, -500.0f));
    EXPECT_TRUE(trial_step(&run, nullptr, 150.0f, -500.0f));
    EXPECT_EQ(run.steps, 0);
    EXPECT_EQ(run.note, TrialNote::kFellOff);
    // Below the layer no split is passed.
    const TrialRun under = run_through({{1200, -170, 10}});
    EXPECT_EQ(under.splits_passed, 0);
}

TEST(TrialBest, OnlyAFasterRunThatReplaysToItsFinishReplaces) {
    const struct {
        const char* what;
        long run, replayed, best;
        bool replaces;
    } rows[] = {
        {"first finish", 900, 900, -1, true},
        {"faster", 800, 800, 900, true},
        {"as fast", 900, 900, 900, false},
        {"slower", 1000, 1000, 900, false},
        {"replay finished elsewhere", 800, 801, 900, false},
        {"replay did not finish", 800, -1, 900, false},
        {"no finish", -1, -1, -1, false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(replaces_best(row.run, row.replayed, row.best), row.replaces) << row.what;
}

class Records : public ::testing::Test {
  protected:
    TempDir dir{"vellin-records"};
    ScopedEnv data_home{"XDG_DATA_HOME", dir.path().c_str()};
    std::string path(const char* stage, std::uint32_t hash) {
        char out[4096];
        EXPECT_TRUE(record_path(stage, hash, out, sizeof out));
        return out;
    }
    static std::string slurp(const std::string& p) {
        std::ifstream in(p, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
};

TEST_F(Records, NameCarriesTheStageAndItsHash) {
    const std::string records = dir.path().string() + "/vellin/records/";
    EXPECT_EQ(path("", 0x1234abcd), records + "jungle-1234abcd.demo");
    EXPECT_EQ(path("steps", 7), records + "steps-00000007.demo");
    EXPECT_EQ(path("../a b/é", 0xffffffff), records + ".._a_b___-ffffffff.demo");
}

TEST_F(Records, DamagedBestIsSetAsideNeverDeleted) {
    const std::string p = path("steps", 1);
    Demo demo;
    EXPECT_EQ(read_record(p.c_str(), 0, &demo, stderr), RecordRead::kNone);

    Demo good;
    good.seed = 5;
    std::snprintf(good.stage, sizeof good.stage, "steps");
    good.has_codes = true;
    good.codes[8][1] = kTileLedge;
    const std::uint32_t hash = stage_hash(good.codes);  // what the file carries
    good.frame_steps = {2};
    good.steps = {{kStepRight, 0, 0}, {kStepRight, 0, 0}};
    const std::vector<unsigned char> bytes = encode_demo(good);
    ASSERT_TRUE(write_record(p.c_str(), bytes.data(), bytes.size(), stderr));
    ASSERT_EQ(read_record(p.c_str(), hash, &demo, stderr), RecordRead::kRead);
    EXPECT_EQ(demo.steps.size(), 2u);

    // A whole demo of another stage is no best of this one.
    EXPECT_EQ(read_record(p.c_str(), hash + 1, &demo, stderr), RecordRead::kSetAside);
    EXPECT_TRUE(demo.steps.empty());
    // Two damaged files in turn: neither takes another's place.
    for (int i = 0; i < 2; ++i) {
        std::ofstream(p, std::ios::binary) << "VELLDEMO" << i;
        EXPECT_EQ(read_record(p.c_str(), hash, &demo, stderr), RecordRead::kSetAside);
        EXPECT_TRUE(demo.steps.empty());
    }
    EXPECT_FALSE(std::filesystem::exists(p));
    EXPECT_EQ(slurp(p + ".bad"), std::string(bytes.begin(), bytes.end()));
    EXPECT_EQ(slurp(p + ".bad.1"), "VELLDEMO0");
    EXPECT_EQ(slurp(p + ".bad.2"), "VELLDEMO1");
}

TEST_F(Records, AFailedWriteKeepsTheOldBest) {
    const std::string p = path("steps", 1);
    ASSERT_TRUE(write_record(p.c_str(), "old", 3, stderr));
    // A writer that died holding the lock: the next one gives up, and the
    // old best stays whole.
    std::ofstream(p + ".lock") << "half of a new one";
    EXPECT_FALSE(write_record(p.c_str(), "new", 3, stderr));
    EXPECT_EQ(slurp(p), "old");
    std::filesystem::remove(p + ".lock");
    // A records folder that cannot be written (a file in its place, which
    // stops root too).
    const std::string folder = dir.path().string() + "/vellin/records";
    std::filesystem::rename(folder, folder + ".moved");
    std::ofstream(folder) << "not a folder";
    EXPECT_FALSE(write_record(p.c_str(), "new", 3, stderr));
    std::filesystem::remove(folder);
    std::filesystem::rename(folder + ".moved", folder);
    EXPECT_EQ(slurp(p), "old");
    EXPECT_TRUE(write_record(p.c_str(), "new", 3, stderr));
    EXPECT_EQ(slurp(p), "new");
}

}  // namespace
