#include "headless.h"

#include <cstdlib>
#include <cstring>

#include "level/level.h"
#include "model/model.h"
#include "state/state.h"
#include "shell/shell.h"

bool start_headless(unsigned int seed, const char* player_model) {
    std::srand(seed);
    generate_wall();
    generate_trees();
    if (ludz.Read(player_model) != 1) {
        return false;
    }
    generate_bridges();
    restart_player();
    return true;
}

void restart_player() {
    std::memset(campos, 0, sizeof campos);
    std::memset(camang, 0, sizeof camang);
    down = fall = direction = debcam = 0;
    ludz.pos[0] = 60.0f;
    ludz.pos[1] = 0.0f;
    ludz.pos[2] = 5.0f;
    ludz.rot[0] = ludz.rot[2] = 0.0f;
    ludz.rot[1] = 3.1415927f;
    ludz.fallspeed = 0.1f;
    ludz.scale = kModelScale;
    ludz.AdvanceFrame(-ludz.frame);
    jump = 1;
}
