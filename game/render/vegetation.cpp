// Placeholder until vegetation drawing lands.
#include "render/render.h"
const double leaves_vertex[kLeavesEntries][3] = {};
const double leaves_normal[kLeavesEntries][3] = {};
void draw_trees() {}
void draw_palms() {}
void draw_palm(float, float, float, float) {}
void draw_bridges() {}
