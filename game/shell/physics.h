// One fixed simulation step of 1/120 s: camera, input, player movement,
// jumping, falling, standing, animation frames and depth.
//
// A step reads nothing from the devices itself: its input is a StepInput,
// sampled from the keyboard and mouse or taken from a demo, so that feeding
// the same inputs to the same stage reproduces every step.
#ifndef VELLIN_PHYSICS_H
#define VELLIN_PHYSICS_H

#include <cstdint>

// The keys a step tests, one bit each in StepInput::keys.
enum StepKey : std::uint16_t {
    kStepLeft = 1 << 0,
    kStepRight = 1 << 1,
    kStepUp = 1 << 2,
    kStepDown = 1 << 3,
    kStepJump = 1 << 4,    // X
    kStepAim = 1 << 5,     // Z
    kStepCamera = 1 << 6,  // U: flips the free camera
    kStepReset = 1 << 7,   // Y: back to height 0
    kStepForward = 1 << 8,
    kStepBack = 1 << 9,
    kStepStrafeLeft = 1 << 10,
    kStepStrafeRight = 1 << 11,
};
constexpr std::uint16_t kStepKeyMask = (1 << 12) - 1;

struct StepInput {
    std::uint16_t keys;     // StepKey bits held during the step
    std::int16_t mickey_x;  // horizontal mouse motion; read only by the free camera
    std::int16_t mouse_y;   // pointer row; read only by the free camera
};

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
