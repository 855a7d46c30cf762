#include "model/mathlib.h"

#include <cmath>

namespace {

const double kDegToRad = 0.017453292519943295;
const double kPi = 3.141592653589793;
const float kBoundsLimit = 99999.0f;
// Below this, 1 +/- cos(omega) counts as zero in the slerp branch tests.
const double kSlerpEpsilon = 1e-8;

}  // namespace

void CrossProduct(const float* a, const float* b, float* cross) {
    cross[0] = static_cast<float>(double(a[1]) * b[2] - double(a[2]) * b[1]);
    cross[1] = static_cast<float>(double(a[2]) * b[0] - double(a[0]) * b[2]);
    cross[2] = static_cast<float>(double(a[0]) * b[1] - double(a[1]) * b[0]);
}

float VectorNormalize(float* v) {
    double length = std::sqrt(double(v[0]) * v[0] + double(v[1]) * v[1] + double(v[2]) * v[2]);
    if (length == 0.0) {
        return 0.0f;
    }
    for (int i = 0; i < 3; i++) {
        v[i] = static_cast<float>(v[i] / length);
    }
    return static_cast<float>(length);
}

float VectorLength(const float* v) {
    return static_cast<float>(
        std::sqrt(double(v[0]) * v[0] + double(v[1]) * v[1] + double(v[2]) * v[2]));
}

void VectorUnit(float* v) {
    const float len = VectorLength(v);
    if (len == 0.0f) {
        return;
    }
    for (int i = 0; i < 3; i++) {
        v[i] /= len;
    }
}

