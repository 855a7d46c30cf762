// Pausing: the actions that are not part of a step (pause, screenshot) read
// as presses, the window's keyboard focus, and the paused screen.
#ifndef VELLIN_PAUSE_H
#define VELLIN_PAUSE_H

#include "input/input.h"

// Once a frame, and while paused: takes the key presses noted as they
// happened (so that a tap between two polls counts) and reads the pad.
void poll_presses();
// True when the action's key or button went down before the last
// poll_presses; holding it counts once.
bool pressed(Action a);

// Once the window is open and before the first frame: builds the paused
// screen and, with `on_focus`, watches the window's keyboard focus.
void start_pause_watch(bool on_focus);
// True once after the window lost the keyboard focus.
bool focus_lost();
// Before the flip: keeps the frame drawn, for the paused screen.
void keep_frame();
// Shows the kept frame dimmed, with "Paused" and the controls, idling, until
// the pause action resumes (true) or Escape or a quit signal ends the game
// (false). A screenshot saves the kept frame as it was drawn.
bool wait_paused();

#endif
