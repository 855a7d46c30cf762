#include <gtest/gtest.h>

#include <cmath>

#include "model/mathlib.h"

namespace {

const float kPi = 3.14159265f;
const float kTol = 1e-6f;

void expect_vec(const float* got, float x, float y, float z, float tol = kTol) {
    EXPECT_NEAR(got[0], x, tol);
    EXPECT_NEAR(got[1], y, tol);
    EXPECT_NEAR(got[2], z, tol);
}

}  // namespace

TEST(MathLib, NormalizeReturnsOldLengthAndLeavesZeroVectorAlone) {
    float zero[3] = {0, 0, 0};
    EXPECT_EQ(VectorNormalize(zero), 0.0f);
    expect_vec(zero, 0, 0, 0, 0);

    float v[3] = {3, 0, 4};
    EXPECT_FLOAT_EQ(VectorNormalize(v), 5.0f);
    EXPECT_FLOAT_EQ(v[0], 0.6f);
    EXPECT_EQ(v[1], 0.0f);
    EXPECT_FLOAT_EQ(v[2], 0.8f);
}

TEST(MathLib, FirstPointAfterClearBoundsSetsBothMinsAndMaxs) {
    float mins[3], maxs[3];
    ClearBounds(mins, maxs);
    expect_vec(mins, 99999, 99999, 99999, 0);
    expect_vec(maxs, -99999, -99999, -99999, 0);
    const float p[3] = {1, -2, 3};
    AddPointToBounds(p, mins, maxs);
    expect_vec(mins, 1, -2, 3, 0);
    expect_vec(maxs, 1, -2, 3, 0);
    const float q[3] = {-1, 5, 3};
    AddPointToBounds(q, mins, maxs);
    expect_vec(mins, -1, -2, 3, 0);
    expect_vec(maxs, 1, 5, 3, 0);
}

TEST(MathLib, CrossProductFollowsRightHandRule) {
    const float x[3] = {1, 0, 0}, y[3] = {0, 1, 0};
    float c[3];
    CrossProduct(x, y, c);
    expect_vec(c, 0, 0, 1, 0);
    CrossProduct(y, x, c);
    expect_vec(c, 0, 0, -1, 0);
    const float a[3] = {2, 3, 4}, b[3] = {5, 6, 7};
    CrossProduct(a, b, c);
    expect_vec(c, -3, 6, -3, 0);
}

TEST(MathLib, AngleMatrixTurnsAxesAndZeroesTranslation) {
    float m[3][4];
    for (auto& row : m) {
        for (float& e : row) {
            e = 7.0f;
        }
    }
    const float about_z[3] = {0, 0, 90};
    AngleMatrix(about_z, m);
    const float x[3] = {1, 0, 0}, y[3] = {0, 1, 0};
    float out[3];
    VectorRotate(x, m, out);
    expect_vec(out, 0, 1, 0);
    EXPECT_EQ(m[0][3], 0.0f);
    EXPECT_EQ(m[1][3], 0.0f);
    EXPECT_EQ(m[2][3], 0.0f);

    const float about_x[3] = {90, 0, 0};
    AngleMatrix(about_x, m);
    VectorRotate(y, m, out);
    expect_vec(out, 0, 0, 1);
}

TEST(MathLib, RotateTurnsCounterClockwise) {
    float a = 1, b = 0;
    rotate(&a, &b, kPi / 2);
    EXPECT_NEAR(a, 0.0f, kTol);
    EXPECT_NEAR(b, 1.0f, kTol);
    a = 0;
    b = 2;
    rotate(&a, &b, kPi / 2);
    EXPECT_NEAR(a, -2.0f, kTol);
    EXPECT_NEAR(b, 0.0f, kTol);
}

TEST(MathLib, QuaternionMatrixOfIdentityKeepsTranslation) {
    float m[3][4] = {{5, 5, 5, 1}, {5, 5, 5, 2}, {5, 5, 5, 3}};
    const float q[4] = {0, 0, 0, 1};
    QuaternionMatrix(q, m);
    for (int r = 0; r < 3; r++) {
        for (int c = 0; c < 3; c++) {
            EXPECT_EQ(m[r][c], r == c ? 1.0f : 0.0f);
        }
        EXPECT_EQ(m[r][3], float(r + 1));
    }
}

