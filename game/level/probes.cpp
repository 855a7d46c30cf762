// Ground probes of cModel against the level's platforms, bridges and
// extrusion grid. Neither looks at the model data, so both work when empty.
#include <cmath>

#include "level/level.h"
#include "model/model.h"
#include "state/state.h"

namespace {

const float kProbeDrop = 12.5f;  // probe row below the origin for Extruded

// Grid index for `value` / pitch cut toward zero, or -1 outside [0, limit).
// Checked as a float first: NaN or a huge position must not reach an int.
int grid_index(float quotient, int limit) {
    const float cut = std::trunc(quotient);
    if (!(cut >= 0.0f && cut < static_cast<float>(limit))) {
        return -1;
    }
    return static_cast<int>(cut);
}

}  // namespace

// A deck is one map row thick: a player dropped or fallen below it is not
// caught in the air. Its span includes its edges, so that where two pieces, or
// a piece and a ledge, meet, the joint holds.
bool on_bridge(float x, float feet) {
    for (int i = 0; i < kBridgePieces; i++) {
        const int row = bridges[i][0], column = bridges[i][1], standing = bridges[i][2];
        const float top = cell_top(row);
        if (standing != 0 && x >= cell_left(column) && x <= cell_left(column + 1) && feet < top &&
            feet > top - kCellHeight) {
            return true;
        }
    }
    return false;
}

// A ledge's edges are strict: a probe exactly on its left or right edge or on
// its top is not standing on it. Below the grid (Extruded -1) no ledge holds,
// so a player who leaves the stage falls on.
int cModel::Grounded() const {
    const float x = pos[0];
    const float h = pos[1] - kFootDrop;
    const int count = platcount < 0 ? 0 : (platcount > kMaxPlatforms ? kMaxPlatforms : platcount);
    for (int i = 0; i < count; i++) {
        const int row = plats[i][0], column = plats[i][1], width = plats[i][2];
        if (x > cell_left(column) && x < cell_left(column + width) && h < cell_top(row)) {
            const int gy = grid_row(row), gx = grid_column(column);
            if (gy < 0 || gy >= kGridRows || gx < 0 || gx >= kGridColumns) {
                continue;
            }
            const int under = Extruded();
            if (under >= 0 && under < extrusion[gy][gx]) {
                return 1;
            }
        }
    }
    if (on_bridge(x, h)) {
        return 1;
    }
    return down != 0 ? 1 : 0;
}

// While crouched the probe samples the origin's own row.
int cModel::Extruded() const {
    const int gx = grid_index(pos[0] / kGridPitch, kGridColumns);
    const float y = down != 0 ? pos[1] : pos[1] - kProbeDrop;
    const int gy = grid_index(-(y / kGridPitch), kGridRows);
    if (gx < 0 || gy < 0) {
        return -1;
    }
    return extrusion[gy][gx];
}
