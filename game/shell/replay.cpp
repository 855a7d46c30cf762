// Demos replayed without a window, for --verify and the time trial.
#include "shell/replay.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "demo/demo.h"
#include "level/level.h"
#include "model/model.h"
#include "shell/physics.h"
#include "shell/shell.h"

static_assert(kDemoMapRows == kMapRows && kDemoMapColumns == kMapColumns,
              "a demo holds the stage's whole layer");

namespace {

// The player as start-up leaves him: the frame his model file names, no
// flag set, the camera at rest, dropping in at the start.
void open_player() {
    std::memset(campos, 0, sizeof campos);
    std::memset(camang, 0, sizeof camang);
    down = fall = direction = debcam = 0;
    mx = 0;
    if (ludz.model != nullptr) {
        ludz.AdvanceFrame(static_cast<float>(ludz.model->frame) - ludz.frame);
    }
    place_player_at_start();
}

}  // namespace

void generate_stage(unsigned int seed) {
    clear_level();
    std::srand(seed);
    generate_wall();
    generate_trees();
    generate_bridges();
}

ReplayResult replay_demo(const Demo& demo) {
    open_player();
    ReplayResult result{false, demo.steps.size(), ludz.pos[0]};
    std::size_t run_start = 0;
    for (std::size_t i = 0; i < demo.steps.size(); ++i) {
        const StepInput& in = demo.steps[i];
        if (in.keys & kStepRestart) {  // the clock starts again with this step
            run_start = i;
        }
        physics(in);
        if (!below_layer(ludz.pos[1]) && ludz.pos[0] > result.furthest_x) {
            result.furthest_x = ludz.pos[0];
        }
        if (at_finish(ludz.pos[0], ludz.pos[1])) {
            result.finished = true;
            result.steps = i + 1 - run_start;
            break;
        }
    }
    return result;
}

void pose_nothing(cModel* model) {
    std::free(model->xforms);  // how SetupBones allocates it
    model->xforms = nullptr;
}

void format_steps_time(std::size_t steps, char out[kClockTextSize]) {
    format_clock(static_cast<long>(steps), out);
}