TEST(MathLib, AngleQuaternionAgreesWithAngleMatrix) {
    const float triples[][3] = {{0, 0, 0},    {90, 0, 0},    {0, 90, 0},      {0, 0, 90},
                                {30, 45, 60}, {-20, 170, 5}, {123, -75, 250}, {180, 180, 180}};
    for (const auto& degrees : triples) {
        const float radians[3] = {degrees[0] * kPi / 180, degrees[1] * kPi / 180,
                                  degrees[2] * kPi / 180};
        float from_angles[3][4], from_quat[3][4] = {};
        AngleMatrix(degrees, from_angles);
        float q[4];
        AngleQuaternion(radians, q);
        QuaternionMatrix(q, from_quat);
        for (int r = 0; r < 3; r++) {
            for (int c = 0; c < 3; c++) {
                EXPECT_NEAR(from_angles[r][c], from_quat[r][c], 1e-5f)
                    << degrees[0] << " " << degrees[1] << " " << degrees[2] << " at " << r << c;
            }
        }
    }
}

TEST(MathLib, ConcatComposesAffineMatrices) {
    // in1: quarter turn about z, then move by (1, 2, 3); in2: move by (1, 0, 0).
    const float in1[3][4] = {{0, -1, 0, 1}, {1, 0, 0, 2}, {0, 0, 1, 3}};
    const float in2[3][4] = {{1, 0, 0, 1}, {0, 1, 0, 0}, {0, 0, 1, 0}};
    float out[3][4];
    R_ConcatTransforms(in1, in2, out);
    EXPECT_EQ(out[0][3], 1.0f);
    EXPECT_EQ(out[1][3], 3.0f);
    EXPECT_EQ(out[2][3], 3.0f);
    for (int r = 0; r < 3; r++) {
        for (int c = 0; c < 3; c++) {
            EXPECT_EQ(out[r][c], in1[r][c]);
        }
    }
}

TEST(MathLib, IRotateUndoesRotateForOrthonormalMatrix) {
    const float angles[3] = {30, -45, 110};
    float m[3][4];
    AngleMatrix(angles, m);
    const float v[3] = {1.5f, -2, 0.25f};
    float turned[3], back[3];
    VectorRotate(v, m, turned);
    VectorIRotate(turned, m, back);
    expect_vec(back, v[0], v[1], v[2], 1e-5f);
    // The rotation part only: translation is ignored by both.
    m[0][3] = m[1][3] = m[2][3] = 100;
    float again[3];
    VectorRotate(v, m, again);
    expect_vec(again, turned[0], turned[1], turned[2], 0);
}

TEST(MathLib, SlerpEndsHalfwayAndShortestPath) {
    const float h = std::sqrt(0.5f);
    const float p[4] = {0, 0, 0, 1};
    float q[4] = {0, 0, h, h};  // 90 degrees about z
    float qt[4];
    QuaternionSlerp(p, q, 0, qt);
    for (int i = 0; i < 4; i++) {
        EXPECT_NEAR(qt[i], p[i], kTol);
    }
    QuaternionSlerp(p, q, 1, qt);
    for (int i = 0; i < 4; i++) {
        EXPECT_NEAR(qt[i], q[i], kTol);
    }
    // Half-way: 45 degrees about z.
    QuaternionSlerp(p, q, 0.5f, qt);
    EXPECT_NEAR(qt[2], std::sin(kPi / 8), kTol);
    EXPECT_NEAR(qt[3], std::cos(kPi / 8), kTol);

    // The far representation of the same rotation is negated in place, and
    // t = 1 then gives -q.
    float far[4] = {0, 0, -h, -h};
    QuaternionSlerp(p, far, 1, qt);
    EXPECT_NEAR(far[2], h, kTol);
    EXPECT_NEAR(far[3], h, kTol);
    EXPECT_NEAR(qt[2], h, kTol);
    EXPECT_NEAR(qt[3], h, kTol);
}

TEST(MathLib, SlerpOfQuaternionWithItsNegationReturnsItForEveryT) {
    const float p[4] = {0.5f, 0.5f, 0.5f, 0.5f};
    for (float t : {0.0f, 0.3f, 0.5f, 1.0f}) {
        float q[4] = {-0.5f, -0.5f, -0.5f, -0.5f};
        float qt[4];
        QuaternionSlerp(p, q, t, qt);
        for (int i = 0; i < 4; i++) {
            EXPECT_EQ(q[i], p[i]);
            EXPECT_NEAR(qt[i], p[i], kTol) << "t=" << t;
        }
    }
}

TEST(MathLib, SlerpDoesNotNegateOnZeroDotProduct) {
    const float p[4] = {0, 0, 0, 1};
    float q[4] = {1, 0, 0, 0};
    float qt[4];
    QuaternionSlerp(p, q, 0.5f, qt);
    EXPECT_EQ(q[0], 1.0f);
    EXPECT_EQ(q[3], 0.0f);
    EXPECT_NEAR(qt[0], std::sqrt(0.5f), kTol);
    EXPECT_NEAR(qt[3], std::sqrt(0.5f), kTol);
}
