// Kept apart: Xlib's headers define names (None, Bool, Status) that clash
// with ordinary code.
#include "window_title.h"

#include <allegro.h>
#include <xalleg.h>

void set_view_title(const char* title) {
    set_window_title(title);
    // Allegro names its own managed window; AllegroGL draws into a window of
    // its own, which set_window_title does not reach.
    if (_xwin.display != nullptr && _xwin.window != None && _xwin.window != _xwin.wm_window) {
        XLOCK();
        XStoreName(_xwin.display, _xwin.window, title);
        XFlush(_xwin.display);
        XUNLOCK();
    }
}
