// A stage's best time is never stored: its best run is replayed, on its own
// layer, through the same physics that time trial runs.
#include "shell/stage_best.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "demo/demo.h"
#include "shell/session.h"
#include "shell/trial_play.h"
#include "trial/trial.h"

namespace {

StageFile in_play;  // the layer in play while another stage's run is replayed
Demo record;        // one for every stage of a listing: its buffers are kept

void generate(unsigned int seed) {
    clear_level();
    std::srand(seed);
    generate_wall();
    generate_trees();
    generate_bridges();
}

// The steps of the best run kept under `name`, replayed; -1 without one.
long replayed_best(const char* name, const StageEntry& stage) {
    char kept_as[kDemoStageNameSize];
    demo_stage_name(name, kept_as);
    char path[4096];
    if (!record_path(kept_as, stage.hash, path, sizeof path) || access(path, F_OK) != 0 ||
        read_record(path, stage.hash, &record, stderr) != RecordRead::kRead) {
        return -1;
    }
    const bool elsewhere = stage_hash(tile_layer) != stage.hash;
    const bool jungle = tile_layer == jungle_map0;
    if (elsewhere) {
        std::memcpy(in_play.codes, tile_layer, sizeof in_play.codes);
        use_stage(stage.stage);
        generate(record.seed);  // the seed only places trees, which no step reads
    }
    const long steps = replay_times(record).finish;
    if (elsewhere) {
        if (jungle) {
            tile_layer = jungle_map0;
        } else {
            use_stage(in_play);
        }
        generate(stage_seed);
    }
    return steps;
}

}  // namespace

bool stage_best_time(const StageEntry& stage, char* out, std::size_t size) {
    if (stage.faults != 0) {
        return false;
    }
    // The jungle played without a stage file keeps its runs as "jungle".
    long best = replayed_best(stage.name[0] != '\0' ? stage.name : stage.stem, stage);
    if (stage.hash == stage_hash(jungle_map0)) {
        const long plain = replayed_best("jungle", stage);
        best = best < 0 || (plain >= 0 && plain < best) ? plain : best;
    }
    if (best < 0) {
        return false;
    }
    char clock[kClockTextSize];
    format_clock(best, clock);
    std::snprintf(out, size, "%s", clock);
    return true;
}
