// The level arrays: zero at process start, filled once by the generators.
#include <cstring>

#include "level/level.h"
#include "model/model.h"

int walk[kMapRows][kMapColumns];
int mask[kGridRows][kGridColumns];
int extrusion[kGridRows][kGridColumns];
VERT wall[kGridRows][kGridColumns];
VERT wallnorms[kGridRows][kGridColumns][2];
int plats[kMaxPlatforms][3];
int platcount;
int bridges[kBridgeSlots][3];
int bridgecount;
VERT trees[kTreeCount][16];
VERT treenorms[kTreeCount][16];
float treed[kTreeCount][4];

void clear_level() {
    std::memset(walk, 0, sizeof walk);
    std::memset(mask, 0, sizeof mask);
    std::memset(extrusion, 0, sizeof extrusion);
    std::memset(wall, 0, sizeof wall);
    std::memset(wallnorms, 0, sizeof wallnorms);
    std::memset(plats, 0, sizeof plats);
    platcount = 0;
    std::memset(bridges, 0, sizeof bridges);
    bridgecount = 0;
    std::memset(trees, 0, sizeof trees);
    std::memset(treenorms, 0, sizeof treenorms);
    std::memset(treed, 0, sizeof treed);
    // The pieces no bridge cell takes stand at the origin, as before any stage.
    for (cModel& piece : bridge) {
        piece.pos[0] = piece.pos[1] = piece.pos[2] = 0.0f;
    }
}
