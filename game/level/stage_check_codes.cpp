// The opening drop's sweep at any x, on a layer in memory: the stage check's
// drop-in, and where the editor's test play can drop the trooper in.
#include <cstring>

#include "level/level.h"
#include "level/stage_local.h"

namespace {

// As the stage check sweeps the opening drop: steps finer than any step of a
// fall (at most 1.2 units), and every edge of the ground rules lies on the
// 2.5-unit grid, so a fall meets exactly what the sweep meets.
constexpr float kSweepStep = 0.25f;
constexpr int kSweepSteps =
    static_cast<int>((kGridRows * kGridPitch + kProbeDrop + kCellHeight) / kSweepStep);

// The layer's extrusion levels; kept here, not on the stack (256 KB), and
// not allocated for every question.
int levels[kGridRows][kGridColumns];

}  // namespace

bool drop_caught(const int codes[kMapRows][kMapColumns], float x) {
    // Every run, also those past the game's table, as the stage check judges
    // the drop-in on the layer as written; only those across x can hold him.
    static int runs[kMapRows * (kMapColumns + 1) / 2][3];  // (row, column, width)
    int count = 0;
    std::memset(levels, 0, sizeof levels);
    for_each_run(codes, [&](int r, int c, int w) {
        raise_levels(levels, nullptr, r, c, w);
        if (platform_holds(r, c, w, 1, x, cell_top(r) - 1.0f, 0))
            runs[count][0] = r, runs[count][1] = c, runs[count][2] = w, ++count;
    });
    for (int n = 0; n <= kSweepSteps; ++n) {
        const float y = kDropInY - kSweepStep * static_cast<float>(n);
        const float feet = y - kFootDrop;
        int gy, gx;
        const int under = grid_corner_at(x, y - kProbeDrop, &gy, &gx) ? levels[gy][gx] : -1;
        for (int p = 0; p < count; ++p) {
            const int level = levels[grid_row(runs[p][0])][grid_column(runs[p][1])];
            if (platform_holds(runs[p][0], runs[p][1], runs[p][2], level, x, feet, under))
                return true;
        }
        for (int r = 0; r < kMapRows; ++r) {
            for (int c = 0; c < kMapColumns; ++c) {
                if (codes[r][c] == kTileBridge && deck_holds(r, c, x, feet))
                    return true;
            }
        }
    }
    return false;
}
