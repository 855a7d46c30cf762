// The game shell: start-up, the frame loop, the timer and the globals that
// the shell owns (camera, render state, player state flags and the models).
#ifndef VELLIN_SHELL_H
#define VELLIN_SHELL_H

#include <atomic>

#include "model/model.h"

extern std::atomic<int> counter;  // physics steps owed; +1 per timer tick
extern float campos[3];           // camera translation applied to the world
extern float camang[3];           // camera angles in degrees about x, y, z
extern unsigned int white;        // plain white texture, bound for untextured geometry
extern float lpos[4];             // work vector for the light direction
extern float ambientLight[4];
extern float diffuseLight[4];
extern float specularLight[4];
extern float position[4];  // light 0 position; w = 0 makes it directional
extern float fog[4];       // fog colour
extern int mx, my;         // mouse mickeys

// Player and camera state; physics owns their meaning.
extern int jump;       // nonzero while a jump is in progress
extern int down;       // 1 while crouched (figure 10 units lower)
extern int fall;       // 1 while falling without a jump
extern int direction;  // -1, 0, +1: drift while not standing
extern int debcam;     // 1 while the free camera is on

extern cModel ludz;       // the player
extern cModel bridge[9];  // bridge pieces; 0..7 are read and drawn

void init();
// The parts of init that need only a current GL context: the fixed render
// state, light and fog; then the generated stage, the textures and the
// models read from data_dir, ending with `white` bound.
void init_render_state();
void init_stage();
void play();
// Projection and camera transform from campos and camang; pushes both matrices.
void set_camera();
// Everything the frame shows, in its fixed order (no depth sorting).
void draw_stage();
void uninit();
void timer();

#endif
