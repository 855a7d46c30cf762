// Where a run against the clock ends, and where a trooper has left the stage.
#include "level/level.h"

// Written as "not at or above" so that a position gone NaN counts as fallen.
bool below_layer(float y) {
    return !(y >= kLayerBottom);
}

bool at_finish(float x, float y) {
    return x >= kFinishX && !below_layer(y);
}
