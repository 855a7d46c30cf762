// Placeholder until physics lands.
#include "shell/physics.h"
void physics() {}
