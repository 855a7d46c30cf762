// Switching stages in the running game leaves nothing of the old stage
// behind: the same display lists and textures alive, the level and the
// picture those of a start-up on the new stage.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "gl_context.h"
#include "level/level.h"
#include "model/model.h"
#include "render/render.h"
#include "shell/session.h"
#include "shell/shell.h"

namespace {

constexpr int kWidth = 640, kHeight = 480;
// Past every name the game makes: the driver hands out list names above the
// highest in use, so each switch's lists may come higher up.
constexpr GLuint kListNamesProbed = 1 << 18;
constexpr GLuint kTextureNamesProbed = 1 << 12;
// Under AddressSanitizer a switch costs seconds, nearly all of it the kernel
// mapping and unmapping the driver's list storage; two round trips there run
// the same code as ten.
#ifdef __SANITIZE_ADDRESS__
constexpr int kSwitches = 4;
#else
constexpr int kSwitches = 20;
#endif

// How many names of a kind are alive: glIsList or glIsTexture.
template <typename IsName>
int alive(IsName is_name, GLuint probed) {
    int n = 0;
    for (GLuint i = 1; i < probed; ++i)
        n += is_name(i);
    return n;
}

template <typename... T>
void append(std::vector<unsigned char>* out, const T&... data) {
    (out->insert(out->end(), reinterpret_cast<const unsigned char*>(&data),
                 reinterpret_cast<const unsigned char*>(&data) + sizeof data),
     ...);
}

// Everything generation writes, the bridge pieces' places included.
std::vector<unsigned char> level_bytes() {
    std::vector<unsigned char> out;
    append(&out, walk, mask, extrusion, wall, wallnorms, plats, platcount, bridges, bridgecount,
           trees, treenorms, treed);
    for (const cModel& b : bridge)
        append(&out, b.pos);
    return out;
}

std::vector<uint8_t> picture() {
    begin_frame();
    draw_stage();
    end_frame();
    std::vector<uint8_t> pixels(kWidth * kHeight * 4);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

StageFile load(const char* path) {
    StageFile stage;
    EXPECT_TRUE(read_stage_file(path, &stage, stderr)) << path;
    return stage;
}

TEST(StageSwitch, LeavesNothingOfTheOldStageBehind) {
    GlContext gl(kWidth, kHeight);
    const StageFile steps = load("stages/steps.stage");
    const StageFile bridged = load("stages/bridges.stage");

    // Start-up on "steps", as the game does it, seen from the start.
    stage_seed = 12;
    std::srand(stage_seed);
    use_stage(steps);
    init_render_state();
    init_stage();
    ASSERT_TRUE(stage_lists_compiled());
    follow_camera(ludz.pos[0]);
    const std::vector<unsigned char> started = level_bytes();
    const std::vector<uint8_t> seen = picture();
    const int lists = alive(glIsList, kListNamesProbed);
    const int textures = alive(glIsTexture, kTextureNamesProbed);
    EXPECT_GT(lists, 1000);
    EXPECT_GT(textures, 0);
    int lit = 0;
    for (size_t i = 0; i < seen.size(); i += 4)
        lit += (seen[i] | seen[i + 1] | seen[i + 2]) != 0;
    EXPECT_GT(lit, kWidth * kHeight / 4);  // a black picture would prove nothing

    // Switches there and back, the trooper walked off and crouched in between.
    for (int i = 0; i < kSwitches; ++i) {
        ludz.pos[0] = 900.0f;
        jump = 0;
        down = fall = 1;
        const bool to_bridges = i % 2 == 0;
        switch_stage(to_bridges ? bridged : steps, to_bridges ? "bridges" : "steps");
        EXPECT_EQ(alive(glIsList, kListNamesProbed), lists) << i;
        EXPECT_EQ(alive(glIsTexture, kTextureNamesProbed), textures) << i;
        EXPECT_EQ(ludz.pos[0], kDropInX);
        EXPECT_EQ(jump, 1);
        EXPECT_EQ(down + fall + direction, 0);
        EXPECT_EQ(stage_hash(tile_layer), stage_hash((to_bridges ? bridged : steps).codes));
        if (i == 0) {
            EXPECT_STREQ(stage_name, bridged.name[0] ? bridged.name : "bridges");
            EXPECT_NE(level_bytes(), started);
        }
    }
    EXPECT_STREQ(stage_name, steps.name[0] ? steps.name : "steps");
    EXPECT_TRUE(level_bytes() == started);
    EXPECT_TRUE(picture() == seen) << "not the start-up's picture";

    // Drawing immediately, a switch makes no lists.
    release_stage_lists();
    switch_stage(bridged, "bridges");
    EXPECT_FALSE(stage_lists_compiled());
    EXPECT_EQ(alive(glIsList, kListNamesProbed), 0);
}

}  // namespace
