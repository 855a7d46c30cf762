// Small operations in world-grid units: camera column, column clipping and
// the VERT forms of the vector helpers the generators share.
#include <climits>

#include "level/level.h"
#include "model/mathlib.h"
#include "state/state.h"

constexpr int kClipColumns = 16;  // map columns drawn either side of the camera's

int mappos(float x) {
    const double column = -static_cast<double>(x) / static_cast<double>(kCellWidth);
    // Truncation toward zero; a free camera flown absurdly far (or a NaN)
    // must not overflow the int conversion.
    if (!(column > INT_MIN && column < INT_MAX))
        return column >= INT_MAX ? INT_MAX : INT_MIN;
    return static_cast<int>(column);
}

int camclip(int column) {
    const long long distance = static_cast<long long>(mappos(campos[0])) - column;
    return (distance >= -kClipColumns && distance <= kClipColumns) ? 1 : 0;
}

// The arithmetic is the vector library's; VERT is copied, not cast, to the
// float arrays it takes.
void normalize(VERT* v) {
    float p[3] = {v->x, v->y, v->z};
    VectorUnit(p);
    *v = {p[0], p[1], p[2]};
}

// For the wall mesh (x right, y down the rows) a flat cell faces +z.
VERT trinormal(VERT a, VERT b, VERT c) {
    const float pa[3] = {a.x, a.y, a.z}, pb[3] = {b.x, b.y, b.z}, pc[3] = {c.x, c.y, c.z};
    float n[3];
    TriangleNormal(pa, pb, pc, n);
    return {n[0], n[1], n[2]};
}
