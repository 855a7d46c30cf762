// vellin-view FILE: shows a text model file as the game draws it, in a window
// of its own, with its frames, its skeleton and its triangles.
#include <allegro.h>
#include <alleggl.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "cmdline/cmdline.h"
#include "picture/picture.h"
#include "shell/quit_signals.h"
#include "shell/shell.h"
#include "shell/window.h"
#include "viewer.h"
#include "window_title.h"

namespace {

constexpr int kTitleSize = 512;
constexpr int kPixelsPerZoomClick = 20;  // right-drag distance worth one wheel click

struct Options {
    const char* path = nullptr;
    int fullscreen = 0;
    int range[2] = {0, INT_MAX};  // first and last frame; the last is cut to the model's
    int frames = 0;               // 1 when --frames was given
};
Options args;

// A frame number of digits only, within an int (sscanf's %d is undefined
// past INT_MAX); *end is left on the first character after it.
bool parse_frame(const char* text, const char** end, int* frame) {
    long value = 0;
    const char* p = text;
    for (; *p >= '0' && *p <= '9'; ++p) {
        value = value * 10 + (*p - '0');
        if (value > INT_MAX)
            return false;
    }
    *end = p;
    *frame = static_cast<int>(value);
    return p != text;
}

// "FIRST-LAST" into range[2].
bool parse_range(const char* text, void* target) {
    int* range = static_cast<int*>(target);
    const char* p = nullptr;
    return parse_frame(text, &p, &range[0]) && *p == '-' && parse_frame(p + 1, &p, &range[1]) &&
           *p == '\0' && range[0] <= range[1];
}

const CmdOption kOptions[] = {
    cmd_custom("--frames", "FIRST-LAST", args.range, parse_range,
               "two frame numbers FIRST-LAST, FIRST not after LAST", &args.frames,
               "the range Space plays (default: every frame)"),
    cmd_flag("--fullscreen", &args.fullscreen, 1, "full screen instead of a window"),
    cmd_flag("--windowed", &args.fullscreen, 0, "in a window (the default)"),
};

const CmdLine kLine = {
    "vellin-view",
    "[OPTION]... FILE",
    "Shows a text model file as the game draws it.\n",
    kOptions,
    sizeof kOptions / sizeof kOptions[0],
    "FILE",
    1,
    1,
    "Mouse: drag to turn the model, wheel or right-drag to zoom. Keys: Left and\n"
    "Right step a frame, Space plays the range at 120 frames a second, [ and ]\n"
    "set its first and last frame, B shows the skeleton, W the wireframe, F12\n"
    "saves a screenshot, Escape quits.\n"
    "\n"
    "Exit status: 0 after Escape, 1 when the file cannot be shown or the\n"
    "display cannot be opened, 2 when the command line is wrong.\n",
};

// The game's window and input, and its 120 Hz step counter.
void start(bool fullscreen) {
    open_game_window("vellin-view", fullscreen ? 1 : 0, 1, 1);
    catch_quit_signals();
    install_keyboard();
    install_mouse();
    install_timer();
    install_int_ex(timer, BPS_TO_TIMER(kStepsPerSecond));
    init_render_state();
    // The stage's fog would darken a model zoomed out to the distance of the
    // game's background; the viewer shows the model alone.
    glDisable(GL_FOG);
}

// The window title says what is shown; it is set again only when it changes.
void show_title(const Viewer& v, const char* path) {
    static char title[kTitleSize], shown[kTitleSize];
    int n =
        std::snprintf(title, sizeof title, "vellin-view: %s: frame %d/%d", path, v.frame, v.total);
    if (n > 0 && n < kTitleSize && (v.first != 0 || v.last != v.total || v.playing)) {
        std::snprintf(title + n, sizeof title - n, ", %s %d-%d", v.playing ? "playing" : "range",
                      v.first, v.last);
    }
    if (std::strcmp(title, shown) != 0) {
        std::memcpy(shown, title, sizeof title);
        set_view_title(title);
    }
}

// Keys from the buffer, so that a tap between two frames still counts.
// False on Escape.
bool handle_keys(Viewer& v, bool* screenshot) {
    while (keypressed()) {
        switch (readkey() >> 8) {
            case KEY_ESC:
                return false;
            case KEY_LEFT:
                v.playing = false;
                step_frames(v, -1);
                break;
            case KEY_RIGHT:
                v.playing = false;
                step_frames(v, 1);
                break;
            case KEY_SPACE:
                v.playing = !v.playing;
                break;
            case KEY_OPENBRACE:
                v.first = v.frame;
                v.last = v.last < v.first ? v.total : v.last;
                break;
            case KEY_CLOSEBRACE:
                v.last = v.frame;
                v.first = v.first > v.last ? 0 : v.first;
                break;
            case KEY_B:
                v.skeleton = !v.skeleton;
                break;
            case KEY_W:
                v.wireframe = !v.wireframe;
                break;
            case KEY_F12:
                *screenshot = true;
                break;
            default:
                break;
        }
    }
    return !key[KEY_ESC];
}

// Left-drag turns the model; the wheel and right-drag zoom.
void handle_mouse(Viewer& v) {
    static int last_x = mouse_x, last_y = mouse_y, last_z = mouse_z;
    const int dx = mouse_x - last_x, dy = mouse_y - last_y, dz = mouse_z - last_z;
    last_x = mouse_x;
    last_y = mouse_y;
    last_z = mouse_z;
    if (mouse_b & 1) {
        orbit(v, dx, dy);
    }
    static int drag = 0;  // right-drag pixels not yet turned into zoom
    drag = mouse_b & 2 ? drag - dy : 0;
    zoom(v, dz + drag / kPixelsPerZoomClick);
    drag %= kPixelsPerZoomClick;
}

Viewer viewer;

}  // namespace

