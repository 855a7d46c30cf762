// A stage's tile layer as a small map of coloured squares, drawn flat over
// the picture (between begin_flat and end_flat): the pause menu's Stages
// screen shows the chosen stage with it.
#ifndef VELLIN_STAGE_MAP_H
#define VELLIN_STAGE_MAP_H

#include "level/level.h"

// The layer's 100 by 16 cells, `cell` pixels each, on a dark ground, its top
// left corner at x, y in window pixels; a mark where the trooper drops in.
void draw_stage_map(const int (*codes)[kMapColumns], int x, int y, int cell);

#endif
