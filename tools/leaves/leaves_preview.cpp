// Renders one palm crown, lit as in the game, to an 8-bit RGB PNG.
// Usage: leaves_preview <out.png> [scale] [view angle about y, degrees]
#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "gl_context.h"
#include "render/render.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

namespace {

constexpr int kWidth = 640, kHeight = 480;

void draw_trunk_stub(float radius, float height) {
    glColor4f(0.3f, 0.3f, 0.1f, 1.0f);
    glBegin(GL_QUADS);
    const float c[4][2] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};
    for (int p = 0; p < 4; ++p) {
        const int q = (p + 1) % 4;
        glNormal3f(c[p][0], 0, c[p][1]);
        glVertex3f(radius * c[p][0], -height, radius * c[p][1]);
        glVertex3f(radius * c[q][0], -height, radius * c[q][1]);
        glVertex3f(radius * c[q][0], 0, radius * c[q][1]);
        glVertex3f(radius * c[p][0], 0, radius * c[p][1]);
    }
    glEnd();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <out.png> [scale] [yaw]\n", argv[0]);
        return 2;
    }
    const float scale = argc > 2 ? std::strtof(argv[2], nullptr) : 8.0f;
    const float yaw = argc > 3 ? std::strtof(argv[3], nullptr) : 0.0f;
    GlContext ctx(kWidth, kHeight);

    glClearColor(0.55f, 0.7f, 0.85f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glEnable(GL_COLOR_MATERIAL);
    glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_TRUE);
    const float ambient[4] = {0.2f, 0.2f, 0.2f, 1.0f};
    const float diffuse[4] = {0.8f, 0.8f, 0.8f, 1.0f};
    glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);

    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    multiply_projection();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    const float light[4] = {0.4f, 0.8f, 0.45f, 0.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, light);
    glTranslatef(0.0f, 0.0f, -6.5f * scale);
    glRotatef(12.0f, 1, 0, 0);
    glRotatef(yaw, 0, 1, 0);

    draw_trunk_stub(scale / 2, 10.0f * scale);
    draw_palm(0.0f, 0.0f, 0.0f, scale);
    glFinish();

    std::vector<unsigned char> rgb(kWidth * kHeight * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kWidth, kHeight, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    stbi_flip_vertically_on_write(1);
    return stbi_write_png(argv[1], kWidth, kHeight, 3, rgb.data(), kWidth * 3) ? 0 : 1;
}
