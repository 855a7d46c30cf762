// The paused screen: the last frame kept, dimmed, with the pause menu over it.
// The presses it waits on come from the input's latch (input.h), the focus
// from the window (window.h).
#ifndef VELLIN_PAUSE_H
#define VELLIN_PAUSE_H

#include "input/input.h"
#include "shell/notes.h"  // draw_play_notes, called beside keep_frame

// Once the window is open and before the first frame: builds the paused
// screen and, with `on_focus`, watches the window's keyboard focus.
void start_pause_watch(bool on_focus);
// Before the flip: keeps the frame drawn, for the paused screen.
void keep_frame();
// Shows the kept frame dimmed, with the pause menu, idling, until the player
// resumes (true; Back to the start presses the restart action for the next
// step) or quits, or a quit signal ends the game (false). A screenshot saves
// the kept frame as it was drawn. Presses made while paused do not reach the
// steps after.
bool wait_paused();
#endif
