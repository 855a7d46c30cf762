// The game's window: Allegro, AllegroGL and the OpenGL mode.
#include "shell/window.h"

#include <allegro.h>
#include <alleggl.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>

#include "input/input.h"
#include "shell/window_x11.h"
#include "state/state.h"

int picture_top = 0;

namespace {

constexpr int kPictureWidth = 640, kPictureHeight = 480;

// Set from Allegro's display-switch callbacks, on its own thread.
std::atomic<bool> switched_out{false};
std::atomic<bool> switched_in{false};

void note_switch_out() {
    switched_out.store(true);
}

void note_switch_in() {
    switched_in.store(true);
}

// Without a display or an OpenGL mode nothing below can work: say why and stop.
[[noreturn]] void fail_start(const char* program, const char* what) {
    const char* display = std::getenv("DISPLAY");
    if (allegro_error[0] != '\0') {
        std::fprintf(stderr, "%s: %s: %s\n", program, what, allegro_error);
    } else if (display == nullptr || display[0] == '\0') {
        std::fprintf(stderr, "%s: %s: no display: DISPLAY is not set\n", program, what);
    } else {
        std::fprintf(stderr, "%s: %s: no display or graphics driver available at DISPLAY=%s\n",
                     program, what, display);
    }
    std::exit(1);
}

}  // namespace

bool set_window_mode(int, int) {
    return false;  // not yet: the window is made once, at start-up
}

void handle_window_keys() {}

// AllegroGL's own full screen needs the XF86VidMode extension and always
// switches the display to a mode of the size asked for; a window of the
// desktop's size, without borders, keeps the mode as the player has it.
void open_game_window(const char* program, int fullscreen, int scale, int vsync) {
    if (allegro_init() != 0) {
        fail_start(program, "cannot initialise Allegro");
    }
    name_window_class(program);
    if (install_allegro_gl() != 0) {
        fail_start(program, "cannot initialise AllegroGL");
    }
    scale = std::clamp(scale, 1, kMaxWindowScale);
    int width = kPictureWidth * scale, height = kPictureHeight * scale;
    allegro_gl_clear_settings();
    allegro_gl_set(AGL_COLOR_DEPTH, 16);
    allegro_gl_set(AGL_Z_DEPTH, 16);
    allegro_gl_set(AGL_WINDOWED, TRUE);
    allegro_gl_set(AGL_DOUBLEBUFFER, TRUE);
    allegro_gl_set(AGL_SUGGEST, AGL_COLOR_DEPTH | AGL_Z_DEPTH | AGL_DOUBLEBUFFER | AGL_WINDOWED);
    set_color_depth(16);
    // Full screen when it can be had, else the window.
    int desktop_width = 0, desktop_height = 0;
    const bool full = fullscreen != 0 &&
                      get_desktop_resolution(&desktop_width, &desktop_height) == 0 &&
                      desktop_width > 0 && desktop_height > 0 &&
                      set_gfx_mode(GFX_OPENGL_WINDOWED, desktop_width, desktop_height, 0, 0) == 0;
    if (full) {
        width = desktop_width;
        height = desktop_height;
        make_window_borderless();
    } else if (set_gfx_mode(GFX_OPENGL_WINDOWED, width, height, 0, 0) != 0) {
        fail_start(program, "cannot set an OpenGL mode");
    }
    describe_window();
    if (vsync >= 0) {
        set_swap_interval(vsync);
    }

    // The largest 4:3 picture the window holds, centred; the clear colour
    // leaves the rest black.
    const int picture_width = std::min(width, height * kPictureWidth / kPictureHeight);
    const int picture_height = picture_width * kPictureHeight / kPictureWidth;
    glViewport((width - picture_width) / 2, (height - picture_height) / 2, picture_width,
               picture_height);
    line_scale = static_cast<float>(picture_height) / kPictureHeight;
    picture_top = (height - picture_height) / 2;
}

void watch_focus() {
    set_display_switch_mode(SWITCH_BACKGROUND);
    set_display_switch_callback(SWITCH_OUT, note_switch_out);
    set_display_switch_callback(SWITCH_IN, note_switch_in);
}

bool focus_lost() {
    return switched_out.exchange(false) && !window_has_focus();
}

bool focus_returned() {
    return switched_in.exchange(false);
}
