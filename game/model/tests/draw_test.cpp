#include <gtest/gtest.h>

#include <GL/gl.h>

#include <string>
#include <vector>

#include "gl_context.h"
#include "model/model.h"
#include "model_files.h"
#include "state/state.h"

namespace {

// Bone B sits at (1, 2, 3) turned 90 degrees about z. v0 and v1 follow it,
// v2 follows no bone, v3 names a bone that does not exist.
const char kModel[] =
    "Meshes: 1\n"
    "\"M\" 0 0\n"
    "4\n"
    "0 1 3 3 0.25 0.75 0\n"
    "0 0 2 3 0.5 0.5 0\n"
    "0 5 5 5 1 0 -1\n"
    "0 8 0 0 0 1 9\n"
    "2\n"
    "1 0 0\n"
    "0 0 1\n"
    "2\n"
    "0 0 1 2 0 0 1 1\n"
    "0 3 2 0 1 1 0 1\n"
    "Bones: 1\n"
    "\"B\"\n"
    "\"\"\n"
    "0 1 2 3 0 0 1.5707963\n"
    "0\n"
    "0\n";

struct Expected {
    float x, y, z, nx, ny, nz;
};

void expect_vertex(const CapturedVertex& got, const Expected& want) {
    const float kPosTol = 2e-3f, kNormalTol = 1e-4f;
    EXPECT_NEAR(got.x, want.x, kPosTol);
    EXPECT_NEAR(got.y, want.y, kPosTol);
    EXPECT_NEAR(got.z, want.z, kPosTol);
    EXPECT_NEAR(got.nx, want.nx, kNormalTol);
    EXPECT_NEAR(got.ny, want.ny, kNormalTol);
    EXPECT_NEAR(got.nz, want.nz, kNormalTol);
    EXPECT_EQ(got.r, 1.0f);
    EXPECT_EQ(got.g, 1.0f);
    EXPECT_EQ(got.b, 1.0f);
    EXPECT_EQ(got.a, 1.0f);
}

// Uncompressed 2x2 24-bit TGA of one colour.
std::string tga(unsigned char r, unsigned char g, unsigned char b) {
    std::string data(18, '\0');
    data[2] = 2;  // true colour, uncompressed
    data[12] = 2;
    data[14] = 2;
    data[16] = 24;
    for (int i = 0; i < 4; i++) {
        data += static_cast<char>(b);
        data += static_cast<char>(g);
        data += static_cast<char>(r);
    }
    return data;
}

// One context for the whole program, never closed: closing it unloads the
// GL driver, and the leak checker could then no longer tell the driver's own
// allocations from ours.
GlContext* shared_context = nullptr;

void context() {
    if (shared_context == nullptr) {
        shared_context = new GlContext;
    }
}

GLuint complete_texture() {
    GLuint name;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    const unsigned char pixels[16] = {255, 255, 255, 255, 255, 255, 255, 255,
                                      255, 255, 255, 255, 255, 255, 255, 255};
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 2, 2, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
    glBindTexture(GL_TEXTURE_2D, 0);
    return name;
}

}  // namespace

TEST(ModelDraw, BindPoseIsPlacedScaledTurnedAndWhite) {
    context();
    ModelFiles files;
    cModel m;
    ASSERT_EQ(m.Read(files.Write("m.txt", kModel).c_str()), 1);
    // The player's start-up placement: half a turn about y, an eighth of the size.
    m.pos[0] = 60;
    m.pos[1] = 0;
    m.pos[2] = 5;
    m.rot[0] = 0;
    m.rot[1] = 3.14159265f;
    m.rot[2] = 0;
    m.scale = 0.125f;
    // Mesa drops the normal-recovering texgen of the capture while the
    // incomplete texture 0 is bound, so both names get a complete texture.
    m.texture = complete_texture();
    white = m.texture;
    const auto prims = capture_feedback([&] { m.Draw(); }, 128.0f);
    ASSERT_EQ(prims.size(), 2u);
    ASSERT_EQ(prims[0].v.size(), 3u);
    ASSERT_EQ(prims[1].v.size(), 3u);
    // Half a turn about y negates x and z of scale * p; the normal is turned
    // by the bone only (normal (1,0,0) by 90 about z is (0,1,0)).
    expect_vertex(prims[0].v[0], {59.875f, 0.375f, 4.625f, 0, 1, 0});
    expect_vertex(prims[0].v[1], {60.0f, 0.25f, 4.625f, 0, 1, 0});
    expect_vertex(prims[0].v[2], {59.375f, 0.625f, 4.375f, 0, 0, 1});
    // v3's bone does not exist: drawn as read, with its stored normal.
    expect_vertex(prims[1].v[0], {59.0f, 0.0f, 5.0f, 0, 0, 1});
}

TEST(ModelDraw, EmptyModelIssuesNothing) {
    context();
    cModel m;
    const auto prims = capture_feedback([&] { m.Draw(); });
    EXPECT_TRUE(prims.empty());
}

TEST(ModelDraw, LastMaterialTextureIsUsedAndWhiteIsBoundAfter) {
    context();
    ModelFiles files;
    files.Write("red.tga", tga(255, 0, 0));
    files.Write("green.tga", tga(0, 255, 0));
    const std::string block = "1 1 1 1\n1 1 1 1\n1 1 1 1\n1 1 1 1\n5\n1\n";
    const std::string text = "Materials: 2\n\"A\"\n" + block + "\"red.tga\"\n\"\"\n\"B\"\n" +
                             block + "\"green.tga\"\n\"\"\n" + kModel;
    // Texture names are relative to the model file, not the working directory.
    cModel m;
    ASSERT_EQ(m.Read(files.Write("m.txt", text).c_str()), 1);
    ASSERT_NE(m.texture, 0u);
    glBindTexture(GL_TEXTURE_2D, m.texture);
    unsigned char pixels[64] = {};
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels);
    EXPECT_EQ(pixels[0], 0);
    EXPECT_EQ(pixels[1], 255);
    EXPECT_EQ(pixels[2], 0);

    glGenTextures(1, &white);
    m.scale = 1;
    m.Draw();
    GLint bound = -1;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<unsigned>(bound), white);
}
