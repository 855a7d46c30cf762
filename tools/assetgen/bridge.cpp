// One rope-bridge piece for a 20-unit map cell drawn at scale 0.125: 160
// model units long, centred on x = 0, deck top at y = +40.
#include "bridge.h"

#include <cmath>

#include "atlas.h"
#include "mesh_builder.h"

namespace assetgen {
namespace {

constexpr double kHalfLength = 80;
constexpr double kHalfWidth = 56;  // deck depth from the cliff outwards
constexpr int kPlanks = 8;
constexpr double kPlankThickness = 6;
constexpr double kRailHeight = 110;  // hip height of the 240-unit soldier
constexpr double kRailSag = 10;

// Cylinder from a to b (radius r) as a closed lathe.
void add_rod(Mesh& m, const Vec3& a, const Vec3& b, double r, const UvRect& uv) {
    Vec3 axis = b - a;
    double len = length(axis);
    Vec3 y = axis * (1.0 / len);
    Vec3 helper = std::fabs(y.y) < 0.9 ? Vec3{0, 1, 0} : Vec3{1, 0, 0};
    Vec3 x = normalized(cross(helper, y));
    Vec3 z = cross(x, y);
    add_lathe(m, 0, place(a, Mat3::fromColumns(x, y, z)),
              {{0, 0, 0}, {0, r, r}, {len, r, r}, {len, 0, 0}}, 8, 1.0, uv);
}

double rail_y(double x) {
    double t = x / kHalfLength;  // -1 .. 1
    return kDeckTop + kRailHeight - kRailSag * (1 - t * t);
}

}  // namespace

Model make_bridge() {
    Model model;
    model.frames = 1;
    model.startFrame = 0;
    Mesh m;
    m.name = "bridge";
    // Planks run across the bridge (along z), side by side along x, with
    // small gaps, each turned a little so the deck looks hand-laid.
    const double pitch = 2 * kHalfLength / kPlanks;
    for (int i = 0; i < kPlanks; ++i) {
        double cx = -kHalfLength + pitch * (i + 0.5);
        double wobble = (i % 3 - 1) * 0.03;
        Mat3 basis = Mat3::fromColumns({1, 0, 0}, {0, 0, 1}, {0, -1, 0}) * rotX(0);
        Mat3 turn = rotY(wobble);
        UvRect uv = atlas::kPlank;
        uv.y0 = (i % 4) * 16;
        uv.y1 = uv.y0 + 16;
        add_rounded_box(m, 0, place({cx, kDeckTop - kPlankThickness / 2, 0}, turn * basis),
                        {-pitch / 2 + 1, -kHalfWidth - 4, -kPlankThickness / 2},
                        {pitch / 2 - 1, kHalfWidth + 4, kPlankThickness / 2}, 1.5, 8, uv);
    }
    for (double z : {-kHalfWidth, kHalfWidth}) {
        // Stringer ropes under the plank ends.
        add_rod(m, {-kHalfLength, kDeckTop - kPlankThickness - 2, z},
                {kHalfLength, kDeckTop - kPlankThickness - 2, z}, 2.5, atlas::kRope);
        // Posts at both ends of the piece.
        for (double x : {-kHalfLength + 4, kHalfLength - 4})
            add_rod(m, {x, kDeckTop - 24, z}, {x, kDeckTop + kRailHeight + 8, z}, 4, atlas::kPost);
        // Sagging hand rope between the posts, and hangers down to the deck.
        const int pieces = 8;
        for (int k = 0; k < pieces; ++k) {
            double x0 = -kHalfLength + 2 * kHalfLength * k / pieces;
            double x1 = -kHalfLength + 2 * kHalfLength * (k + 1) / pieces;
            add_rod(m, {x0, rail_y(x0), z}, {x1, rail_y(x1), z}, 2.2, atlas::kRope);
        }
        for (int k = 1; k < kPlanks; k += 2) {
            double x = -kHalfLength + pitch * k;
            add_rod(m, {x, rail_y(x), z}, {x, kDeckTop - kPlankThickness, z}, 1.2, atlas::kRope);
        }
    }
    model.meshes.push_back(m);
    Material mat;
    mat.name = "wood";
    mat.texture = "bridge_wood.png";
    model.materials.push_back(mat);
    Bone root;
    root.name = "bridge";
    model.bones.push_back(root);
    return model;
}

}  // namespace assetgen
