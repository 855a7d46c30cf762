// The follow camera, the free camera and the debug keys. Without install_mouse
// Allegro's get_mouse_mickeys reports no motion, so yaw is set directly.
#include "physics_fixture.h"
#include "shell/window.h"

#include <cmath>

namespace {

constexpr float kSpeed = 1.6f;
constexpr float kTol = 1e-4f;

// Allegro's sine table has 512 entries per turn: 1 degree rounds to one entry.
const double kTableStepSin = std::sin(2.0 * std::acos(-1.0) / 512.0);
const double kTableStepCos = std::cos(2.0 * std::acos(-1.0) / 512.0);

}  // namespace

// Seen through the camera (its one degree of roll aside) and the 4:3
// perspective, the player as each step began stays on the picture's middle
// column, a little above its middle row, however far he walks.
TEST_F(Physics, FollowCameraKeepsTheWalkingPlayerInTheMiddle) {
    hold({KEY_RIGHT});
    for (int s = 0; s < 400; ++s) {
        const float x = ludz.pos[0];
        step();
        const float ex = x + campos[0], ey = ludz.pos[1] + campos[1], ez = ludz.pos[2] + campos[2];
        ASSERT_LT(ez, -1.0f) << "behind the camera at step " << s;
        EXPECT_EQ(ex / -ez * 0.75f, 0.0f) << "step " << s;
        EXPECT_GT(ey / -ez, 0.0f) << "step " << s;
        EXPECT_LT(ey / -ez, 0.5f) << "step " << s;
    }
    EXPECT_GT(ludz.pos[0], kStandX + 90.0f) << "he did not walk";
}

TEST_F(Physics, HoldingUFlipsTheCameraEveryStep) {
    mouse_y = 300;
    hold({KEY_U});
    step();
    EXPECT_EQ(debcam, 1);
    EXPECT_EQ(camang[0], 0.0f) << "this step still used the follow camera";
    step();
    EXPECT_EQ(debcam, 0);
    EXPECT_EQ(camang[0], 210.0f) << "free camera: pitch is mouse_y - 90";
    EXPECT_EQ(campos[0], -kStandX) << "free camera starts from the follow camera";
    step();
    EXPECT_EQ(debcam, 1);
    EXPECT_EQ(camang[0], 0.0f);
    EXPECT_EQ(camang[2], 1.0f);
}

TEST_F(Physics, FreeCameraMovesAlongItsHeading) {
    debcam = 1;
    mouse_y = 90;  // pitch 0
    camang[2] = 7.0f;

    hold({KEY_W});
    step();
    EXPECT_NEAR(campos[2], kSpeed, kTol);
    EXPECT_NEAR(campos[0], 0.0f, kTol);
    EXPECT_NEAR(campos[1], 0.0f, kTol);
    EXPECT_EQ(camang[2], 7.0f);
    EXPECT_EQ(debcam, 1);
    EXPECT_EQ(ludz.pos[0], kStandX) << "camera keys do not move the player";

    release_all();
    hold({KEY_S});
    step();
    EXPECT_NEAR(campos[2], 0.0f, kTol);

    release_all();
    hold({KEY_D});
    step();
    EXPECT_NEAR(campos[0], -kSpeed, kTol);
    EXPECT_NEAR(campos[2], 0.0f, kTol);

    release_all();
    hold({KEY_A});
    step();
    EXPECT_NEAR(campos[0], 0.0f, kTol);

    release_all();
    camang[1] = 90.0f;
    hold({KEY_D});
    step();
    EXPECT_NEAR(campos[2], -kSpeed, kTol);
    EXPECT_NEAR(campos[0], 0.0f, kTol);

    release_all();
    camang[1] = 0.0f;
    campos[0] = campos[1] = campos[2] = 0.0f;
    mouse_y = 180;  // pitch 90: W climbs
    hold({KEY_W});
    step();
    EXPECT_NEAR(campos[1], kSpeed, kTol);
    EXPECT_NEAR(campos[2], 0.0f, kTol);
}

TEST_F(Physics, FreeCameraUsesAllegroSineTable) {
    debcam = 1;
    mouse_y = 90;
    camang[1] = 1.0f;
    hold({KEY_A});
    step();
    EXPECT_NEAR(campos[2], kTableStepSin * kSpeed, 1e-5);
    EXPECT_NEAR(campos[0], kTableStepCos * kSpeed, 1e-5);
}

TEST_F(Physics, FreeCameraYawBeyondAllegroAngleRangeStillTurns) {
    debcam = 1;
    mouse_y = 90;
    camang[1] = 360.0f * 200 + 90.0f;  // past the 32767-unit range of ftofix
    hold({KEY_D});
    step();
    EXPECT_NEAR(campos[2], -kSpeed, kTol);
    EXPECT_NEAR(campos[0], 0.0f, kTol);
}

TEST_F(Physics, KeyYPutsThePlayerBackAtHeightZero) {
    ludz.pos[0] = 10.0f;  // nothing below
    step(200);
    ASSERT_EQ(ludz.fallspeed, 1.2f);
    hold({KEY_Y});
    step();
    EXPECT_EQ(ludz.pos[1], -1.2f);
    step();
    EXPECT_EQ(ludz.pos[1], -1.2f) << "applies in every step it is held";

    SetUp();
    hold({KEY_Y});
    step();
    EXPECT_EQ(fall, 1) << "a standing player lifted to 0 starts falling";
    EXPECT_FLOAT_EQ(ludz.pos[1], -0.02f);
    EXPECT_EQ(ludz.frame, 401.0f);
}

TEST_F(Physics, FreeCameraPitchIsTheRowOfThe640By480Picture) {
    // Full screen on a 1920 by 1080 desktop: the picture is 1440 by 1080, so
    // the pointer row 300 is row 200 of the game's picture. On a 1280 by 1024
    // desktop it is 1280 by 960, 32 rows down: row 632 is row 300.
    line_scale = 1.5f;
    debcam = 1;
    mouse_y = 300;
    step();
    EXPECT_EQ(camang[0], 110.0f);
    line_scale = 2.0f;
    picture_top = 32;
    mouse_y = 632;
    step();
    line_scale = 1.0f;
    picture_top = 0;
    EXPECT_EQ(camang[0], 210.0f);
}
