// The pause menu as a model: its screens, their entries and what each input
// does there, without Allegro or GL. The shell turns keys, pad buttons and the
// pointer into MenuInput, feeds them in with menu_input, performs the
// effects the model asks for through MenuEffects (the window, the sound,
// saving), and draws menu_text. The bindings and settings the menu changes
// are the input library's globals, written here directly. Nothing here
// allocates: the state and the text are static.
#ifndef VELLIN_MENU_H
#define VELLIN_MENU_H

#include <cstddef>

#include "level/level.h"

constexpr int kMenuLines = 24;
constexpr int kMenuColumns = 60;

enum MenuLineKind { kMenuTitle, kMenuEntry, kMenuChosen, kMenuNote };

// What the screen shows now: line 0 is the title.
struct MenuText {
    int count;
    char text[kMenuLines][kMenuColumns + 1];
    MenuLineKind kind[kMenuLines];
    int entry[kMenuLines];  // the entry a line shows, -1 for none
};

// What one press means on the menu. A press keeps the key or pad button that
// made it, so that while a key is awaited the same press binds it.
enum MenuInputKind {
    kMenuUp,
    kMenuDown,
    kMenuLeft,
    kMenuRight,
    kMenuChoose,     // Enter, jump, pad A, a click
    kMenuBack,       // Backspace, pad B: one screen back; cancels a prompt
    kMenuCancel,     // Escape: one screen back, or quit from the first
    kMenuPause,      // the pause action: resume
    kMenuWindowKey,  // F11, Alt, Alt+Enter: the window's own keys, never bound
    kMenuKey,        // any other key; only a prompt takes it
    kMenuButton,     // any other pad button; only a prompt takes it
    kMenuPoint,      // the pointer moved onto entry `value`
    kMenuClick,      // the left button went down on entry `value`
    kMenuWindow,     // the window is now `value` (1: full screen) at `scale`
};

struct MenuInput {
    MenuInputKind kind;
    int key;     // the KEY_ code that made it; 0 for none
    int button;  // the pad button that made it; -1 for none
    int value;   // kMenuPoint, kMenuClick: the entry; kMenuWindow: full screen
    int scale;   // kMenuWindow: the window's scale (when not full screen)
};

// What the menu asks of the game. Each returns false when it could not be
// done now; `save` and `play_stage` then say why in `why`.
struct MenuEffects {
    bool (*set_window)(int fullscreen, int scale);
    bool (*apply_sound)();
    void (*set_vsync)(int on);
    // The rows (bit r for row r of the settings table) and the actions (bit
    // a for Action a) whose entries changed, to be written to the file.
    bool (*save)(unsigned rows, unsigned actions, char* why, std::size_t why_size);
    // Plays a valid stage of the Stages screen at once, in place of this one.
    bool (*play_stage)(const StageEntry& stage, char* why, std::size_t why_size);
    // May be null: the stage's best time ("1:07.983") into `out`; false when
    // it has none. Asked once per stage when the Stages screen opens.
    bool (*best_time)(const StageEntry& stage, char* out, std::size_t size);
};

struct MenuSetup {
    const MenuEffects* effects;
    bool demo;          // a demo plays: no Back to the start, nothing saved
    const char* stage;  // the stage's name, shown under the title
    int fullscreen;     // the window as it is now
    int scale;          // the window's scale, when not full screen
    int largest_scale;  // the largest window that fits the desktop
    // The stages folders (each ending in '/'), the player's first, as the
    // stage lookup takes them: what the Stages screen lists.
    const char* const* stages_folders;
    int stages_folder_count;
    bool time_trial;  // a run against the clock is on: its entry leaves it
};

enum MenuResult { kMenuStay, kMenuResume, kMenuRestart, kMenuQuit, kMenuEdit, kMenuTimeTrial };

// Opens the first screen with its first entry chosen.
void menu_open(const MenuSetup& setup);
// One press; kMenuStay while the menu stays open. Leaving a screen (or the
// menu) saves what changed on it.
MenuResult menu_input(const MenuInput& in);
// One line under the menu for a while, e.g. where a screenshot went.
void menu_note(const char* line);
// The text to draw, and a count that changes whenever it does.
const MenuText& menu_text();
unsigned menu_version();
// The layer of the stage chosen on the Stages screen, for its map beside the
// text; null on any other line or screen.
const int (*menu_stage_map())[kMapColumns];

#endif
