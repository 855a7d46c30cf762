// Lines of Allegro's 8-pixel font as alpha textures, drawn flat over the
// picture in window pixels: the pause menu's text and the notes over play.
#ifndef VELLIN_FLAT_TEXT_H
#define VELLIN_FLAT_TEXT_H

#include <GL/gl.h>

#include "menu/menu.h"

constexpr int kTextW = 512;    // a text texture's width
constexpr int kLineStep = 10;  // rows from one line to the next; each is 8 high
static_assert(kMenuColumns * 8 <= kTextW, "a line fits the texture");

typedef char TextLine[kMenuColumns + 1];

// Once the window is open: the bitmap the lines are written through.
void start_flat_text();
// A text texture kTextW by `h`, empty.
GLuint alpha_texture(int h);
// Writes `count` lines into texture `t` from its first row, one every
// kLineStep rows; their widths in pixels go to `widths`.
void write_lines(GLuint t, const TextLine* lines, int count, int* widths);

// Window pixels, y down, over the whole window (the full screen's bars too),
// between begin_flat and end_flat; begin_text binds a text texture.
void begin_flat();
void end_flat();
void begin_text(GLuint t);
// Line `row` of a text texture `tex_h` high, `width` pixels wide, `scale`
// times its size, its left at x and top at y.
void draw_line_at(int row, int tex_h, int width, int scale, int x, int y);
// The same, centred in the window.
void draw_line(int row, int tex_h, int width, int scale, int y);
// A quad of the bound texture.
void quad(float x0, float y0, float x1, float y1, float s0, float t0, float s1, float t1);
// The height of the picture between the full screen's bars.
int picture_height();

#endif
