// Start-up: Allegro and AllegroGL, input, the 120 Hz timer, the fixed render
// state, the light and fog, then the stage and the models.
#include <allegro.h>
#include <alleggl.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "input/input.h"
#include "level/level.h"
#include "model/model.h"
#include "state/state.h"
#include "render/render.h"
#include "shell/audio.h"
#include "shell/data_dir.h"
#include "shell/options.h"
#include "shell/physics.h"
#include "shell/quit_signals.h"
#include "shell/session.h"
#include "shell/shell.h"
#include "shell/window.h"

namespace {

void init_input_and_timer() {
    catch_quit_signals();  // allegro_init's own handlers abort
    install_keyboard();
    // Without a pad the game plays on the keys and says nothing.
    if (install_pad())
        report_pad(stderr);
    install_mouse();
    install_timer();
    srand(stage_seed);
    LOCK_VARIABLE(counter);
    LOCK_FUNCTION(timer);
    install_int_ex(timer, BPS_TO_TIMER(kStepsPerSecond));
}

}  // namespace

// Fog runs in the driver's default distance mode (absolute eye-plane depth per
// vertex): the water sheet is drawn finely enough for that to be right.
void init_render_state() {
    glClearColor(0, 0, 0, 0);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glEnable(GL_ALPHA_TEST);
    glEnable(GL_FOG);
    glFogf(GL_FOG_MODE, GL_LINEAR);
    glFogf(GL_FOG_DENSITY, 0.02f);
    glFogf(GL_FOG_START, 200.0f);
    glFogf(GL_FOG_END, 350.0f);
    glFogfv(GL_FOG_COLOR, fog);
    glHint(GL_FOG_HINT, GL_NICEST);
    glHint(GL_POLYGON_SMOOTH_HINT, GL_NICEST);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glShadeModel(GL_SMOOTH);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glEnable(GL_COLOR_MATERIAL);

    // The light's direction is fixed relative to the viewer: it is given once,
    // while the modelview matrix is still the identity.
    lpos[0] = -0.5f;
    lpos[1] = -1.0f;
    lpos[2] = 0.5f;
    VERT light = {lpos[0], lpos[1], lpos[2]};
    normalize(&light);
    lpos[0] = light.x;
    lpos[1] = light.y;
    lpos[2] = light.z;
    position[0] = lpos[0];
    position[1] = lpos[1];
    position[2] = lpos[2];
    glLightfv(GL_LIGHT0, GL_AMBIENT, ambientLight);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuseLight);
    glLightfv(GL_LIGHT0, GL_SPECULAR, specularLight);
    glLightfv(GL_LIGHT0, GL_POSITION, position);
    glColorMaterial(GL_FRONT, GL_AMBIENT_AND_DIFFUSE);
}

namespace {

// Untextured geometry issues no texture coordinate and samples the plain
// texture wherever the last model left it; a clamped edge would blend in the
// border colour there, so the white repeats.
void load_white() {
    if (data_missing) {
        return;
    }
    char path[kDataPathSize];
    white = load_texture(data_path(kWhiteTexture, path));
    glBindTexture(GL_TEXTURE_2D, white);
    if (white != 0) {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    }
}

// A model that cannot be read stays empty, one cut short keeps what was read:
// either way the game says so and runs on.
void read_model(cModel& model, const char* path) {
    if (data_missing)
        return;
    if (model.Read(path))
        report_read_stop(path);
    else
        report_data_file(path, std::strerror(errno));
}

}  // namespace

void init_stage() {
    generate_wall();
    generate_trees();
    load_white();

    char path[kDataPathSize];
    read_model(ludz, data_path(kPlayerModel, path));
    for (int i = 0; i < kBridgePieces; ++i)
        read_model(bridge[i], data_path(kBridgeModel, path));
    generate_bridges();
    if (!options.immediate)
        compile_stage_lists();

    // Reading the models bound their textures; the first frame's untextured
    // geometry needs the white.
    glBindTexture(GL_TEXTURE_2D, white);
    place_player_at_start();
}

void init() {
    // A timedemo measures the drawing: it never waits for the display.
    open_game_window("vellin", settings.fullscreen, settings.scale,
                     options.timedemo != nullptr ? 0 : settings.vsync);
    init_input_and_timer();
    init_render_state();
    for (int i = 0; i < 3; ++i)
        campos[i] = camang[i] = 0.0f;
    init_stage();
    init_audio();
    get_mouse_mickeys(&mx, &my);  // discard motion made before the game began
}

// Clean-up is left to Allegro's exit handler and the models' destructors.
void uninit() {}
