#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "level/level.h"

namespace {

int (*const default_rand)() = level_rand;

// 512 % 1024 gives dz = dx = dy = 0: the wall exactly as shaped.
int no_jitter() {
    return 512;
}

long draws = 0;
int counting_rand() {
    ++draws;
    return std::rand();
}

// The first corner gets the extremes of the scaling, the rest no jitter.
int scripted_rand() {
    static const int first[3] = {0, 1023, 256};
    return draws < 3 ? first[draws++] : 512;
}

class WallTest : public ::testing::Test {
  protected:
    void SetUp() override {
        clear_level();  // the generator expects zeroed arrays, as at process start
        level_rand = no_jitter;
        generate_wall();
    }
    void TearDown() override { level_rand = default_rand; }
};

bool has_plat(int r, int c, int w) {
    for (int p = 0; p < platcount; ++p)
        if (plats[p][0] == r && plats[p][1] == c && plats[p][2] == w)
            return true;
    return false;
}

}  // namespace

TEST_F(WallTest, PlatformSearchFindsEveryLedgeRunOnceInRowMajorOrder) {
    ASSERT_EQ(platcount, 39);
    EXPECT_EQ(plats[0][0], 6);
    EXPECT_EQ(plats[0][1], 43);
    EXPECT_EQ(plats[0][2], 16);
    EXPECT_EQ(plats[1][0], 6);
    EXPECT_EQ(plats[1][1], 64);
    EXPECT_EQ(plats[1][2], 5);
    EXPECT_EQ(plats[38][0], 14);
    EXPECT_EQ(plats[38][1], 94);
    EXPECT_EQ(plats[38][2], 6);
    EXPECT_TRUE(has_plat(10, 98, 1));
    EXPECT_TRUE(has_plat(12, 99, 1));  // ends in the last column, not wrapped
    EXPECT_FALSE(has_plat(13, 0, 1));

    int prev = -1;
    int cells = 0;
    for (int p = 0; p < platcount; ++p) {
        const int r = plats[p][0], c = plats[p][1], w = plats[p][2];
        EXPECT_GT(r * 100 + c, prev) << "entry " << p;
        prev = r * 100 + c;
        for (int k = 0; k < w; ++k)
            EXPECT_EQ(jungle_map0[r][c + k], 1) << "entry " << p;
        if (c > 0) {
            EXPECT_NE(jungle_map0[r][c - 1], 1) << "entry " << p;
        }
        if (c + w < kMapColumns) {
            EXPECT_NE(jungle_map0[r][c + w], 1) << "entry " << p;
        }
        cells += w;
    }
    EXPECT_EQ(cells, 147);

    int walked = 0;
    for (int r = 0; r < kMapRows; ++r)
        for (int c = 0; c < kMapColumns; ++c) {
            walked += walk[r][c];
            EXPECT_EQ(walk[r][c], jungle_map0[r][c] == 1 ? 1 : 0) << r << "," << c;
        }
    EXPECT_EQ(walked, 147);
}

TEST_F(WallTest, MaskAndExtrusionLevelsMatchTheLayer) {
    int masks[3] = {0, 0, 0};
    int levels[4] = {0, 0, 0, 0};
    for (int i = 0; i < kGridRows; ++i)
        for (int j = 0; j < kGridColumns; ++j) {
            ASSERT_GE(mask[i][j], 0);
            ASSERT_LE(mask[i][j], 2);
            ASSERT_GE(extrusion[i][j], 0);
            ASSERT_LE(extrusion[i][j], 3);
            ++masks[mask[i][j]];
            ++levels[extrusion[i][j]];
            EXPECT_EQ(mask[i][j] == 0, extrusion[i][j] == 0) << i << "," << j;
            if (i < 64) {
                EXPECT_NE(mask[i][j], 2) << i << "," << j;
            }
        }
    EXPECT_EQ(masks[0], 30592);
    EXPECT_EQ(masks[1], 22272);
    EXPECT_EQ(masks[2], 11136);
    EXPECT_EQ(levels[0], 30592);
    EXPECT_EQ(levels[1], 14208);
    EXPECT_EQ(levels[2], 14144);
    EXPECT_EQ(levels[3], 5056);

    // Below the layer the rock continues exactly under the solid bottom cells.
    const int gaps[] = {0, 24, 25, 26, 27, 33, 34, 35, 36, 72, 80, 88, 91};
    for (int c = 0; c < kMapColumns; ++c) {
        bool gap = false;
        for (int g : gaps)
            gap = gap || g == c;
        for (int i = 64; i < kGridRows; ++i)
            for (int j = 8 * c; j < 8 * c + 8; ++j)
                EXPECT_EQ(mask[i][j], gap ? 0 : 2) << i << "," << j;
    }
}

