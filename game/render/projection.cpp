// The game's one perspective, shared by the frame loop, its tests and the
// tools that show what the game shows.
#include <GL/gl.h>

#include "render/render.h"

void multiply_projection() {
    glFrustum(-4.0 / 3.0, 4.0 / 3.0, -1, 1, 1, 2048);
}
