#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "level/level.h"
#include "model/model.h"
#include "state/state.h"

namespace {

int (*const default_rand)() = level_rand;

long draws = 0;
int counting_rand() {
    ++draws;
    return std::rand();
}
int zero_rand() {
    return 0;
}
// Largest remainder for each of the three draws: 255 % 256, 199 % 200, 15 % 16.
int largest_rand() {
    static const int cycle[3] = {255, 199, 15};
    return cycle[draws++ % 3];
}

class TreeTest : public ::testing::Test {
  protected:
    void TearDown() override { level_rand = default_rand; }
};

}  // namespace

TEST_F(TreeTest, TrunksAreFourEqualRingsAroundTheAxis) {
    std::srand(7);
    draws = 0;
    level_rand = counting_rand;
    generate_trees();
    EXPECT_EQ(draws, 900);

    EXPECT_EQ(treed[0][0], 0.0f);
    EXPECT_EQ(treed[299][0], 1993.3334f);
    EXPECT_NEAR(treed[3][0], 20.0f, 1e-5);  // tree 3 starts map column 1

    const float dir[4][2] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};  // +x, +z, -x, -z
    for (int t = 0; t < kTreeCount; ++t) {
        const float x = treed[t][0], top = treed[t][1], z = treed[t][2], s = treed[t][3];
        const float radius = s / 2;
        EXPECT_GE(s, 5.0f) << t;
        EXPECT_LE(s, 9.98046875f) << t;
        EXPECT_GE(z, -250.0f) << t;
        EXPECT_LE(z, -51.0f) << t;
        EXPECT_EQ(z, std::floor(z)) << t;
        EXPECT_GE(top, -40.0f) << t;
        EXPECT_LE(top, 16.25f) << t;
        const float ring_step = trees[t][4].y - trees[t][0].y;  // height / 4
        EXPECT_EQ(std::fmod(ring_step * 4.0f, 5.0f), 0.0f) << t;
        for (int p = 0; p < 4; ++p) {
            EXPECT_EQ(trees[t][p].y, -160.0f) << t;
            EXPECT_EQ(trees[t][12 + p].y, top) << t;
            EXPECT_NEAR(trees[t][p].x, x + radius * dir[p][0], 1e-4) << t << " p " << p;
            EXPECT_NEAR(trees[t][p].z, z + radius * dir[p][1], 1e-4) << t << " p " << p;
            EXPECT_NEAR(treenorms[t][p].x, dir[p][0], 1e-7) << t << " p " << p;
            EXPECT_EQ(treenorms[t][p].y, 0.0f);
            EXPECT_NEAR(treenorms[t][p].z, dir[p][1], 1e-7) << t << " p " << p;
            for (int k = 1; k < 4; ++k) {
                const int e = 4 * k + p;
                EXPECT_EQ(trees[t][e].x, trees[t][p].x);
                EXPECT_EQ(trees[t][e].z, trees[t][p].z);
                EXPECT_EQ(trees[t][e].y - trees[t][e - 4].y, ring_step);
                EXPECT_EQ(treenorms[t][e].x, treenorms[t][p].x);
                EXPECT_EQ(treenorms[t][e].z, treenorms[t][p].z);
            }
        }
    }
}

TEST_F(TreeTest, DrawsScaleToTheDocumentedExtremes) {
    level_rand = zero_rand;
    generate_trees();
    EXPECT_EQ(treed[10][3], 5.0f);     // radius 2.5
    EXPECT_EQ(treed[10][2], -250.0f);  // depth
    EXPECT_EQ(treed[10][1], -40.0f);   // height 160
    EXPECT_EQ(trees[10][0].x, treed[10][0] + 2.5f);

    draws = 0;
    level_rand = largest_rand;
    generate_trees();
    EXPECT_EQ(treed[10][3], 9.98046875f);  // radius 4.990234375
    EXPECT_EQ(treed[10][2], -51.0f);
    EXPECT_EQ(treed[10][1], 16.25f);  // height 235
    EXPECT_EQ(trees[10][1].z, -51.0f + 4.990234375f);
}

TEST(Bridges, EightPiecesOverTheRowEightBridgeCells) {
    bridges[8][0] = -7;
    bridge[8].pos[0] = 123.0f;
    bridge[8].pos[1] = 456.0f;
    bridge[8].scale = 3.0f;
    generate_bridges();

    const int columns[8] = {24, 25, 26, 27, 33, 34, 35, 36};
    const float xs[8] = {490, 510, 530, 550, 670, 690, 710, 730};
    for (int n = 0; n < 8; ++n) {
        EXPECT_EQ(bridges[n][0], 8) << n;
        EXPECT_EQ(bridges[n][1], columns[n]) << n;
        EXPECT_EQ(bridges[n][2], 1) << n;
        EXPECT_EQ(bridge[n].pos[0], xs[n]) << n;
        EXPECT_EQ(bridge[n].pos[1], -85.0f) << n;
        EXPECT_EQ(bridge[n].pos[2], 0.0f) << n;
        EXPECT_EQ(bridge[n].scale, 0.125f) << n;
        EXPECT_EQ(bridge[n].rot[0], 0.0f) << n;
        EXPECT_EQ(bridge[n].rot[1], 0.0f) << n;
        EXPECT_EQ(bridge[n].rot[2], 0.0f) << n;
    }
    EXPECT_EQ(bridges[8][0], -7);
    EXPECT_EQ(bridge[8].pos[0], 123.0f);
    EXPECT_EQ(bridge[8].pos[1], 456.0f);
    EXPECT_EQ(bridge[8].scale, 3.0f);
}