void TriangleNormal(const float* a, const float* b, const float* c, float* normal) {
    const float u[3] = {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
    const float v[3] = {b[0] - c[0], b[1] - c[1], b[2] - c[2]};
    normal[0] = u[1] * v[2] - u[2] * v[1];
    normal[1] = u[2] * v[0] - u[0] * v[2];
    normal[2] = u[0] * v[1] - u[1] * v[0];
    VectorUnit(normal);
}

void ClearBounds(float* mins, float* maxs) {
    for (int i = 0; i < 3; i++) {
        mins[i] = kBoundsLimit;
        maxs[i] = -kBoundsLimit;
    }
}

void AddPointToBounds(const float* v, float* mins, float* maxs) {
    for (int i = 0; i < 3; i++) {
        if (v[i] < mins[i]) {
            mins[i] = v[i];
        }
        if (v[i] > maxs[i]) {
            maxs[i] = v[i];
        }
    }
}

void R_ConcatTransforms(const float in1[3][4], const float in2[3][4], float out[3][4]) {
    for (int r = 0; r < 3; r++) {
        for (int c = 0; c < 4; c++) {
            double sum = double(in1[r][0]) * in2[0][c] + double(in1[r][1]) * in2[1][c] +
                         double(in1[r][2]) * in2[2][c];
            if (c == 3) {
                sum += in1[r][3];
            }
            out[r][c] = static_cast<float>(sum);
        }
    }
}

void VectorRotate(const float* in, const float m[3][4], float* out) {
    for (int r = 0; r < 3; r++) {
        out[r] = static_cast<float>(double(in[0]) * m[r][0] + double(in[1]) * m[r][1] +
                                    double(in[2]) * m[r][2]);
    }
}

void VectorIRotate(const float* in, const float m[3][4], float* out) {
    for (int c = 0; c < 3; c++) {
        out[c] = static_cast<float>(double(in[0]) * m[0][c] + double(in[1]) * m[1][c] +
                                    double(in[2]) * m[2][c]);
    }
}

void rotate(float* a, float* b, float angle) {
    RotateBy(a, b, std::cos(double(angle)), std::sin(double(angle)));
}

void RotateBy(float* a, float* b, double c, double s) {
    const double x = *a;
    const double y = *b;
    *a = static_cast<float>(x * c - y * s);
    *b = static_cast<float>(x * s + y * c);
}

void AngleMatrix(const float* angles, float matrix[3][4]) {
    double s[3], c[3];
    for (int i = 0; i < 3; i++) {
        const float radians = static_cast<float>(angles[i] * kDegToRad);
        s[i] = static_cast<float>(std::sin(double(radians)));
        c[i] = static_cast<float>(std::cos(double(radians)));
    }
    matrix[0][0] = static_cast<float>(c[1] * c[2]);
    matrix[0][1] = static_cast<float>(s[0] * s[1] * c[2] - c[0] * s[2]);
    matrix[0][2] = static_cast<float>(c[0] * s[1] * c[2] + s[0] * s[2]);
    matrix[0][3] = 0.0f;
    matrix[1][0] = static_cast<float>(c[1] * s[2]);
    matrix[1][1] = static_cast<float>(s[0] * s[1] * s[2] + c[0] * c[2]);
    matrix[1][2] = static_cast<float>(c[0] * s[1] * s[2] - s[0] * c[2]);
    matrix[1][3] = 0.0f;
    matrix[2][0] = static_cast<float>(-s[1]);
    matrix[2][1] = static_cast<float>(s[0] * c[1]);
    matrix[2][2] = static_cast<float>(c[0] * c[1]);
    matrix[2][3] = 0.0f;
}

void AngleQuaternion(const float* angles, float* q) {
    double s[3], c[3];
    for (int i = 0; i < 3; i++) {
        const float half = static_cast<float>(angles[i] * 0.5);
        s[i] = static_cast<float>(std::sin(double(half)));
        c[i] = static_cast<float>(std::cos(double(half)));
    }
    q[0] = static_cast<float>(s[0] * c[1] * c[2] - c[0] * s[1] * s[2]);
    q[1] = static_cast<float>(c[0] * s[1] * c[2] + s[0] * c[1] * s[2]);
    q[2] = static_cast<float>(c[0] * c[1] * s[2] - s[0] * s[1] * c[2]);
    q[3] = static_cast<float>(c[0] * c[1] * c[2] + s[0] * s[1] * s[2]);
}

// Writes the rotation part only; column 3 keeps the caller's translation.
void QuaternionMatrix(const float* q, float matrix[3][4]) {
    const double x = q[0], y = q[1], z = q[2], w = q[3];
    matrix[0][0] = static_cast<float>(1.0 - 2.0 * y * y - 2.0 * z * z);
    matrix[0][1] = static_cast<float>(2.0 * x * y - 2.0 * w * z);
    matrix[0][2] = static_cast<float>(2.0 * x * z + 2.0 * w * y);
    matrix[1][0] = static_cast<float>(2.0 * x * y + 2.0 * w * z);
    matrix[1][1] = static_cast<float>(1.0 - 2.0 * x * x - 2.0 * z * z);
    matrix[1][2] = static_cast<float>(2.0 * y * z - 2.0 * w * x);
    matrix[2][0] = static_cast<float>(2.0 * x * z - 2.0 * w * y);
    matrix[2][1] = static_cast<float>(2.0 * y * z + 2.0 * w * x);
    matrix[2][2] = static_cast<float>(1.0 - 2.0 * x * x - 2.0 * y * y);
}

// Takes the shorter arc: q is negated in place when -q is nearer to p.
// The result is not renormalised.
void QuaternionSlerp(const float* p, float* q, float t, float* qt) {
    float a = 0.0f;
    float b = 0.0f;
    for (int i = 0; i < 4; i++) {
        a = static_cast<float>(a + (double(p[i]) - q[i]) * (double(p[i]) - q[i]));
        b = static_cast<float>(b + (double(p[i]) + q[i]) * (double(p[i]) + q[i]));
    }
    if (a > b) {
        for (int i = 0; i < 4; i++) {
            q[i] = -q[i];
        }
    }
    const float cosom = static_cast<float>(double(p[0]) * q[0] + double(p[1]) * q[1] +
                                           double(p[2]) * q[2] + double(p[3]) * q[3]);
    if (1.0 + cosom > kSlerpEpsilon) {
        double sclp, sclq;
        if (1.0 - cosom > kSlerpEpsilon) {
            const float omega = static_cast<float>(std::acos(double(cosom)));
            const float sinom = static_cast<float>(std::sin(double(omega)));
            sclp = std::sin((1.0 - t) * omega) / sinom;
            sclq = std::sin(double(t) * omega) / sinom;
        } else {
            sclp = 1.0 - t;
            sclq = t;
        }
        for (int i = 0; i < 4; i++) {
            qt[i] = static_cast<float>(sclp * p[i] + sclq * q[i]);
        }
    } else {
        // Opposite ends: turn through a perpendicular quaternion; qt[3] stays p[2].
        const float perp[4] = {-p[1], p[0], -p[3], p[2]};
        const double sclp = std::sin((1.0 - t) * 0.5 * kPi);
        const double sclq = std::sin(double(t) * 0.5 * kPi);
        for (int i = 0; i < 3; i++) {
            qt[i] = static_cast<float>(sclp * p[i] + sclq * perp[i]);
        }
        qt[3] = perp[3];
    }
}
