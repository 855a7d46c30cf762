// Keys and pad states to a step's input, the dead zone and rebinding.
#include <allegro.h>
#include <gtest/gtest.h>

#include <initializer_list>

#include "input/input.h"

namespace {

struct Keys {
    char down[KEY_MAX] = {};
    explicit Keys(std::initializer_list<int> held) {
        for (int k : held) {
            down[k] = 1;
        }
    }
};

PadState idle_pad() {
    PadState p{};
    p.present = 1;
    return p;
}

class StepInputTest : public ::testing::Test {
  protected:
    void SetUp() override { reset_input_settings(); }
    void TearDown() override { reset_input_settings(); }
};

}  // namespace

TEST_F(StepInputTest, TodaysKeysGiveTodaysBits) {
    const struct {
        int key;
        std::uint16_t bits;
    } kCases[] = {
        {KEY_LEFT, kStepLeft},
        {KEY_RIGHT, kStepRight},
        {KEY_UP, kStepUp},
        {KEY_DOWN, kStepDown},
        {KEY_X, kStepJump},
        {KEY_Z, kStepAim},
        {KEY_U, kStepCamera},
        {KEY_Y, kStepReset},
        {KEY_W, kStepForward},
        {KEY_S, kStepBack},
        {KEY_A, kStepStrafeLeft},
        {KEY_D, kStepStrafeRight},
        {KEY_P, 0},
        {KEY_SPACE, 0},
    };
    for (const auto& c : kCases) {
        EXPECT_EQ(step_input(Keys{c.key}.down, PadState{}, 0, 0).keys, c.bits) << key_name(c.key);
    }
    const Keys both{KEY_LEFT, KEY_RIGHT, KEY_DOWN, KEY_X};
    EXPECT_EQ(keyboard_step_keys(both.down), kStepLeft | kStepRight | kStepDown | kStepJump);
}

TEST_F(StepInputTest, PauseAndScreenshotAreHeldButNeverInAStep) {
    PadState start = idle_pad();
    start.buttons = 1u << 7;
    EXPECT_TRUE(action_held(kActPause, Keys{}.down, start));
    EXPECT_EQ(step_input(Keys{}.down, start, 0, 0).keys, 0);
    EXPECT_TRUE(action_held(kActPause, Keys{KEY_P}.down, PadState{}));
    EXPECT_TRUE(action_held(kActScreenshot, Keys{KEY_F12}.down, PadState{}));
    EXPECT_FALSE(action_held(kActScreenshot, Keys{KEY_P}.down, start));
}

TEST_F(StepInputTest, DeadZoneAndResting) {
    const struct {
        int pos, rest, dead_zone, want;
    } kCases[] = {
        {32, 0, 25, 0},
        {33, 0, 25, 1},
        {-33, 0, 25, -1},
        {1, 0, 0, 1},
        {0, 0, 0, 0},
        // A trigger rests at one end and never steers; a rest inside the dead zone
        // counts as centred.
        {128, -128, 25, 0},
        {-128, 128, 25, 0},
        {60, 30, 25, 1},
    };
    for (const auto& c : kCases) {
        EXPECT_EQ(axis_direction(c.pos, c.rest, c.dead_zone), c.want)
            << c.pos << " rest " << c.rest << " zone " << c.dead_zone;
    }
}

TEST_F(StepInputTest, PadStatesGiveTheStepKeysOfTheKeyboard) {
    const PadLayout& l = pad_layout;
    const struct {
        int stick, axis, pos;
        std::uint32_t buttons;
        std::uint16_t bits;
    } kCases[] = {
        {l.move_stick, l.move_x, -100, 0, kStepLeft},
        {l.move_stick, l.move_x, 100, 0, kStepRight},
        {l.move_stick, l.move_x, 20, 0, 0},
        {l.move_stick, l.move_y, -100, 0, kStepUp},
        {l.move_stick, l.move_y, 100, 1u << 0, kStepDown | kStepJump},  // drop through
        {l.dpad_stick, l.dpad_x, -128, 0, kStepLeft},
        {l.dpad_stick, l.dpad_y, 128, 0, kStepDown},
        {1, 0, -128, 0, 0},  // a trigger's stick steers nothing
        {0, 2, -128, 0, 0},
        {0, 0, 0, 1u << 1, kStepAim},
        {0, 0, 0, 1u << 3, 0},
    };
    for (const auto& c : kCases) {
        PadState p = idle_pad();
        p.pos[c.stick][c.axis] = c.pos;
        p.buttons = c.buttons;
        EXPECT_EQ(pad_step_keys(p), c.bits) << c.stick << "/" << c.axis << " at " << c.pos;
        p.present = 0;
        EXPECT_EQ(pad_step_keys(p), 0);
    }
}

TEST_F(StepInputTest, StickAndDpadBothWaysHoldBothLikeTwoKeys) {
    PadState p = idle_pad();
    p.pos[pad_layout.move_stick][pad_layout.move_x] = -128;
    p.pos[pad_layout.dpad_stick][pad_layout.dpad_x] = 128;
    EXPECT_EQ(pad_step_keys(p), kStepLeft | kStepRight);
    // Keys and pad add up.
    EXPECT_EQ(step_input(Keys{KEY_X}.down, p, 0, 0).keys, kStepLeft | kStepRight | kStepJump);
}

TEST_F(StepInputTest, ReboundActionsFollowTheirNewKeysAndButtons) {
    bindings[kActJump] = Binding{2, {KEY_SPACE, KEY_ENTER}, 1, {3}};
    bindings[kActAim] = Binding{0, {}, 0, {}};
    pad_layout.move_stick = 3;
    PadState p = idle_pad();
    p.buttons = 1u << 3;
    EXPECT_EQ(step_input(Keys{KEY_ENTER}.down, p, 0, 0).keys, kStepJump);
    EXPECT_EQ(step_input(Keys{KEY_X, KEY_Z}.down, idle_pad(), 0, 0).keys, 0);
    p.buttons = 1u << 2;
    p.pos[3][0] = -128;
    EXPECT_EQ(pad_step_keys(p), kStepLeft);
}

TEST_F(StepInputTest, MouseValuesAreClampedToSixteenBits) {
    const StepInput in = step_input(Keys{}.down, PadState{}, 100000, -70000);
    EXPECT_EQ(in.mickey_x, 32767);
    EXPECT_EQ(in.mouse_y, -32768);
    EXPECT_EQ(step_input(Keys{}.down, PadState{}, -7, 300).mickey_x, -7);
}
