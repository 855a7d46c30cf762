// Switching to another stage in the running game: the level is generated
// again as start-up generates it, the display lists are made again, and the
// trooper drops in at the start. The models and their textures belong to no
// stage and stay as they are.
#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>

#include "level/level.h"
#include "model/model.h"
#include "render/render.h"
#include "shell/physics.h"
#include "shell/session.h"
#include "shell/shell.h"
#include "shell/window_x11.h"

void switch_stage(const StageFile& stage, const char* name) {
    use_stage(stage);
    clear_level();
    // The seed start-up took: a stage played after a switch is the same
    // stage, crowns and ledges alike, as one chosen on the command line.
    std::srand(stage_seed);
    generate_wall();
    generate_trees();
    generate_bridges();
    // Compiling first releases the old stage's lists; immediate mode stays so.
    if (stage_lists_compiled())
        compile_stage_lists();
    glBindTexture(GL_TEXTURE_2D, white);

    // As Back to the start does it, camera included, so that the first frame
    // already shows the new stage's opening.
    place_player_at_start();
    down = fall = direction = 0;
    if (ludz.model != nullptr && ludz.frame != static_cast<float>(ludz.model->frame))
        ludz.AdvanceFrame(static_cast<float>(ludz.model->frame) - ludz.frame);
    if (debcam == 0)
        follow_camera(ludz.pos[0]);
    // The time spent generating is no time the new stage owes steps for.
    counter = 0;

    std::snprintf(stage_name, sizeof stage_name, "%s", stage.name[0] ? stage.name : name);
    char title[kStageNameSize + 16];
    std::snprintf(title, sizeof title, "Vellin - %s", stage_name);
    name_window(title);
}
