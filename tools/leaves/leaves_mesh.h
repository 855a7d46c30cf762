// The palm crown mesh: fronds arching out of the origin (where the crown sits
// on the trunk) and drooping, each a midrib with leaflets on both sides, cut
// into short strokes. Entry 4m + 1 -> 4m + 3 is stroke m; entries 4m and
// 4m + 2 sit at its middle and carry the leaf surface normal there.
#ifndef VELLIN_LEAVES_MESH_H
#define VELLIN_LEAVES_MESH_H

#include <string>
#include <vector>

#include "vecmath.h"

namespace leaves {

constexpr int kStrokes = 2021;              // drawn strokes
constexpr int kEntries = 4 * kStrokes + 4;  // four per stroke, and a spare group of four

using Vec = vecmath::Vec3;

struct Mesh {
    std::vector<Vec> vertex;  // kEntries positions, mesh units
    std::vector<Vec> normal;  // kEntries unit normals
};

// Deterministic: the same mesh every run. Empty string on success, otherwise
// why the stroke budget could not be met.
std::string build(Mesh& out);

}  // namespace leaves

#endif
