// The static stage compiled once into display lists from the immediate-mode
// drawing code itself, so the lists hold exactly the calls that code makes.
// Culling stays per frame: the wall has lists per map column and pass, the
// trunks one each, so the camera test still picks them. The crowns are no
// lists (crown_arrays.cpp).
//
// The order of the wall's cells matters where they blend: the fading cells
// below the layer overlap their neighbours on screen, and drawn column by
// column instead of row by row they would leave different pixels. So the
// opaque rows are one list per column (their order does not show: depth
// decides), and each fading row is one list per column, replayed row by row.
#include <GL/gl.h>

#include "render/render.h"
#include "render/render_local.h"
#include "model/model.h"
#include "state/state.h"

namespace {

// Cell rows of the wall below the layer, each with its own lists.
constexpr int kFadingRowCount = kWallCellRows - kFirstFadingRow;
// Per pass: the opaque rows of each column, then each fading row of each column.
constexpr int kWallPass = kMapColumns * (1 + kFadingRowCount);

// Offsets inside the one block of list names.
constexpr int kWallFront = 0;
constexpr int kWallMirrored = kWallFront + kWallPass;
constexpr int kTrunks = kWallMirrored + kWallPass;
constexpr int kBridges = kTrunks + kTreeCount;
constexpr int kListCount = kBridges + kBridgePieces;

GLuint base = 0;  // 0 while drawing in immediate mode

template <typename Draw>
void compile(int offset, Draw draw) {
    glNewList(base + offset, GL_COMPILE);
    draw();
    glEndList();
}

}  // namespace

// Another stage's lists are compiled over the names the last one used: each
// list's old storage is freed as its new one is made, which the heap reuses
// far better than a whole stage freed at once and taken again.
void compile_stage_lists() {
    if (base == 0)
        base = glGenLists(kListCount);
    if (base == 0)
        return;  // no lists to be had: stay immediate
    for (int pass = 0; pass < 2; ++pass) {
        const bool mirrored = pass == 1;
        const int first = mirrored ? kWallMirrored : kWallFront;
        for (int c = 0; c < kMapColumns; ++c) {
            compile(first + c, [=] { draw_wall_cells(c, 0, kFirstFadingRow, mirrored); });
            for (int r = 0; r < kFadingRowCount; ++r) {
                const int row = kFirstFadingRow + r;
                compile(first + kMapColumns * (1 + r) + c,
                        [=] { draw_wall_cells(c, row, row + 1, mirrored); });
            }
        }
    }
    for (int t = kFirstTrunkTree; t <= kLastTrunkTree; ++t) {
        compile(kTrunks + t, [t] {
            glBegin(GL_TRIANGLES);
            emit_tree(t);
            glEnd();
        });
    }
    place_crowns();
    for (int b = 0; b < bridgecount; ++b)
        compile(kBridges + b, [b] { bridge[b].Draw(); });
}

void release_stage_lists() {
    if (base != 0)
        glDeleteLists(base, kListCount);
    base = 0;
    release_crowns();
}

bool stage_lists_compiled() {
    return base != 0;
}

bool call_wall_lists(bool mirrored) {
    if (base == 0)
        return false;
    const int first = mirrored ? kWallMirrored : kWallFront;
    for (int r = 0; r <= kFadingRowCount; ++r) {
        for (int c = 0; c < kMapColumns; ++c) {
            if (camclip(c))
                glCallList(base + first + kMapColumns * r + c);
        }
    }
    return true;
}

bool call_tree_lists() {
    if (base == 0)
        return false;
    for (int t = kFirstTrunkTree; t <= kLastTrunkTree; ++t) {
        if (tree_drawn(t))
            glCallList(base + kTrunks + t);
    }
    return true;
}

bool call_bridge_lists() {
    if (base == 0)
        return false;
    for (int b = 0; b < bridgecount; ++b)
        glCallList(base + kBridges + b);
    return true;
}
