#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cmath>
#include <set>
#include <vector>

#include "gl_context.h"
#include "level/level.h"
#include "render/render.h"
#include "state/state.h"

namespace {

constexpr float kPos = 2e-3f;  // feedback positions are exact to about 1e-3
constexpr float kCol = 1e-5f;
constexpr int kCrownSegments = 2021;
constexpr int kTrunkTriangles = 24 + 8;
constexpr float kRadius = 3.0f;
constexpr float kHeight = 160.0f;
constexpr float kGround = -160.0f;
constexpr float kCrownScale = 6.0f;

// Bottom-row water gaps of the stage.
const std::set<int> kGapColumns = {0, 24, 25, 26, 27, 33, 34, 35, 36, 72, 80, 88, 91};

float tree_x(int t) {
    return static_cast<float>(t * (20.0 / 3.0));
}

// Square trunks laid out as the tree generator does, with fixed sizes.
void plant_trees() {
    const float dir[4][2] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};
    for (int t = 0; t < kTreeCount; ++t) {
        const float depth = -60.0f - 0.5f * t;
        for (int k = 0; k < 4; ++k)
            for (int p = 0; p < 4; ++p) {
                trees[t][4 * k + p] = {tree_x(t) + kRadius * dir[p][0], kGround + k * kHeight / 4,
                                       depth + kRadius * dir[p][1]};
                treenorms[t][4 * k + p] = {dir[p][0], 0.0f, dir[p][1]};
            }
        treed[t][0] = tree_x(t);
        treed[t][1] = kGround + 3 * kHeight / 4;
        treed[t][2] = depth;
        treed[t][3] = kCrownScale;
    }
}

// Centres the camera on the given map column.
void look_at_column(int column) {
    campos[0] = -(20.0f * column + 10.0f);
}

int tree_at(float x) {
    return static_cast<int>(std::lround(x * 3.0 / 20.0));
}

// Trees whose trunk was drawn, from the first vertex (ring 0, point 0) of each
// 32-triangle group.
std::set<int> trunk_trees(const std::vector<CapturedPrimitive>& prims) {
    std::set<int> out;
    EXPECT_EQ(prims.size() % kTrunkTriangles, 0u);
    for (size_t i = 0; i < prims.size(); i += kTrunkTriangles)
        out.insert(tree_at(prims[i].v[0].x - kRadius));
    return out;
}

// Trees whose crown was drawn, from each crown's first vertex.
std::set<int> crown_trees(const std::vector<CapturedPrimitive>& prims) {
    std::set<int> out;
    EXPECT_EQ(prims.size() % kCrownSegments, 0u);
    for (size_t i = 0; i < prims.size(); i += kCrownSegments)
        out.insert(tree_at(prims[i].v[0].x - kCrownScale * leaves_vertex[1][0]));
    return out;
}

// Trees t in [first, last] over columns that are not water gaps.
std::set<int> trees_over_ground(int first, int last) {
    std::set<int> out;
    for (int t = first; t <= last; ++t)
        if (!kGapColumns.count(t / 3))
            out.insert(t);
    return out;
}

void expect_vertex(const CapturedVertex& v, const VERT& pos, const VERT& n, float alpha,
                   const char* what) {
    EXPECT_NEAR(v.x, pos.x, kPos) << what;
    EXPECT_NEAR(v.y, pos.y, kPos) << what;
    EXPECT_NEAR(v.z, pos.z, kPos) << what;
    EXPECT_NEAR(v.nx, n.x, kCol) << what;
    EXPECT_NEAR(v.ny, n.y, kCol) << what;
    EXPECT_NEAR(v.nz, n.z, kCol) << what;
    EXPECT_NEAR(v.r, 0.3f, kCol) << what;
    EXPECT_NEAR(v.g, 0.3f, kCol) << what;
    EXPECT_NEAR(v.b, 0.1f, kCol) << what;
    EXPECT_NEAR(v.a, alpha, kCol) << what;
}

// One context for the whole run, never closed: closing it unloads the GL
// driver, whose own allocations would then show up as leaks of an unknown
// module instead of matching the suppressions.
class VegetationDraw : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        if (!ctx_)
            ctx_ = new GlContext();
    }
    void SetUp() override { plant_trees(); }
    static GlContext* ctx_;
};

GlContext* VegetationDraw::ctx_ = nullptr;

