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

// Everything a step reads or writes besides its input and the level: the
// player's placement, animation frame and fall speed, his flags, the camera
// and the mouse motion the free camera last took. A ghost is one of these,
// stepped by the same physics as the player.
struct PlayerState {
    float pos[3], rot[3];
    float frame, fallspeed, scale;
    int jump, down, fall, direction, debcam;
    float campos[3], camang[3];
    int mx;
};
PlayerState save_player();
// Puts a saved state back exactly; the model is posed at its frame.
void restore_player(const PlayerState& state);
// The player as the game opens: placed at the start, on the frame his model
// file names, no flag set, the camera at rest.
PlayerState opening_state();
// One step of *state on `in` by the same physics as the player's, silently;
// the player, the camera and the sounds are as they were after it.
void step_other(PlayerState* state, const StepInput& in);

#endif
