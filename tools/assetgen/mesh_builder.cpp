#include "mesh_builder.h"

#include <cmath>
#include <map>
#include <tuple>

namespace assetgen {
namespace {

double signed_pow(double v, double e) {
    return v < 0 ? -std::pow(-v, e) : std::pow(v, e);
}

// Averages area-weighted face normals over vertices that share a position,
// so seams and closed ends shade smoothly.
void smooth_normals(Mesh& mesh, size_t firstVertex, size_t firstTriangle) {
    std::map<std::tuple<long, long, long>, Vec3> sums;
    auto key = [](const Vec3& p) {
        return std::make_tuple(std::lround(p.x * 1000), std::lround(p.y * 1000),
                               std::lround(p.z * 1000));
    };
    for (size_t t = firstTriangle; t < mesh.triangles.size(); ++t) {
        const Triangle& tri = mesh.triangles[t];
        const Vec3& a = mesh.vertices[tri.a].pos;
        const Vec3& b = mesh.vertices[tri.b].pos;
        const Vec3& c = mesh.vertices[tri.c].pos;
        Vec3 n = cross(b - a, c - a);
        for (int idx : {tri.a, tri.b, tri.c})
            sums[key(mesh.vertices[idx].pos)] += n;
    }
    for (size_t v = firstVertex; v < mesh.vertices.size(); ++v)
        mesh.vertices[v].normal = normalized(sums[key(mesh.vertices[v].pos)]);
}

}  // namespace

Placement place(const Vec3& origin, const Mat3& basis) {
    return Placement{origin, basis};
}

void add_lathe(Mesh& mesh, int bone, const Placement& at, const std::vector<Ring>& rings,
               int segments, double squareness, const UvRect& uv) {
    const size_t firstVertex = mesh.vertices.size();
    const size_t firstTriangle = mesh.triangles.size();
    // v follows the profile's length so texture detail is not stretched.
    std::vector<double> along(rings.size(), 0.0);
    for (size_t r = 1; r < rings.size(); ++r) {
        double dy = rings[r].y - rings[r - 1].y;
        double dr =
            std::fmax(rings[r].rx, rings[r].rz) - std::fmax(rings[r - 1].rx, rings[r - 1].rz);
        along[r] = along[r - 1] + std::sqrt(dy * dy + dr * dr);
    }
    const double total = along.back() > 0 ? along.back() : 1.0;
    // Half-texel inset keeps mipmapped lookups inside the rectangle.
    const double u0 = (uv.x0 + 0.5) / uv.size, u1 = (uv.x1 - 0.5) / uv.size;
    const double v0 = (uv.y0 + 0.5) / uv.size, v1 = (uv.y1 - 0.5) / uv.size;
    for (size_t r = 0; r < rings.size(); ++r) {
        const Ring& ring = rings[r];
        for (int s = 0; s <= segments; ++s) {
            double a = 2 * kPi * s / segments;
            double ca = std::cos(a), sa = std::sin(a);
            if (s == segments) {
                ca = 1;
                sa = 0;
            }
            Vec3 local{ring.cx + ring.rx * signed_pow(ca, squareness), ring.y,
                       ring.cz + ring.rz * signed_pow(sa, squareness)};
            Vertex vert;
            vert.pos = at.origin + at.basis * local;
            vert.u = u0 + (u1 - u0) * s / segments;
            // Bottom ring at the bottom of the rectangle (image rows grow down).
            vert.v = v1 - (v1 - v0) * along[r] / total;
            vert.bone = bone;
            mesh.vertices.push_back(vert);
        }
    }
    const int stride = segments + 1;
    for (size_t r = 0; r + 1 < rings.size(); ++r) {
        const bool lowClosed = rings[r].rx == 0 && rings[r].rz == 0;
        const bool highClosed = rings[r + 1].rx == 0 && rings[r + 1].rz == 0;
        for (int s = 0; s < segments; ++s) {
            int a = static_cast<int>(firstVertex + r * stride + s);
            int b = a + 1;
            int c = a + stride;
            int d = c + 1;
            // Outward winding: around +y counter-clockwise seen from outside.
            if (!lowClosed)
                mesh.triangles.push_back({a, c, b});
            if (!highClosed)
                mesh.triangles.push_back({b, c, d});
        }
    }
    smooth_normals(mesh, firstVertex, firstTriangle);
}

void add_ellipsoid(Mesh& mesh, int bone, const Placement& at, const Vec3& radii, int segments,
                   int rings, const UvRect& uv) {
    std::vector<Ring> profile;
    for (int i = 0; i <= rings; ++i) {
        double phi = kPi * i / rings;
        double s = std::sin(phi);
        if (i == 0 || i == rings)
            s = 0;
        profile.push_back({-radii.y * std::cos(phi), radii.x * s, radii.z * s});
    }
    add_lathe(mesh, bone, at, profile, segments, 1.0, uv);
}

void add_rounded_box(Mesh& mesh, int bone, const Placement& at, const Vec3& lo, const Vec3& hi,
                     double bevel, int segments, const UvRect& uv) {
    const double cx = (lo.x + hi.x) / 2, cz = (lo.z + hi.z) / 2;
    const double rx = (hi.x - lo.x) / 2, rz = (hi.z - lo.z) / 2;
    const double b = std::fmin(bevel, std::fmin(rx, std::fmin(rz, (hi.y - lo.y) / 2)));
    std::vector<Ring> profile = {
        {lo.y, 0, 0, cx, cz},
        {lo.y, rx - b, rz - b, cx, cz},
        {lo.y + b * 0.3, rx - b * 0.3, rz - b * 0.3, cx, cz},
        {lo.y + b, rx, rz, cx, cz},
        {hi.y - b, rx, rz, cx, cz},
        {hi.y - b * 0.3, rx - b * 0.3, rz - b * 0.3, cx, cz},
        {hi.y, rx - b, rz - b, cx, cz},
        {hi.y, 0, 0, cx, cz},
    };
    add_lathe(mesh, bone, at, profile, segments, 0.35, uv);
}

}  // namespace assetgen
