// Placeholder until the level generators land.
#include "level/level.h"
const int jungle_map0[kMapRows][kMapColumns] = {};
const int jungle_map1[kMapRows][kMapColumns] = {};
int walk[kMapRows][kMapColumns];
int mask[kGridRows][kGridColumns];
int extrusion[kGridRows][kGridColumns];
VERT wall[kGridRows][kGridColumns];
VERT wallnorms[kGridRows][kGridColumns][2];
int plats[kMaxPlatforms][3];
int platcount;
int bridges[kBridgeSlots][3];
VERT trees[kTreeCount][16];
VERT treenorms[kTreeCount][16];
float treed[kTreeCount][4];
int mappos(float) {
    return 0;
}
int camclip(int) {
    return 0;
}
void normalize(VERT*) {}
VERT trinormal(VERT, VERT, VERT) {
    return VERT{0, 0, 1};
}
void generate_wall() {}
void extrude(int, int, int) {}
void generate_trees() {}
void generate_bridges() {}
