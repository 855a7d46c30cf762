// The level arrays: zero at process start, filled once by the generators.
#include "level/level.h"

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
