// One run against the clock, step by step: the splits, the finish and the
// fall that starts it again.
#include "level/level.h"
#include "trial/trial.h"

namespace {

// The note and its difference, `mine` against `best` (-1: none to compare).
void show(TrialRun* run, TrialNote note, long left, long mine, long best) {
    run->note = note;
    run->note_left = left;
    run->has_difference = best >= 0;
    run->difference = best >= 0 ? mine - best : 0;
}

}  // namespace

void trial_begin(TrialRun* run) {
    const TrialNote note = run->note == TrialNote::kFellOff ? run->note : TrialNote::kNone;
    const long left = run->note_left;
    *run = TrialRun{};
    run->note = note;
    run->note_left = note == TrialNote::kNone ? 0 : left;
}

bool trial_step(TrialRun* run, const TrialTimes* best, float x, float y) {
    if (run->note_left > 0 && --run->note_left == 0 && run->note != TrialNote::kFinished) {
        run->note = TrialNote::kNone;
    }
    if (run->finished) {
        return false;
    }
    ++run->steps;
    // A trooper under the layer never finishes and never passes a split.
    if (below_layer(y)) {
        if (++run->below >= kFallRestartSteps) {
            trial_begin(run);
            show(run, TrialNote::kFellOff, kNoteSteps, 0, -1);
            return true;
        }
        return false;
    }
    run->below = 0;
    while (run->splits_passed < kSplitCount && x >= cell_left(kSplitColumns[run->splits_passed])) {
        const int i = run->splits_passed++;
        run->times.splits[i] = run->steps;
        show(run, TrialNote::kSplit, kNoteSteps, run->steps, best ? best->splits[i] : -1);
    }
    if (at_finish(x, y)) {
        run->finished = true;
        run->times.finish = run->steps;
        show(run, TrialNote::kFinished, 0, run->steps, best ? best->finish : -1);
    }
    return false;
}

bool replaces_best(long run_steps, long replayed_steps, long best_steps) {
    return run_steps > 0 && replayed_steps == run_steps &&
           (best_steps < 0 || run_steps < best_steps);
}
