// The player on the generated stage: the opening drop, walks over both
// bridges and their joints, Down + X on a bridge, and a fall below the grid.
// generate_wall expects zeroed arrays, so this runs in its own process.
#include <allegro.h>
#include <gtest/gtest.h>

#include "level/level.h"
#include "shell/physics.h"
#include "model/model.h"
#include "state/state.h"
#include "shell/shell.h"

namespace {

constexpr float kRow8Top = -80.0f;    // platform (8, 1, 23), the bridges and the ledges between
constexpr float kProbeBelow = 15.0f;  // Grounded tests 15 units under the origin
// Bridge pieces 24..27 span x 480..560 and 33..36 span 660..740; walking from
// x = 60 at 0.25 a step lands exactly on each of their 10 joints.
constexpr float kFirstBridge = 480.0f, kFirstBridgeEnd = 560.0f;

class Stage : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        loaded_ = ludz.Read(VELLIN_PHYSICS_DATA "/physics_player.txt");
        generate_wall();
        generate_bridges();
    }

    // Every test starts from the opening drop, standing on row 8 at x = 60.
    void SetUp() override {
        ASSERT_EQ(loaded_, 1) << "test player model not read";
        release_all();
        fall = down = direction = 0;
        place_player_at_start();
        int steps = 0;
        while (jump != 0 && steps < 300) {
            physics();
            ++steps;
        }
        ASSERT_EQ(jump, 0);
        landed_ = ludz.pos[1];
    }
    void TearDown() override { release_all(); }

    static void release_all() {
        for (int k = 0; k < KEY_MAX; ++k) {
            key[k] = 0;
        }
    }
    // Walks with `walking_key` until x reaches `x`, checking after each step
    // that the player still stands at the landing height.
    void walk_to(int walking_key, float x) {
        key[walking_key] = 1;
        for (int i = 0; i < 10000 && ludz.pos[0] != x; ++i) {
            physics();
            ASSERT_EQ(fall, 0) << "x " << ludz.pos[0];
            ASSERT_EQ(ludz.pos[1], landed_) << "x " << ludz.pos[0];
        }
        key[walking_key] = 0;
        ASSERT_EQ(ludz.pos[0], x);
    }

    static int loaded_;
    float landed_ = 0.0f;
};
int Stage::loaded_ = 0;

}  // namespace

TEST_F(Stage, OpeningDropLandsOnRow8) {
    EXPECT_LT(landed_ - kProbeBelow, kRow8Top);
    EXPECT_GT(landed_ - kProbeBelow, kRow8Top - 1.2f);
    EXPECT_EQ(ludz.pos[0], 60.0f);
    EXPECT_EQ(ludz.pos[2], 5.0f);  // nothing stands out above row 8 here
    EXPECT_EQ(ludz.frame, 502.0f);
}

// Every step over both bridges and their joints: never falling, never
// dipping, and the walk cycle advancing by one frame a step.
TEST_F(Stage, WalkOverBothBridgesNeverStumbles) {
    key[KEY_RIGHT] = 1;
    float expected = 363.0f;  // the first step leaves the jump for the walk
    while (ludz.pos[0] < 850.0f) {
        physics();
        SCOPED_TRACE(ludz.pos[0]);
        ASSERT_EQ(fall, 0);
        ASSERT_EQ(ludz.pos[1], landed_);
        ASSERT_EQ(ludz.frame, expected);
        expected = expected == 481.0f ? 363.0f : expected + 1.0f;
    }
    EXPECT_EQ(ludz.pos[0], 850.0f);
    EXPECT_EQ(jump, 0);
    EXPECT_EQ(direction, 1);
}

// Twelve walks there and back over both bridges leave the height unchanged.
TEST_F(Stage, BackAndForthOverTheBridgesKeepsTheHeight) {
    walk_to(KEY_RIGHT, 440.0f);
    for (int i = 0; i < 12; ++i) {
        SCOPED_TRACE(i);
        walk_to(KEY_RIGHT, 800.0f);
        walk_to(KEY_LEFT, 440.0f);
    }
    EXPECT_EQ(ludz.pos[1], landed_);
}

// A deck is not a ledge to drop through: Down + X there only crouches, as
// Down alone does, walking or standing, mid-deck or on a joint.
TEST_F(Stage, DownAndXOnABridgeOnlyCrouches) {
    walk_to(KEY_RIGHT, kFirstBridge);
    key[KEY_DOWN] = key[KEY_X] = 1;
    walk_to(KEY_RIGHT, kFirstBridgeEnd);
    EXPECT_GE(ludz.frame, 243.0f) << "the crouched walk";
    EXPECT_LE(ludz.frame, 361.0f);

    for (int i = 0; i < 30; ++i) {
        physics();
        ASSERT_EQ(fall, 0);
        ASSERT_EQ(down, 1);
        ASSERT_EQ(ludz.pos[1], landed_ - 10.0f);
    }
    EXPECT_EQ(ludz.frame, 498.0f);
    release_all();
    physics();
    EXPECT_EQ(ludz.pos[1], landed_);
    EXPECT_EQ(down, 0);
}

// Below the grid no ledge holds: a player who got there falls on until Y.
TEST_F(Stage, BelowTheGridUnderALedgeFallsOn) {
    ludz.pos[0] = 300.0f;  // under platform (8, 1, 23)
    ludz.pos[1] = -190.0f;
    for (int i = 0; i < 100; ++i) {
        const float y = ludz.pos[1];
        physics();
        ASSERT_EQ(fall, 1) << "step " << i;
        ASSERT_LT(ludz.pos[1], y);
    }
    EXPECT_EQ(ludz.fallspeed, 1.2f);
    EXPECT_EQ(ludz.pos[2], -5.0f);  // off the grid
}

// Back to the start from below the grid: the opening drop again, to the same
// place on row 8.
TEST_F(Stage, BackToTheStartAfterAFallLandsWhereTheGameStarts) {
    ludz.pos[0] = 300.0f;
    ludz.pos[1] = -190.0f;
    for (int i = 0; i < 50; ++i) {
        physics();
    }
    physics(StepInput{kStepRestart, 0, 0});
    EXPECT_EQ(jump, 1) << "falling";
    EXPECT_GT(ludz.pos[1], landed_);
    int steps = 0;
    while (jump != 0 && steps < 300) {
        physics();
        ++steps;
    }
    EXPECT_EQ(ludz.pos[0], 60.0f);
    EXPECT_EQ(ludz.pos[1], landed_);
    EXPECT_EQ(fall, 0);
}