TEST_F(VegetationDraw, TrunkBandsThenRootSkirtFadingFortyUnitsBelowRingZero) {
    const int t = 249;  // first tree of map column 83
    // A raised ring 0: the skirt still hangs exactly 40 below it.
    for (int p = 0; p < 4; ++p)
        trees[t][p].y = -150.5f;
    look_at_column(99);
    const auto prims = capture_feedback(draw_trees);
    ASSERT_EQ(prims.size(), 44u * kTrunkTriangles);  // columns 83..99 less 88, 91 and tree 299
    for (const auto& p : prims)
        ASSERT_EQ(p.v.size(), 3u);

    auto T = [&](int k, int p) { return trees[t][4 * k + p]; };
    auto N = [&](int k, int p) { return treenorms[t][4 * k + p]; };
    std::vector<std::pair<int, int>> order;  // (ring, point) per trunk vertex
    for (int k = 0; k < 3; ++k) {
        for (int p = 0; p < 3; ++p)
            order.insert(order.end(),
                         {{k, p}, {k, p + 1}, {k + 1, p + 1}, {k, p}, {k + 1, p + 1}, {k + 1, p}});
        order.insert(order.end(), {{k, 3}, {k, 0}, {k + 1, 0}, {k, 3}, {k + 1, 0}, {k + 1, 3}});
    }
    for (int i = 0; i < 72; ++i)
        expect_vertex(prims[i / 3].v[i % 3], T(order[i].first, order[i].second),
                      N(order[i].first, order[i].second), 1.0f, "trunk");

    // Skirt: L(a), L(b), T(0, b); L(a), T(0, b), T(0, a) for each side.
    const int pairs[4][2] = {{0, 1}, {1, 2}, {2, 3}, {3, 0}};
    for (int s = 0; s < 4; ++s) {
        const int a = pairs[s][0], b = pairs[s][1];
        VERT la = T(0, a), lb = T(0, b);
        la.y = -190.5f;
        lb.y = -190.5f;
        const auto& first = prims[24 + 2 * s].v;
        const auto& second = prims[24 + 2 * s + 1].v;
        expect_vertex(first[0], la, N(0, a), 0.0f, "skirt low a");
        expect_vertex(first[1], lb, N(0, b), 0.0f, "skirt low b");
        expect_vertex(first[2], T(0, b), N(0, b), 1.0f, "skirt top b");
        expect_vertex(second[0], la, N(0, a), 0.0f, "skirt low a");
        expect_vertex(second[1], T(0, b), N(0, b), 1.0f, "skirt top b");
        expect_vertex(second[2], T(0, a), N(0, a), 1.0f, "skirt top a");
    }
    // Every other tree's skirt edge: 40 below the ground line.
    for (size_t i = kTrunkTriangles; i < prims.size(); i += kTrunkTriangles)
        EXPECT_NEAR(prims[i + 24].v[0].y, kGround - 40.0f, kPos);
}

TEST_F(VegetationDraw, TreeRangesCameraWindowAndWaterGapsDecideWhatIsDrawn) {
    // Camera at the right end: trees 297 and 298 drawn, 299 never.
    look_at_column(99);
    const std::set<int> right = trees_over_ground(249, 298);
    EXPECT_EQ(trunk_trees(capture_feedback(draw_trees)), right);
    EXPECT_EQ(crown_trees(capture_feedback(draw_palms)), right);

    // Left end: crown-only trees, no trunks; column 0 is a gap.
    look_at_column(0);
    EXPECT_TRUE(capture_feedback(draw_trees).empty());
    EXPECT_EQ(crown_trees(capture_feedback(draw_palms)), trees_over_ground(3, 50));

    // Columns 4..36: the gaps 24..27 and 33..36 leave out trees 72..83 and 99..110.
    look_at_column(20);
    EXPECT_TRUE(capture_feedback(draw_trees).empty());
    std::set<int> middle = trees_over_ground(12, 71);
    middle.insert({84, 85, 86, 87, 88, 89, 90, 91, 92, 93, 94, 95, 96, 97, 98});
    EXPECT_EQ(crown_trees(capture_feedback(draw_palms)), middle);

    // Columns 24..56 straddle both ranges.
    look_at_column(40);
    EXPECT_EQ(trunk_trees(capture_feedback(draw_trees)), trees_over_ground(111, 170));
    std::set<int> both = trees_over_ground(84, 98);
    const std::set<int> trunked = trees_over_ground(111, 170);
    both.insert(trunked.begin(), trunked.end());
    EXPECT_EQ(crown_trees(capture_feedback(draw_palms)), both);
}

