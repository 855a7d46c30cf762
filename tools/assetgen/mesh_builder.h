// Primitive shapes appended to a mesh: every vertex follows one bone, normals
// are smoothed within each shape, and each shape maps to one atlas rectangle.
#ifndef ASSETGEN_MESH_BUILDER_H
#define ASSETGEN_MESH_BUILDER_H

#include <vector>

#include "model_data.h"

namespace assetgen {

// Texture rectangle in pixels of a square atlas of `size`.
struct UvRect {
    double x0, y0, x1, y1;
    double size = 256;
};

// One cross-section of a lathe: at height y along the axis, half-widths rx
// (local x) and rz (local z), centre shifted by (cx, cz).
struct Ring {
    double y, rx, rz, cx = 0, cz = 0;
};

// Shape placed in model space: origin plus basis whose columns are the local
// x, y (the lathe axis) and z axes.
struct Placement {
    Vec3 origin;
    Mat3 basis;
};

// Appends a surface of revolution through `rings` (bottom to top). A ring of
// zero size closes that end in a point. `squareness` below 1 squares the
// cross-section (1 is an ellipse). Texture u runs around (0 at local +x), v
// along the rings.
void add_lathe(Mesh& mesh, int bone, const Placement& at, const std::vector<Ring>& rings,
               int segments, double squareness, const UvRect& uv);

// Ellipsoid with the given radii, `rings` latitude bands.
void add_ellipsoid(Mesh& mesh, int bone, const Placement& at, const Vec3& radii, int segments,
                   int rings, const UvRect& uv);

// Box with rounded edges from local `lo` to `hi`, its lathe axis along local y.
void add_rounded_box(Mesh& mesh, int bone, const Placement& at, const Vec3& lo, const Vec3& hi,
                     double bevel, int segments, const UvRect& uv);

Placement place(const Vec3& origin, const Mat3& basis = Mat3());

}  // namespace assetgen

#endif
