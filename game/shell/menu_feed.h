// The pause menu's thin side in the shell: the keys, pad and pointer turned
// into the menu model's presses, and its effects (the window, the sound,
// the settings file) done.
#ifndef VELLIN_MENU_FEED_H
#define VELLIN_MENU_FEED_H

#include "menu/menu.h"

// Opens the menu's first screen; `demo` (a demo played back) leaves Back to
// the start out and never writes the settings file.
void open_pause_menu(bool demo);
// After poll_presses and handle_window_keys: every press since the last
// call, in turn, until one closes the menu. `pointed` is the entry under
// the pointer (-1 for none), `clicked` true when the left button went down.
MenuResult feed_pause_menu(int pointed, bool clicked);

#endif
