// The X11 side of the window opening (window.cpp only): what Allegro and
// AllegroGL leave to the program.
#ifndef VELLIN_WINDOW_X11_H
#define VELLIN_WINDOW_X11_H

// The window icon, decoded from packaging/icons/ at build time, as the
// _NET_WM_ICON property holds it: width, height, then the pixels as 0xAARRGGBB.
extern const unsigned long kWindowIcon[];
extern const long kWindowIconLength;

// Names the window's class (the instance is `program`, the class the same
// with a capital first letter) for windows created from now on.
void name_window_class(const char* program);

// Tells the desktop whose window it is (_NET_WM_PID, WM_CLIENT_MACHINE) and
// gives it the icon.
void describe_window();
// The window's title, as the desktop shows it ("Vellin - Steps").
void name_window(const char* title);

// Asks the desktop for the window without borders, over everything, at the
// screen's corner: full screen without touching the display's mode.
void make_window_borderless();

// Changes the window to `width` by `height`: full screen (borderless, at the
// screen's corner, and the window manager asked for its full-screen state) or
// a decorated window. Waits up to two seconds for the size to take; false
// when it did not (no window, or the window manager kept another size). The
// size the window has then is `got_width` by `got_height`.
bool resize_window(int width, int height, bool full, int* got_width, int* got_height);

// Moves the pointer to (x, y) of the window.
void put_pointer(int x, int y);

// True when `name` is a whole word of a space-separated extension list
// (GLX_EXT_swap_control is a prefix of GLX_EXT_swap_control_tear).
bool extension_offered(const char* list, const char* name);

// Sets the swap interval of the current drawable through GLX_EXT_swap_control
// or GLX_MESA_swap_control; does nothing where neither is offered.
void set_swap_interval(int interval);

#endif
