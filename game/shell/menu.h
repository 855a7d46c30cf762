// The pause menu: its screens (the first one, Settings, Controls), what the
// player's keys, pad and mouse do there, and the text each screen shows. The
// paused screen (pause.cpp) draws the text and feeds the input; settings and
// bindings changed here take effect at once and are written to the settings
// file. Nothing here allocates: the text is built into static buffers.
#ifndef VELLIN_MENU_H
#define VELLIN_MENU_H

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

enum MenuResult { kMenuStay, kMenuResume, kMenuRestart, kMenuQuit };

// Opens the first screen with Resume chosen; `demo` (a demo played back)
// leaves Back to the start out and never writes the settings file.
void open_menu(bool demo);
// After poll_presses: the keys, pad buttons and mouse since the last call.
// `pointed` is the entry under the pointer (-1 for none), `clicked` true
// when the left button went down there.
MenuResult menu_poll(int pointed, bool clicked);
// The text to draw, and a count that changes whenever it does.
const MenuText& menu_text();
unsigned menu_version();

#endif
