// Input: what one physics step reads (StepInput), built from the keyboard, the
// gamepad and the mouse; the bindings of actions to keys and pad buttons; and
// the settings file that may change them and keeps the player's settings.
//
// The globals below hold today's keys and the default settings from the start;
// read_settings_file changes them once, at start-up, and everything else only
// reads them. Nothing here opens a device except install_pad and poll_pad.
#ifndef VELLIN_INPUT_H
#define VELLIN_INPUT_H

#include <cstddef>
#include <cstdint>
#include <cstdio>

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
};
constexpr std::uint16_t kStepKeyMask = (1 << 12) - 1;

struct StepInput {
    std::uint16_t keys;     // StepKey bits held during the step
    std::int16_t mickey_x;  // horizontal mouse motion; read only by the free camera
    std::int16_t mouse_y;   // pointer row; read only by the free camera
};

// Everything that can be bound. The play actions come first and may not share
// a key or a pad button with each other; the debug actions after them may
// share with anything. Escape always quits and is not an action.
enum Action {
    kActLeft,
    kActRight,
    kActUp,
    kActDown,
    kActJump,
    kActAim,
    kActPause,       // not part of a step: demos never hold it
    kActScreenshot,  // not part of a step
    kActCamera,
    kActReset,
    kActForward,
    kActBack,
    kActStrafeLeft,
    kActStrafeRight,
    kActionCount
};
constexpr int kPlayActions = kActScreenshot + 1;

constexpr int kMaxBound = 3;  // keys, and pad buttons, per action

struct Binding {
    int key_count;
    int keys[kMaxBound];  // Allegro KEY_ codes
    int button_count;
    int buttons[kMaxBound];  // pad button numbers
};
extern Binding bindings[kActionCount];  // indexed by Action

// The name of an action in the settings file ("jump", "camera_forward").
const char* action_name(Action a);

// Allegro's key names without "KEY_" ("A", "LEFT", "F12", "0_PAD"), matched
// without regard to case; fixed, so they do not depend on the keyboard layout.
// key_code gives 0 for an unknown name and for "ESC".
int key_code(const char* name);
// The name of a KEY_ code, or nullptr.
const char* key_name(int code);

// The pad as plain values, sized as Allegro's joy[] is.
constexpr int kPadSticks = 5;
constexpr int kPadAxes = 3;
constexpr int kPadButtons = 32;
constexpr int kPadFull = 128;  // an axis's full deflection either way

struct PadState {
    int present;                     // 1 when a pad was found
    int pos[kPadSticks][kPadAxes];   // -128 .. 128, negative left or up
    int rest[kPadSticks][kPadAxes];  // pos when the pad was found
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

// -1, 0 or +1: the way an axis is pushed past the dead zone. An axis that
// rested outside the dead zone when the pad was found (a trigger, which rests
// at one end) never reads as pushed.
int axis_direction(int pos, int rest, int dead_zone);

// StepKey bits held on the keyboard; `keys` is indexed by KEY_ code, as key[].
std::uint16_t keyboard_step_keys(const volatile char* keys);
// StepKey bits held on the pad: its stick, d-pad and bound buttons.
std::uint16_t pad_step_keys(const PadState& p);
// One step's input from the keyboard, the pad and the mouse values (clamped
// to 16 bits); pass 0 for the mouse while the free camera is off.
StepInput step_input(const volatile char* keys, const PadState& p, int mickey_x, int mouse_y);
// 1 while a key or pad button bound to the action is down (pause, screenshot).
int action_held(Action a, const volatile char* keys, const PadState& p);

// Installs Allegro's joystick driver (after allegro_init) and notes each
// axis's resting place. 0 when no pad is there; the game plays on the keys.
int install_pad();
// Reads the first pad into `pad`; all zero when there is none.
void poll_pad();
// One line on `out` for the pad install_pad found: its name as the kernel
// gives it, or else its counts of sticks, axes and buttons.
void report_pad(std::FILE* out);

// Settings that stay from run to run. The command line overrides them for one
// run.
constexpr int kMaxWindowScale = 6;
struct Settings {
    int fullscreen = 1;           // 1: full screen when possible; 0: a window
    int scale = 1;                // window of 640 by 480 times scale, 1 .. kMaxWindowScale
    int volume = 100;             // percent
    int mute = 0;                 // 1: no sound, no sound device
    int vsync = 1;                // 1: swap on the display's refresh, 0: as fast as it can
    int pause_on_focus_loss = 1;  // 1: pause when the window loses the focus
};
extern Settings settings;

// Puts the bindings, the pad layout and the settings back to their defaults.
void reset_input_settings();

// $XDG_CONFIG_HOME/vellin/vellin.cfg, or ~/.config/vellin/vellin.cfg; false
// when neither variable gives a folder or the path does not fit.
bool settings_file_path(char* out, std::size_t size);

// Why the file at `path` cannot be read as a settings file, or nullptr when
// it can. Only a plain file is
// read: a pipe or a device might never end.
const char* settings_file_problem(const char* path);

// Reads the settings file through Allegro's configuration routines, keeping
// Allegro's own configuration as it was; works before allegro_init and
// without a display. Each bad entry gives one line on `err` naming the file,
// the section and the entry, and keeps its default. A missing file is no
// error. Returns the number of bad entries.
int read_settings_file(const char* path, std::FILE* err);

// The settings file with every default, commented: what --print-config writes.
void print_settings(std::FILE* out);

#endif
