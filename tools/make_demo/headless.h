// Plays a demo's steps without a window: the stage generated from the seed as
// start-up generates it, the player read and placed as start-up places it,
// then the recorded inputs, step by step. Nothing is drawn, so nothing but
// the physics is exercised. One stage per process: the generators expect
// zeroed arrays.
#ifndef VELLIN_HEADLESS_H
#define VELLIN_HEADLESS_H

#include "demo/demo.h"

// Generates the stage and places the player for the opening drop. False when
// the player model cannot be read.
bool start_headless(unsigned int seed, const char* player_model);
// Puts the player back at the start, on the stage already generated.
void restart_player();

#endif
