// The window the game and the viewer draw in.
#ifndef VELLIN_WINDOW_H
#define VELLIN_WINDOW_H

// The 640 by 480 double-buffered OpenGL window (full screen asked for unless
// windowed), or one line "PROGRAM: what failed: why" and exit 1.
void open_game_window(const char* program, bool windowed);

#endif
