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

void make_window_borderless() {
    XLOCK();
    Display* d = _xwin.display;
    const Window w = _xwin.window;
    if (d != nullptr && w != None) {
        // Motif's hints: the decorations field is given, and is none.
        const long motif[5] = {2, 0, 0, 0, 0};
        const Atom motif_hints = atom("_MOTIF_WM_HINTS");
        XChangeProperty(d, w, motif_hints, motif_hints, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(motif), 5);
        XMoveWindow(d, w, 0, 0);
        // The window is mapped already: the state is asked of the window manager.
        XEvent e;
        std::memset(&e, 0, sizeof e);
        e.xclient.type = ClientMessage;
        e.xclient.window = w;
        e.xclient.message_type = atom("_NET_WM_STATE");
        e.xclient.format = 32;
        e.xclient.data.l[0] = 1;  // add
        e.xclient.data.l[1] = static_cast<long>(atom("_NET_WM_STATE_FULLSCREEN"));
        e.xclient.data.l[3] = 1;  // from an application
        XSendEvent(d, DefaultRootWindow(d), False,
                   SubstructureRedirectMask | SubstructureNotifyMask, &e);
        XFlush(d);
    }
    XUNLOCK();
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
