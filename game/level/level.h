// The jungle stage: its tile layer, the level arrays generated from it at
// start-up, and the generators. All arrays are global, zero at process start,
// written once during start-up and read-only afterwards. Row-major, [row][column],
// row 0 at the top.
//
// World units: x to the right, y up, z toward the viewer, cliff plane at z = 0.
// The scale and the conversions between map cells, grid corners and world
// units are below; every file that converts takes them from here.
#ifndef VELLIN_LEVEL_H
#define VELLIN_LEVEL_H

#include "state/state.h"

struct VERT {
    float x, y, z;
};

constexpr float kCellWidth = 20.0f;                       // map cell, x units
constexpr float kCellHeight = 10.0f;                      // map cell, y units
constexpr int kGridPerCellX = 8;                          // grid columns per map column
constexpr int kGridPerCellY = 4;                          // grid rows per map row
constexpr float kGridPitch = kCellWidth / kGridPerCellX;  // between grid corners, x and y
constexpr float kLevelDepth = 10.0f;                      // z units per extrusion level

constexpr int kMapRows = 16;
constexpr int kMapColumns = 100;
// The grid runs four map rows below the tile layer; there every cell is empty.
constexpr int kGridRows = (kMapRows + 4) * kGridPerCellY;
constexpr int kGridColumns = kMapColumns * kGridPerCellX;
constexpr int kMaxPlatforms = 100;
constexpr int kTreesPerColumn = 3;  // background trees stand evenly, three over each map column
constexpr int kTreeCount = kMapColumns * kTreesPerColumn;

// Left edge (x) of a map column and top edge (y) of a map row.
constexpr float cell_left(int column) {
    return kCellWidth * static_cast<float>(column);
}
constexpr float cell_top(int row) {
    return -kCellHeight * static_cast<float>(row);
}
// First grid column of a map column and first grid row of a map row.
constexpr int grid_column(int column) {
    return kGridPerCellX * column;
}
constexpr int grid_row(int row) {
    return kGridPerCellY * row;
}
// Map column and row holding a grid corner.
constexpr int map_column(int grid_column) {
    return grid_column / kGridPerCellX;
}
constexpr int map_row(int grid_row) {
    return grid_row / kGridPerCellY;
}
// How far a corner at extrusion level n stands out of the cliff plane before
// the wall is shaped.
constexpr float level_depth(int level) {
    return kLevelDepth * static_cast<float>(level);
}
constexpr int kFirstRowBelowLayer = grid_row(kMapRows);  // grid rows from here lie below the layer

// cModel::Grounded tests the point this far below the model's origin. It and
// cModel::Extruded, declared with the class in model.h, are defined here
// (probes.cpp): they read the level arrays, which lie above the model.
constexpr float kFootDrop = 15.0f;

// True when a placed bridge piece's deck holds the point (x, feet): within
// its cell's columns, edges included, and less than a map row below its top.
bool on_bridge(float x, float feet);

extern const int jungle_map0[kMapRows][kMapColumns];  // tile codes 0, 1, 5, 9
extern const int jungle_map1[kMapRows][kMapColumns];  // second layer, unread

extern int walk[kMapRows][kMapColumns];             // 1 where a found platform run lies
extern int mask[kGridRows][kGridColumns];           // 0 empty, 1 solid, 2 solid below the layer
extern int extrusion[kGridRows][kGridColumns];      // depth level per grid corner, see level_depth
extern VERT wall[kGridRows][kGridColumns];          // cliff-wall mesh corners
extern VERT wallnorms[kGridRows][kGridColumns][2];  // unit normals of each cell's two triangles
extern int plats[kMaxPlatforms][3];                 // (map row, first map column, width in cells)
extern int platcount;                               // entries used in plats
extern int bridges[kBridgeSlots][3];                // (map row, map column, standing flag)
extern VERT trees[kTreeCount][16];                  // trunk: four rings of four points
extern VERT treenorms[kTreeCount][16];              // matching vertex normals
extern float treed[kTreeCount][4];                  // (axis x, top y, axis z, crown scale)

// Map column under the camera for camera translation x.
int mappos(float x);
// 1 when the map column lies within 16 columns of the camera's, else 0.
int camclip(int column);
// Scales the record in place to unit length (VectorUnit); a zero vector stays.
void normalize(VERT* v);
// Unit normal of triangle a, b, c: (a - b) x (b - c), normalised
// (TriangleNormal); zero for a degenerate triangle.
VERT trinormal(VERT a, VERT b, VERT c);

// Source of random numbers for the generators; std::rand unless a test
// swaps in a controlled stream. Values must be non-negative.
extern int (*level_rand)();

// Builds mask, walk, extrusion, plats, platcount, wall and wallnorms. Expects
// those arrays to be zero (a second call stacks levels); draws 192000 values
// from level_rand.
void generate_wall();
// Raises the extrusion under the platform whose first cell is (row, column).
void extrude(int row, int column, int width);
// Places the 300 background trees; draws 900 values from level_rand.
void generate_trees();
// Records the bridge cells and places bridge[0..7]; run after they are read.
void generate_bridges();

#endif
