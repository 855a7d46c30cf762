#include <gtest/gtest.h>

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "gl_context.h"
#include "level/level.h"
#include "render/render.h"
#include "state/state.h"

namespace {

constexpr float kPos = 2e-3f;  // feedback positions are exact to about 1e-3
constexpr float kCol = 1e-5f;

struct Expect {
    float x, y, z;
};

void expect_at(const CapturedVertex& v, Expect e, const char* what) {
    EXPECT_NEAR(v.x, e.x, kPos) << what;
    EXPECT_NEAR(v.y, e.y, kPos) << what;
    EXPECT_NEAR(v.z, e.z, kPos) << what;
}

void expect_colour(const CapturedVertex& v, float r, float g, float b, float a, const char* what) {
    EXPECT_NEAR(v.r, r, kCol) << what;
    EXPECT_NEAR(v.g, g, kCol) << what;
    EXPECT_NEAR(v.b, b, kCol) << what;
    EXPECT_NEAR(v.a, a, kCol) << what;
}

void expect_normal(const CapturedVertex& v, float x, float y, float z, const char* what) {
    EXPECT_NEAR(v.nx, x, 1e-5) << what;
    EXPECT_NEAR(v.ny, y, 1e-5) << what;
    EXPECT_NEAR(v.nz, z, 1e-5) << what;
}

bool same_vertex(const CapturedVertex& a, const CapturedVertex& b) {
    return std::fabs(a.x - b.x) < kPos && std::fabs(a.y - b.y) < kPos &&
           std::fabs(a.z - b.z) < kPos && a.a == b.a;
}

// Quads come back as one polygon of four or split into two triangles, either
// as a fan (v0 v1 v2)(v0 v2 v3) or as Mesa does, (v0 v1 v3)(v1 v2 v3); all
// are folded back into v0..v3.
std::vector<std::vector<CapturedVertex>> as_quads(const std::vector<CapturedPrimitive>& prims) {
    std::vector<std::vector<CapturedVertex>> quads;
    for (size_t k = 0; k < prims.size(); ++k) {
        if (prims[k].v.size() == 4) {
            quads.push_back(prims[k].v);
            continue;
        }
        if (prims[k].v.size() == 3 && k + 1 < prims.size() && prims[k + 1].v.size() == 3) {
            const auto& a = prims[k].v;
            const auto& b = prims[k + 1].v;
            if (same_vertex(b[0], a[0]) && same_vertex(b[1], a[2])) {
                quads.push_back({a[0], a[1], a[2], b[2]});
                ++k;
                continue;
            }
            if (same_vertex(b[0], a[1]) && same_vertex(b[2], a[2])) {
                quads.push_back({a[0], a[1], b[1], a[2]});
                ++k;
                continue;
            }
        }
        ADD_FAILURE() << "primitive " << k << " is not part of a quad";
    }
    return quads;
}

void clear_level() {
    std::memset(mask, 0, sizeof mask);
    std::memset(extrusion, 0, sizeof extrusion);
    std::memset(wall, 0, sizeof wall);
    std::memset(wallnorms, 0, sizeof wallnorms);
}

// Corners on the plain grid, with a z that tells the four corners of a cell
// apart; each cell's triangles get two distinct tilted unit normals.
void fill_mesh() {
    for (int i = 0; i < kGridRows; ++i)
        for (int j = 0; j < kGridColumns; ++j) {
            wall[i][j] = {2.5f * j, -2.5f * i, 5.0f + 2.0f * (i % 2) + (j % 2)};
            wallnorms[i][j][0] = {0.6f, 0.0f, 0.8f};
            wallnorms[i][j][1] = {0.0f, 0.6f, 0.8f};
        }
}

Expect corner(int i, int j, float sign) {
    return {wall[i][j].x, wall[i][j].y, sign * wall[i][j].z};
}

class TerrainTest : public ::testing::Test {
  protected:
    // The context stays open until exit: closing it unloads Mesa's driver,
    // after which the leak checker cannot attribute the driver's own
    // allocations to it.
    static void SetUpTestSuite() {
        if (!ctx_)
            ctx_ = new GlContext();
    }
    void SetUp() override {
        clear_level();
        fill_mesh();
        campos[0] = -410.0f;  // camera over map column 20: columns 4..36 drawn
    }
    void TearDown() override {
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
        campos[0] = 0.0f;
    }
    static GlContext* ctx_;
};
GlContext* TerrainTest::ctx_ = nullptr;

}  // namespace

