// Per-frame drawing of the cliff wall, the water and the platforms. The
// mirrored passes draw the same geometry reflected through z = 0, which gives
// the rock its back half; culling is off, so their reversed winding is fine.
#include <GL/gl.h>

#include "level/level.h"
#include "render/render.h"
#include "render/render_local.h"

namespace {

// The fade below the layer would reach zero this many rows down; the wall ends
// a row before that, so its last row still shows a little.
constexpr float kFadeLengthRows = 16.0f;
constexpr float kRockRed = 0.4f, kRockGreen = 0.4f, kRockBlue = 0.1f;
constexpr float kLedgeRed = 0.3f, kLedgeGreen = 0.8f, kLedgeBlue = 0.3f;
constexpr float kWaterRed = 0.3f, kWaterGreen = 0.6f, kWaterBlue = 1.0f;
constexpr float kWaterAlpha = 0.5f;
constexpr float kWaterY = -144.0f;
constexpr float kWaterEnd = 1080.0f;   // x where the fading strip starts
constexpr float kWaterFade = 1160.0f;  // x where it has faded out
constexpr float kWaterHalfDepth = 500.0f;
constexpr int kWaterStripsZ = 40;       // 25 units deep each
constexpr int kWaterSheetColumns = 27;  // 40 units wide each
constexpr int kWaterFadeColumns = 2;
constexpr float kLedgeLip = 2.0f;     // platforms stand 2 units proud of the rock
constexpr float kLedgeRaise = 3.0f;   // top surface above the cell's top edge
constexpr float kLedgeFront = 10.0f;  // height of the fading front face

// sign = 1 for the front pass, -1 for the mirrored one (z and normal z negated).
void wall_vertex(int i, int j, float sign) {
    const VERT& p = wall[i][j];
    glVertex3f(p.x, p.y, sign * p.z);
}

void wall_cell(int i, int j, float sign) {
    const VERT& n0 = wallnorms[i][j][0];
    glNormal3f(n0.x, n0.y, sign * n0.z);
    wall_vertex(i, j, sign);
    wall_vertex(i + 1, j + 1, sign);
    wall_vertex(i, j + 1, sign);
    const VERT& n1 = wallnorms[i][j][1];
    glNormal3f(n1.x, n1.y, sign * n1.z);
    wall_vertex(i, j, sign);
    wall_vertex(i + 1, j, sign);
    wall_vertex(i + 1, j + 1, sign);
}

// The whole wall pass in one block, row by row; only the map columns near the
// camera are drawn.
void draw_wall_pass(bool mirrored) {
    glBegin(GL_TRIANGLES);
    for (int i = 0; i < kGridRows - 1; ++i) {
        for (int j = 0; j < kGridColumns - 1; ++j) {
            if (camclip(map_column(j)))
                emit_wall_cell(i, j, mirrored);
        }
    }
    glEnd();
}

// Extrusion level under a platform's top-left grid corner; 0 off the grid.
int platform_level(int row, int column) {
    const int i = grid_row(row);
    const int j = grid_column(column);
    if (i < 0 || i >= kGridRows || j < 0 || j >= kGridColumns)
        return 0;
    return extrusion[i][j];
}

// d: z of the platform's outer edge; front_nz: z of the front face's normal,
// -1 in front (facing away from the viewer) and +1 mirrored.
void draw_platform_pass(int row, int column, int width, float d, float front_nz) {
    const float x0 = cell_left(column);
    const float y = cell_top(row) + kLedgeRaise;
    glBegin(GL_QUADS);
    for (int n = 0; n < width; ++n) {
        const float xa = x0 + kCellWidth * static_cast<float>(n);
        const float xb = x0 + kCellWidth * static_cast<float>(n + 1);
        // Top face; its normal points down (0, -1, 0), not up.
        glNormal3f(0.0f, -1.0f, 0.0f);
        glColor4f(kLedgeRed, kLedgeGreen, kLedgeBlue, 1.0f);
        glVertex3f(xa, y, d);
        glVertex3f(xb, y, d);
        glVertex3f(xb, y, 0.0f);
        glVertex3f(xa, y, 0.0f);

        // Front face hanging below the edge, fading out downwards.
        glNormal3f(0.0f, 0.0f, front_nz);
        glColor4f(kLedgeRed, kLedgeGreen, kLedgeBlue, 1.0f);
        glVertex3f(xa, y, d);
        glColor4f(kLedgeRed, kLedgeGreen, kLedgeBlue, 1.0f);
        glVertex3f(xb, y, d);
        glColor4f(kLedgeRed, kLedgeGreen, kLedgeBlue, 0.0f);
        glVertex3f(xb, y - kLedgeFront, d);
        glColor4f(kLedgeRed, kLedgeGreen, kLedgeBlue, 0.0f);
        glVertex3f(xa, y - kLedgeFront, d);
    }
    glEnd();
}

// Left edge of water column n: the sheet's columns, then the strip's.
float water_column_x(int n) {
    if (n <= kWaterSheetColumns)
        return kWaterEnd * static_cast<float>(n) / static_cast<float>(kWaterSheetColumns);
    const int m = n - kWaterSheetColumns;
    return kWaterEnd +
           (kWaterFade - kWaterEnd) * static_cast<float>(m) / static_cast<float>(kWaterFadeColumns);
}

// Full alpha over the sheet, falling linearly to 0 across the strip.
float water_alpha(float x) {
    if (x <= kWaterEnd)
        return kWaterAlpha;
    return kWaterAlpha * (kWaterFade - x) / (kWaterFade - kWaterEnd);
}

}  // namespace

