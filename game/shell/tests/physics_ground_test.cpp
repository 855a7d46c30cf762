// Standing, walking, crouching and dropping through a platform.
#include "physics_fixture.h"

#include <vector>

namespace {

std::vector<float> frames_over(int steps) {
    std::vector<float> frames;
    for (int i = 0; i < steps; ++i) {
        physics();
        frames.push_back(ludz.frame);
    }
    return frames;
}

}  // namespace

TEST_F(Physics, StandingStillHoldsFrame483InPlace) {
    step(3);
    EXPECT_EQ(ludz.frame, 483.0f);
    EXPECT_EQ(ludz.pos[0], kStandX);
    EXPECT_EQ(ludz.pos[1], kStandY);
    EXPECT_EQ(ludz.pos[2], 5.0f);  // probe over U's top: level 0
    EXPECT_EQ(jump, 0);
    EXPECT_EQ(fall, 0);
    EXPECT_EQ(down, 0);
    EXPECT_EQ(direction, 0);
    EXPECT_EQ(ludz.fallspeed, 0.0f);

    hold({KEY_UP});
    step(2);
    EXPECT_EQ(ludz.frame, 488.0f);
    EXPECT_EQ(ludz.pos[1], kStandY);
}

TEST_F(Physics, WalkingRightRunsFrames363To481ThenWraps) {
    hold({KEY_RIGHT});
    ludz.rot[1] = 0.0f;
    std::vector<float> frames = frames_over(120);
    for (int k = 0; k < 119; ++k) {
        ASSERT_EQ(frames[k], 363.0f + k) << "step " << k + 1;
    }
    EXPECT_EQ(frames[119], 363.0f);
    EXPECT_FLOAT_EQ(ludz.pos[0], kStandX + 30.0f);  // 0.25 per step
    EXPECT_EQ(ludz.pos[1], kStandY);
    EXPECT_EQ(ludz.rot[1], kPi);
    EXPECT_EQ(direction, 1);

    release_all();
    step();
    EXPECT_EQ(direction, 0);
    EXPECT_EQ(ludz.frame, 483.0f);
    EXPECT_FLOAT_EQ(ludz.pos[0], kStandX + 30.0f);
}

TEST_F(Physics, WalkingLeftFacesLeftAndMovesLeft) {
    hold({KEY_LEFT});
    step(4);
    EXPECT_EQ(ludz.pos[0], kStandX - 1.0f);
    EXPECT_EQ(ludz.rot[1], 0.0f);
    EXPECT_EQ(direction, -1);
    EXPECT_EQ(ludz.frame, 366.0f);
}

TEST_F(Physics, WalkingCyclesForZUpAndDown) {
    struct Case {
        int modifier;
        float first, last;
    };
    for (Case c : {Case{KEY_Z, 3, 121}, Case{KEY_UP, 123, 241}, Case{KEY_DOWN, 243, 361}}) {
        SetUp();
        hold({KEY_RIGHT, c.modifier});
        std::vector<float> frames = frames_over(120);
        EXPECT_EQ(frames.front(), c.first) << "key " << c.modifier;
        EXPECT_EQ(frames[118], c.last) << "key " << c.modifier;
        EXPECT_EQ(frames[119], c.first) << "key " << c.modifier;
        EXPECT_EQ(ludz.pos[1], kStandY) << "walking with a modifier stays upright";
        EXPECT_EQ(down, 0);
    }
}

TEST_F(Physics, WalkingWithUpAndDownEndsEveryStepOn243) {
    hold({KEY_RIGHT, KEY_UP, KEY_DOWN});
    for (float f : frames_over(5)) {
        EXPECT_EQ(f, 243.0f);
    }
}

TEST_F(Physics, BothWalkingKeysOnGroundFaceLeftWithoutMoving) {
    hold({KEY_LEFT, KEY_RIGHT});
    step(3);
    EXPECT_EQ(ludz.pos[0], kStandX);
    EXPECT_EQ(ludz.rot[1], 0.0f);
    EXPECT_EQ(direction, 1);
    EXPECT_EQ(ludz.frame, 365.0f);
}

TEST_F(Physics, CrouchLowersTenUnitsAndReleaseRaisesBack) {
    hold({KEY_DOWN});
    step();
    EXPECT_EQ(down, 1);
    EXPECT_EQ(ludz.pos[1], kStandY - 10.0f);
    EXPECT_EQ(ludz.frame, 498.0f);
    step(3);
    EXPECT_EQ(ludz.pos[1], kStandY - 10.0f) << "held crouch lowers only once";
    EXPECT_EQ(ludz.pos[0], kStandX) << "crouch without a walking key does not drift";
    EXPECT_EQ(ludz.pos[2], 5.0f);  // crouched probe at the origin: level 0

    release_all();
    step();
    EXPECT_EQ(down, 0);
    EXPECT_EQ(ludz.pos[1], kStandY);
    EXPECT_EQ(ludz.frame, 483.0f);

    hold({KEY_UP, KEY_DOWN});
    step();
    EXPECT_EQ(down, 1);
    EXPECT_EQ(ludz.frame, 498.0f);
}

