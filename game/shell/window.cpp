// The game's window: Allegro, AllegroGL and the OpenGL mode.
#include "shell/window.h"

#include <allegro.h>
#include <alleggl.h>

#include <cstdio>
#include <cstdlib>

namespace {

// Without a display or an OpenGL mode nothing below can work: say why and stop.
[[noreturn]] void fail_start(const char* program, const char* what) {
    std::fprintf(stderr, "%s: %s: %s\n", program, what,
                 allegro_error[0] ? allegro_error : "no display or graphics driver available");
    std::exit(1);
}

}  // namespace

void open_game_window(const char* program, bool windowed) {
    if (allegro_init() != 0) {
        fail_start(program, "cannot initialise Allegro");
    }
    if (install_allegro_gl() != 0) {
        fail_start(program, "cannot initialise AllegroGL");
    }
    allegro_gl_clear_settings();
    allegro_gl_set(AGL_COLOR_DEPTH, 16);
    allegro_gl_set(AGL_Z_DEPTH, 16);
    // Suggestions only: without full screen AllegroGL falls back to a window.
    const int screen_mode = windowed ? AGL_WINDOWED : AGL_FULLSCREEN;
    allegro_gl_set(screen_mode, TRUE);
    allegro_gl_set(AGL_DOUBLEBUFFER, TRUE);
    allegro_gl_set(AGL_SUGGEST, AGL_COLOR_DEPTH | AGL_Z_DEPTH | AGL_DOUBLEBUFFER | screen_mode);
    set_color_depth(16);
    if (set_gfx_mode(GFX_OPENGL, 640, 480, 0, 0) != 0) {
        fail_start(program, "cannot set an OpenGL mode");
    }
}
