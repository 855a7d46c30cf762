// vellin-view FILE: shows a text model file as the game draws it, in a window
// of its own, with its frames, its skeleton and its triangles.
#include <allegro.h>
#include <alleggl.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "picture/picture.h"
#include "shell/quit_signals.h"
#include "shell/shell.h"
#include "shell/window.h"
#include "viewer.h"
#include "window_title.h"

namespace {

const char kUsage[] =
    "Usage: vellin-view [--fullscreen] [--frames FIRST-LAST] FILE\n"
    "Shows a text model file as the game draws it.\n"
    "\n"
    "  --frames FIRST-LAST  the range Space plays (default: every frame)\n"
    "  --fullscreen         full screen instead of a window\n"
    "  --windowed           in a window (the default)\n"
    "  -h, --help           print this help\n"
    "\n"
    "Mouse: drag to turn the model, wheel or right-drag to zoom. Keys: Left and\n"
    "Right step a frame, Space plays the range at 120 frames a second, [ and ]\n"
    "set its first and last frame, B shows the skeleton, W the wireframe, F12\n"
    "saves a screenshot, Escape quits.\n"
    "\n"
    "Exit status: 0 after Escape, 1 when the file cannot be shown or the\n"
    "display cannot be opened, 2 when the command line is wrong.\n";

constexpr int kTitleSize = 512;
constexpr int kPixelsPerZoomClick = 20;  // right-drag distance worth one wheel click

struct Options {
    const char* path = nullptr;
    bool fullscreen = false;
    int first = 0;
    int last = INT_MAX;   // cut to the model's last frame
    bool frames = false;  // --frames was given
};

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

bool parse_range(const char* text, int* first, int* last) {
    const char* p = nullptr;
    return parse_frame(text, &p, first) && *p == '-' && parse_frame(p + 1, &p, last) &&
           *p == '\0' && *first <= *last;
}

// -1 to go on, else the exit status after printing the help or why not.
int parse(int argc, char** argv, Options* o) {
    bool options = true;
    for (int i = 1; i < argc; i++) {
        const char* arg = argv[i];
        if (options && arg[0] == '-' && arg[1] != '\0') {
            if (std::strcmp(arg, "--") == 0) {
                options = false;
            } else if (std::strcmp(arg, "-h") == 0 || std::strcmp(arg, "--help") == 0) {
                std::fputs(kUsage, stdout);
                return 0;
            } else if (std::strcmp(arg, "--fullscreen") == 0 ||
                       std::strcmp(arg, "--windowed") == 0) {
                o->fullscreen = arg[2] == 'f';
            } else if (std::strcmp(arg, "--frames") == 0 && i + 1 < argc &&
                       parse_range(argv[i + 1], &o->first, &o->last)) {
                o->frames = true;
                i++;
            } else {
                std::fprintf(stderr, "vellin-view: bad option %s\n%s", arg, kUsage);
                return 2;
            }
        } else if (o->path == nullptr) {
            o->path = arg;
        } else {
            std::fprintf(stderr, "vellin-view: one file at a time\n%s", kUsage);
            return 2;
        }
    }
    if (o->path == nullptr) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    return -1;
}

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
    Options o;
    const int status = parse(argc, argv, &o);
    if (status >= 0) {
        return status;
    }
    // Before any window: a file that cannot be shown is said in one line.
    const char* problem = model_problem(o.path);
    if (problem != nullptr) {
        std::fprintf(stderr, "vellin-view: %s: %s\n", o.path, problem);
        return 1;
    }
    unblock_quit_signals();
    start(o.fullscreen);
    if (!open_model(viewer, o.path, o.first, o.last)) {
        std::fprintf(stderr, "vellin-view: %s: can no longer be read\n", o.path);
        return 1;
    }
    // A range that does not fit the model is said once, as it is changed.
    if (o.frames && o.first > viewer.total) {
        std::fprintf(stderr,
                     "vellin-view: %s: --frames %d-%d is past the model's last frame, %d: the "
                     "range is every frame\n",
                     o.path, o.first, o.last, viewer.total);
    } else if (o.frames && o.last != viewer.last) {
        std::fprintf(stderr,
                     "vellin-view: %s: --frames %d-%d cut to %d-%d: the model's last frame is %d\n",
                     o.path, o.first, o.last, viewer.first, viewer.last, viewer.total);
    }
    bool screenshot = false;
    counter = 0;
    while (handle_keys(viewer, &screenshot) && quit_signal() == 0) {
        handle_mouse(viewer);
        const int steps = counter.exchange(0);
        if (viewer.playing && steps > 0) {
            play_steps(viewer, steps);
        }
        show_title(viewer, o.path);
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