TEST_F(Physics, WalkingKeyWhileCrouchedStandsUpAndWalks) {
    hold({KEY_DOWN});
    step();
    release_all();
    hold({KEY_RIGHT});
    step();
    EXPECT_EQ(down, 0);
    EXPECT_EQ(ludz.pos[1], kStandY);
    EXPECT_EQ(ludz.pos[0], kStandX + 0.25f);  // the crouched drift of this step
    EXPECT_EQ(direction, 1);
    EXPECT_EQ(ludz.frame, 363.0f);
}

TEST_F(Physics, DownAndXDropThroughOntoLowerPlatform) {
    ludz.pos[0] = kOverLowerX;
    hold({KEY_DOWN, KEY_X});
    step();
    EXPECT_EQ(jump, 0) << "KEY_DOWN blocks the jump";
    EXPECT_EQ(fall, 1);
    EXPECT_EQ(down, 0);
    EXPECT_EQ(ludz.pos[1], kStandY - 10.0f);
    EXPECT_EQ(ludz.frame, 421.0f);
    EXPECT_EQ(ludz.pos[2], 15.0f);  // probe now inside U's rock, level 1

    release_all();
    step();
    EXPECT_EQ(fall, 1);
    EXPECT_EQ(ludz.frame, 401.0f);
    EXPECT_FLOAT_EQ(ludz.fallspeed, 0.02f);

    int steps = 0;
    while (fall == 1 && steps < 200) {
        step();
        ++steps;
        if (fall == 1) {
            EXPECT_EQ(ludz.frame, 401.0f);
        }
    }
    ASSERT_EQ(fall, 0) << "never landed on L";
    EXPECT_EQ(ludz.fallspeed, 0.0f);
    EXPECT_EQ(ludz.frame, 483.0f);
    EXPECT_LT(ludz.pos[1], -85.0f);  // probe point below L's top at -100
    EXPECT_GT(ludz.pos[1], -85.0f - 1.2f);
    EXPECT_EQ(ludz.pos[0], kOverLowerX);
    EXPECT_EQ(ludz.pos[2], 15.0f);  // probe just above L, in U's rock
}

TEST_F(Physics, DropThroughWhileWalkingShowsFrame422) {
    ludz.pos[0] = kOverLowerX;
    hold({KEY_RIGHT, KEY_DOWN, KEY_X});
    step();
    EXPECT_EQ(ludz.frame, 422.0f);
    EXPECT_EQ(fall, 1);
    EXPECT_EQ(down, 0);
    EXPECT_EQ(jump, 0);
    EXPECT_EQ(ludz.pos[1], kStandY - 10.0f);
    EXPECT_EQ(ludz.pos[0], kOverLowerX + 0.25f);
}

TEST_F(Physics, DropFromCrouchKeepsTheCrouchDepthOnly) {
    ludz.pos[0] = kOverLowerX;
    hold({KEY_DOWN});
    step();
    hold({KEY_X});
    step();
    EXPECT_EQ(ludz.pos[1], kStandY - 10.0f);
    EXPECT_EQ(fall, 1);
    EXPECT_EQ(down, 0);
    EXPECT_EQ(ludz.frame, 421.0f);
}

TEST_F(Physics, WalkingOffAnEdgeFallsForeverAtTheLimit) {
    ludz.pos[0] = 21.0f;  // U begins at x = 20, exclusive
    hold({KEY_LEFT});
    step(3);
    EXPECT_EQ(fall, 0);
    step();
    EXPECT_EQ(ludz.pos[0], 20.0f);
    EXPECT_EQ(fall, 1);
    EXPECT_EQ(ludz.frame, 401.0f);
    EXPECT_FLOAT_EQ(ludz.pos[1], kStandY - 0.02f);

    release_all();
    step(99);
    EXPECT_EQ(ludz.pos[0], 20.0f - 99 * 0.25f) << "drift keeps the walking direction";
    EXPECT_EQ(ludz.fallspeed, 1.2f);
    const float y = ludz.pos[1];
    step();
    EXPECT_FLOAT_EQ(ludz.pos[1], y - 1.2f);
    EXPECT_EQ(ludz.pos[2], -5.0f);  // left of the grid
    EXPECT_EQ(fall, 1);
}

TEST_F(Physics, DepthFollowsTheExtrusionUnderTheProbe) {
    extrusion[24][8] = 4;   // U's level, read at its top-left corner
    extrusion[23][24] = 3;  // under a standing player's probe, still below U's level
    step();
    EXPECT_EQ(fall, 0);
    EXPECT_EQ(ludz.pos[2], 35.0f);

    ludz.pos[0] = -10.0f;  // off the grid
    ludz.pos[1] = 0.0f;
    step();
    EXPECT_EQ(ludz.pos[2], -5.0f);
}
