// The level arrays: zero at process start, filled once by the generators.
#include <cstring>

#include "level/level.h"

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
}
