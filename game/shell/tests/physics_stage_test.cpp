// The player on the generated stage: the opening drop and a walk over both
// bridges. generate_wall expects zeroed arrays, so this runs in its own process.
#include <allegro.h>
#include <gtest/gtest.h>

#include "level/level.h"
#include "shell/physics.h"
#include "model/model.h"
#include "state/state.h"
#include "shell/shell.h"

namespace {

constexpr float kRow8Top = -80.0f;     // platform (8, 1, 23) and the bridges of row 8
constexpr float kProbeBelow = 15.0f;   // Grounded tests 15 units under the origin
constexpr float kFirstSeamX = 480.0f;  // platform (8, 1, 23) meets the first bridge
constexpr float kLastSeamX = 740.0f;   // the last bridge meets platform (8, 37, 8)
// Unsupported cell edges: 480 to 560 (bridges 24..27) and 660 to 740 (bridges 33..36).
constexpr int kSeams = 10;
constexpr float kSeamDip = 0.02f;  // one step of gravity on each seam

}  // namespace

// Strict edges in Grounded leave no support at an exact cell edge, so each seam
// costs one step of falling; the player must still never leave the stage.
TEST(PhysicsStage, OpeningDropLandsOnRow8AndWalksOverBothBridges) {
    ASSERT_EQ(ludz.Read(VELLIN_PHYSICS_DATA "/physics_player.txt"), 1);
    generate_wall();
    generate_bridges();
    place_player_at_start();

    int steps = 0;
    while (jump != 0 && steps < 300) {
        physics();
        ++steps;
    }
    ASSERT_EQ(jump, 0);
    const float landed = ludz.pos[1];
    EXPECT_LT(landed - kProbeBelow, kRow8Top);
    EXPECT_GT(landed - kProbeBelow, kRow8Top - 1.2f);
    EXPECT_EQ(ludz.pos[2], 5.0f);  // nothing stands out above row 8 here
    EXPECT_EQ(ludz.frame, 502.0f);

    key[KEY_RIGHT] = 1;
    int falling_steps = 0;
    while (ludz.pos[0] < 850.0f && steps < 10000) {
        const float x = ludz.pos[0];
        physics();
        ++steps;
        if (fall) {
            ++falling_steps;
            EXPECT_GE(x + 0.25f, kFirstSeamX);
            EXPECT_LE(x + 0.25f, kLastSeamX);
        }
    }
    key[KEY_RIGHT] = 0;
    EXPECT_EQ(ludz.pos[0], 850.0f);
    EXPECT_EQ(falling_steps, kSeams);
    EXPECT_NEAR(ludz.pos[1], landed - kSeams * kSeamDip, 1e-3);
    EXPECT_EQ(fall, 0);
    EXPECT_EQ(jump, 0);
    EXPECT_EQ(direction, 1);
}
