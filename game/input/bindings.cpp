// The actions, their default keys and pad buttons, and one step's input from
// the keyboard, the pad and the mouse.
#include <allegro.h>

#include <climits>
#include <initializer_list>

#include "input/input.h"
#include "input/input_local.h"
#include "input/settings_write.h"

// Pad defaults suit an Xbox-style pad on Linux's joydev: A = 0, B = 1, X = 2,
// Start = 7; the left stick is Allegro's stick 0 and the d-pad (joydev axes 6
// and 7) its stick 3. The triggers (joydev axes 2 and 5) are in sticks 1 and
// 2, which steer nothing.
const ActionInfo kActionInfo[kActionCount] = {
    {"left", kStepLeft, {1, {KEY_LEFT}, 0, {}}, "walk left; steer left in the air"},
    {"right", kStepRight, {1, {KEY_RIGHT}, 0, {}}, "walk right; steer right in the air"},
    {"up", kStepUp, {1, {KEY_UP}, 0, {}}, "walk looking and aiming up; standing: look up"},
    {"down",
     kStepDown,
     {1, {KEY_DOWN}, 0, {}},
     "walk crouched; standing: crouch; with jump: drop through the ledge"},
    {"jump", kStepJump, {1, {KEY_X}, 1, {0}}, "jump"},
    {"aim", kStepAim, {1, {KEY_Z}, 2, {2, 1}}, "walk with the rifle raised"},
    // No pad button: a pad has few, and the pause menu offers it.
    {"restart",
     kStepRestart,
     {1, {KEY_R}, 0, {}},
     "back to the start of the stage (also in the pause menu)"},
    {"pause", 0, {1, {KEY_P}, 1, {7}}, "pause and resume"},
    {"screenshot", 0, {1, {KEY_F12}, 0, {}}, "save a screenshot"},
    {"camera", kStepCamera, {1, {KEY_U}, 0, {}}, "debug: free camera on and off"},
    {"reset", kStepReset, {1, {KEY_Y}, 0, {}}, "debug: player back to height 0"},
    {"camera_forward", kStepForward, {1, {KEY_W}, 0, {}}, "debug: free camera forward"},
    {"camera_back", kStepBack, {1, {KEY_S}, 0, {}}, "debug: free camera back"},
    {"camera_left", kStepStrafeLeft, {1, {KEY_A}, 0, {}}, "debug: free camera left"},
    {"camera_right", kStepStrafeRight, {1, {KEY_D}, 0, {}}, "debug: free camera right"},
};

Binding bindings[kActionCount];
PadLayout pad_layout;
PadState pad;
Settings settings;

namespace {

// The defaults (the tables') hold before main, so a game that never reads the file plays
// on today's keys.
const bool kDefaultsSet = [] {
    reset_input_settings();
    return true;
}();

int clamp16(int v) {
    return v < SHRT_MIN ? SHRT_MIN : v > SHRT_MAX ? SHRT_MAX : v;
}

bool key_down(const Binding& b, const volatile char* keys) {
    for (int i = 0; i < b.key_count; ++i) {
        if (b.keys[i] > 0 && b.keys[i] < KEY_MAX && keys[b.keys[i]]) {
            return true;
        }
    }
    return false;
}

bool button_down(const Binding& b, const PadState& p) {
    for (int i = 0; i < b.button_count; ++i) {
        if (b.buttons[i] >= 0 && b.buttons[i] < kPadButtons && (p.buttons >> b.buttons[i]) & 1u) {
            return true;
        }
    }
    return false;
}

int axis(const PadState& p, int stick, int a) {
    if (stick < 0 || stick >= kPadSticks || a < 0 || a >= kPadAxes) {
        return 0;
    }
    return axis_direction(p.pos[stick][a], p.rest[stick][a], pad_layout.dead_zone);
}

}  // namespace

const char* action_name(Action a) {
    return a >= 0 && a < kActionCount ? kActionInfo[a].name : nullptr;
}

void reset_input_settings() {
    reset_bindings();
    for (const SettingRow& row : kSettingRows) {
        *row.value = row.fallback;
    }
    for (const TextSettingRow& row : kTextSettingRows) {
        row.value[0] = '\0';
    }
}

int axis_direction(int pos, int rest, int dead_zone) {
    const int limit = dead_zone * kPadFull / 100;
    if (rest < -limit || rest > limit) {
        return 0;
    }
    return pos < -limit ? -1 : pos > limit ? 1 : 0;
}

std::uint16_t keyboard_step_keys(const volatile char* keys) {
    std::uint16_t bits = 0;
    for (int a = 0; a < kActionCount; ++a) {
        if (key_down(bindings[a], keys)) {
            bits |= kActionInfo[a].bit;
        }
    }
    return bits;
}

std::uint16_t pad_way_keys(const PadState& p) {
    if (!p.present) {
        return 0;
    }
    std::uint16_t bits = 0;
    const PadLayout& l = pad_layout;
    // Stick and d-pad each count, as two keys do: both ways held is both bits.
    for (int x : {axis(p, l.move_stick, l.move_x), axis(p, l.dpad_stick, l.dpad_x)}) {
        bits |= x < 0 ? kStepLeft : x > 0 ? kStepRight : 0;
    }
    for (int y : {axis(p, l.move_stick, l.move_y), axis(p, l.dpad_stick, l.dpad_y)}) {
        bits |= y < 0 ? kStepUp : y > 0 ? kStepDown : 0;
    }
    return bits;
}

std::uint16_t pad_step_keys(const PadState& p) {
    if (!p.present) {
        return 0;
    }
    std::uint16_t bits = pad_way_keys(p);
    for (int a = 0; a < kActionCount; ++a) {
        if (button_down(bindings[a], p)) {
            bits |= kActionInfo[a].bit;
        }
    }
    return bits;
}

StepInput step_input(const volatile char* keys, const PadState& p, int mickey_x, int mouse_y) {
    StepInput in;
    in.keys = keyboard_step_keys(keys) | pad_step_keys(p);
    in.mickey_x = static_cast<std::int16_t>(clamp16(mickey_x));
    in.mouse_y = static_cast<std::int16_t>(clamp16(mouse_y));
    return in;
}

int action_held(Action a, const volatile char* keys, const PadState& p) {
    if (a < 0 || a >= kActionCount) {
        return 0;
    }
    return key_down(bindings[a], keys) || (p.present && button_down(bindings[a], p));
}
