// Renders the soldier's animations and the bridge piece, lit and textured,
// side on, into contact sheets (8-bit RGB PNGs) for looking at.
// Usage: contact_sheet <assets dir> <output dir>   (needs DISPLAY)
#include <GL/gl.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "gl_context.h"
#include "image.h"
#include "model/model.h"
#include "model/trooper_frames.h"
#include "state/state.h"

#include <stb/stb_easy_font.h>

namespace {

using namespace trooper_frames;

constexpr int kTileW = 200, kTileH = 260;
constexpr int kColumns = 6;

struct Shot {
    float frame;
    std::string label;
};

void draw_text(float x, float y, const std::string& text) {
    static char buffer[64 * 1024];
    int quads =
        stb_easy_font_print(x, y, const_cast<char*>(text.c_str()), nullptr, buffer, sizeof buffer);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glColor3f(0, 0, 0);
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(2, GL_FLOAT, 16, buffer);
    glDrawArrays(GL_QUADS, 0, quads * 4);
    glDisableClientState(GL_VERTEX_ARRAY);
}

// One tile: model units mapped 1:1 onto `span` units of height, ground line
// at `ground` with ticks that scroll at the walking speed, so a planted foot
// should stay on its tick.
void render_tile(cModel& model, const Shot& shot, int tx, int ty, int sheetH, float centreY,
                 float span, float ground, bool scrollTicks) {
    glViewport(tx * kTileW, sheetH - (ty + 1) * kTileH, kTileW, kTileH);
    glScissor(tx * kTileW, sheetH - (ty + 1) * kTileH, kTileW, kTileH);
    glEnable(GL_SCISSOR_TEST);
    glClearColor(0.78f, 0.84f, 0.88f, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    float halfH = span / 2, halfW = halfH * kTileW / kTileH;
    glOrtho(-halfW, halfW, centreY - halfH, centreY + halfH, -1000, 1000);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();

    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glBegin(GL_LINES);
    glColor3f(0.35f, 0.3f, 0.25f);
    glVertex3f(-halfW, ground, -500);
    glVertex3f(halfW, ground, -500);
    float offset = scrollTicks ? std::fmod(shot.frame * 2.0f, 40.0f) : 0;
    for (float x = -200 + offset; x < 200; x += 40) {
        glVertex3f(x, ground, -500);
        glVertex3f(x, ground - 8, -500);
    }
    glEnd();

    model.AdvanceFrame(shot.frame - model.frame);
    glEnable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_DEPTH_TEST);
    model.Draw();

    glDisable(GL_DEPTH_TEST);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, kTileW, kTileH, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    draw_text(4, 4, shot.label);
    glDisable(GL_SCISSOR_TEST);
}

bool write_sheet(const std::string& path, int width, int height) {
    std::vector<unsigned char> rgb(static_cast<size_t>(width) * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    assetgen::Image img(width, height, {0, 0, 0});
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const unsigned char* p = &rgb[((height - 1 - y) * width + x) * 3];
            img.set(x, y, {p[0] / 255.0, p[1] / 255.0, p[2] / 255.0});
        }
    return img.write_png(path);
}

void setup_light() {
    glEnable(GL_LIGHT0);
    glEnable(GL_COLOR_MATERIAL);
    glColorMaterial(GL_FRONT, GL_AMBIENT_AND_DIFFUSE);
    glShadeModel(GL_SMOOTH);
    // Light from the upper front left, fixed to the viewer.
    const float ambient[4] = {0.3f, 0.3f, 0.3f, 1};
    const float diffuse[4] = {0.8f, 0.8f, 0.8f, 1};
    const float dir[4] = {-0.35f, 0.6f, 0.72f, 0};
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
    glLightfv(GL_LIGHT0, GL_POSITION, dir);
}

std::vector<Shot> every(int from, int to, int step) {
    std::vector<Shot> shots;
    for (int f = from; f <= to; f += step)
        shots.push_back({static_cast<float>(f), std::to_string(f)});
    return shots;
}

std::vector<Shot> every_tenth(const Cycle& c) {
    return every(first_shown(c), last_shown(c), 10);
}

Shot pose(int frame, const std::string& what) {
    return {static_cast<float>(frame), std::to_string(frame) + " " + what};
}

int sheet_height(size_t shots) {
    return static_cast<int>((shots + kColumns - 1) / kColumns) * kTileH;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <assets dir> <output dir>\n", argv[0]);
        return 2;
    }
    std::string out = argv[2];
    if (out[0] != '/') {
        char cwd[4096];
        if (getcwd(cwd, sizeof cwd))
            out = std::string(cwd) + "/" + out;
    }
    if (chdir(argv[1]) != 0) {
        std::perror(argv[1]);
        return 1;
    }
    GlContext ctx(kColumns * kTileW, 4 * kTileH);
    setup_light();

