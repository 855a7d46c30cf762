// The game's window: Allegro, AllegroGL and the OpenGL mode.
#include "shell/window.h"

#include <allegro.h>
#include <alleggl.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>

#include "input/input.h"
#include "shell/quit_signals.h"
#include "shell/window_x11.h"
#include "state/state.h"

int picture_top = 0;
int window_width = 0, window_height = 0;
bool window_fullscreen = false;

namespace {

constexpr int kPictureWidth = 640, kPictureHeight = 480;

const char* window_program = nullptr;       // set once the window is open
int desktop_width = 0, desktop_height = 0;  // 0 by 0 when Allegro cannot tell

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

// The scale to open a window at: `scale`, or the largest below it that fits
// the desktop, with one line saying so.
int window_scale_for_desktop(int scale) {
    scale = std::clamp(scale, 1, kMaxWindowScale);
    const int fitting = fitting_scale(scale, desktop_width, desktop_height);
    static int said = 0;  // the cut is told once, not at every return to the window
    if (fitting < scale && said != scale) {
        said = scale;
        std::fprintf(stderr,
                     "%s: a window of %d by %d does not fit the %d by %d desktop; using "
                     "scale %d\n",
                     window_program, kPictureWidth * scale, kPictureHeight * scale, desktop_width,
                     desktop_height, fitting);
    }
    return fitting;
}

// The picture in the window; the clear colour leaves the rest black.
void fit_picture(int width, int height) {
    int x = 0, y = 0, picture_width = 0, picture_height = 0;
    picture_rect(width, height, &x, &y, &picture_width, &picture_height);
    // The viewport counts rows from the bottom: the bars are equal, or the top one a row taller.
    glViewport(x, y, picture_width, picture_height);
    line_scale = static_cast<float>(picture_height) / kPictureHeight;
    picture_top = y;
    window_width = width;
    window_height = height;
}

}  // namespace

void picture_rect(int width, int height, int* x, int* y, int* picture_width, int* picture_height) {
    *picture_width = std::min(width, height * kPictureWidth / kPictureHeight);
    *picture_height = *picture_width * kPictureHeight / kPictureWidth;
    *x = (width - *picture_width) / 2;
    *y = (height - *picture_height) / 2;
}

int fitting_scale(int scale, int desktop_w, int desktop_h) {
    if (desktop_w <= 0 || desktop_h <= 0)
        return scale;
    while (scale > 1 && (kPictureWidth * scale > desktop_w || kPictureHeight * scale > desktop_h))
        --scale;
    return scale;
}

int largest_window_scale() {
    return fitting_scale(kMaxWindowScale, desktop_width, desktop_height);
}

bool set_window_mode(int fullscreen, int scale) {
    if (window_program == nullptr)
        return false;
    const bool full = fullscreen != 0;
    if (full && desktop_width <= 0) {
        std::fprintf(stderr, "%s: the desktop's size is unknown: no full screen\n", window_program);
        return false;
    }
    if (!full)
        scale = window_scale_for_desktop(scale);
    const int width = full ? desktop_width : kPictureWidth * scale;
    const int height = full ? desktop_height : kPictureHeight * scale;
    if (full == window_fullscreen && width == window_width && height == window_height)
        return true;
    int got_width = width, got_height = height;
    const bool took = resize_window(width, height, full, &got_width, &got_height);
    if (!took) {
        std::fprintf(stderr, "%s: the window stays %d by %d, not %d by %d\n", window_program,
                     got_width, got_height, width, height);
    }
    // Whatever size the window got, the picture fits it.
    const bool smaller = got_width < window_width || got_height < window_height;
    window_fullscreen = full;
    fit_picture(got_width, got_height);
    set_mouse_range(0, 0, got_width - 1, got_height - 1);
    if (smaller) {
        // Left where it was, the pointer is outside the smaller window.
        put_pointer(got_width / 2, got_height / 2);
        position_mouse(got_width / 2, got_height / 2);
    }
    return took;
}

void handle_window_keys() {
    // Alt held, or pressed since the poll before last: a quick chord can
    // span two polls and be over by the second.
    static bool alt_before = false;
    const bool alt =
        key[KEY_ALT] || key[KEY_ALTGR] || key_pressed(KEY_ALT) || key_pressed(KEY_ALTGR);
    const bool chord = key_pressed(KEY_ENTER) && (alt || alt_before);
    alt_before = alt;
    if (key_pressed(KEY_F11) || chord)
        set_window_mode(!window_fullscreen, settings.scale);
}

// AllegroGL's own full screen needs the XF86VidMode extension and always
// switches the display to a mode of the size asked for; a window of the
// desktop's size, without borders, keeps the mode as the player has it.
void open_game_window(const char* program, int fullscreen, int scale, int vsync) {
    if (allegro_init() != 0) {
        fail_start(program, "cannot initialise Allegro");
    }
    // At once: opening the window can take seconds, and a quit signal now ends
    // the game at its first frame. One that came during allegro_init was held
    // back (hold_quit_signals), away from Allegro's own handlers, which abort.
    catch_quit_signals();
    name_window_class(program);
    if (install_allegro_gl() != 0) {
        fail_start(program, "cannot initialise AllegroGL");
    }
    allegro_gl_clear_settings();
    allegro_gl_set(AGL_COLOR_DEPTH, 16);
    allegro_gl_set(AGL_Z_DEPTH, 16);
    allegro_gl_set(AGL_WINDOWED, TRUE);
    allegro_gl_set(AGL_DOUBLEBUFFER, TRUE);
    allegro_gl_set(AGL_SUGGEST, AGL_COLOR_DEPTH | AGL_Z_DEPTH | AGL_DOUBLEBUFFER | AGL_WINDOWED);
    set_color_depth(16);
    window_program = program;
    if (get_desktop_resolution(&desktop_width, &desktop_height) != 0 || desktop_width <= 0 ||
        desktop_height <= 0) {
        desktop_width = desktop_height = 0;
    }
    // Full screen when it can be had, else the window.
    const bool full = fullscreen != 0 && desktop_width > 0 &&
                      set_gfx_mode(GFX_OPENGL_WINDOWED, desktop_width, desktop_height, 0, 0) == 0;
    int width = desktop_width, height = desktop_height;
    if (full) {
        make_window_borderless();
    } else {
        scale = window_scale_for_desktop(scale);
        width = kPictureWidth * scale;
        height = kPictureHeight * scale;
        if (set_gfx_mode(GFX_OPENGL_WINDOWED, width, height, 0, 0) != 0)
            fail_start(program, "cannot set an OpenGL mode");
    }
    window_fullscreen = full;
    describe_window();
    if (vsync >= 0) {
        set_swap_interval(vsync);
    }
    fit_picture(width, height);
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
