// The rules a stage's layer keeps beyond its text: no more bridges and
// platforms than the game's tables hold, and ground under the drop-in.
#include <cstdarg>
#include <cstdio>
#include <memory>

#include "level/level.h"
#include "level/stage_local.h"

void StageFaults::add(int line, int column, const char* format, ...) {
    if (count >= kMaxStageFaults)
        return;
    Fault& fault = list[count++];
    fault.line = line;
    fault.column = column;
    va_list args;
    va_start(args, format);
    std::vsnprintf(fault.what, sizeof fault.what, format, args);
    va_end(args);
}

namespace {

// The drop is swept in steps finer than any step of a fall (at most 1.2
// units): every edge of the ground rules lies on the 2.5-unit grid, so a
// fall meets exactly what the sweep meets.
constexpr float kSweepStep = 0.25f;
// From the drop-in until the probe is below the grid and the feet below
// every deck.
constexpr int kSweepSteps =
    static_cast<int>((kGridRows * kGridPitch + kProbeDrop + kCellHeight) / kSweepStep);

struct Runs {
    int list[kMaxPlatforms][3];  // (row, column, width), the first kMaxPlatforms
    int count = 0;               // all runs, also those past the table
};

// The platforms as generate_wall finds them: each maximal run of ledge
// cells within a row, top row first, left to right.
template <typename Found>
void for_each_run(const int codes[kMapRows][kMapColumns], Found found) {
    for (int r = 0; r < kMapRows; ++r) {
        for (int c = 0; c < kMapColumns; ++c) {
            if (codes[r][c] != kTileLedge || (c > 0 && codes[r][c - 1] == kTileLedge))
                continue;
            int w = 1;
            while (c + w < kMapColumns && codes[r][c + w] == kTileLedge)
                ++w;
            found(r, c, w);
        }
    }
}

// The opening drop under the game's ground rules: the trooper falls
// straight down from the drop-in; true when a ledge or a deck catches him.
bool drop_in_caught(const int codes[kMapRows][kMapColumns], const Runs& runs) {
    std::unique_ptr<int[][kGridColumns]> levels(new int[kGridRows][kGridColumns]());
    for_each_run(codes, [&](int r, int c, int w) { raise_levels(levels.get(), nullptr, r, c, w); });
    for (int n = 0; n <= kSweepSteps; ++n) {
        const float y = kDropInY - kSweepStep * static_cast<float>(n);
        const float feet = y - kFootDrop;
        int gy, gx;
        const int under = grid_corner_at(kDropInX, y - kProbeDrop, &gy, &gx) ? levels[gy][gx] : -1;
        for (int p = 0; p < runs.count && p < kMaxPlatforms; ++p) {
            const int* run = runs.list[p];
            const int level = levels[grid_row(run[0])][grid_column(run[1])];
            if (platform_holds(run[0], run[1], run[2], level, kDropInX, feet, under))
                return true;
        }
        for (int r = 0; r < kMapRows; ++r) {
            for (int c = 0; c < kMapColumns; ++c) {
                if (codes[r][c] == kTileBridge && deck_holds(r, c, kDropInX, feet))
                    return true;
            }
        }
    }
    return false;
}

}  // namespace

void check_layer(const int codes[kMapRows][kMapColumns], const int lines[kMapRows],
                 StageFaults* faults) {
    const bool drop_in = faults->count == 0;  // a layer with other faults may miss only by them
    int bridges_found = 0;
    for (int r = 0; r < kMapRows; ++r) {
        for (int c = 0; c < kMapColumns; ++c) {
            if (codes[r][c] == kTileBridge && ++bridges_found == kBridgePieces + 1)
                faults->add(lines[r], c + 1, "bridge cell %d: the game has %d bridges",
                            bridges_found, kBridgePieces);
        }
    }
    Runs runs;
    for_each_run(codes, [&](int r, int c, int w) {
        if (runs.count < kMaxPlatforms) {
            runs.list[runs.count][0] = r;
            runs.list[runs.count][1] = c;
            runs.list[runs.count][2] = w;
        } else if (runs.count == kMaxPlatforms) {
            faults->add(lines[r], c + 1, "platform %d begins here: the game holds %d platforms",
                        kMaxPlatforms + 1, kMaxPlatforms);
        }
        ++runs.count;
    });
    if (drop_in && faults->count == 0 && !drop_in_caught(codes, runs)) {
        const int column = static_cast<int>(kDropInX / kCellWidth);  // the drop-in's right column
        faults->add(lines[0], column,
                    "nothing below the start (x %g, between columns %d and %d) catches the "
                    "trooper: he would fall for ever; put a ledge across both or a bridge cell "
                    "in one of them",
                    static_cast<double>(kDropInX), column, column + 1);
    }
}
