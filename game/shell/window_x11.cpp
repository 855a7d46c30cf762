// Xlib and GLX calls on the window AllegroGL made, under Allegro's X lock:
// Allegro's own thread reads the same display.
#include "shell/window_x11.h"

#include <allegro.h>
#include <xalleg.h>
#include <X11/Xatom.h>
#include <GL/glx.h>
#include <unistd.h>

#include <cctype>
#include <cstring>

namespace {

Atom atom(const char* name) {
    return XInternAtom(_xwin.display, name, False);
}

}  // namespace

bool extension_offered(const char* list, const char* name) {
    const std::size_t n = std::strlen(name);
    for (const char* p = list; (p = std::strstr(p, name)) != nullptr; p += n) {
        if ((p == list || p[-1] == ' ') && (p[n] == ' ' || p[n] == '\0'))
            return true;
    }
    return false;
}

void name_window_class(const char* program) {
    char group[64];
    std::strncpy(group, program, sizeof group - 1);
    group[sizeof group - 1] = '\0';
    group[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(group[0])));
    xwin_set_window_name(program, group);
}

void describe_window() {
    XLOCK();
    Display* d = _xwin.display;
    const Window w = _xwin.window;
    if (d != nullptr && w != None) {
        const unsigned long pid = static_cast<unsigned long>(getpid());
        XChangeProperty(d, w, atom("_NET_WM_PID"), XA_CARDINAL, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(&pid), 1);
        char host[256];
        char* hosts[1] = {host};
        XTextProperty machine;
        if (gethostname(host, sizeof host) == 0) {
            host[sizeof host - 1] = '\0';
            if (XStringListToTextProperty(hosts, 1, &machine) != 0) {
                XSetWMClientMachine(d, w, &machine);
                XFree(machine.value);
            }
        }
        XChangeProperty(d, w, atom("_NET_WM_ICON"), XA_CARDINAL, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(kWindowIcon),
                        static_cast<int>(kWindowIconLength));
        XFlush(d);
    }
    XUNLOCK();
}

namespace {

// Motif's hints: the decorations field is given, and is none. Deleted, the
// window manager decorates as it would any window.
void set_decorations(Display* d, Window w, bool on) {
    const Atom motif_hints = atom("_MOTIF_WM_HINTS");
    if (on) {
        XDeleteProperty(d, w, motif_hints);
        return;
    }
    const long motif[5] = {2, 0, 0, 0, 0};
    XChangeProperty(d, w, motif_hints, motif_hints, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(motif), 5);
}

// The window is mapped already: the state is asked of the window manager.
void ask_fullscreen_state(Display* d, Window w, bool on) {
    XEvent e;
    std::memset(&e, 0, sizeof e);
    e.xclient.type = ClientMessage;
    e.xclient.window = w;
    e.xclient.message_type = atom("_NET_WM_STATE");
    e.xclient.format = 32;
    e.xclient.data.l[0] = on ? 1 : 0;  // add or remove
    e.xclient.data.l[1] = static_cast<long>(atom("_NET_WM_STATE_FULLSCREEN"));
    e.xclient.data.l[3] = 1;  // from an application
    XSendEvent(d, DefaultRootWindow(d), False, SubstructureRedirectMask | SubstructureNotifyMask,
               &e);
}

// A window manager that follows the desktop's conventions names a window of
// its own on the root; without one (a bare X server) nobody reads the hints.
bool window_manager_running(Display* d) {
    const Atom check = atom("_NET_SUPPORTING_WM_CHECK");
    Atom type = None;
    int format = 0;
    unsigned long count = 0, left = 0;
    unsigned char* data = nullptr;
    bool found = false;
    if (XGetWindowProperty(d, DefaultRootWindow(d), check, 0, 1, False, XA_WINDOW, &type, &format,
                           &count, &left, &data) == Success &&
        data != nullptr) {
        found = type == XA_WINDOW && format == 32 && count == 1;
        XFree(data);
    }
    return found;
}

// The window's size now, as the server has it; false when it cannot be read.
bool window_size_now(Display* d, Window w, int* width, int* height) {
    XWindowAttributes a;
    if (XGetWindowAttributes(d, w, &a) == 0)
        return false;
    *width = a.width;
    *height = a.height;
    return true;
}

constexpr int kResizeWaitMs = 2000;  // a window manager may take its time
constexpr int kResizePollMs = 10;

}  // namespace

void make_window_borderless() {
    XLOCK();
    Display* d = _xwin.display;
    const Window w = _xwin.window;
    if (d != nullptr && w != None) {
        set_decorations(d, w, false);
        XMoveWindow(d, w, 0, 0);
        ask_fullscreen_state(d, w, true);
        XFlush(d);
    }
    XUNLOCK();
}

