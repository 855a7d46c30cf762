// The palm crowns beside the display lists: every crown's vertices worked out
// once into one array, drawn per crown with glDrawArrays over one array of
// the mesh's normals that all crowns share.
//
// Compiled into a list each, the 298 crowns of 4,042 vertices cost the driver
// about 80 MB, most of a second stage switch or start-up spent filling it.
// Here they cost 14 MB of our own, made in a few milliseconds. Drawing the
// mesh through a matrix instead would cost nothing at all but moves some
// pixels by a shade: the matrix product rounds differently from placing each
// vertex, so the positions here are the immediate path's, float for float.
#include <GL/gl.h>

#include <vector>

#include "render/render.h"
#include "render/render_local.h"
#include "state/state.h"

namespace {

std::vector<float> positions;  // per crown tree, per drawn vertex: x, y, z
std::vector<float> normals;    // per drawn vertex: x, y, z, shared by every crown
int drawn = 0;                 // vertices drawn per crown; 0 while not placed

}  // namespace

// The drawn vertices are the mesh's odd entries, each with the normal
// before it, as draw_palm issues them.
void place_crowns() {
    drawn = 2 * leaves_strokes;
    normals.resize(3 * static_cast<size_t>(drawn));
    positions.resize(3 * static_cast<size_t>(drawn) * kTreeCount);
    for (int i = 0; i < drawn; ++i) {
        const double* n = leaves_normal[2 * i];
        for (int a = 0; a < 3; ++a)
            normals[3 * i + a] = static_cast<float>(n[a]);
    }
    for (int t = 0; t < kTreeCount; ++t) {
        if (!has_crown(t))
            continue;
        const PalmPlace p = palm_place(t);
        float* out = &positions[3 * static_cast<size_t>(drawn) * t];
        for (int i = 0; i < drawn; ++i) {
            const double* v = leaves_vertex[2 * i + 1];
            *out++ = crown_coord(p.x, p.s, v[0]);
            *out++ = crown_coord(p.y, p.s, v[1]);
            *out++ = crown_coord(p.z, p.s, v[2]);
        }
    }
}

// The storage stays for the next stage, which needs the same: freed and
// taken again, 14 MB would move out of the heap's reach and the resident
// memory would grow with the first switches.
void release_crowns() {
    drawn = 0;
}

bool call_palm_lists() {
    if (drawn == 0)
        return false;
    glLineWidth(kLeafLineWidth * line_scale);
    glColor4f(kLeafGreen[0], kLeafGreen[1], kLeafGreen[2], 1.0f);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glNormalPointer(GL_FLOAT, 0, normals.data());
    bool any = false;
    for (int t = 0; t < kTreeCount; ++t) {
        if (!has_crown(t) || !tree_drawn(t))
            continue;
        glVertexPointer(3, GL_FLOAT, 0, &positions[3 * static_cast<size_t>(drawn) * t]);
        glDrawArrays(GL_LINES, 0, drawn);
        any = true;
    }
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    // Left as the immediate path leaves it: the last normal issued.
    if (any)
        glNormal3fv(&normals[3 * (drawn - 1)]);
    return true;
}
