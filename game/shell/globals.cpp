// Globals only the shell uses: the step counter, the light and fog set at
// start-up, and the mouse motion physics reads.
#include "shell/shell.h"

std::atomic<int> counter{0};
float lpos[4];
float ambientLight[4] = {0.2f, 0.2f, 0.2f, 1.0f};
float diffuseLight[4] = {0.8f, 0.8f, 0.8f, 1.0f};
float specularLight[4] = {0.9f, 0.9f, 0.9f, 1.0f};
float position[4];
float fog[4] = {0.0f, 0.0f, 0.0f, 1.0f};
int mx, my;
