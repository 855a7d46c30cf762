// The actions a player can bind and their keys and pad buttons. The defaults
// and the settings file's names live with the settings reader (input_local.h).
#ifndef VELLIN_BINDINGS_H
#define VELLIN_BINDINGS_H

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
    kActRestart,     // back to the start of the stage
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

#endif
