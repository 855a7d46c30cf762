// What the player's feet are over.
#include "sound/sound.h"

#include "level/level.h"

// The player stands where the landing left it, a little below the top edge;
// the edges of the cell count as outside, as for the ground probe.
int over_bridge(float x, float y) {
    const float feet = y - kFootDrop;
    for (const auto& b : bridges) {
        const float left = cell_left(b[1]);
        const float top = cell_top(b[0]);
        if (b[2] != 0 && x > left && x < left + kCellWidth && feet < top &&
            feet > top - kCellHeight) {
            return 1;
        }
    }
    return 0;
}
