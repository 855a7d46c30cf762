// The Stages screen's map: one flat square per cell that holds something.
#include "shell/stage_map.h"

#include <GL/gl.h>

namespace {

struct Colour {
    float r, g, b;
};

// Ledge green as the trooper stands on it, rock grey, bridge wood; any other
// code (none in a stage that was read) red, so that it shows.
Colour colour(int code) {
    switch (code) {
        case kTileLedge:
            return {0.35f, 0.75f, 0.3f};
        case kTileRock:
            return {0.55f, 0.5f, 0.45f};
        case kTileBridge:
            return {0.9f, 0.6f, 0.25f};
        default:
            return {1, 0.1f, 0.1f};
    }
}

void rect(float x0, float y0, float x1, float y1) {
    glVertex2f(x0, y0);
    glVertex2f(x1, y0);
    glVertex2f(x1, y1);
    glVertex2f(x0, y1);
}

}  // namespace

void draw_stage_map(const int (*codes)[kMapColumns], int x, int y, int cell) {
    const float c = static_cast<float>(cell);
    const float left = static_cast<float>(x), top = static_cast<float>(y);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glBegin(GL_QUADS);
    glColor4f(0.05f, 0.07f, 0.1f, 0.85f);
    rect(left - 2, top - 2, left + kMapColumns * c + 2, top + kMapRows * c + 2);
    for (int r = 0; r < kMapRows; ++r) {
        for (int col = 0; col < kMapColumns; ++col) {
            if (codes[r][col] == kTileEmpty) {
                continue;
            }
            const Colour k = colour(codes[r][col]);
            glColor4f(k.r, k.g, k.b, 1);
            rect(left + col * c, top + r * c, left + (col + 1) * c, top + (r + 1) * c);
        }
    }
    // The drop-in: between columns 3 and 4, his feet in row 2.
    glColor4f(1, 1, 1, 1);
    rect(left + 3 * c - c / 2, top + c, left + 3 * c + c / 2, top + 2 * c);
    glEnd();
}