bool resize_window(int width, int height, bool full, int* got_width, int* got_height) {
    XLOCK();
    Display* d = _xwin.display;
    const Window w = _xwin.window;
    if (d == nullptr || w == None) {
        XUNLOCK();
        return false;
    }
    // Allegro fixes the window's size (minimum = maximum): it moves with it.
    XSizeHints hints;
    std::memset(&hints, 0, sizeof hints);
    hints.flags = PMinSize | PMaxSize | PBaseSize;
    hints.min_width = hints.max_width = hints.base_width = width;
    hints.min_height = hints.max_height = hints.base_height = height;
    XSetWMNormalHints(d, w, &hints);
    set_decorations(d, w, !full);
    if (window_manager_running(d))
        ask_fullscreen_state(d, w, full);
    if (full)
        XMoveResizeWindow(d, w, 0, 0, static_cast<unsigned>(width), static_cast<unsigned>(height));
    else
        XResizeWindow(d, w, static_cast<unsigned>(width), static_cast<unsigned>(height));
    XSync(d, False);
    // The next frame must be drawn at the new size: wait for the server to
    // have it (Allegro's thread takes the ConfigureNotify, so it is asked).
    bool took = false;
    for (int waited = 0; waited <= kResizeWaitMs; waited += kResizePollMs) {
        took = window_size_now(d, w, got_width, got_height) && *got_width == width &&
               *got_height == height;
        if (took)
            break;
        XUNLOCK();
        usleep(kResizePollMs * 1000);
        XLOCK();
    }
    if (!window_size_now(d, w, got_width, got_height)) {
        *got_width = width;
        *got_height = height;
    }
    // Allegro warps a grabbed pointer to the window's middle.
    _xwin.window_width = *got_width;
    _xwin.window_height = *got_height;
    XUNLOCK();
    return took;
}

void set_swap_interval(int interval) {
    typedef void (*SwapIntervalExt)(Display*, GLXDrawable, int);
    typedef int (*SwapIntervalMesa)(unsigned int);
    XLOCK();
    Display* d = glXGetCurrentDisplay();
    const GLXDrawable drawable = glXGetCurrentDrawable();
    const char* list = d != nullptr ? glXQueryExtensionsString(d, DefaultScreen(d)) : nullptr;
    const GLubyte* ext_name = reinterpret_cast<const GLubyte*>("glXSwapIntervalEXT");
    const GLubyte* mesa_name = reinterpret_cast<const GLubyte*>("glXSwapIntervalMESA");
    if (list == nullptr || drawable == None) {
        // no GL context: nothing to set
    } else if (extension_offered(list, "GLX_EXT_swap_control")) {
        auto f = reinterpret_cast<SwapIntervalExt>(glXGetProcAddressARB(ext_name));
        if (f != nullptr)
            f(d, drawable, interval);
    } else if (extension_offered(list, "GLX_MESA_swap_control")) {
        auto f = reinterpret_cast<SwapIntervalMesa>(glXGetProcAddressARB(mesa_name));
        if (f != nullptr)
            f(static_cast<unsigned int>(interval));
    }
    XUNLOCK();
}

bool window_has_focus() {
    XLOCK();
    Window focus = None;
    int revert = 0;
    XGetInputFocus(_xwin.display, &focus, &revert);
    bool ours = focus == _xwin.window;
    if (focus == PointerRoot) {
        // The keys go wherever the pointer is.
        Window root, child;
        int root_x, root_y, x, y;
        unsigned int buttons;
        XWindowAttributes size;
        ours = XQueryPointer(_xwin.display, _xwin.window, &root, &child, &root_x, &root_y, &x, &y,
                             &buttons) &&
               XGetWindowAttributes(_xwin.display, _xwin.window, &size) && x >= 0 && y >= 0 &&
               x < size.width && y < size.height;
    }
    XUNLOCK();
    return ours;
}

void name_window(const char* title) {
    // Allegro's set_window_title names its own small window, not the one
    // AllegroGL draws in.
    XLOCK();
    Display* d = _xwin.display;
    const Window w = _xwin.window;
    if (d != nullptr && w != None) {
        XStoreName(d, w, title);
        XChangeProperty(d, w, atom("_NET_WM_NAME"), atom("UTF8_STRING"), 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(title),
                        static_cast<int>(std::strlen(title)));
        XFlush(d);
    }
    XUNLOCK();
}

void put_pointer(int x, int y) {
    XLOCK();
    Display* d = _xwin.display;
    const Window w = _xwin.window;
    if (d != nullptr && w != None) {
        XWarpPointer(d, None, w, 0, 0, 0, 0, x, y);
        XFlush(d);
    }
    XUNLOCK();
}
