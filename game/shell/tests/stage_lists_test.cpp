// The stage drawn from the compiled lists must be pixel for pixel the stage
// drawn in immediate mode, from wherever the camera looks.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "gl_context.h"
#include "level/level.h"
#include "model/model.h"
#include "model/trooper_frames.h"
#include "render/render.h"
#include "shell/shell.h"

namespace {

constexpr int kWidth = 640, kHeight = 480;

struct View {
    const char* name;
    float campos[3];
    float camang[3];
};

// The follow camera over world x.
View follow(const char* name, float x) {
    follow_camera(x);
    View v{name, {}, {}};
    std::copy(campos, campos + 3, v.campos);
    std::copy(camang, camang + 3, v.camang);
    return v;
}

float bridge_x(int slot) {
    return 20.0f * static_cast<float>(bridges[slot][1]) + 10.0f;
}

// The game's own start-up on this context (it compiles the lists), with the
// player standing; the stage depends only on the seed.
void build_stage() {
    init_render_state();
    std::srand(12);
    init_stage();
    ASSERT_TRUE(stage_lists_compiled());
    ludz.AdvanceFrame(trooper_frames::kStandFrame - ludz.frame);
}

std::vector<uint8_t> render(const View& v) {
    for (int i = 0; i < 3; ++i) {
        campos[i] = v.campos[i];
        camang[i] = v.camang[i];
    }
    begin_frame();
    draw_stage();
    end_frame();
    std::vector<uint8_t> pixels(kWidth * kHeight * 4);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

// Kept for looking at when a view fails: VELLIN_SHOTS=dir writes PPMs.
void save(const std::vector<uint8_t>& px, const char* name, const char* path) {
    const char* dir = std::getenv("VELLIN_SHOTS");
    if (!dir)
        return;
    char file[512];
    std::snprintf(file, sizeof file, "%s/%s-%s.ppm", dir, name, path);
    FILE* f = std::fopen(file, "wb");
    if (!f)
        return;
    std::fprintf(f, "P6 %d %d 255\n", kWidth, kHeight);
    for (int y = kHeight - 1; y >= 0; --y)
        for (int x = 0; x < kWidth; ++x)
            std::fwrite(&px[(y * kWidth + x) * 4], 1, 3, f);
    std::fclose(f);
}

int lit_pixels(const std::vector<uint8_t>& px) {
    int n = 0;
    for (size_t i = 0; i < px.size(); i += 4)
        n += (px[i] | px[i + 1] | px[i + 2]) != 0;
    return n;
}

TEST(StageLists, DrawTheSamePixelsAsImmediateMode) {
    GlContext gl(kWidth, kHeight);
    build_stage();
    const View views[] = {
        follow("start", 60.0f),
        follow("mid", 1000.0f),
        follow("bridge1", bridge_x(0)),
        follow("bridge2", bridge_x(7)),
        {"above", {-420.0f, -40.0f, -110.0f}, {40.0f, -25.0f, 0.0f}},
    };
    std::vector<std::vector<uint8_t>> immediate;
    release_stage_lists();
    for (const View& v : views)
        immediate.push_back(render(v));

    compile_stage_lists();
    ASSERT_TRUE(stage_lists_compiled());
    for (size_t i = 0; i < std::size(views); ++i) {
        const std::vector<uint8_t> listed = render(views[i]);
        save(immediate[i], views[i].name, "immediate");
        save(listed, views[i].name, "lists");
        // A black or nearly empty picture would prove nothing.
        EXPECT_GT(lit_pixels(listed), kWidth * kHeight / 4) << views[i].name;
        size_t differ = 0;
        for (size_t k = 0; k < listed.size(); ++k)
            differ += listed[k] != immediate[i][k];
        EXPECT_EQ(differ, 0u) << views[i].name << ": bytes differ";
    }
    release_stage_lists();
}

}  // namespace
