// One fixed simulation step of 1/120 s: camera, input, player movement,
// jumping, falling, standing, animation frames and depth.
//
// A step reads nothing from the devices itself: its input is a StepInput,
// sampled from the keyboard and mouse or taken from a demo, so that feeding
// the same inputs to the same stage reproduces every step.
#ifndef VELLIN_PHYSICS_H
#define VELLIN_PHYSICS_H

#include "input/input.h"  // StepKey, StepInput

// The live keyboard and mouse for the next step. The mouse is read only while
// the free camera is on, so motion made with it off is kept for its next use.
StepInput sample_input();
// One step on the given input.
void physics(const StepInput& in);
// One step on the live input.
void physics();
// The player as the stage opens: in front of the cliff near its left end,
// facing right, at the model scale, dropping onto the stage (jump set). The
// animation frame and the other flags are left as they are.
void place_player_at_start();

#endif