TEST_F(VegetationDraw, CrownSitsOnTheTrunkTopOrForwardAndDownForFarTrees) {
    treed[12][1] = 10.0f;  // column 4, crown only
    treed[12][2] = -100.0f;
    look_at_column(0);
    auto prims = capture_feedback(draw_palms);
    const int first12 = (12 - 3) * kCrownSegments;  // crowns 3..11 come first
    ASSERT_GT(prims.size(), static_cast<size_t>(first12));
    const double* v1 = leaves_vertex[1];
    EXPECT_NEAR(prims[first12].v[0].x, tree_x(12) + kCrownScale * v1[0], kPos);
    EXPECT_NEAR(prims[first12].v[0].y, -83.0f + kCrownScale * v1[1], kPos);
    EXPECT_NEAR(prims[first12].v[0].z, -30.0f + kCrownScale * v1[2], kPos);

    // A trunk tree's crown takes the stored values unchanged.
    treed[198][1] = 12.5f;
    treed[198][2] = -120.0f;
    look_at_column(66);  // columns 50..82, first drawn trunk tree is 150
    prims = capture_feedback(draw_palms);
    const std::set<int> drawn = trees_over_ground(150, 248);
    const int index = static_cast<int>(std::distance(drawn.begin(), drawn.find(198)));
    ASSERT_EQ(prims.size(), drawn.size() * kCrownSegments);
    const auto& v = prims[index * kCrownSegments].v[0];
    EXPECT_NEAR(v.x, tree_x(198) + kCrownScale * v1[0], kPos);
    EXPECT_NEAR(v.y, 12.5f + kCrownScale * v1[1], kPos);
    EXPECT_NEAR(v.z, -120.0f + kCrownScale * v1[2], kPos);
}

TEST_F(VegetationDraw, CrownIsTheLeavesMeshScaledAroundItsOriginWithThePrecedingNormal) {
    const float ox = 10.0f, oy = 20.0f, oz = -30.0f, s = 7.0f;
    float width = 0.0f;
    auto prims = capture_feedback([&] {
        draw_palm(ox, oy, oz, s);
        glGetFloatv(GL_LINE_WIDTH, &width);
    });
    EXPECT_EQ(width, 5.0f);
    ASSERT_EQ(prims.size(), static_cast<size_t>(kCrownSegments));
    for (int m = 0; m < kCrownSegments; ++m) {
        ASSERT_EQ(prims[m].kind, CapturedPrimitive::kLine);
        for (int end = 0; end < 2; ++end) {
            const int k = 4 * m + 1 + 2 * end;
            const CapturedVertex& v = prims[m].v[end];
            EXPECT_NEAR(v.x, ox + s * leaves_vertex[k][0], kPos) << k;
            EXPECT_NEAR(v.y, oy + s * leaves_vertex[k][1], kPos) << k;
            EXPECT_NEAR(v.z, oz + s * leaves_vertex[k][2], kPos) << k;
            EXPECT_NEAR(v.nx, leaves_normal[k - 1][0], kCol) << k;
            EXPECT_NEAR(v.ny, leaves_normal[k - 1][1], kCol) << k;
            EXPECT_NEAR(v.nz, leaves_normal[k - 1][2], kCol) << k;
            EXPECT_NEAR(v.r, 0.0f, kCol);
            EXPECT_NEAR(v.g, 0.7f, kCol);
            EXPECT_NEAR(v.b, 0.0f, kCol);
            EXPECT_NEAR(v.a, 1.0f, kCol);
        }
    }

    // Scale 0 collapses every segment onto the origin.
    prims = capture_feedback([&] { draw_palm(ox, oy, oz, 0.0f); });
    ASSERT_EQ(prims.size(), static_cast<size_t>(kCrownSegments));
    for (const auto& p : prims)
        for (const auto& v : p.v) {
            EXPECT_NEAR(v.x, ox, kPos);
            EXPECT_NEAR(v.y, oy, kPos);
            EXPECT_NEAR(v.z, oz, kPos);
        }
}

}  // namespace