TEST_F(TerrainTest, WallDrawsSolidCellsInsideTheCameraWindowOnly) {
    // Grid row 10, solid across map columns 3..4 and 36..37.
    for (int j = 24; j < 40; ++j)
        mask[10][j] = 1;
    for (int j = 288; j < 304; ++j)
        mask[10][j] = 1;

    for (float sign : {1.0f, -1.0f}) {
        const char* pass = sign > 0 ? "front" : "mirrored";
        const auto prims = capture_feedback(sign > 0 ? draw_wall : draw_wall_minus);
        // Columns 3 and 37 are outside; j = 39 and 303 have an empty right corner.
        ASSERT_EQ(prims.size(), 2u * (7 + 8)) << pass;
        for (const auto& p : prims) {
            ASSERT_EQ(p.v.size(), 3u) << pass;
            for (const auto& v : p.v) {
                EXPECT_GE(v.x, 80.0f - kPos) << pass;
                EXPECT_LE(v.x, 740.0f + kPos) << pass;
                expect_colour(v, 0.4f, 0.4f, 0.1f, 1.0f, pass);
            }
        }
        // First cell drawn is (10, 32), the first of map column 4.
        const auto& t0 = prims[0].v;
        expect_at(t0[0], corner(10, 32, sign), pass);
        expect_at(t0[1], corner(11, 33, sign), pass);
        expect_at(t0[2], corner(10, 33, sign), pass);
        const auto& t1 = prims[1].v;
        expect_at(t1[0], corner(10, 32, sign), pass);
        expect_at(t1[1], corner(11, 32, sign), pass);
        expect_at(t1[2], corner(11, 33, sign), pass);
        for (int k = 0; k < 3; ++k) {
            expect_normal(t0[k], 0.6f, 0.0f, 0.8f * sign, pass);
            expect_normal(t1[k], 0.0f, 0.6f, 0.8f * sign, pass);
        }
        // Last is (10, 295), the last of map column 36.
        expect_at(prims.back().v[0], corner(10, 295, sign), pass);
    }
}

TEST_F(TerrainTest, WallFadesBelowTheLayerSquaredInFrontLinearBehind) {
    const int rows[3] = {64, 72, 78};
    for (int i : rows) {
        mask[i][200] = 2;
        mask[i][201] = 2;
    }
    // Mixed pairs draw nothing: 1 beside 2, 2 beside 1, 0 beside 1.
    mask[70][300] = 1;
    mask[70][301] = 2;
    mask[70][302] = 1;
    mask[20][100] = 0;
    mask[20][101] = 1;
    mask[20][102] = 1;  // (20, 101) is drawn: only its top corners count
    const float front[3] = {1.0f, 0.25f, 0.015625f};
    const float mirrored[3] = {1.0f, 0.5f, 0.125f};

    for (float sign : {1.0f, -1.0f}) {
        const char* pass = sign > 0 ? "front" : "mirrored";
        const auto prims = capture_feedback(sign > 0 ? draw_wall : draw_wall_minus);
        ASSERT_EQ(prims.size(), 8u) << pass;
        expect_at(prims[0].v[0], corner(20, 101, sign), pass);
        expect_colour(prims[0].v[0], 0.4f, 0.4f, 0.1f, 1.0f, pass);
        for (int r = 0; r < 3; ++r) {
            const float alpha = sign > 0 ? front[r] : mirrored[r];
            for (int t = 0; t < 2; ++t) {
                const auto& p = prims[2 + 2 * r + t];
                expect_at(p.v[0], corner(rows[r], 200, sign), pass);
                for (const auto& v : p.v)
                    expect_colour(v, 0.4f, 0.4f, 0.1f, alpha, pass);
            }
        }
    }
}

TEST_F(TerrainTest, WallSkipsWholeMapColumnsOutsideTheWindowInEveryRow) {
    for (int i = 0; i < kGridRows; ++i)
        for (int j = 0; j < kGridColumns; ++j)
            mask[i][j] = i < 64 ? 1 : 2;
    campos[0] = 0.0f;  // camera over column 0: columns 0..16 drawn
    for (float sign : {1.0f, -1.0f}) {
        const auto prims = capture_feedback(sign > 0 ? draw_wall : draw_wall_minus);
        // 79 rows of 17 map columns, 8 cells each, two triangles per cell.
        EXPECT_EQ(prims.size(), 79u * 17 * 8 * 2);
        float max_x = 0;
        for (const auto& p : prims)
            for (const auto& v : p.v)
                max_x = std::max(max_x, v.x);
        EXPECT_NEAR(max_x, 17 * 20.0f, kPos);  // right edge of map column 16
    }
}

