// Jumping, the opening drop, landing and the drift rules in the air.
#include "physics_fixture.h"

TEST_F(Physics, JumpFromLevelGroundRisesAbout35AndLandsAfter120Steps) {
    hold({KEY_X});
    step();
    release_all();
    EXPECT_EQ(jump, 2);
    EXPECT_EQ(ludz.frame, 502.0f) << "support while rising does not end the jump";
    EXPECT_FLOAT_EQ(ludz.pos[1], kStandY + 1.18f);

    float top = ludz.pos[1];
    int top_step = 1;
    int steps = 1;
    while (jump != 0 && steps < 300) {
        step();
        ++steps;
        if (ludz.pos[1] > top) {
            top = ludz.pos[1];
            top_step = steps;
        }
        if (steps <= 50) {
            ASSERT_EQ(ludz.frame, 500.0f + 2 * steps) << "step " << steps;
        } else if (steps == 51) {
            EXPECT_EQ(ludz.frame, 502.0f) << "cycle steps back after 600";
        }
    }
    EXPECT_NEAR(top - kStandY, 35.4f, 0.01f);
    EXPECT_GE(top_step, 59);
    EXPECT_LE(top_step, 61);
    EXPECT_EQ(steps, 120);
    EXPECT_NEAR(ludz.pos[1], kStandY, 0.01f) << "lands where it is, no snapping";
    EXPECT_EQ(ludz.fallspeed, 0.0f);
    EXPECT_EQ(ludz.frame, 502.0f) << "landing step";
    EXPECT_EQ(ludz.pos[0], kStandX) << "a standing jump does not drift";
    EXPECT_EQ(direction, 0);

    step();
    EXPECT_EQ(ludz.frame, 483.0f);
    EXPECT_EQ(jump, 0);
    EXPECT_EQ(fall, 0);
}

TEST_F(Physics, WalkingJumpKeepsDriftingThirtyUnits) {
    hold({KEY_RIGHT, KEY_X});
    step();
    release_all();
    int steps = 1;
    while (jump != 0 && steps < 300) {
        step();
        ++steps;
    }
    EXPECT_EQ(steps, 120);
    EXPECT_FLOAT_EQ(ludz.pos[0], kStandX + 30.0f);
    EXPECT_EQ(direction, 1);
    EXPECT_EQ(ludz.rot[1], kPi);
}

TEST_F(Physics, StandingJumpDriftsOnlyOnceAKeyIsPressed) {
    hold({KEY_X});
    step();
    release_all();
    step(10);
    EXPECT_EQ(ludz.pos[0], kStandX);

    hold({KEY_LEFT});
    step();
    EXPECT_EQ(ludz.pos[0], kStandX - 0.25f);
    EXPECT_EQ(direction, -1);
    EXPECT_EQ(ludz.rot[1], 0.0f);

    release_all();
    step(2);
    EXPECT_EQ(ludz.pos[0], kStandX - 0.75f) << "drift cannot be stopped in the air";

    hold({KEY_RIGHT});
    step();
    EXPECT_EQ(ludz.pos[0], kStandX - 0.5f) << "drift can be turned around";
    EXPECT_EQ(direction, 1);
    EXPECT_EQ(ludz.rot[1], kPi);

    hold({KEY_LEFT});
    step();
    EXPECT_EQ(ludz.pos[0], kStandX - 0.75f) << "left wins over right in the air";
    EXPECT_EQ(direction, -1);
    EXPECT_EQ(ludz.rot[1], 0.0f);
}

TEST_F(Physics, OpeningDropLandsOn502Then483) {
    ludz.pos[1] = 0.0f;
    ludz.fallspeed = 0.1f;
    jump = 1;
    step();
    EXPECT_EQ(ludz.frame, 502.0f);
    EXPECT_FLOAT_EQ(ludz.pos[1], -0.12f);

    int steps = 1;
    while (jump != 0 && steps < 300) {
        step();
        ++steps;
    }
    ASSERT_EQ(jump, 0);
    EXPECT_EQ(ludz.frame, 502.0f);
    EXPECT_EQ(ludz.fallspeed, 0.0f);
    EXPECT_LT(ludz.pos[1], -45.0f);  // probe point under U's top
    EXPECT_GT(ludz.pos[1], -45.0f - 1.2f);

    step();
    EXPECT_EQ(ludz.frame, 483.0f);

    hold({KEY_RIGHT});
    step();
    EXPECT_EQ(ludz.frame, 363.0f);
}

TEST_F(Physics, JumpNeedsStandingUpFromACrouchFirst) {
    hold({KEY_DOWN});
    step();
    release_all();
    hold({KEY_X});
    step();
    EXPECT_EQ(jump, 0);
    EXPECT_EQ(down, 0);
    EXPECT_EQ(ludz.pos[1], kStandY);
    step();
    EXPECT_EQ(jump, 2);
    EXPECT_FLOAT_EQ(ludz.fallspeed, -1.18f);
}

TEST_F(Physics, NoJumpWhileFalling) {
    ludz.pos[0] = 10.0f;  // left of U: nothing below
    step();
    ASSERT_EQ(fall, 1);
    hold({KEY_X});
    step();
    EXPECT_EQ(jump, 0);
    EXPECT_EQ(ludz.frame, 401.0f);
    EXPECT_FLOAT_EQ(ludz.fallspeed, 0.04f);
}
