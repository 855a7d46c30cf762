// Small operations in world-grid units: camera column, column clipping and
// the vector helpers the generators share.
#include <climits>
#include <cmath>

#include "level/level.h"
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

// A zero vector is left as it is rather than turned into NaNs.
void normalize(VERT* v) {
    const float len = static_cast<float>(std::sqrt(static_cast<double>(v->x) * v->x +
                                                   static_cast<double>(v->y) * v->y +
                                                   static_cast<double>(v->z) * v->z));
    if (len == 0.0f)
        return;
    v->x /= len;
    v->y /= len;
    v->z /= len;
}

// (a - b) x (b - c), normalised; for the wall mesh (x right, y down the rows)
// a flat cell faces +z. A degenerate triangle yields the zero vector.
VERT trinormal(VERT a, VERT b, VERT c) {
    const VERT u = {a.x - b.x, a.y - b.y, a.z - b.z};
    const VERT v = {b.x - c.x, b.y - c.y, b.z - c.z};
    VERT n;
    n.x = u.y * v.z - u.z * v.y;
    n.y = u.z * v.x - u.x * v.z;
    n.z = u.x * v.y - u.y * v.x;
    const float len = static_cast<float>(std::sqrt(static_cast<double>(n.x) * n.x +
                                                   static_cast<double>(n.y) * n.y +
                                                   static_cast<double>(n.z) * n.z));
    if (len == 0.0f)
        return n;
    n.x /= len;
    n.y /= len;
    n.z /= len;
    return n;
}
