// Time trial's steps: the player's run, its demo, the ghost and the best.
#include "shell/trial_play.h"

#include <cstdio>
#include <cstring>
#include <utility>

#include "demo/demo.h"
#include "input/settings.h"
#include "level/level.h"
#include "model/model.h"
#include "state/state.h"
#include "trial/trial.h"

bool ghost_shown = true;

namespace {

bool on;
bool keep_files;
unsigned int run_seed;
char record_file[4096];  // "" when the best runs cannot be kept
char demo_stage[kDemoStageNameSize];
std::uint32_t demo_hash;

TrialRun run;
Demo run_demo;     // this run's steps so far; stops growing at the finish
long frame_count;  // steps of this frame, for run_demo.frame_steps
bool too_long;     // the run outgrew its buffers: it cannot become the best

Demo best;
TrialTimes times_of_best;
PlayerState ghost;
std::size_t ghost_next;

// A demo file of the longest run, frames of one step at worst.
constexpr std::size_t kRunBytesMax =
    kDemoHeaderMax + kMaxRunSteps * (2 + kDemoStepBytes) + kDemoEndBytes + kDemoChecksumBytes;
unsigned char run_bytes[kRunBytesMax];

void begin_run() {
    trial_begin(&run);
    restore_player(opening_state());
    run_demo.steps.clear();
    run_demo.frame_steps.clear();
    frame_count = 0;
    too_long = false;
    ghost = opening_state();
    ghost_next = 0;
}

// The run's demo as the file's bytes, into run_bytes; its size.
std::size_t encode_run() {
    std::size_t n = put_demo_header(kDemoVersion, run_demo.seed, run_demo.stage,
                                    run_demo.layer_hash, tile_layer, run_bytes);
    std::size_t step = 0;
    for (std::uint16_t steps : run_demo.frame_steps) {
        n += put_demo_frame(steps, run_bytes + n);
        for (int i = 0; i < steps; ++i) {
            n += put_demo_step(run_demo.steps[step++], run_bytes + n);
        }
    }
    const std::uint32_t sum = demo_checksum(kDemoChecksumStart, run_bytes, n);
    n += put_demo_end(kDemoVersion, static_cast<std::uint32_t>(run_demo.frame_steps.size()),
                      static_cast<std::uint32_t>(step), sum, run_bytes + n);
    return n;
}

void add_frame(long steps) {
    while (steps > 0) {
        const long part = steps < kMaxStepsPerFrame ? steps : kMaxStepsPerFrame;
        run_demo.frame_steps.push_back(static_cast<std::uint16_t>(part));
        steps -= part;
    }
}

// The finished run becomes the best when it is faster and its demo replays
// to the same finish; written to the records folder when it can be.
void offer_run() {
    if (too_long) {
        std::fprintf(stderr, "vellin: a run this long is not kept as the best\n");
        return;
    }
    add_frame(frame_count);
    frame_count = 0;
    const long replayed = replay_times(run_demo).finish;
    if (!replaces_best(run.times.finish, replayed, times_of_best.finish)) {
        return;
    }
    if (keep_files && record_file[0] != '\0') {
        const std::size_t size = encode_run();
        write_record(record_file, run_bytes, size, stderr);
    }
    std::swap(best, run_demo);  // the buffers trade places: nothing is allocated
    times_of_best = replay_times(best);
}

}  // namespace

TrialTimes replay_times(const Demo& demo) {
    TrialRun replay;
    trial_begin(&replay);
    PlayerState state = opening_state();
    for (const StepInput& in : demo.steps) {
        step_other(&state, in);
        if (trial_step(&replay, nullptr, state.pos[0], state.pos[1]) || replay.finished) {
            break;  // a run that fell off has no finish in it
        }
    }
    return replay.times;
}

void start_trial(unsigned int seed, bool records) {
    on = true;
    ghost_shown = settings.ghost != 0;
    keep_files = records;
    run_seed = seed;
    demo_stage_name(stage_name[0] != '\0' ? stage_name : "jungle", demo_stage);
    demo_hash = stage_hash(tile_layer);
    for (Demo* d : {&run_demo, &best}) {
        *d = Demo{};
        d->seed = seed;
        d->has_codes = true;
        std::memcpy(d->codes, tile_layer, sizeof d->codes);
        std::snprintf(d->stage, sizeof d->stage, "%s", demo_stage);
        d->layer_hash = demo_hash;
        d->steps.reserve(kMaxRunSteps);
        d->frame_steps.reserve(kMaxRunSteps);
    }
    times_of_best = TrialTimes{};
    record_file[0] = '\0';
    if (records && !record_path(demo_stage, demo_hash, record_file, sizeof record_file)) {
        std::fprintf(stderr,
                     "vellin: no data folder for the best runs: they are kept for this session\n");
        record_file[0] = '\0';
    }
    if (record_file[0] != '\0') {
        Demo read;
        if (read_record(record_file, demo_hash, &read, stderr) == RecordRead::kRead &&
            read.steps.size() <= best.steps.capacity() &&
            read.frame_steps.size() <= best.frame_steps.capacity()) {
            best.steps.assign(read.steps.begin(), read.steps.end());
            best.frame_steps.assign(read.frame_steps.begin(), read.frame_steps.end());
            times_of_best = replay_times(best);
            if (times_of_best.finish < 0) {
                std::fprintf(stderr, "vellin: best run %s does not finish; not taken as the best\n",
                             record_file);
                best.steps.clear();
                best.frame_steps.clear();
                times_of_best = TrialTimes{};
            }
        }
    }
    begin_run();
}

void stop_trial() {
    on = false;
}

bool trial_on() {
    return on;
}

void trial_physics(const StepInput& given) {
    StepInput in = given;
    if ((in.keys & (kStepRestart | kStepReset)) != 0) {
        begin_run();
        in.keys &= static_cast<std::uint16_t>(~(kStepRestart | kStepReset));
    }
    physics(in);
    if (!run.finished) {
        if (run_demo.steps.size() < run_demo.steps.capacity()) {
            run_demo.steps.push_back(in);
            ++frame_count;
        } else {
            too_long = true;
        }
    }
    if (ghost_next < best.steps.size()) {
        step_other(&ghost, best.steps[ghost_next++]);
    }
    const bool was_finished = run.finished;
    if (trial_step(&run, times_of_best.finish >= 0 ? &times_of_best : nullptr, ludz.pos[0],
                   ludz.pos[1])) {
        begin_run();
        return;
    }
    if (run.finished && !was_finished) {
        offer_run();
    }
}

void trial_frame_done() {
    if (!run.finished && !too_long) {
        add_frame(frame_count);
    }
    frame_count = 0;
}

const TrialRun& trial_run() {
    return run;
}

const TrialTimes& best_times() {
    return times_of_best;
}

const Demo& best_run() {
    return best;
}

bool ghost_state(PlayerState* out) {
    if (!on || !ghost_shown || best.steps.empty()) {
        return false;
    }
    *out = ghost;
    return true;
}
