// Input: what one physics step reads (StepInput), built from the keyboard, the
// gamepad and the mouse. The bindings of actions to keys and pad buttons are
// in bindings.h, the player's settings and their file in settings.h.
//
// The bindings and settings hold the defaults from the start;
// read_settings_file changes them once, at start-up, and everything else only
// reads them. Nothing here opens a device except install_pad and poll_pad.
//
// Presses are latched where they arrive (latch.cpp): a key or pad button that
// went down since a reader last looked counts once for it, even if it is up
// again, so no tap is lost between two steps or two frames. Two readers take
// them, each for itself: the steps (take_step_presses) and the frame
// (poll_presses, then pressed and quit_pressed).
#ifndef VELLIN_INPUT_H
#define VELLIN_INPUT_H

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "input/bindings.h"
#include "input/settings.h"

// The keys a step tests, one bit each in StepInput::keys.
enum StepKey : std::uint16_t {
    kStepLeft = 1 << 0,
    kStepRight = 1 << 1,
    kStepUp = 1 << 2,
    kStepDown = 1 << 3,
    kStepJump = 1 << 4,    // X
    kStepAim = 1 << 5,     // Z
    kStepCamera = 1 << 6,  // U: flips the free camera
    kStepReset = 1 << 7,   // Y: back to height 0
    kStepForward = 1 << 8,
    kStepBack = 1 << 9,
    kStepStrafeLeft = 1 << 10,
    kStepStrafeRight = 1 << 11,
    kStepRestart = 1 << 12,  // back to where the game starts the trooper
};
constexpr std::uint16_t kStepKeyMask = (1 << 13) - 1;

struct StepInput {
    std::uint16_t keys;     // StepKey bits held during the step
    std::int16_t mickey_x;  // horizontal mouse motion; read only by the free camera
    std::int16_t mouse_y;   // pointer row; read only by the free camera
};

// The pad as plain values, sized as Allegro's joy[] is.
constexpr int kPadSticks = 5;
constexpr int kPadAxes = 3;
constexpr int kPadButtons = 32;
constexpr int kPadFull = 128;  // an axis's full deflection either way

struct PadState {
    int present;                     // 1 when a pad was found
    int pos[kPadSticks][kPadAxes];   // -128 .. 128, negative left or up
    int rest[kPadSticks][kPadAxes];  // where the axis rests; see install_pad
    std::uint32_t buttons;           // bit b while button b is down
};
extern PadState pad;  // the first pad, as poll_pad last left it

// Which axes steer: the analog stick and the d-pad, each a stick number with
// its horizontal and vertical axis.
struct PadLayout {
    int move_stick, move_x, move_y;
    int dpad_stick, dpad_x, dpad_y;
    int dead_zone;  // percent of full deflection that still reads as centred
};
extern PadLayout pad_layout;

// -1, 0 or +1: the way an axis is pushed past the dead zone. An axis whose
// rest is outside the dead zone (a trigger at rest at one end; see
// install_pad) never reads as pushed.
int axis_direction(int pos, int rest, int dead_zone);

// StepKey bits held on the keyboard; `keys` is indexed by KEY_ code, as key[].
std::uint16_t keyboard_step_keys(const volatile char* keys);
// StepKey bits of the ways the pad's stick and d-pad are pushed.
std::uint16_t pad_way_keys(const PadState& p);
// StepKey bits held on the pad: its stick, d-pad and bound buttons.
std::uint16_t pad_step_keys(const PadState& p);
// One step's input from the keyboard, the pad and the mouse values (clamped
// to 16 bits); pass 0 for the mouse while the free camera is off.
StepInput step_input(const volatile char* keys, const PadState& p, int mickey_x, int mouse_y);
// 1 while a key or pad button bound to the action is down (pause, screenshot).
int action_held(Action a, const volatile char* keys, const PadState& p);

// Installs Allegro's joystick driver (after allegro_init) and takes each
// axis's first reading: one at full travel is a trigger's rest (it never
// steers), any other rests at the centre. An axis's rest is learned again the
// first time it is seen near the centre, so a stick held at start-up steers
// once released. 0 when no pad is there; the game plays on the keys.
int install_pad();
// Reads the first pad into `pad` and latches the buttons that went down since
// the last read; all zero when there is none. Once a second, after
// install_pad, looks whether the pad's device came or went: a new pad is
// installed as at start-up (a button held as it comes is no press), a pulled
// one leaves nothing held.
void poll_pad();
// One line on `out` for the pad install_pad found: its name as the kernel
// gives it, or else its counts of sticks, axes and buttons.
void report_pad(std::FILE* out);
// Once after a pad was found or lost while the game runs: one line naming it
// ("Pad connected: NAME"), for the screen. False when nothing changed.
bool take_pad_news(char* out, std::size_t size);
// Once after the pad in use went away: the game pauses, as consoles do.
// False when that was over a second ago (the game was paused meanwhile).
bool pad_unplugged();
// The name the kernel gives the pad install_pad found; "" when none.
const char* pad_name();
// The usual name of a button ("A", "Start") on a pad called `model` when the
// name says it has the common Xbox layout (it holds "Xbox", "X-Box" or
// "XInput", in any case); nullptr for other pads and unknown buttons.
const char* pad_button_name(const char* model, int button);
// A button of the pad in use as the player reads it: its usual name ("A"),
// or "button 9".
void pad_button_label(int button, char* out, std::size_t size);

// Allegro's low-level keyboard callback: a KEY_ code, with 0x80 set on a
// release. Runs on Allegro's keyboard thread; a down while the key is already
// down (auto-repeat) is no new press.
void latch_key(int scancode);
// From now on, every key press is latched (sets Allegro's callback).
void start_latch();
// From poll_pad: the pad's buttons now; those down now and not at the last
// call are latched.
void latch_pad_buttons(std::uint32_t buttons);
// From poll_pad: the StepKey bits of the ways the stick and d-pad are pushed
// now; a way pushed now and not at the last call is latched, as a button.
void latch_pad_ways(std::uint16_t pushed);
// StepKey bits of the actions whose key or button went down since the last
// call: OR them into the step's input, so a tap shorter than a step is held
// for one. Once a step.
std::uint16_t take_step_presses();
// Once a frame, and while paused: reads the pad and takes the presses since
// the last call for pressed and quit_pressed.
void poll_presses();
// True when the action's key or button went down before the last
// poll_presses; holding it counts once.
bool pressed(Action a);
// Escape is down, or went down before the last poll_presses: the player quits.
bool quit_pressed();
// The KEY_ code went down before the last poll_presses (keys that are not
// actions: the menus' arrows, Enter, F11).
bool key_pressed(int code);
// The first key, or pad button, that went down before the last
// poll_presses; 0 (a key), -1 (a button) when none did. For rebinding.
int first_key_pressed();
int first_button_pressed();
// Pad button n went down before the last poll_presses.
bool button_pressed(int n);
// StepKey bits of the ways the stick or d-pad was pushed before the last
// poll_presses (the menus' moves; the steps read the stick as held).
std::uint16_t pad_ways_pressed();
// A press of the action made by the game itself (a menu entry): the next step
// and the next poll_presses see it as if its key had been tapped.
void press_action(Action a);

#endif
