// Read-back pixels under the game's own start-up state (render state, fog,
// textures and models read from assets/): fog that fogs, water that shows, a
// white texture that stays white.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cstdlib>
#include <vector>

#include "gl_context.h"
#include "level/level.h"
#include "render/render.h"
#include "shell/shell.h"

namespace {

constexpr unsigned kSeed = 9;
constexpr int kWidth = 640, kHeight = 480;

struct Rgb {
    int r, g, b;
};

std::vector<unsigned char> read_screen() {
    std::vector<unsigned char> px(static_cast<size_t>(kWidth) * kHeight * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kWidth, kHeight, GL_RGB, GL_UNSIGNED_BYTE, px.data());
    return px;
}

Rgb pixel(const std::vector<unsigned char>& px, int x, int y) {
    const size_t i = (static_cast<size_t>(y) * kWidth + x) * 3;
    return {px[i], px[i + 1], px[i + 2]};
}

// A frame as the loop draws it, from the camera in campos and camang, with
// the white texture bound; returns the picture.
template <class Draw>
std::vector<unsigned char> frame(Draw draw) {
    begin_frame();
    glBindTexture(GL_TEXTURE_2D, white);
    draw();
    end_frame();
    return read_screen();
}

// A white quad facing the light, filling the middle of the view at eye
// distance d, with texture coordinate (s, t) current.
long white_quad_grey(float d, float s, float t) {
    for (int i = 0; i < 3; ++i)
        campos[i] = camang[i] = 0.0f;
    const auto px = frame([&] {
        glBegin(GL_QUADS);
        glColor4f(1, 1, 1, 1);
        glNormal3f(position[0], position[1], position[2]);
        glTexCoord2f(s, t);
        const float h = 0.2f * d;
        glVertex3f(-h, -h, -d);
        glVertex3f(h, -h, -d);
        glVertex3f(h, h, -d);
        glVertex3f(-h, h, -d);
        glEnd();
    });
    return pixel(px, kWidth / 2, kHeight / 2).g;
}

long green_sum(const std::vector<unsigned char>& px) {
    long sum = 0;
    for (size_t i = 1; i < px.size(); i += 3)
        sum += px[i];
    return sum;
}

class Picture : public ::testing::Test {
  protected:
    // One context for the run, kept open (see GlContext's destructor).
    static void SetUpTestSuite() {
        if (ctx_)
            return;
        ctx_ = new GlContext(kWidth, kHeight);
        init_render_state();
        std::srand(kSeed);
        init_stage();
        GLint bound = -1;
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
        bound_after_start_ = bound;
    }
    void TearDown() override { EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)); }
    static GlContext* ctx_;
    static GLint bound_after_start_;
};
GlContext* Picture::ctx_ = nullptr;
GLint Picture::bound_after_start_ = -1;

}  // namespace

TEST_F(Picture, StartUpEndsWithTheWhiteTextureBound) {
    ASSERT_NE(white, 0u) << "white.png not loaded (working directory assets/?)";
    EXPECT_EQ(bound_after_start_, static_cast<GLint>(white));
}

// Linear fog from 200 to 350 into black.
TEST_F(Picture, FogFadesAWhiteQuadBetween200And350) {
    EXPECT_NEAR(white_quad_grey(150.0f, 0.5f, 0.5f), 255, 2);
    EXPECT_NEAR(white_quad_grey(275.0f, 0.5f, 0.5f), 128, 3);
    EXPECT_NEAR(white_quad_grey(400.0f, 0.5f, 0.5f), 0, 2);
}

// Untextured geometry issues no texture coordinate and gets whatever a model
// left current, a corner (0, 0) included.
TEST_F(Picture, WhiteTextureIsWhiteAtAnyTextureCoordinate) {
    const long middle = white_quad_grey(150.0f, 0.5f, 0.5f);
    EXPECT_EQ(white_quad_grey(150.0f, 0.0f, 0.0f), middle);
    EXPECT_EQ(white_quad_grey(150.0f, 1.0f, 1.0f), middle);
    EXPECT_EQ(white_quad_grey(150.0f, -2.7f, 3.3f), middle);
}

// From x = 720 on the crowns sit on trunks 50 to 250 units behind the cliff,
// 150 to 350 from the camera. The deepest one near x = 1000 lies in the fog.
TEST_F(Picture, FarCrownIsDarkerWithFog) {
    int far = -1;
    for (int t = 135; t < 165; ++t)  // x 900..1100
        if (far < 0 || treed[t][2] < treed[far][2])
            far = t;
    ASSERT_LT(treed[far][2], -200.0f);
    const float* d = treed[far];
    follow_camera(d[0]);
    const long clear = green_sum(frame([d] {
        glDisable(GL_FOG);
        draw_palm(d[0], d[1], d[2], d[3]);
    }));
    const long fogged = green_sum(frame([d] { draw_palm(d[0], d[1], d[2], d[3]); }));
    EXPECT_GT(clear, 20000L) << "the crown is not in view";
    EXPECT_LT(fogged, clear / 2);
}

// Near the camera the water is clear blue; further out it fades into black.
TEST_F(Picture, WaterShowsBlueNearTheCameraAndFadesFarAway) {
    follow_camera(500.0f);
    const auto px = frame([] {
        glNormal3f(0, 0, 1);  // the water is lit with whatever normal is current
        draw_water();
    });
    const Rgb near = pixel(px, kWidth / 2, 10);  // bottom rows: eye distance about 70
    const Rgb far = pixel(px, kWidth / 2, kHeight / 2 - 40);
    EXPECT_GT(near.b, 50);
    EXPECT_GT(near.b, near.r + 35);
    EXPECT_LT(far.b, near.b / 4);
}
