// The ghost on a real context: drawn see-through over what is behind it, the
// player left as he was.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "gl_context.h"
#include "level/level.h"
#include "model/model.h"
#include "shell/physics.h"
#include "shell/trial_draw.h"
#include "shell/trial_play.h"
#include "state/state.h"

namespace {

constexpr int kSize = 128;

// The picture of `draw` over plain red, looking at the start from the front.
std::vector<unsigned char> picture(void (*draw)()) {
    glViewport(0, 0, kSize, kSize);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(40, 80, -30, 10, -100, 100);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    for (GLenum cap : {GL_LIGHTING, GL_TEXTURE_2D, GL_DEPTH_TEST, GL_ALPHA_TEST, GL_BLEND})
        glDisable(cap);
    glClearColor(1, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    draw();
    glFinish();
    std::vector<unsigned char> pixels(kSize * kSize * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kSize, kSize, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

TEST(GhostDraw, SeeThroughWhereTheFigureIsAndNothingElse) {
    GlContext context(kSize, kSize);
    ASSERT_EQ(ludz.Read(VELLIN_ASSETS "/trooper.txt"), 1);
    StageFile stage{};
    for (int c = 1; c < kMapColumns; ++c)
        stage.codes[8][c] = kTileLedge;
    use_stage(stage);
    generate_wall();
    start_trial(1, false);
    // A best run: right to the finish; then a new run, the ghost at the start.
    for (int i = 0; i < 7700; ++i)
        trial_physics(StepInput{kStepRight, 0, 0});
    ASSERT_GE(best_times().finish, 0);
    trial_physics(StepInput{kStepRestart, 0, 0});
    PlayerState ghost;
    ASSERT_TRUE(ghost_state(&ghost));
    // The player elsewhere, so that only the ghost stands in the picture.
    ludz.pos[0] = 500.0f;
    const PlayerState player = save_player();

    const std::vector<unsigned char> none = picture([] { draw_ghost(); });
    ghost_shown = false;
    EXPECT_EQ(picture([] { draw_ghost(); }), picture([] {}));
    ghost_shown = true;
    const PlayerState now = save_player();
    EXPECT_EQ(std::memcmp(&now, &player, sizeof now), 0);  // drawing moved no one

    // The same figure drawn solid, where the ghost stands.
    restore_player(ghost);
    const std::vector<unsigned char> solid = picture([] {
        glColor4f(1, 1, 1, 1);
        ludz.Draw();
    });
    int figure = 0;
    for (int i = 0; i < kSize * kSize; ++i) {
        const unsigned char* s = &solid[i * 3];
        const unsigned char* g = &none[i * 3];
        if (s[1] == 0) {
            EXPECT_TRUE(g[0] == 255 && g[1] == 0 && g[2] == 0) << "pixel " << i;
            continue;
        }
        // 40% of the figure over 60% of the red behind it.
        ++figure;
        EXPECT_NEAR(g[0], 0.4 * s[0] + 0.6 * 255, 2) << "pixel " << i;
        EXPECT_NEAR(g[1], 0.4 * s[1], 2) << "pixel " << i;
    }
    EXPECT_GT(figure, 50);
    stop_trial();
}

}  // namespace