    static cModel trooper;
    static cModel bridge;
    if (!trooper.Read(kPlayerModel) || !bridge.Read(kBridgeModel)) {
        std::fprintf(stderr, "contact_sheet: cannot read the models\n");
        return 1;
    }
    trooper.scale = 1;
    bridge.scale = 1;

    struct Sheet {
        std::string name;
        std::vector<Shot> shots;
        float ground;
        bool scroll;
    };
    std::vector<Sheet> sheets = {
        {"trooper-walk.png", every_tenth(kWalkCycle), -120, true},
        {"trooper-walk-aim.png", every_tenth(kWalkZCycle), -120, true},
        {"trooper-walk-up.png", every_tenth(kWalkUpCycle), -120, true},
        {"trooper-walk-crouch.png", every_tenth(kWalkDownCycle), -120, true},
        {"trooper-jump.png", every(kJumpFirst, kJumpHigh, 10), -120, false},
        {"trooper-poses.png",
         {pose(kStandFrame, "stand"), pose(kStandUpFrame, "look up"), pose(kCrouchFrame, "crouch"),
          pose(kFallFrame, "fall"), pose(kDropFrame, "drop"),
          pose(last_shown(kWalkCycle), "walk end")},
         -120,
         false},
    };
    bool ok = true;
    for (const Sheet& s : sheets) {
        int h = sheet_height(s.shots.size());
        glViewport(0, 0, ctx.width(), ctx.height());
        glClearColor(0.78f, 0.84f, 0.88f, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        for (size_t i = 0; i < s.shots.size(); ++i) {
            float ground = s.ground;
            if (s.shots[i].frame == kCrouchFrame)
                ground = -40;  // the game lowers a crouch by 80 model units
            render_tile(trooper, s.shots[i], static_cast<int>(i % kColumns),
                        static_cast<int>(i / kColumns), h, 10, 300, ground, s.scroll);
        }
        ok = write_sheet(out + "/" + s.name, kColumns * kTileW, h) && ok;
    }

    // Bridge: alone, and with the standing soldier on its deck (the
    // soldier's origin 15 world units, 120 model units, above the deck).
    {
        int h = kTileH;
        Shot alone{0, "bridge"};
        render_tile(bridge, alone, 0, 0, h, 40, 300, 40, false);
        Shot both{0, "bridge + trooper " + std::to_string(kStandFrame)};
        render_tile(bridge, both, 1, 0, h, 80, 400, 40, false);
        glViewport(kTileW, 0, kTileW, kTileH);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        float halfH = 200, halfW = halfH * kTileW / kTileH;
        glOrtho(-halfW, halfW, 80 - halfH, 80 + halfH, -1000, 1000);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glTranslatef(0, 160, 0);
        trooper.AdvanceFrame(kStandFrame - trooper.frame);
        glEnable(GL_DEPTH_TEST);
        glEnable(GL_LIGHTING);
        glEnable(GL_TEXTURE_2D);
        trooper.Draw();
        // Three-quarter view of the bridge.
        glViewport(2 * kTileW, 0, 2 * kTileW, kTileH);
        glScissor(2 * kTileW, 0, 2 * kTileW, kTileH);
        glEnable(GL_SCISSOR_TEST);
        glClearColor(0.78f, 0.84f, 0.88f, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-200, 200, -90, 170, -1000, 1000);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glRotatef(25, 1, 0, 0);
        glRotatef(-30, 0, 1, 0);
        bridge.Draw();
        glDisable(GL_SCISSOR_TEST);
        ok = write_sheet(out + "/bridge.png", 4 * kTileW, h) && ok;
    }
    return ok ? 0 : 1;
}
