#include "icon_render.h"

#include <GL/gl.h>

#include <cmath>
#include <string>

#include "model/model.h"

namespace {

constexpr float kPi = 3.1415927f;
constexpr float kStandFrame = 3;        // walking with the rifle raised
constexpr float kTurn = kPi * 0.78f;    // three-quarter view, facing right
constexpr float kViewBottom = -125.0f;  // model units: below the boots
constexpr float kViewTop = 135.0f;      // above the helmet
constexpr float kDiscRadius = 0.47f;    // of the icon's width
constexpr float kDiscCentreY = 0.55f;   // of the height, from the top

void set_light() {
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glEnable(GL_COLOR_MATERIAL);
    glColorMaterial(GL_FRONT, GL_AMBIENT_AND_DIFFUSE);
    glShadeModel(GL_SMOOTH);
    const float ambient[4] = {0.35f, 0.35f, 0.35f, 1};
    const float diffuse[4] = {0.85f, 0.85f, 0.85f, 1};
    const float direction[4] = {-0.35f, 0.6f, 0.72f, 0};
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
    glLightfv(GL_LIGHT0, GL_POSITION, direction);
}

// The disc behind the figure: dark jungle green, lighter towards the top.
void disc_sample(float x, float y, unsigned char* out) {
    const float dx = x - 0.5f, dy = y - kDiscCentreY;
    if (dx * dx + dy * dy > kDiscRadius * kDiscRadius) {
        out[3] = 0;
        return;
    }
    const float t = (dy / kDiscRadius + 1) * 0.5f;  // 0 at the top, 1 at the bottom
    out[0] = static_cast<unsigned char>(40 - 25 * t);
    out[1] = static_cast<unsigned char>(120 - 70 * t);
    out[2] = static_cast<unsigned char>(70 - 40 * t);
    out[3] = 255;
}

}  // namespace

std::vector<unsigned char> render_icon_master(const char* data_dir) {
    static cModel trooper;  // textures outlive the call, as in the game
    const std::string path = std::string(data_dir) + "/trooper.txt";
    if (!trooper.Read(path.c_str())) {
        return {};
    }
    trooper.scale = 1;
    trooper.rot[1] = kTurn;
    trooper.AdvanceFrame(kStandFrame - trooper.frame);

    const int n = kIconMaster;
    glViewport(0, 0, n, n);
    glClearColor(0, 0, 0, 0);
    glClearDepth(1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    set_light();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    const float half = (kViewTop - kViewBottom) / 2;
    glOrtho(-half, half, kViewBottom, kViewTop, -1000, 1000);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    trooper.Draw();
    glFinish();

    std::vector<unsigned char> rgb(static_cast<size_t>(n) * n * 3);
    std::vector<float> depth(static_cast<size_t>(n) * n);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, n, n, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    glReadPixels(0, 0, n, n, GL_DEPTH_COMPONENT, GL_FLOAT, depth.data());

    // Where the figure was drawn its pixels, elsewhere the disc.
    std::vector<unsigned char> rgba(static_cast<size_t>(n) * n * 4);
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            const size_t from =
                static_cast<size_t>(n - 1 - y) * n + x;  // GL rows start at the bottom
            unsigned char* to = &rgba[(static_cast<size_t>(y) * n + x) * 4];
            if (depth[from] < 1.0f) {
                to[0] = rgb[from * 3];
                to[1] = rgb[from * 3 + 1];
                to[2] = rgb[from * 3 + 2];
                to[3] = 255;
            } else {
                disc_sample((x + 0.5f) / n, (y + 0.5f) / n, to);
            }
        }
    }
    return rgba;
}

std::vector<unsigned char> shrink_icon(const std::vector<unsigned char>& master, int size) {
    const int n = kIconMaster, f = n / size;
    std::vector<unsigned char> out(static_cast<size_t>(size) * size * 4);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            double sum[4] = {0, 0, 0, 0};
            for (int v = 0; v < f; ++v) {
                for (int u = 0; u < f; ++u) {
                    const unsigned char* p =
                        &master[((static_cast<size_t>(y) * f + v) * n + x * f + u) * 4];
                    for (int c = 0; c < 3; ++c) {
                        sum[c] += p[c] * (p[3] / 255.0);
                    }
                    sum[3] += p[3];
                }
            }
            unsigned char* o = &out[(static_cast<size_t>(y) * size + x) * 4];
            const double weight = sum[3] / 255.0;
            for (int c = 0; c < 3; ++c) {
                o[c] = weight > 0 ? static_cast<unsigned char>(std::lround(sum[c] / weight)) : 0;
            }
            o[3] = static_cast<unsigned char>(std::lround(sum[3] / (f * f)));
        }
    }
    return out;
}
