// Background trees (trunks with a fading root skirt), their palm crowns and
// the bridge pieces, drawn every frame (immediately, or from the lists).
#include <GL/gl.h>

#include "level/level.h"
#include "render/render.h"
#include "render/render_local.h"
#include "model/model.h"
#include "state/state.h"

namespace {

constexpr int kBottomRow = kMapRows - 1;
constexpr double kFarCrownFactor = 0.3;
constexpr double kFarCrownBase = -80.0;
constexpr float kSkirtDrop = 40.0f;  // world units below ring 0

constexpr float kBark[3] = {0.3f, 0.3f, 0.1f};

void emit(const VERT& normal, const VERT& v) {
    glNormal3f(normal.x, normal.y, normal.z);
    glVertex3f(v.x, v.y, v.z);
}

void emit_trunk(int t) {
    const VERT* ring = trees[t];
    const VERT* norm = treenorms[t];
    glColor4f(kBark[0], kBark[1], kBark[2], 1.0f);
    for (int k = 0; k < 3; ++k) {
        const int lo = 4 * k, hi = 4 * (k + 1);
        for (int p = 0; p < 3; ++p) {
            emit(norm[lo + p], ring[lo + p]);
            emit(norm[lo + p + 1], ring[lo + p + 1]);
            emit(norm[hi + p + 1], ring[hi + p + 1]);
            emit(norm[lo + p], ring[lo + p]);
            emit(norm[hi + p + 1], ring[hi + p + 1]);
            emit(norm[hi + p], ring[hi + p]);
        }
        emit(norm[lo + 3], ring[lo + 3]);
        emit(norm[lo], ring[lo]);
        emit(norm[hi], ring[hi]);
        emit(norm[lo + 3], ring[lo + 3]);
        emit(norm[hi], ring[hi]);
        emit(norm[hi + 3], ring[hi + 3]);
    }
}

// Root point p lowered by the skirt drop, fully transparent.
void emit_skirt_low(int t, int p) {
    const VERT& top = trees[t][p];
    glColor4f(kBark[0], kBark[1], kBark[2], 0.0f);
    glNormal3f(treenorms[t][p].x, treenorms[t][p].y, treenorms[t][p].z);
    glVertex3f(top.x, top.y - kSkirtDrop, top.z);
}

void emit_skirt_high(int t, int p) {
    glColor4f(kBark[0], kBark[1], kBark[2], 1.0f);
    emit(treenorms[t][p], trees[t][p]);
}

void emit_skirt(int t) {
    for (int a = 0; a < 4; ++a) {
        const int b = (a + 1) % 4;
        emit_skirt_low(t, a);
        emit_skirt_low(t, b);
        emit_skirt_high(t, b);
        emit_skirt_low(t, a);
        emit_skirt_high(t, b);
        emit_skirt_high(t, a);
    }
}

}  // namespace

// A tree is drawn when its map column is near the camera and is not a water
// gap of the bottom row.
bool tree_drawn(int t) {
    const int column = t / kTreesPerColumn;
    return camclip(column) && tile_layer[kBottomRow][column] != 0;
}

void emit_tree(int t) {
    emit_trunk(t);
    emit_skirt(t);
}

void draw_trees() {
    glColor4f(kBark[0], kBark[1], kBark[2], 1.0f);
    if (call_tree_lists())
        return;
    glBegin(GL_TRIANGLES);
    for (int t = kFirstTrunkTree; t <= kLastTrunkTree; ++t) {
        if (tree_drawn(t))
            emit_tree(t);
    }
    glEnd();
}

// The crown-only trees sit far back: their crown is pulled forward and down.
PalmPlace palm_place(int t) {
    const float* d = treed[t];
    if (t <= kLastCrownOnlyTree) {
        return {d[0], static_cast<float>(kFarCrownBase - kFarCrownFactor * d[1]),
                static_cast<float>(kFarCrownFactor * d[2]), d[3]};
    }
    return {d[0], d[1], d[2], d[3]};
}

void draw_palms() {
    if (call_palm_lists())
        return;
    for (int t = 0; t < kTreeCount; ++t) {
        if (!has_crown(t) || !tree_drawn(t))
            continue;
        const PalmPlace p = palm_place(t);
        draw_palm(p.x, p.y, p.z, p.s);
    }
}

// Normal k - 1 goes with vertex k: the even normals are the ones that belong
// to the drawn (odd) positions.
void draw_palm(float x, float y, float z, float s) {
    glLineWidth(kLeafLineWidth * line_scale);
    glBegin(GL_LINES);
    glColor4f(kLeafGreen[0], kLeafGreen[1], kLeafGreen[2], 1.0f);
    const int end = 4 * leaves_strokes + 1;  // the odd entries 4m + 1 and 4m + 3
    for (int k = 1; k < end; k += 2) {
        const double* n = leaves_normal[k - 1];
        const double* v = leaves_vertex[k];
        glNormal3d(n[0], n[1], n[2]);
        glVertex3f(crown_coord(x, s, v[0]), crown_coord(y, s, v[1]), crown_coord(z, s, v[2]));
    }
    glEnd();
}

// Only the pieces the stage placed: the others stand at the origin.
void draw_bridges() {
    if (call_bridge_lists())
        return;
    for (int b = 0; b < bridgecount; ++b)
        bridge[b].Draw();
}
