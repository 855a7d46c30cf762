// Replaying a demo without a window: the stage generated from its seed, the
// player as the game opens, then the demo's steps through the game's physics
// until the trooper reaches the finish or the steps run out. Nothing is drawn
// and nothing is heard. --verify confirms a run this way, and the time trial
// checks a best run before it keeps it.
//
// The physics reads the layer's platforms, bridges and extrusion, never the
// wall's random roughening or the trees: the seed changes the picture, not
// where the trooper can go.
#ifndef VELLIN_REPLAY_H
#define VELLIN_REPLAY_H

#include <cstddef>
#include <cstdio>

#include "trial/trial.h"

struct Demo;
class cModel;

struct ReplayResult {
    bool finished;      // the finish was reached
    std::size_t steps;  // the run's steps up to and including the one that
                        // finished it, counted from the last Back to the
                        // start; when not finished, every step of the demo
    float furthest_x;   // the largest x reached within the layer's rows
};

// Generates the stage in play (tile_layer) from `seed` as start-up does, on
// zeroed level arrays; the bridge pieces are placed but not read. Call once
// per stage; the player model (ludz) is read by the caller, once.
void generate_stage(unsigned int seed);
// Runs `demo`'s steps from the start of the stage already generated, the
// player as the game opens him. Leaves the player where the run ended.
ReplayResult replay_demo(const Demo& demo);

// Frees the model's bone poses, which only drawing reads: AdvanceFrame then
// moves the frame as ever but poses nothing, and a replay runs several times
// faster. For a model that will not be drawn again.
void pose_nothing(cModel* model);

// Steps as the time trial's clock shows them (format_clock): M:SS.mmm at 120
// steps a second, the milliseconds cut toward zero, so that --verify and the
// game say the same time for one run.
void format_steps_time(std::size_t steps, char out[kClockTextSize]);

// vellin --verify DEMO...: replays each demo on its stage, the player model
// read from the data directory, and prints one line each on `out`:
//   FILE: finished STAGE in M:SS.mmm (N steps)
//   FILE: did not finish STAGE (furthest x X)
//   FILE: why it was refused (a folder, a fifo, empty, not a demo, cut
//         short, damaged, its stage not found)
// Returns 0 when every demo finished, else 1.
int verify_demos(const char* const* paths, int count, std::FILE* out);

#endif