int main(int argc, char** argv) {
    report_program = kLine.program;
    std::vector<const char*> files(argc);
    const int status = parse_command_line(kLine, argc, argv, files.data(), nullptr, stdout, stderr);
    if (status >= 0) {
        return status;
    }
    args.path = files[0];
    const int first = args.range[0], last = args.range[1];
    // Before any window: a file that cannot be shown is said in one line.
    const char* problem = model_problem(args.path);
    if (problem != nullptr) {
        std::fprintf(stderr, "vellin-view: %s: %s\n", args.path, problem);
        return 1;
    }
    hold_quit_signals();
    start(args.fullscreen != 0);
    if (!open_model(viewer, args.path, first, last)) {
        std::fprintf(stderr, "vellin-view: %s: can no longer be read\n", args.path);
        return 1;
    }
    report_read_stop(args.path);
    // A range that does not fit the model is said once, as it is changed.
    if (args.frames && first > viewer.total) {
        std::fprintf(stderr,
                     "vellin-view: %s: --frames %d-%d is past the model's last frame, %d: the "
                     "range is every frame\n",
                     args.path, first, last, viewer.total);
    } else if (args.frames && last != viewer.last) {
        std::fprintf(stderr,
                     "vellin-view: %s: --frames %d-%d cut to %d-%d: the model's last frame is %d\n",
                     args.path, first, last, viewer.first, viewer.last, viewer.total);
    }
    bool screenshot = false;
    counter = 0;
    while (handle_keys(viewer, &screenshot) && quit_signal() == 0) {
        handle_mouse(viewer);
        const int steps = counter.exchange(0);
        if (viewer.playing && steps > 0) {
            play_steps(viewer, steps);
        }
        show_title(viewer, args.path);
        draw_view(viewer);
        if (screenshot) {
            take_screenshot();
            screenshot = false;
        }
        allegro_gl_flip();
    }
    if (quit_signal() != 0) {
        allegro_exit();
        reraise_quit_signal();
    }
    return 0;
}
END_OF_MAIN()
