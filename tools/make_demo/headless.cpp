#include "headless.h"

#include <cstdlib>
#include <cstring>

#include "level/level.h"
#include "model/model.h"
#include "state/state.h"
#include "shell/physics.h"
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
    ludz.AdvanceFrame(-ludz.frame);
    place_player_at_start();
}
