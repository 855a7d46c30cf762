// Double-precision vectors and rotations for the generators (assetgen's
// models, the palm crown mesh). The game's own float ones are in
// game/model/mathlib.h; these stay double so the generated data keep every digit.
#ifndef VELLIN_TOOLS_VECMATH_H
#define VELLIN_TOOLS_VECMATH_H

#include <cmath>

namespace vecmath {

constexpr double kPi = 3.14159265358979323846;

struct Vec3 {
    double x = 0, y = 0, z = 0;
    Vec3() = default;
    Vec3(double x_, double y_, double z_) : x(x_), y(y_), z(z_) {}
    Vec3 operator+(const Vec3& o) const { return {x + o.x, y + o.y, z + o.z}; }
    Vec3 operator-(const Vec3& o) const { return {x - o.x, y - o.y, z - o.z}; }
    Vec3 operator-() const { return {-x, -y, -z}; }
    Vec3 operator*(double s) const { return {x * s, y * s, z * s}; }
    Vec3& operator+=(const Vec3& o) {
        x += o.x;
        y += o.y;
        z += o.z;
        return *this;
    }
    double operator[](int axis) const { return axis == 0 ? x : axis == 1 ? y : z; }
};

inline Vec3 operator*(double s, const Vec3& a) {
    return {s * a.x, s * a.y, s * a.z};
}

inline double dot(const Vec3& a, const Vec3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
inline Vec3 cross(const Vec3& a, const Vec3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline double length(const Vec3& a) {
    return std::sqrt(dot(a, a));
}
inline Vec3 normalized(const Vec3& a) {
    double l = length(a);
    return l > 0 ? a * (1.0 / l) : Vec3{0, 0, 0};
}
inline Vec3 lerp(const Vec3& a, const Vec3& b, double t) {
    return a + (b - a) * t;
}
// v turned by angle (radians) about the unit axis.
inline Vec3 rotate(const Vec3& v, const Vec3& axis, double angle) {
    const double c = std::cos(angle), s = std::sin(angle);
    return c * v + s * cross(axis, v) + ((1.0 - c) * dot(axis, v)) * axis;
}

// Row-major 3x3 rotation; columns are the rotated frame's axes.
struct Mat3 {
    double m[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    Vec3 operator*(const Vec3& v) const {
        return {m[0][0] * v.x + m[0][1] * v.y + m[0][2] * v.z,
                m[1][0] * v.x + m[1][1] * v.y + m[1][2] * v.z,
                m[2][0] * v.x + m[2][1] * v.y + m[2][2] * v.z};
    }
    Mat3 operator*(const Mat3& o) const {
        Mat3 r;
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j)
                r.m[i][j] = m[i][0] * o.m[0][j] + m[i][1] * o.m[1][j] + m[i][2] * o.m[2][j];
        return r;
    }
    Mat3 transposed() const {
        Mat3 r;
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j)
                r.m[i][j] = m[j][i];
        return r;
    }
    Vec3 col(int c) const { return {m[0][c], m[1][c], m[2][c]}; }
    static Mat3 fromColumns(const Vec3& x, const Vec3& y, const Vec3& z) {
        Mat3 r;
        const Vec3 cols[3] = {x, y, z};
        for (int c = 0; c < 3; ++c) {
            r.m[0][c] = cols[c].x;
            r.m[1][c] = cols[c].y;
            r.m[2][c] = cols[c].z;
        }
        return r;
    }
};

// A turn by angle a about axis i (0: x, 1: y, 2: z), right-handed: it mixes
// the other two axes, j and k, in their cyclic order.
inline Mat3 rotAbout(int i, double a) {
    Mat3 r;
    const int j = (i + 1) % 3, k = (i + 2) % 3;
    const double c = std::cos(a), s = std::sin(a);
    r.m[j][j] = c;
    r.m[j][k] = -s;
    r.m[k][j] = s;
    r.m[k][k] = c;
    return r;
}
inline Mat3 rotX(double a) {
    return rotAbout(0, a);
}
inline Mat3 rotY(double a) {
    return rotAbout(1, a);
}
inline Mat3 rotZ(double a) {
    return rotAbout(2, a);
}

// The game's Euler convention: x first, then y, then z (R = Rz * Ry * Rx).
inline Mat3 fromEuler(const Vec3& a) {
    return rotZ(a.z) * rotY(a.y) * rotX(a.x);
}
inline Vec3 toEuler(const Mat3& r) {
    double sy = -r.m[2][0];
    if (sy > 1)
        sy = 1;
    if (sy < -1)
        sy = -1;
    double y = std::asin(sy);
    if (std::fabs(sy) > 0.999999) {
        // Gimbal lock: fold the x turn into z.
        return {0, y, std::atan2(-r.m[0][1], r.m[1][1])};
    }
    return {std::atan2(r.m[2][1], r.m[2][2]), y, std::atan2(r.m[1][0], r.m[0][0])};
}

}  // namespace vecmath

#endif
