// What the player's feet are over.
#include "sound/sound.h"

#include "level/level.h"
#include "state/state.h"

// The player stands where the landing left it, a little below the top edge;
// the edges of the cell count as outside, as for the ground probe.
int over_bridge(float x, float y) {
    const float feet = y - kFootDrop;
    for (int i = 0; i < kBridgePieces; ++i) {
        if (bridge_holds(i, x, feet) && feet > cell_top(bridges[i][0]) - kCellHeight) {
            return 1;
        }
    }
    return 0;
}