// Only the two top corners of a cell decide whether it is drawn; a solid
// corner beside a below-layer one (1 beside 2) draws nothing.
void emit_wall_cell(int i, int j, bool mirrored) {
    const int left = mask[i][j];
    const int right = mask[i][j + 1];
    if (left == 1 && right == 1) {
        glColor4f(kRockRed, kRockGreen, kRockBlue, 1.0f);
    } else if (left == 2 && right == 2) {
        // Fades out below the layer: squared in front, linear behind.
        const float f = static_cast<float>(i - kFirstFadingRow) / kFadeLengthRows;
        const float alpha = mirrored ? 1.0f - f : (1.0f - f) * (1.0f - f);
        glColor4f(kRockRed, kRockGreen, kRockBlue, alpha);
    } else {
        return;
    }
    wall_cell(i, j, mirrored ? -1.0f : 1.0f);
}

void draw_wall_cells(int column, int first_row, int end_row, bool mirrored) {
    const int first = grid_column(column);
    const int end =
        first + kGridPerCellX < kGridColumns - 1 ? first + kGridPerCellX : kGridColumns - 1;
    glBegin(GL_TRIANGLES);
    for (int i = first_row; i < end_row; ++i) {
        for (int j = first; j < end; ++j)
            emit_wall_cell(i, j, mirrored);
    }
    glEnd();
}

void draw_wall() {
    if (!call_wall_lists(false))
        draw_wall_pass(false);
}

void draw_wall_minus() {
    if (!call_wall_lists(true))
        draw_wall_pass(true);
}

// A sheet from x = 0 to 1080 and a strip fading out to 1160, each drawn as a
// grid of small quads: fog distance is taken per vertex and interpolated, and
// over one large quad reaching behind the camera the interpolated distance
// never comes near the true one. Alpha is linear in x, so splitting the strip
// keeps its fade exact. No normal is issued: the water takes whatever the
// previous drawing left current.
void draw_water() {
    const float dz = 2.0f * kWaterHalfDepth / static_cast<float>(kWaterStripsZ);
    glBegin(GL_QUADS);
    for (int k = 0; k < kWaterStripsZ; ++k) {
        const float z0 = -kWaterHalfDepth + dz * static_cast<float>(k);
        const float z1 = k + 1 == kWaterStripsZ ? kWaterHalfDepth : z0 + dz;
        for (int n = 0; n < kWaterSheetColumns + kWaterFadeColumns; ++n) {
            const float x0 = water_column_x(n);
            const float x1 = water_column_x(n + 1);
            const float a0 = water_alpha(x0);
            const float a1 = water_alpha(x1);
            glColor4f(kWaterRed, kWaterGreen, kWaterBlue, a0);
            glVertex3f(x0, kWaterY, z0);
            glColor4f(kWaterRed, kWaterGreen, kWaterBlue, a1);
            glVertex3f(x1, kWaterY, z0);
            glVertex3f(x1, kWaterY, z1);
            glColor4f(kWaterRed, kWaterGreen, kWaterBlue, a0);
            glVertex3f(x0, kWaterY, z1);
        }
    }
    glEnd();
}

// The whole platform takes the depth of its first cell, even over deeper rock.
void draw_platform(int row, int column, int width) {
    const float d = level_depth(platform_level(row, column)) + kLedgeLip;
    draw_platform_pass(row, column, width, d, -1.0f);
}

void draw_platform_minus(int row, int column, int width) {
    const float d = -level_depth(platform_level(row, column)) - kLedgeLip;
    draw_platform_pass(row, column, width, d, 1.0f);
}
