#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "level/level.h"
#include "state/state.h"

TEST(Mappos, TruncatesNegatedCameraXOverCellWidthTowardZero) {
    EXPECT_EQ(mappos(-25.0f), 1);
    EXPECT_EQ(mappos(-19.9f), 0);
    EXPECT_EQ(mappos(5.0f), 0);
    EXPECT_EQ(mappos(25.0f), -1);
    EXPECT_EQ(mappos(-410.0f), 20);
}

TEST(Mappos, SaturatesInsteadOfOverflowingForFarCameras) {
    EXPECT_EQ(mappos(-1e30f), INT_MAX);
    EXPECT_EQ(mappos(1e30f), INT_MIN);
}

TEST(Camclip, AcceptsThe33ColumnsAroundTheCamera) {
    campos[0] = -410.0f;
    for (int c = 4; c <= 36; ++c)
        EXPECT_EQ(camclip(c), 1) << "column " << c;
    EXPECT_EQ(camclip(3), 0);
    EXPECT_EQ(camclip(37), 0);
    EXPECT_EQ(camclip(-100), 0);

    campos[0] = -1e30f;  // far right: nothing on the stage is near
    EXPECT_EQ(camclip(99), 0);
    EXPECT_EQ(camclip(INT_MIN), 0);
    campos[0] = 0.0f;
}

TEST(Normalize, ScalesToUnitLengthInPlace) {
    VERT v = {-0.5f, -1.0f, 0.5f};
    normalize(&v);
    EXPECT_NEAR(v.x, -0.408248f, 1e-6);
    EXPECT_NEAR(v.y, -0.816497f, 1e-6);
    EXPECT_NEAR(v.z, 0.408248f, 1e-6);

    VERT zero = {0.0f, 0.0f, 0.0f};
    normalize(&zero);
    EXPECT_EQ(zero.x, 0.0f);
    EXPECT_EQ(zero.y, 0.0f);
    EXPECT_EQ(zero.z, 0.0f);
}

TEST(Trinormal, FlatGridTriangleFacesTheViewer) {
    const VERT n = trinormal({0, 0, 0}, {2.5f, -2.5f, 0}, {2.5f, 0, 0});
    EXPECT_EQ(n.x, 0.0f);
    EXPECT_EQ(n.y, 0.0f);
    EXPECT_EQ(n.z, 1.0f);

    // A slope rising toward +x tilts the normal toward -x, still unit length.
    const VERT s = trinormal({0, 0, 0}, {2.5f, -2.5f, 2.5f}, {2.5f, 0, 2.5f});
    EXPECT_NEAR(s.x, -std::sqrt(0.5), 1e-6);
    EXPECT_NEAR(s.y, 0.0, 1e-6);
    EXPECT_NEAR(s.z, std::sqrt(0.5), 1e-6);

    const VERT d = trinormal({1, 1, 1}, {1, 1, 1}, {3, 2, 1});
    EXPECT_EQ(d.x, 0.0f);
    EXPECT_EQ(d.y, 0.0f);
    EXPECT_EQ(d.z, 0.0f);
}
