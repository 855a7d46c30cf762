// Placeholder until terrain drawing lands.
#include "render/render.h"
void draw_wall() {}
void draw_wall_minus() {}
void draw_water() {}
void draw_platform(int, int, int) {}
void draw_platform_minus(int, int, int) {}
