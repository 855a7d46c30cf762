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

bool bridge_holds(int piece, float x, float feet) {
    const int row = bridges[piece][0], column = bridges[piece][1], standing = bridges[piece][2];
    return standing != 0 && x > cell_left(column) && x < cell_left(column + 1) &&
           feet < cell_top(row);
}

// Edges are strict: a probe exactly on a platform's left or right edge or
// on its top is not standing on it.
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
            if (Extruded() < extrusion[gy][gx]) {
                return 1;
            }
        }
    }
    for (int i = 0; i < kBridgePieces; i++) {
        if (bridge_holds(i, x, h)) {
            return 1;
        }
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
