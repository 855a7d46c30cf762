// Placement of the bridge pieces over the bridge cells of the tile layer.
#include "level/level.h"
#include "model/model.h"
#include "state/state.h"

// Bridges are numbered in row-major order of their cells. Cells beyond the
// pieces read are left without a bridge rather than drawn unread; the stage
// check refuses such a layer.
void generate_bridges() {
    int n = 0;
    for (int r = 0; r < kMapRows; ++r) {
        for (int c = 0; c < kMapColumns; ++c) {
            if (tile_layer[r][c] != kTileBridge || n >= kBridgePieces)
                continue;
            bridges[n][0] = r;
            bridges[n][1] = c;
            bridges[n][2] = 1;
            // Centred in the cell, half a cell below its top edge, on the cliff plane.
            bridge[n].pos[0] = cell_left(c) + kCellWidth / 2;
            bridge[n].pos[1] = cell_top(r) - kCellHeight / 2;
            bridge[n].pos[2] = 0.0f;
            bridge[n].scale = kModelScale;
            ++n;
        }
    }
    bridgecount = n;
}
