// Globals owned by the shell. The models are defined here, player first, so
// that they are constructed in that order and destroyed in the reverse.
#include "shell/shell.h"

std::atomic<int> counter{0};
float campos[3];
float camang[3];
unsigned int white;
float lpos[4];
float ambientLight[4] = {0.2f, 0.2f, 0.2f, 1.0f};
float diffuseLight[4] = {0.8f, 0.8f, 0.8f, 1.0f};
float specularLight[4] = {0.9f, 0.9f, 0.9f, 1.0f};
float position[4];
float fog[4] = {0.0f, 0.0f, 0.0f, 1.0f};
int mx, my;

int jump, down, fall, direction, debcam;

cModel ludz;
cModel bridge[9];
