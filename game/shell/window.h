// The window the game and the viewer draw in.
#ifndef VELLIN_WINDOW_H
#define VELLIN_WINDOW_H

// The double-buffered OpenGL window, or one line "PROGRAM: what failed: why"
// and exit 1. Windowed (fullscreen 0) it is 640 by 480 times `scale` (1 to
// kMaxWindowScale); full screen it is a borderless window of the desktop's
// size, the display's mode untouched, with the 4:3 picture centred between
// black bars. The viewport is the picture, and line_scale its height over
// 480. `vsync` 1 swaps on the display's refresh, 0 never waits, -1 leaves the
// driver's default; where the GL offers no swap control it changes nothing.
// The desktop learns the window's class (PROGRAM), icon, process and machine.
void open_game_window(const char* program, int fullscreen, int scale, int vsync);

// Whether the keys reach the window now. X also reports a focus as lost
// when it only changes hands within the window (from the pointer's to the
// window's own), so a reported loss is checked against this.
bool window_has_focus();
// From now on, notes the window's losing and regaining the keyboard focus;
// the game runs on in the background meanwhile.
void watch_focus();
// True once after the window lost the keyboard focus (and has not got it back).
bool focus_lost();
// True once after the window got the keyboard focus back.
bool focus_returned();

// The largest scale, from `scale` down to 1, whose window of 640 by 480
// times it fits a desktop of `desktop_w` by `desktop_h`; `scale` itself when
// the desktop's size is unknown (0).
int fitting_scale(int scale, int desktop_w, int desktop_h);
// The largest scale whose window fits this desktop (kMaxWindowScale when its
// size is unknown).
int largest_window_scale();

// Changes the open window to full screen (a borderless window of the
// desktop's size) or to a window of 640 by 480 times `scale` (cut to the
// largest that fits the desktop, with one line), keeping the GL context, the
// textures and the display lists, before the next frame is drawn; a window
// that got smaller gets the pointer put in its middle. False, after
// one line saying why, when it could not be done while the game runs (the
// window manager kept another size, or the desktop's size is unknown); the
// picture then fits the size the window has.
bool set_window_mode(int fullscreen, int scale);
// Once a frame, in play and paused: F11 or Alt+Enter (pressed before the last
// poll_presses) switch between the window and full screen for this run.
void handle_window_keys();

// The largest 4:3 picture a window of `width` by `height` holds, centred:
// its left column, top row (counted from the top) and size.
void picture_rect(int width, int height, int* x, int* y, int* picture_width, int* picture_height);

// The window row of the picture's top edge: 0 in a window, the black bar's
// height in full screen.
extern int picture_top;
// The window's size in pixels now (it changes with set_window_mode), and
// whether it is full screen. The scale used is window_width / 640 when not.
extern int window_width, window_height;
extern bool window_fullscreen;

#endif
