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

// Changes the open window to full screen (a borderless window of the
// desktop's size) or to a window of 640 by 480 times `scale`, keeping the
// GL context, the textures and the display lists. False when it cannot be
// done while the game runs: the change then waits for the next start.
bool set_window_mode(int fullscreen, int scale);
// Once a frame, in play and paused: F11 or Alt+Enter (pressed before the last
// poll_presses) switch between the window and full screen for this run.
void handle_window_keys();

// The window row of the picture's top edge: 0 in a window, the black bar's
// height in full screen.
extern int picture_top;

#endif
