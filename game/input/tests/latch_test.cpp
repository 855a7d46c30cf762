// The press latch: taps between two looks reach the next step and frame, a
// held or auto-repeating key counts once; the usual names of pad buttons.
#include <allegro.h>
#include <gtest/gtest.h>

#include <cstring>

#include "input/input.h"

namespace {

constexpr int kUp = 0x80;  // the callback's release bit

// Both readers start with nothing pending.
void drain() {
    latch_pad_buttons(0);
    take_step_presses();
    poll_presses();
}

}  // namespace

TEST(LatchTest, TapsBetweenTwoStepsReachOneStepAndHeldKeysCountOnce) {
    reset_input_settings();
    drain();
    const struct {
        int keys[4];  // callback codes, 0 ends
        std::uint32_t buttons[2];
        std::uint16_t first, second;  // the next two steps' presses
    } kCases[] = {
        {{KEY_X, KEY_X | kUp}, {0, 0}, kStepJump, 0},
        {{KEY_RIGHT, KEY_RIGHT | kUp, KEY_RIGHT}, {0, 0}, kStepRight, 0},
        {{KEY_LEFT, KEY_LEFT, KEY_LEFT}, {0, 0}, kStepLeft, 0},  // auto-repeat
        {{KEY_P, KEY_P | kUp}, {0, 0}, 0, 0},                    // not a step action
        {{}, {1u << 0, 0}, kStepJump, 0},  // button down at one poll, up at the next
        {{}, {1u << 0, 1u << 0}, kStepJump, 0},
    };
    for (const auto& c : kCases) {
        for (int k : c.keys) {
            if (k != 0) {
                latch_key(k);
            }
        }
        for (std::uint32_t b : c.buttons) {
            latch_pad_buttons(b);
        }
        EXPECT_EQ(take_step_presses(), c.first) << c.keys[0] << " " << c.buttons[0];
        int last = 0;
        for (int k : c.keys) {
            last = k != 0 ? k : last;
        }
        latch_key(last);  // the last state again: a repeat, no new press
        EXPECT_EQ(take_step_presses(), c.second) << c.keys[0];
        latch_key(c.keys[0] | kUp);
        latch_pad_buttons(0);
    }
}

TEST(LatchTest, FrameReaderSeesTapsTheStepsTookToo) {
    reset_input_settings();
    drain();
    latch_key(KEY_ESC);
    latch_key(KEY_ESC | kUp);
    latch_key(KEY_P);
    latch_key(KEY_P | kUp);
    latch_key(KEY_X);
    EXPECT_EQ(take_step_presses(), kStepJump);
    poll_presses();
    EXPECT_TRUE(quit_pressed());
    EXPECT_TRUE(pressed(kActPause));
    EXPECT_TRUE(pressed(kActJump));
    EXPECT_FALSE(pressed(kActScreenshot));
    poll_presses();
    EXPECT_FALSE(quit_pressed());
    EXPECT_FALSE(pressed(kActPause));
    latch_key(KEY_X | kUp);
}

TEST(LatchTest, XboxStylePadsNameTheirButtons) {
    EXPECT_STREQ(pad_button_name("Microsoft X-Box 360 pad", 7), "Start");
    EXPECT_STREQ(pad_button_name("Generic XBOX One controller", 0), "A");
    EXPECT_STREQ(pad_button_name("XInput Controller", 4), "LB");
    EXPECT_EQ(pad_button_name("XInput Controller", 11), nullptr);
    EXPECT_EQ(pad_button_name("Sony PLAYSTATION(R)3 Controller", 0), nullptr);
    EXPECT_EQ(pad_button_name("", 0), nullptr);
}
