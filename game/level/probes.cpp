// Ground probes of cModel against the level's platforms, bridges and
// extrusion grid. Neither looks at the model data, so both work when empty.
#include <cmath>

#include "level/level.h"
#include "model/model.h"
#include "state/state.h"

namespace {

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
bool deck_holds(int row, int column, float x, float feet) {
    const float top = cell_top(row);
    return x >= cell_left(column) && x <= cell_left(column + 1) && feet < top &&
           feet > top - kCellHeight;
}

// Slots without a placed piece have a zero standing flag and hold nothing.
bool on_bridge(float x, float feet) {
    for (int i = 0; i < kBridgePieces; i++) {
        if (bridges[i][2] != 0 && deck_holds(bridges[i][0], bridges[i][1], x, feet)) {
            return true;
        }
    }
    return false;
}

// A ledge's edges are strict: a probe exactly on its left or right edge or on
// its top is not standing on it. Below the grid (under -1) no ledge holds, so
// a player who leaves the stage falls on.
bool platform_holds(int row, int column, int width, int level, float x, float feet, int under) {
    return x > cell_left(column) && x < cell_left(column + width) && feet < cell_top(row) &&
           under >= 0 && under < level;
}

int cModel::Grounded() const {
    const float x = pos[0];
    const float h = pos[1] - kFootDrop;
    const int under = Extruded();
    const int count = platcount < 0 ? 0 : (platcount > kMaxPlatforms ? kMaxPlatforms : platcount);
    for (int i = 0; i < count; i++) {
        const int row = plats[i][0], column = plats[i][1], width = plats[i][2];
        const int gy = grid_row(row), gx = grid_column(column);
        if (gy < 0 || gy >= kGridRows || gx < 0 || gx >= kGridColumns) {
            continue;
        }
        if (platform_holds(row, column, width, extrusion[gy][gx], x, h, under)) {
            return 1;
        }
    }
    if (on_bridge(x, h)) {
        return 1;
    }
    return down != 0 ? 1 : 0;
}

bool grid_corner_at(float x, float y, int* row, int* column) {
    *column = grid_index(x / kGridPitch, kGridColumns);
    *row = grid_index(-(y / kGridPitch), kGridRows);
    return *row >= 0 && *column >= 0;
}

// While crouched the probe samples the origin's own row.
int cModel::Extruded() const {
    int gy, gx;
    if (!grid_corner_at(pos[0], down != 0 ? pos[1] : pos[1] - kProbeDrop, &gy, &gx)) {
        return -1;
    }
    return extrusion[gy][gx];
}
