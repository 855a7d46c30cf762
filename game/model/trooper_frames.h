// The player soldier's animation frames in trooper.txt. The game's physics
// picks frames by these numbers and the asset generator keys the soldier's
// poses at them, so both take them from here. Whole frames of the model file;
// the game holds a model's frame as a float.
#ifndef VELLIN_TROOPER_FRAMES_H
#define VELLIN_TROOPER_FRAMES_H

namespace trooper_frames {

// Poses held while they last.
constexpr int kStandFrame = 483;
constexpr int kStandUpFrame = 488;  // standing with the up key: looking up
constexpr int kCrouchFrame = 498;
constexpr int kFallFrame = 401;
constexpr int kDropFrame = 421;  // the step of a drop through a platform

// The jump loop: it starts at kJumpFirst and moves kJumpFrameStep frames a
// step; past kJumpHigh it steps back by kJumpLength, below kJumpLow it
// restarts. It shows kJumpFirst, kJumpFirst + 2 ... kJumpHigh.
constexpr int kJumpFirst = 502;
constexpr int kJumpLow = 501;
constexpr int kJumpHigh = 600;
constexpr int kJumpLength = 100;
constexpr int kJumpFrameStep = 2;

// A walking cycle: a frame outside [low, high] restarts it at `restart`, and
// the step then moves on one frame, so it shows restart + 1 ... high + 1.
struct Cycle {
    int low, high, restart;
};
constexpr Cycle kWalkCycle{361, 480, 362};
constexpr Cycle kWalkZCycle{1, 120, 2};  // walking with the aim key
constexpr Cycle kWalkUpCycle{121, 240, 122};
constexpr Cycle kWalkDownCycle{241, 360, 242};

constexpr int first_shown(const Cycle& c) {
    return c.restart + 1;
}
constexpr int last_shown(const Cycle& c) {
    return c.high + 1;
}
// Frames in one turn of the cycle.
constexpr int cycle_period(const Cycle& c) {
    return last_shown(c) - first_shown(c) + 1;
}

}  // namespace trooper_frames

#endif
