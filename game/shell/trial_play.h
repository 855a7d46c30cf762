// Time trial in the game: the run's steps fed to the run model and kept as a
// demo, the best run replayed beside them as a ghost, and a finished run
// made the stage's best once its demo has replayed to the same finish. The
// buffers are made when time trial starts; nothing here allocates per step.
#ifndef VELLIN_TRIAL_PLAY_H
#define VELLIN_TRIAL_PLAY_H

#include "demo/demo.h"
#include "shell/physics.h"
#include "trial/trial.h"

// The times of a demo's run: its steps from the opening state through the
// same physics and run model, stopping at its finish (times.finish -1 when
// it has none). The player is as he was after it.
TrialTimes replay_times(const Demo& demo);

// Time trial on, on the stage in play: reads its best run (a damaged one is
// set aside) and begins a run at the start. `records` false keeps the best
// runs for the session only (tests).
void start_trial(unsigned int seed, bool records = true);
void stop_trial();
bool trial_on();
// One step of time trial on the player's input: Back to the start (and Y,
// which would lift a fallen trooper back onto the stage) begin the run again
// instead; two seconds under the stage do too.
void trial_physics(const StepInput& in);
// After the frame's steps: their count into the run's demo.
void trial_frame_done();

const TrialRun& trial_run();
// The best run's times ({-1...} with none) and its demo.
const TrialTimes& best_times();
const Demo& best_run();
// The ghost: the best run's steps taken so far, as many as the run's. False
// when there is no best or the ghost setting hides it.
bool ghost_state(PlayerState* out);
extern bool ghost_shown;  // the ghost setting; on unless turned off

#endif