// The water comes as a grid of small rectangles (so that per-vertex fog is
// right); together they cover x 0..1160, z -500..500 once, at y = -144, with
// alpha 0.5 up to x = 1080 and falling linearly to 0 at x = 1160.
TEST_F(TerrainTest, WaterIsASheetAndAStripFadingToTheRight) {
    const auto quads = as_quads(capture_feedback(draw_water));
    ASSERT_GT(quads.size(), 2u);
    double area = 0.0;
    float min_x = 1e9f, max_x = -1e9f, min_z = 1e9f, max_z = -1e9f;
    for (const auto& q : quads) {
        // v0 (x0, z0), v1 (x1, z0), v2 (x1, z1), v3 (x0, z1), as the sheet was.
        EXPECT_NEAR(q[1].z, q[0].z, kPos);
        EXPECT_NEAR(q[2].x, q[1].x, kPos);
        EXPECT_NEAR(q[3].z, q[2].z, kPos);
        EXPECT_NEAR(q[3].x, q[0].x, kPos);
        EXPECT_GT(q[1].x, q[0].x);
        EXPECT_GT(q[3].z, q[0].z);
        area += (q[1].x - q[0].x) * (q[3].z - q[0].z);
        for (const auto& v : q) {
            EXPECT_NEAR(v.y, -144.0f, kPos);
            // The strip's corners: 0.5 where it starts, a quarter halfway, none at its end.
            const float alpha = v.x <= 1080.0f ? 0.5f : v.x <= 1120.0f + kPos ? 0.25f : 0.0f;
            expect_colour(v, 0.3f, 0.6f, 1.0f, alpha, "water");
            min_x = std::min(min_x, v.x);
            max_x = std::max(max_x, v.x);
            min_z = std::min(min_z, v.z);
            max_z = std::max(max_z, v.z);
        }
    }
    EXPECT_NEAR(min_x, 0.0f, kPos);
    EXPECT_NEAR(max_x, 1160.0f, kPos);
    EXPECT_NEAR(min_z, -500.0f, kPos);
    EXPECT_NEAR(max_z, 500.0f, kPos);
    EXPECT_NEAR(area, 1160.0 * 1000.0, 1.0);  // positive areas adding up: no overlap
}

TEST_F(TerrainTest, PlatformTakesTheDepthOfItsFirstCellAndFadesItsFront) {
    extrusion[24][344] = 1;  // platform (6, 43, 2): d = 10 * 1 + 2
    extrusion[24][352] = 3;  // a deeper second cell does not change it
    for (float sign : {1.0f, -1.0f}) {
        const char* pass = sign > 0 ? "front" : "mirrored";
        const auto quads = as_quads(capture_feedback(
            [sign] { (sign > 0 ? draw_platform : draw_platform_minus)(6, 43, 2); }));
        ASSERT_EQ(quads.size(), 4u) << pass;
        const float d = 12.0f * sign;
        for (int n = 0; n < 2; ++n) {
            const float xa = 860.0f + 20.0f * n, xb = xa + 20.0f;
            const auto& top = quads[2 * n];
            const Expect top_at[4] = {{xa, -57, d}, {xb, -57, d}, {xb, -57, 0}, {xa, -57, 0}};
            for (int k = 0; k < 4; ++k) {
                expect_at(top[k], top_at[k], pass);
                expect_colour(top[k], 0.3f, 0.8f, 0.3f, 1.0f, pass);
                expect_normal(top[k], 0.0f, -1.0f, 0.0f, pass);
            }
            const auto& face = quads[2 * n + 1];
            const Expect face_at[4] = {{xa, -57, d}, {xb, -57, d}, {xb, -67, d}, {xa, -67, d}};
            const float face_alpha[4] = {1, 1, 0, 0};
            for (int k = 0; k < 4; ++k) {
                expect_at(face[k], face_at[k], pass);
                expect_colour(face[k], 0.3f, 0.8f, 0.3f, face_alpha[k], pass);
                expect_normal(face[k], 0.0f, 0.0f, -sign, pass);
            }
        }
    }
}

TEST_F(TerrainTest, PlatformEdgeCases) {
    // Level 0 under the first cell: 2 units deep, mirrored -2.
    auto quads = as_quads(capture_feedback([] { draw_platform(10, 98, 1); }));
    ASSERT_EQ(quads.size(), 2u);
    expect_at(quads[0][0], {1960, -97, 2}, "level 0");
    quads = as_quads(capture_feedback([] { draw_platform_minus(10, 98, 1); }));
    ASSERT_EQ(quads.size(), 2u);
    expect_at(quads[1][3], {1960, -107, -2}, "level 0 mirrored");

    EXPECT_TRUE(capture_feedback([] { draw_platform(6, 43, 0); }).empty());
    EXPECT_TRUE(capture_feedback([] { draw_platform_minus(6, 43, 0); }).empty());

    // A platform off the grid has no rock to read and stays 2 units deep.
    quads = as_quads(capture_feedback([] { draw_platform(20, 120, 1); }));
    ASSERT_EQ(quads.size(), 2u);
    expect_at(quads[0][0], {2400, -197, 2}, "off the grid");
}
