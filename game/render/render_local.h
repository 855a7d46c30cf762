// Inside the render folder: the pieces of stage drawing that the immediate
// path and the display-list compiler share, and the list calls the draw
// functions try first.
#ifndef VELLIN_RENDER_LOCAL_H
#define VELLIN_RENDER_LOCAL_H

#include "level/level.h"

constexpr int kFirstFadingRow = kFirstRowBelowLayer;
constexpr int kWallCellRows = kGridRows - 1;
// Trees 0..106 get a crown only, 108..298 a trunk and a crown; 107 and 299 none.
constexpr int kLastCrownOnlyTree = 106;
constexpr int kFirstTrunkTree = 108;
constexpr int kLastTrunkTree = 298;

inline bool has_crown(int t) {
    return t <= kLastCrownOnlyTree || (t >= kFirstTrunkTree && t <= kLastTrunkTree);
}

// Wall cell (i, j) with its colour, inside a GL_TRIANGLES block; nothing for
// cells that are not drawn.
void emit_wall_cell(int i, int j, bool mirrored);
// The cells of one map column in grid rows [first_row, end_row), row by row,
// in one GL_TRIANGLES block.
void draw_wall_cells(int column, int first_row, int end_row, bool mirrored);

bool tree_drawn(int t);
// Trunk and skirt of tree t, inside a GL_TRIANGLES block.
void emit_tree(int t);

constexpr float kLeafLineWidth = 5.0f;  // pixels
constexpr float kLeafGreen[3] = {0.0f, 0.7f, 0.0f};

// One coordinate of a crown vertex: the mesh's, scaled about the crown's
// origin, worked out in double. Both ways of drawing the crowns take it from
// here, so that they place every vertex on the very same float.
inline float crown_coord(float origin, float scale, double mesh) {
    return static_cast<float>(origin + scale * mesh);
}

struct PalmPlace {
    float x, y, z, s;  // crown origin and scale as draw_palm takes them
};
PalmPlace palm_place(int t);

// Each draws its part from the compiled lists and returns true, or returns
// false when no lists are compiled (immediate mode).
bool call_wall_lists(bool mirrored);
bool call_tree_lists();
bool call_palm_lists();  // crown_arrays.cpp

// The crowns' vertices worked out once for the faster way (crown_arrays.cpp),
// with the lists, and freed with them.
void place_crowns();
void release_crowns();
bool call_bridge_lists();

#endif
