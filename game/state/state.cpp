// The shared state; zero at process start, set by the shell.
#include "state/state.h"

float campos[3];
float camang[3];
unsigned int white;
float line_scale = 1.0f;

int jump, down, fall, direction, debcam;
