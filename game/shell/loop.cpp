// The frame loop: draw the stage from the current state, then run the
// physics steps that the timer has counted (or that the demo being played
// holds), flip, switch the window on F11 or Alt+Enter, pause when asked, and
// stop on Escape (held, or tapped since the last frame), at the end of the
// demo or on a quit signal.
#include <allegro.h>
#include <alleggl.h>

#include <cstdio>

#include "input/input.h"
#include "level/level.h"
#include "render/render.h"
#include "model/model.h"
#include "shell/session.h"
#include "shell/shell.h"
#include "shell/options.h"
#include "shell/physics.h"
#include "shell/trial_draw.h"
#include "shell/trial_play.h"
#include "shell/window.h"

void set_camera() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glPushMatrix();
    multiply_projection();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glPushMatrix();
    glRotatef(camang[0], 1, 0, 0);
    glRotatef(camang[1], 0, 1, 0);
    glRotatef(camang[2], 0, 0, 1);
    glTranslatef(campos[0], campos[1], campos[2]);
}

void begin_frame() {
    set_camera();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glEnable(GL_FOG);
}

void end_frame() {
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glDisable(GL_FOG);
}

// No depth sorting: the blended parts rely on this order.
void draw_stage() {
    draw_wall();
    draw_wall_minus();
    draw_trees();
    draw_palms();
    draw_water();
    draw_bridges();
    ludz.Draw();
    for (int i = 0; i < platcount; ++i) {
        draw_platform(plats[i][0], plats[i][1], plats[i][2]);
        draw_platform_minus(plats[i][0], plats[i][1], plats[i][2]);
    }
    if (trial_on()) {
        draw_ghost();  // see-through: after everything it may stand in front of
    }
}

namespace {

// Time trial takes live play's steps over.
void run_steps() {
    if (!trial_on()) {
        run_frame_steps();
        return;
    }
    while (counter.load() > 0) {
        trial_physics(sample_input());
        counter.fetch_sub(1);
    }
    trial_frame_done();
}

}  // namespace

void play() {
    start_latch();
    if (options.time_trial) {
        // Time trial keeps its own run; a demo recorded or played keeps the
        // session's steps, which the trial would take over.
        if (options.record == nullptr && options.play == nullptr && options.timedemo == nullptr) {
            start_trial(stage_seed);
        } else {
            std::fprintf(stderr,
                         "vellin: --time-trial is ignored: it is for live play, not a demo "
                         "recorded or played\n");
        }
    }
    frames_start();
    do {
        begin_frame();
        draw_stage();

        run_steps();

        end_frame();
        draw_trial_text();
        poll_presses();
        save_pictures();
        const bool pausing = pause_asked();
        allegro_gl_flip();
        frame_shown();
        // After the flip, so that no frame drawn at the old size is shown at the new.
        handle_window_keys();
        if (pausing) {
            pause_game();
        }
    } while (!quit_pressed() && !session_over());
}
