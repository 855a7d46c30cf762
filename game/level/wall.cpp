// Generation of the cliff wall: solidity mask, platform search, extrusion
// under each platform, edge rounding, random roughening and face normals.
#include <algorithm>
#include <cmath>

#include "level/level.h"

namespace {

constexpr int kShapeReach = 4;  // edge rounding looks 0..3 columns sideways
constexpr double kHalfPi = 1.5707963267948966;
// Against an empty corner on the left a rock corner sinks by up to a quarter
// of a level, on the right by up to half; against a lower extrusion by half a
// level per level of difference. The cosine eases each over the reach.
constexpr double kLeftEmptyDivisor = 4.0;
constexpr double kRightEmptyDivisor = 2.0;
constexpr double kStepDivisor = 2.0;
// Roughening: z moves by -2 to +2 units, x and y by -1 to +1, in 1024 steps.
constexpr int kJitterSteps = 1024;
constexpr double kJitterDepth = 2.0;
constexpr double kJitterSide = 1.0;

// Map code over grid corner (i, j); the rows below the layer read as empty.
int code_at(int i, int j) {
    const int r = map_row(i);
    return r < kMapRows ? tile_layer[r][map_column(j)] : 0;
}

void build_base_mesh() {
    for (int i = 0; i < kGridRows; ++i) {
        for (int j = 0; j < kGridColumns; ++j) {
            wall[i][j].x = kGridPitch * static_cast<float>(j);
            wall[i][j].y = -kGridPitch * static_cast<float>(i);
            wall[i][j].z = 0.0f;
            const int code = code_at(i, j);
            mask[i][j] = (code == kTileRock || code == kTileLedge) ? 1 : 0;
            if (i >= kFirstRowBelowLayer && mask[i - 1][j] != 0)
                mask[i][j] = 2;
        }
    }
}

// Each maximal run of ledge cells is met first at its top-left grid corner.
void find_platforms() {
    platcount = 0;
    for (int i = 0; i < kGridRows; ++i) {
        for (int j = 0; j < kGridColumns; ++j) {
            const int r = map_row(i);
            const int c = map_column(j);
            if (r >= kMapRows || walk[r][c] != 0 || tile_layer[r][c] != kTileLedge)
                continue;
            int w = 0;
            while (c + w < kMapColumns && tile_layer[r][c + w] == kTileLedge) {
                walk[r][c + w] = 1;
                ++w;
            }
            extrude(r, c, w);
            // A layer with more runs than slots keeps its rock but drops the
            // extra platforms instead of writing past the table.
            if (platcount < kMaxPlatforms) {
                plats[platcount][0] = r;
                plats[platcount][1] = c;
                plats[platcount][2] = w;
                ++platcount;
            }
        }
    }
}

void lower(VERT& v, double amount) {
    v.z = static_cast<float>(v.z - amount);
}

// Rounds the silhouette against empty corners and lower levels up to three
// columns away. Columns 0..3 and 796..799 are never the visited corner.
void shape_edges() {
    const double kDepth = kLevelDepth;
    for (int i = 0; i < kGridRows; ++i) {
        for (int j = kShapeReach; j < kGridColumns - kShapeReach; ++j) {
            if (mask[i][j] == 0)
                continue;
            for (int k = 0; k < kShapeReach; ++k) {
                const float ang = static_cast<float>(static_cast<float>(k) / kShapeReach * kHalfPi);
                const double cs = std::cos(static_cast<double>(ang));
                if (mask[i][j - k] == 0)
                    lower(wall[i][j], kDepth * cs / kLeftEmptyDivisor);
                if (mask[i][j + k] == 0)
                    lower(wall[i][j], kDepth * cs / kRightEmptyDivisor);
                const int here = extrusion[i][j];
                const int left = extrusion[i][j - k];
                if (here > left)
                    lower(wall[i][j], cs * (here - left) * kDepth / kStepDivisor);
                if (here < left)
                    lower(wall[i][j - k], cs * (left - here) * kDepth / kStepDivisor);
            }
        }
    }
}

// One draw: -reach to +reach in kJitterSteps steps (the divisor, 256 or 512,
// is exact, so the stage is the same as ever for a given seed).
double jitter_step(double reach) {
    return (level_rand() % kJitterSteps) / (kJitterSteps / (2.0 * reach)) - reach;
}

// Three draws per corner, in the order z, x, y; 192000 in all.
void jitter() {
    for (int i = 0; i < kGridRows; ++i) {
        for (int j = 0; j < kGridColumns; ++j) {
            const float dz = static_cast<float>(jitter_step(kJitterDepth));
            const float dx = static_cast<float>(jitter_step(kJitterSide));
            const float dy = static_cast<float>(jitter_step(kJitterSide));
            wall[i][j].x += dx;
            wall[i][j].y += dy;
            wall[i][j].z += dz;
        }
    }
}

// Row 79 and column 799 are corners only and get no normals.
void compute_normals() {
    for (int i = 0; i < kGridRows - 1; ++i) {
        for (int j = 0; j < kGridColumns - 1; ++j) {
            wallnorms[i][j][0] = trinormal(wall[i][j], wall[i + 1][j + 1], wall[i][j + 1]);
            wallnorms[i][j][1] = trinormal(wall[i][j], wall[i + 1][j], wall[i + 1][j + 1]);
        }
    }
}

}  // namespace

void generate_wall() {
    build_base_mesh();
    find_platforms();
    shape_edges();
    jitter();
    compute_normals();
}

void extrude(int row, int column, int width) {
    raise_levels(extrusion, wall, row, column, width);
}

// Footprint: the grid rows from the platform's down to the bottom, under its
// grid columns, cut to the grid. peak carries across rows, so stacked
// platforms push the rock below further out. Each level raises the mesh
// corner's z with it, when there is a mesh.
void raise_levels(int levels[kGridRows][kGridColumns], VERT mesh[kGridRows][kGridColumns], int row,
                  int column, int width) {
    const int i0 = std::max(0, grid_row(row));
    const int j0 = std::max(0, grid_column(column));
    const int j1 = std::min(kGridColumns, grid_column(column + width));
    const auto raise = [&](int i, int j) {
        ++levels[i][j];
        if (mesh != nullptr)
            mesh[i][j].z += kLevelDepth;
    };
    int peak = 0;
    for (int i = i0; i < kGridRows; ++i) {
        for (int j = j0; j < j1; ++j) {
            raise(i, j);
            if (levels[i][j] > peak) {
                peak = levels[i][j];
            } else if (levels[i][j] < peak) {
                raise(i, j);
            }
        }
    }
    for (int i = i0; i < kGridRows; ++i) {
        for (int j = j0; j < j1; ++j) {
            if (levels[i][j] < peak)
                raise(i, j);
        }
    }
}
