// The game shell: start-up, the frame loop, the timer and the globals that
// only the shell uses. The state the other layers share (camera, player
// flags, the white texture, the models) is in state/state.h.
#ifndef VELLIN_SHELL_H
#define VELLIN_SHELL_H

#include <atomic>

#include "state/state.h"

extern std::atomic<int> counter;  // physics steps owed; +1 per timer tick
extern float lpos[4];             // work vector for the light direction
extern float ambientLight[4];
extern float diffuseLight[4];
extern float specularLight[4];
extern float position[4];  // light 0 position; w = 0 makes it directional
extern float fog[4];       // fog colour
extern int mx, my;         // mouse mickeys

void init();
// The parts of init that need only a current GL context: the fixed render
// state, light and fog; then the generated stage, the textures and the
// models read from data_dir, ending with `white` bound.
void init_render_state();
void init_stage();
void play();
// Projection and camera transform from campos and camang; pushes both matrices.
void set_camera();
// The camera physics keeps over the player at world x while the free camera
// is off: above and in front of him, rolled a degree (defined in physics.cpp).
void follow_camera(float x);
// A frame's GL set-up: set_camera, clear, and depth test, blending and fog on.
void begin_frame();
// Its tear-down: pops both matrices and turns those three off again.
void end_frame();
// Everything the frame shows, in its fixed order (no depth sorting).
void draw_stage();
void uninit();

struct StageFile;
// Plays `stage` (valid, as the stage reader accepted it) at once in this
// window and process: the level generated again from stage_seed as start-up
// generates it, the display lists made again (immediate mode stays so), the
// trooper at the start as Back to the start puts him, with the follow
// camera over him and no steps owed. stage_name and the window's title
// become the stage's "# name:", else `name` (a file's stem). (stage_switch.cpp)
void switch_stage(const StageFile& stage, const char* name);
void timer();

#endif
