// One fixed simulation step of 1/120 s: camera, input, player movement,
// jumping, falling, standing, animation frames and depth.
#ifndef VELLIN_PHYSICS_H
#define VELLIN_PHYSICS_H

void physics();

#endif
