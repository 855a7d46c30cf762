#include <gtest/gtest.h>

#include <cmath>

#include "render/render.h"

namespace {

double dot(const double* a, const double* b) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

double distance(const double* a, const double* b) {
    const double d[3] = {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
    return std::sqrt(dot(d, d));
}

// Angle in degrees; atan2 stays exact for nearly equal directions.
double angle_deg(const double* a, const double* b) {
    const double c[3] = {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2],
                         a[0] * b[1] - a[1] * b[0]};
    return std::atan2(std::sqrt(dot(c, c)), dot(a, b)) * 180.0 / M_PI;
}

TEST(LeavesMesh, HasEightThousandEightyEightEntriesWithinTheCrownExtents) {
    ASSERT_EQ(leaves_entries, 8088);  // as generated
    for (int k = 0; k < leaves_entries; ++k) {
        const double* v = leaves_vertex[k];
        EXPECT_TRUE(v[0] >= -3.83 && v[0] <= 3.67) << "x of entry " << k;
        EXPECT_TRUE(v[1] >= -5.15 && v[1] <= 3.19) << "y of entry " << k;
        EXPECT_TRUE(v[2] >= -3.74 && v[2] <= 3.83) << "z of entry " << k;
    }
}

TEST(LeavesMesh, DrawnSegmentsAreShortStrokesOnTheLeaf) {
    for (int m = 0; m < leaves_strokes; ++m) {
        const double len = distance(leaves_vertex[4 * m + 1], leaves_vertex[4 * m + 3]);
        EXPECT_GE(len, 0.09) << "segment " << m;
        EXPECT_LE(len, 0.30) << "segment " << m;
        // The entries between belong to the same stroke.
        EXPECT_LT(distance(leaves_vertex[4 * m], leaves_vertex[4 * m + 1]), len) << m;
        EXPECT_LT(distance(leaves_vertex[4 * m + 2], leaves_vertex[4 * m + 3]), len) << m;
    }
}

// The drawn normals are unit normals of the leaf: perpendicular to the stroke
// lying on it, and turning only a little between neighbouring entries.
TEST(LeavesMesh, NormalsAreUnitAndPerpendicularToTheStrokesAndChangeSmoothly) {
    for (int k = 0; k < leaves_entries; ++k)
        EXPECT_NEAR(std::sqrt(dot(leaves_normal[k], leaves_normal[k])), 1.0, 1e-6) << k;
    for (int m = 0; m < leaves_strokes; ++m) {
        const double* a = leaves_vertex[4 * m + 1];
        const double* b = leaves_vertex[4 * m + 3];
        const double d[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]};
        const double len = std::sqrt(dot(d, d));
        EXPECT_LT(std::fabs(dot(leaves_normal[4 * m], d)) / len, 0.02) << "stroke " << m;
        EXPECT_LT(std::fabs(dot(leaves_normal[4 * m + 2], d)) / len, 0.02) << "stroke " << m;
    }
    // Within a stroke's four entries: under a tenth of a degree.
    for (int k = 1; k < leaves_entries; ++k) {
        if (k % 4 != 0) {
            EXPECT_LT(angle_deg(leaves_normal[k - 1], leaves_normal[k]), 0.1) << k;
        }
    }
    // Along a leaf, where one stroke ends at the next one's start.
    int joined = 0;
    for (int m = 0; m + 1 < leaves_strokes; ++m) {
        if (distance(leaves_vertex[4 * m + 3], leaves_vertex[4 * m + 5]) > 1e-9)
            continue;
        ++joined;
        EXPECT_LT(angle_deg(leaves_normal[4 * m + 2], leaves_normal[4 * m + 4]), 10.0) << m;
    }
    EXPECT_GT(joined, leaves_strokes / 2);  // strokes mostly chain into leaves
}

// Fronds leave the point where the crown sits on the trunk, spread all round,
// rise above it and droop well below it.
TEST(LeavesMesh, ReadsAsACrownOfDroopingFronds) {
    double nearest = 1e9, low = 0, high = 0;
    int quadrant[4] = {0, 0, 0, 0};
    for (int k = 1; k < leaves_entries; k += 2) {
        const double* v = leaves_vertex[k];
        nearest = std::fmin(nearest, std::sqrt(dot(v, v)));
        low = std::fmin(low, v[1]);
        high = std::fmax(high, v[1]);
        if (std::hypot(v[0], v[2]) > 2.0)
            ++quadrant[(v[0] >= 0 ? 0 : 1) + (v[2] >= 0 ? 0 : 2)];
    }
    EXPECT_LT(nearest, 0.01);
    EXPECT_LT(low, -2.0);
    EXPECT_GT(high, 2.0);
    for (int q = 0; q < 4; ++q)
        EXPECT_GT(quadrant[q], 100) << "quadrant " << q;
}

}  // namespace
