// The press latch: a tap between two looks reaches the next step and frame, a
// held or auto-repeating key counts once; the usual names of pad buttons.
#include <allegro.h>
#include <gtest/gtest.h>

#include "input/input.h"

TEST(LatchTest, TapsReachOneStepAndOneFrameAndHeldKeysCountOnce) {
    reset_input_settings();
    take_step_presses();
    poll_presses();
    latch_key(KEY_X);
    latch_key(KEY_X | 0x80);     // up again before the step
    latch_pad_buttons(1u << 1);  // down at one poll, up at the next
    latch_pad_buttons(0);
    latch_key(KEY_P);
    latch_key(KEY_P | 0x80);  // no step action
    EXPECT_EQ(take_step_presses(), kStepJump | kStepAim);
    EXPECT_EQ(take_step_presses(), 0);
    latch_key(KEY_LEFT);
    latch_key(KEY_LEFT);  // the keyboard's auto-repeat
    EXPECT_EQ(take_step_presses(), kStepLeft);
    latch_key(KEY_LEFT);
    EXPECT_EQ(take_step_presses(), 0);
    latch_key(KEY_LEFT | 0x80);

    latch_key(KEY_ESC);
    latch_key(KEY_ESC | 0x80);
    poll_presses();
    EXPECT_TRUE(quit_pressed() && pressed(kActPause) && pressed(kActJump));
    EXPECT_FALSE(pressed(kActScreenshot));
    poll_presses();
    EXPECT_FALSE(quit_pressed() || pressed(kActPause));

    // A menu's own press of an action, and the first key and button for rebinding.
    press_action(kActRestart);
    latch_key(KEY_F11);
    latch_pad_buttons(1u << 3);
    poll_presses();
    EXPECT_TRUE(pressed(kActRestart) && key_pressed(KEY_F11));
    EXPECT_EQ(first_key_pressed(), KEY_F11);
    EXPECT_EQ(first_button_pressed(), 3);
    EXPECT_EQ(take_step_presses() & kStepRestart, kStepRestart);
    poll_presses();
    EXPECT_FALSE(pressed(kActRestart) || key_pressed(KEY_F11) || first_button_pressed() >= 0);

    // The stick's ways latch as buttons do, for the frame only: a step reads
    // the stick as held.
    latch_pad_ways(kStepUp);
    latch_pad_ways(kStepUp | kStepLeft);  // held up, then left as well
    latch_pad_ways(0);
    latch_pad_buttons(1u << 5);
    poll_presses();
    EXPECT_EQ(pad_ways_pressed(), kStepUp | kStepLeft);
    EXPECT_TRUE(button_pressed(5) && !button_pressed(4));
    EXPECT_EQ(take_step_presses(), 0);
    latch_pad_ways(kStepUp);
    poll_presses();
    EXPECT_EQ(pad_ways_pressed(), kStepUp);
    latch_pad_ways(kStepUp);  // still held
    poll_presses();
    EXPECT_EQ(pad_ways_pressed(), 0);
    EXPECT_FALSE(button_pressed(5));
    latch_pad_ways(0);
    latch_pad_buttons(0);
}

TEST(LatchTest, XboxStylePadsNameTheirButtons) {
    EXPECT_STREQ(pad_button_name("Microsoft X-Box 360 pad", 7), "Start");
    EXPECT_STREQ(pad_button_name("XInput Controller", 4), "LB");
    EXPECT_EQ(pad_button_name("XBOX One pad", 11), nullptr);
    EXPECT_EQ(pad_button_name("Sony PLAYSTATION(R)3 Controller", 0), nullptr);
    char label[16];
    pad_button_label(9, label, sizeof label);  // no pad: no usual names
    EXPECT_STREQ(label, "button 9");
}
