// What the player's feet are over.
#include "sound/sound.h"

#include "level/level.h"

// The same deck that holds the feet (the ground probe's bridge test).
int over_bridge(float x, float y) {
    return on_bridge(x, y - kFootDrop) ? 1 : 0;
}