TEST_F(WallTest, EdgeShapingRoundsRockBeforeJitter) {
    const float left_end[4] = {-5.1025f, 1.8266f, 7.1299f, 10.0f};
    const float right_end[4] = {10.0f, 8.0866f, 4.551f, -0.0683f};
    for (int k = 0; k < 4; ++k) {
        EXPECT_NEAR(wall[24][344 + k].z, left_end[k], 1e-4) << 344 + k;
        EXPECT_NEAR(wall[24][468 + k].z, right_end[k], 1e-4) << 468 + k;
    }
    const float step_up[8] = {10, 10, 10, 10, 9.9317f, 14.551f, 18.0866f, 20};
    for (int k = 0; k < 8; ++k)
        EXPECT_NEAR(wall[40][36 + k].z, step_up[k], 1e-4) << 36 + k;
    const float step_down[4] = {20, 18.0866f, 14.551f, 9.9317f};
    for (int k = 0; k < 4; ++k)
        EXPECT_NEAR(wall[40][60 + k].z, step_down[k], 1e-4) << 60 + k;

    // Columns 0..3 and 796..799 are never shaped: z is 10 per level exactly.
    const int edges[] = {0, 1, 2, 3, 796, 797, 798, 799};
    for (int i = 0; i < kGridRows; ++i)
        for (int j : edges)
            EXPECT_EQ(wall[i][j].z, 10.0f * extrusion[i][j]) << i << "," << j;

    // x and y stay on the 2.5-unit grid.
    EXPECT_EQ(wall[79][799].x, 1997.5f);
    EXPECT_EQ(wall[79][799].y, -197.5f);
    EXPECT_EQ(wall[33][101].x, 252.5f);
    EXPECT_EQ(wall[33][101].y, -82.5f);
}

TEST_F(WallTest, FlatCellsFaceTheViewer) {
    // (0, 0): open air; (40, 37): inside the rock at level 1 left of a step,
    // all four corners at the same level.
    const int cells[2][2] = {{0, 0}, {40, 37}};
    for (const auto& c : cells) {
        const int i = c[0], j = c[1];
        ASSERT_EQ(wall[i][j].z, wall[i + 1][j + 1].z);
        ASSERT_EQ(wall[i][j].z, wall[i + 1][j].z);
        ASSERT_EQ(wall[i][j].z, wall[i][j + 1].z);
        for (int t = 0; t < 2; ++t) {
            EXPECT_EQ(wallnorms[i][j][t].x, 0.0f) << i << "," << j << " tri " << t;
            EXPECT_EQ(wallnorms[i][j][t].y, 0.0f) << i << "," << j << " tri " << t;
            EXPECT_EQ(wallnorms[i][j][t].z, 1.0f) << i << "," << j << " tri " << t;
        }
    }
    // Rounded left end of a platform: the surface rises toward +x.
    EXPECT_LT(wallnorms[24][344][0].x, 0.0f);
    EXPECT_GT(wallnorms[24][344][0].z, 0.0f);
}

TEST_F(WallTest, JitterDrawsZThenXThenYScaledFromTheRemainder) {
    clear_level();  // the generator expects zeroed arrays, as at process start
    draws = 0;
    level_rand = scripted_rand;
    generate_wall();
    // Draws 0, 1023, 256: dz = -2, dx = 0.998046875, dy = -0.5.
    EXPECT_EQ(wall[0][0].x, 0.998046875f);
    EXPECT_EQ(wall[0][0].y, -0.5f);
    EXPECT_EQ(wall[0][0].z, -2.0f);
    EXPECT_EQ(wall[0][1].x, 2.5f);
    EXPECT_EQ(wall[0][1].z, 0.0f);
}

TEST_F(WallTest, JitterStaysWithinOneUnitSidewaysAndTwoInDepth) {
    static VERT shaped[kGridRows][kGridColumns];
    std::memcpy(shaped, wall, sizeof wall);
    static int shaped_levels[kGridRows][kGridColumns];
    std::memcpy(shaped_levels, extrusion, sizeof extrusion);

    clear_level();  // the generator expects zeroed arrays, as at process start
    std::srand(20240611);
    draws = 0;
    level_rand = counting_rand;
    generate_wall();
    EXPECT_EQ(draws, 192000);

    float max_dx = 0, max_dz = 0;
    for (int i = 0; i < kGridRows; ++i)
        for (int j = 0; j < kGridColumns; ++j) {
            const float dx = wall[i][j].x - shaped[i][j].x;
            const float dy = wall[i][j].y - shaped[i][j].y;
            const float dz = wall[i][j].z - shaped[i][j].z;
            ASSERT_LE(std::fabs(dx), 1.0f) << i << "," << j;
            ASSERT_LE(std::fabs(dy), 1.0f) << i << "," << j;
            ASSERT_LE(std::fabs(dz), 2.0f) << i << "," << j;
            ASSERT_EQ(extrusion[i][j], shaped_levels[i][j]);
            max_dx = std::fmax(max_dx, std::fabs(dx));
            max_dz = std::fmax(max_dz, std::fabs(dz));
            if (i < kGridRows - 1 && j < kGridColumns - 1)
                for (int t = 0; t < 2; ++t) {
                    const VERT& n = wallnorms[i][j][t];
                    ASSERT_NEAR(n.x * n.x + n.y * n.y + n.z * n.z, 1.0f, 1e-5);
                }
        }
    // The stream really moved the corners, close to the full range.
    EXPECT_GT(max_dx, 0.99f);
    EXPECT_GT(max_dz, 1.99f);
}
