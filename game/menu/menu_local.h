// Private to the menu library: a screen as a table of handlers over the
// menu's plain state. Adding a screen is one MenuScreen and its handlers, a
// row of kScreens (menu.cpp) and an entry on another screen that goes to it.
#ifndef VELLIN_MENU_LOCAL_H
#define VELLIN_MENU_LOCAL_H

#include <cstddef>

#include "input/bindings.h"
#include "menu/menu.h"

enum MenuScreenId { kScreenFirst, kScreenSettings, kScreenControls, kScreenCount };

struct MenuScreen {
    const char* title;
    void (*enter)();           // may be null
    void (*leave)();           // may be null: the screen or the menu is left
    int (*count)();            // entries, shown or not
    bool (*shown)(int entry);  // may be null: all shown
    // The line under the title (" " for none) and an entry's text.
    void (*subtitle)(char* out, std::size_t size);
    void (*label)(int entry, char* out, std::size_t size);
    MenuResult (*choose)(int entry);
    void (*step)(int entry, int by);  // Left (-1), Right (+1); may be null
};
extern const MenuScreen kFirstScreen, kSettingsScreen, kControlsScreen;

constexpr int kMenuNoteSize = kMenuColumns - 3;  // room for the chosen entry's marks

struct MenuPlace {
    MenuScreenId screen;
    int cursor;
};
constexpr int kMenuDepth = 4;

// The menu's state: one menu is open at a time.
struct MenuState {
    MenuSetup setup;
    MenuScreenId screen;
    int cursor;
    MenuPlace back[kMenuDepth];  // where Back goes: the screens that led here
    int depth;
    int waiting;  // the action waiting for a key or button; -1 for none
    char note[kMenuNoteSize];
    char prompt[kMenuNoteSize];
    unsigned unsaved_rows;  // changed on the Settings screen, saved on leaving it
};
extern MenuState menu;

// Goes to screen `s` (its enter runs) with the first entry chosen; Back
// comes back to where it was.
void menu_go(MenuScreenId s);
// Back to the screen that led here, after the leave of this one.
void menu_back();
// Writes the rows and actions that changed; on failure the note says why
// and the rows stay unsaved. Never while a demo plays.
void menu_save(unsigned rows, unsigned actions);
// The note line, as printf.
void menu_say(const char* format, ...) __attribute__((format(printf, 1, 2)));

// "LEFT", "A", "button 9": a key or pad button as the menu names it.
void bound_name(bool button, int code, char* out, std::size_t size);
// What the player reads for each action ("Walk left").
extern const char* const kActionLabel[kActionCount];

#endif
