// A run against the clock, without devices, physics or drawing: the clock
// counted in steps, the finish, the fall that starts the run again, the
// splits and the comparison with the best run; and where each stage's best
// run is kept, as a demo. The shell steps the physics and feeds each step's
// position in. The best run's times are never stored: they are what
// replaying its demo through the same model gives.
#ifndef VELLIN_TRIAL_H
#define VELLIN_TRIAL_H

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "demo/demo.h"
#include "state/state.h"

constexpr int kSplitCount = 3;
constexpr int kSplitColumns[kSplitCount] = {25, 50, 75};  // map columns
// Steps under the layer's bottom edge before a fallen run starts again.
constexpr long kFallRestartSteps = 2L * kStepsPerSecond;
constexpr long kNoteSteps = 2L * kStepsPerSecond;  // a split or the fall's word shows this long
// The longest run kept as a demo: 30 minutes. A longer one still finishes
// and shows its time, but cannot become the best.
constexpr long kMaxRunSteps = 30L * 60 * kStepsPerSecond;
constexpr std::size_t kClockTextSize = 24;

// "M:SS.mmm": steps / 120 s, the milliseconds cut toward zero (a step is
// 8 1/3 ms), minutes past 59 as they come. A negative count is shown as 0.
void format_clock(long steps, char out[kClockTextSize]);
// The difference to the best: "-S.mmm" ahead, "+S.mmm" behind, "M:SS.mmm"
// after the sign once it reaches a minute; "+0.000" level.
void format_difference(long steps, char out[kClockTextSize]);

// Steps at which a run passed each split column and reached the finish; -1
// where it did not.
struct TrialTimes {
    long splits[kSplitCount] = {-1, -1, -1};
    long finish = -1;
};

enum class TrialNote { kNone, kSplit, kFellOff, kFinished };

struct TrialRun {
    long steps = 0;  // steps since the run began; stops at the finish
    bool finished = false;
    long below = 0;  // steps in a row under the layer
    int splits_passed = 0;
    TrialTimes times;
    // What the screen says, and for how many more steps (the finish's stays).
    TrialNote note = TrialNote::kNone;
    long note_left = 0;
    long difference = 0;          // the note's steps against the best
    bool has_difference = false;  // false when there is no best to compare with
};

// A new run from its first step; the note of the one before (a fall's word)
// is kept showing.
void trial_begin(TrialRun* run);
// After each physics step, with the trooper's position; `best` (null when
// there is none) is what the splits and the finish are compared with. Returns
// true when the run fell off: the caller puts the trooper back at the start,
// and the run has begun again.
bool trial_step(TrialRun* run, const TrialTimes* best, float x, float y);

// A finished run becomes the best only when it is faster than the best (or
// there is none) and replaying its demo reached the finish at the same step.
bool replaces_best(long run_steps, long replayed_steps, long best_steps);

// Where a stage's best run is kept:
// $XDG_DATA_HOME/vellin/records/NAME-HASH.demo, NAME the stage's name with
// every byte but letters, digits, '-', '_' and '.' made '_' ("jungle" for
// none), HASH its stage_hash in eight hex digits. False when there is no
// data folder or the path does not fit.
bool record_path(const char* stage, std::uint32_t hash, char* out, std::size_t size);
enum class RecordRead { kRead, kNone, kSetAside };
// Reads the best run at `path` for the stage whose codes hash to `hash`. A
// file that is there but is not a whole demo of that stage is renamed
// PATH.bad (PATH.bad.1 and on when that is taken: a player's file is never
// deleted) after one line on `err` naming it and why.
RecordRead read_record(const char* path, std::uint32_t hash, Demo* demo, std::FILE* err);
// Writes a demo's bytes as the best run: a new file, flushed, renamed over the
// old one. False after one line on `err` saying why (the old best is as it was).
bool write_record(const char* path, const void* bytes, std::size_t size, std::FILE* err);

#endif
