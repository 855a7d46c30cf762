// Per-frame drawing of the stage in OpenGL, in world
// coordinates under the camera transform the frame loop has set. None of these
// changes matrices or enables; they leave only the current colour, normal,
// line width and (bridges) texture binding changed.
#ifndef VELLIN_RENDER_H
#define VELLIN_RENDER_H

// Multiplies the current matrix (the projection) by the game's perspective:
// 4:3, near plane at 1, far plane at 2048 world units.
void multiply_projection();

// The palm crown mesh, in mesh units around the point where it sits on the
// trunk, generated at build time (tools/leaves) together with its counts.
// Stroke m runs from entry 4m + 1 to 4m + 3; the normals belong to the entries
// before those.
extern const int leaves_entries;  // entries in each table
extern const int leaves_strokes;  // strokes drawn
extern const double leaves_vertex[][3];
extern const double leaves_normal[][3];

void draw_wall();
void draw_wall_minus();
void draw_water();
void draw_platform(int row, int column, int width);
void draw_platform_minus(int row, int column, int width);

void draw_trees();
void draw_palms();
void draw_palm(float x, float y, float z, float s);
void draw_bridges();

// The static stage (wall, mirrored wall, trunks, bridges) compiled into
// display lists and the crowns' vertices placed in arrays; call after the
// stage and the bridges are in place, and again after another stage is
// generated (compiling releases what was there). The draw functions above
// then replay them, with the same per-frame column test, to the same pixels.
// Without them (never compiled, or released) they draw immediately.
void compile_stage_lists();
void release_stage_lists();
bool stage_lists_compiled();

#endif
