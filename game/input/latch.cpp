// The press latch: each key and pad button counts how often it went down, and
// each reader keeps the counts it last saw, so a press between two looks is
// seen once by every reader and a held key by none after the first.
#include <allegro.h>

#include <atomic>
#include <cstdint>

#include "input/input.h"
#include "input/input_local.h"

namespace {

// Written on Allegro's keyboard thread, read on the main one.
std::atomic<std::uint32_t> key_downs[KEY_MAX];
bool key_is_down[KEY_MAX];  // keyboard thread only

// Main thread only: poll_pad runs there.
std::uint32_t button_downs[kPadButtons];
std::uint32_t buttons_were_down;
// The stick's and d-pad's four ways, as the pad's buttons: pushed counts.
constexpr std::uint16_t kWays[] = {kStepLeft, kStepRight, kStepUp, kStepDown};
constexpr int kWayCount = sizeof kWays / sizeof kWays[0];
std::uint32_t way_downs[kWayCount];
std::uint16_t ways_were_pushed;

// The counts a reader saw when it last looked.
struct Seen {
    std::uint32_t keys[KEY_MAX];
    std::uint32_t buttons[kPadButtons];
    std::uint32_t actions[kActionCount];  // presses made by the game itself
    std::uint32_t ways[kWayCount];
};
Seen step_seen, frame_seen;
Seen frame_before;  // frame_seen of the poll before the last

// Main thread only, as press_action's callers.
std::uint32_t action_downs[kActionCount];

bool frame_pressed[kActionCount];
bool frame_quit;

bool went_down(const Binding& b, const Seen& now, const Seen& before) {
    for (int i = 0; i < b.key_count; ++i) {
        const int k = b.keys[i];
        if (k > 0 && k < KEY_MAX && now.keys[k] != before.keys[k]) {
            return true;
        }
    }
    for (int i = 0; i < b.button_count; ++i) {
        const int n = b.buttons[i];
        if (n >= 0 && n < kPadButtons && now.buttons[n] != before.buttons[n]) {
            return true;
        }
    }
    return false;
}

// The counts now, read once, so a press arriving meanwhile waits for the
// next look instead of being marked seen unseen.
void count_now(Seen* now) {
    for (int k = 0; k < KEY_MAX; ++k) {
        now->keys[k] = key_downs[k].load();
    }
    for (int n = 0; n < kPadButtons; ++n) {
        now->buttons[n] = button_downs[n];
    }
    for (int a = 0; a < kActionCount; ++a) {
        now->actions[a] = action_downs[a];
    }
    for (int w = 0; w < kWayCount; ++w) {
        now->ways[w] = way_downs[w];
    }
}

}  // namespace

void latch_key(int scancode) {
    const int k = scancode & 0x7f;
    const bool down = (scancode & 0x80) == 0;
    if (k >= KEY_MAX) {
        return;
    }
    if (down && !key_is_down[k]) {
        key_downs[k].fetch_add(1);
    }
    key_is_down[k] = down;
}

void start_latch() {
    keyboard_lowlevel_callback = latch_key;
}

void latch_pad_buttons(std::uint32_t buttons) {
    for (int n = 0; n < kPadButtons; ++n) {
        if ((buttons & ~buttons_were_down) >> n & 1u) {
            ++button_downs[n];
        }
    }
    buttons_were_down = buttons;
}

void latch_pad_ways(std::uint16_t pushed) {
    for (int w = 0; w < kWayCount; ++w) {
        if (pushed & ~ways_were_pushed & kWays[w]) {
            ++way_downs[w];
        }
    }
    ways_were_pushed = pushed;
}

std::uint16_t take_step_presses() {
    Seen now;
    count_now(&now);
    std::uint16_t bits = 0;
    for (int a = 0; a < kActionCount; ++a) {
        if (went_down(bindings[a], now, step_seen) || now.actions[a] != step_seen.actions[a]) {
            bits |= kActionInfo[a].bit;
        }
    }
    step_seen = now;
    return bits;
}

void poll_presses() {
    poll_pad();
    clear_keybuf();  // presses come from latch_key; nothing reads the buffer
    Seen now;
    count_now(&now);
    for (int a = 0; a < kActionCount; ++a) {
        frame_pressed[a] =
            went_down(bindings[a], now, frame_seen) || now.actions[a] != frame_seen.actions[a];
    }
    frame_quit = now.keys[KEY_ESC] != frame_seen.keys[KEY_ESC];
    frame_before = frame_seen;
    frame_seen = now;
}

bool pressed(Action a) {
    return a >= 0 && a < kActionCount && frame_pressed[a];
}

bool quit_pressed() {
    return frame_quit || key[KEY_ESC];
}

bool key_pressed(int code) {
    return code > 0 && code < KEY_MAX && frame_seen.keys[code] != frame_before.keys[code];
}

int first_key_pressed() {
    for (int k = 1; k < KEY_MAX; ++k) {
        if (key_pressed(k)) {
            return k;
        }
    }
    return 0;
}

bool button_pressed(int n) {
    return n >= 0 && n < kPadButtons && frame_seen.buttons[n] != frame_before.buttons[n];
}

int first_button_pressed() {
    for (int n = 0; n < kPadButtons; ++n) {
        if (button_pressed(n)) {
            return n;
        }
    }
    return -1;
}

std::uint16_t pad_ways_pressed() {
    std::uint16_t bits = 0;
    for (int w = 0; w < kWayCount; ++w) {
        bits |= frame_seen.ways[w] != frame_before.ways[w] ? kWays[w] : 0;
    }
    return bits;
}

void press_action(Action a) {
    if (a >= 0 && a < kActionCount) {
        ++action_downs[a];
    }
}
