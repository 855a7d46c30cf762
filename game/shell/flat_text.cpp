// Text drawn flat over the picture, from alpha textures of Allegro's font.
#include "shell/flat_text.h"

#include <allegro.h>
#include <alleggl.h>

#include <cstring>

#include "shell/window.h"

namespace {

constexpr int kTextH = 256;  // the tallest text texture
BITMAP* text_bitmap;         // kTextW by kTextH, 8 bits
unsigned char text_alpha[kTextW * kTextH];

}  // namespace

void start_flat_text() {
    if (text_bitmap == nullptr) {
        text_bitmap = create_bitmap_ex(8, kTextW, kTextH);
    }
}

GLuint alpha_texture(int h) {
    GLuint t = 0;
    glPushAttrib(GL_TEXTURE_BIT);
    glGenTextures(1, &t);
    glBindTexture(GL_TEXTURE_2D, t);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    std::memset(text_alpha, 0, sizeof text_alpha);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_ALPHA, kTextW, h, 0, GL_ALPHA, GL_UNSIGNED_BYTE, text_alpha);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glPopAttrib();
    return t;
}

void write_lines(GLuint t, const TextLine* lines, int count, int* widths) {
    const int h = count * kLineStep;
    if (text_bitmap == nullptr || t == 0 || h > kTextH) {
        return;
    }
    clear_to_color(text_bitmap, 0);
    for (int i = 0; i < count; ++i) {
        textout_ex(text_bitmap, font, lines[i], 0, i * kLineStep, 255, -1);
        widths[i] = text_length(font, lines[i]);
    }
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < kTextW; ++x) {
            text_alpha[y * kTextW + x] = text_bitmap->line[y][x] ? 255 : 0;
        }
    }
    glPushAttrib(GL_TEXTURE_BIT);
    glBindTexture(GL_TEXTURE_2D, t);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, kTextW, h, GL_ALPHA, GL_UNSIGNED_BYTE, text_alpha);
    glPopAttrib();
}

void quad(float x0, float y0, float x1, float y1, float s0, float t0, float s1, float t1) {
    glBegin(GL_QUADS);
    glTexCoord2f(s0, t0);
    glVertex2f(x0, y0);
    glTexCoord2f(s1, t0);
    glVertex2f(x1, y0);
    glTexCoord2f(s1, t1);
    glVertex2f(x1, y1);
    glTexCoord2f(s0, t1);
    glVertex2f(x0, y1);
    glEnd();
}

void begin_flat() {
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_TEXTURE_BIT | GL_VIEWPORT_BIT |
                 GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glViewport(0, 0, window_width, window_height);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, window_width, window_height, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glDisable(GL_LIGHTING);
    glDisable(GL_FOG);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_CULL_FACE);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
}

void end_flat() {
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glPopAttrib();
}

void begin_text(GLuint t) {
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, t);
}

void draw_line_at(int row, int tex_h, int width, int scale, int x, int y) {
    const float w = static_cast<float>(width * scale);
    const float t0 = static_cast<float>(row * kLineStep) / tex_h;
    const float t1 = static_cast<float>(row * kLineStep + 8) / tex_h;
    quad(static_cast<float>(x), static_cast<float>(y), x + w, static_cast<float>(y + 8 * scale), 0,
         t0, static_cast<float>(width) / kTextW, t1);
}

void draw_line(int row, int tex_h, int width, int scale, int y) {
    draw_line_at(row, tex_h, width, scale, (window_width - width * scale) / 2, y);
}

int picture_height() {
    return window_height - 2 * picture_top;
}
