// The rules a stage's layer keeps beyond its text: no more bridges and
// platforms than the game's tables hold, and ground under the drop-in.
#include <algorithm>
#include <cstdarg>
#include <cstdio>

#include "level/level.h"
#include "level/stage_local.h"

namespace {

bool before(const StageFault& a, const StageFault& b) {
    return a.line != b.line ? a.line < b.line : a.column < b.column;
}

}  // namespace

void StageFaults::add(int line, int column, const char* format, ...) {
    StageFault fault;
    fault.line = line;
    fault.column = column;
    va_list args;
    va_start(args, format);
    std::vsnprintf(fault.what, sizeof fault.what, format, args);
    va_end(args);
    if (count < kMaxStageFaults) {
        list[count++] = fault;
        return;
    }
    // Full: the latest in the file gives way, so the same file always lists
    // the same faults, whatever order the checks ran in.
    ++dropped;
    StageFault* latest = list;
    for (StageFault& kept : list)
        latest = before(*latest, kept) ? &kept : latest;
    if (before(fault, *latest))
        *latest = fault;
}

bool StageFaults::report(stage_report to, void* context) {
    std::stable_sort(list, list + count, before);
    for (int k = 0; k < count && to != nullptr; ++k)
        to(context, list[k].line, list[k].column, list[k].what);
    if (dropped > 0 && to != nullptr) {
        char what[64];
        std::snprintf(what, sizeof what, "and %d more fault%s after this one", dropped,
                      dropped == 1 ? "" : "s");
        to(context, list[count - 1].line, list[count - 1].column, what);
    }
    return count == 0;
}

namespace {

// The first map row whose top lies below y.
constexpr int first_row_below(float y) {
    int row = 0;
    while (row < kMapRows && cell_top(row) >= y)
        ++row;
    return row;
}
// The trooper drops in with his probe already under the top of the first
// rows: a ledge holds him only from the row whose top is below the probe, a
// deck only from the row his feet are above the bottom of.
constexpr int kFirstLedgeRow = first_row_below(kDropInY - kProbeDrop);
constexpr int kFirstDeckRow = first_row_below(kDropInY - kFootDrop + kCellHeight);
constexpr int kDropInColumn = static_cast<int>(kDropInX / kCellWidth);  // 1-based, the left one
// Counted from 1: the row his feet are in when he drops in.
constexpr int kFeetRow = first_row_below(kDropInY - kFootDrop);

// The ledge across the drop-in's two columns, or the bridge cell in one of
// them, that lies lowest in the rows too high to catch him: its row, and its
// column (1-based) in *column; -1 when there is none.
int lowest_too_high(const int codes[kMapRows][kMapColumns], int* column, bool* bridge) {
    const int left = kDropInColumn - 1, right = kDropInColumn;
    int row = -1;
    for (int r = 0; r < kFirstLedgeRow; ++r) {
        if (codes[r][left] == kTileLedge && codes[r][right] == kTileLedge) {
            row = r, *column = left + 1, *bridge = false;
        } else if (r < kFirstDeckRow &&
                   (codes[r][left] == kTileBridge || codes[r][right] == kTileBridge)) {
            row = r, *column = (codes[r][left] == kTileBridge ? left : right) + 1, *bridge = true;
        }
    }
    return row;
}

}  // namespace

// Every rule runs whatever else is wrong, so a file gets its whole list at
// once and keeps it until it is changed: a cell that could not be read
// counts as empty.
void check_layer(const int codes[kMapRows][kMapColumns], const int lines[kMapRows], int first_width,
                 StageFaults* faults) {
    int bridge_cells = 0;
    for (int r = 0; r < kMapRows; ++r) {
        for (int c = 0; c < kMapColumns; ++c) {
            // Each bridge cell takes one of the game's pieces.
            if (codes[r][c] == kTileBridge && ++bridge_cells == kBridgePieces + 1)
                faults->add(lines[r], c + 1,
                            "bridge cell %d: a stage has at most %d bridge cells, one piece each",
                            bridge_cells, kBridgePieces);
        }
    }
    int platforms = 0;
    for_each_run(codes, [&](int r, int c, int) {
        if (platforms++ == kMaxPlatforms)
            faults->add(lines[r], c + 1, "platform %d begins here: the game holds %d platforms",
                        kMaxPlatforms + 1, kMaxPlatforms);
    });
    // Judged on the layer as written, every run counted, so that removing
    // platforms to fit the table never shows a new fault.
    if (lines[0] == 0 || drop_caught(codes, kDropInX))
        return;
    char where[64];
    std::snprintf(where, sizeof where, "x %g, between columns %d and %d",
                  static_cast<double>(kDropInX), kDropInColumn, kDropInColumn + 1);
    char put[160];
    std::snprintf(put, sizeof put,
                  "put a ledge across both in row %d or below, or a bridge cell in one of them in "
                  "row %d or below",
                  kFirstLedgeRow + 1, kFirstDeckRow + 1);
    bool bridge = false;
    int column = 0;
    const int high = lowest_too_high(codes, &column, &bridge);
    if (high >= 0) {
        faults->add(lines[high], column,
                    "the trooper drops in (%s) with his feet in row %d, already below the top "
                    "of this %s, so it cannot catch him and nothing lower does; %s",
                    where, kFeetRow, bridge ? "bridge cell" : "ledge", put);
    } else {
        faults->add(lines[0], std::min(kDropInColumn, first_width + 1),
                    "nothing below the start (%s) catches the trooper: he would fall for ever; %s",
                    where, put);
    }
}

bool check_stage_layer(const int codes[kMapRows][kMapColumns], stage_report report, void* context) {
    StageFaults faults;
    int lines[kMapRows];
    int known[kMapRows][kMapColumns];
    for (int r = 0; r < kMapRows; ++r) {
        lines[r] = r + 1;
        for (int c = 0; c < kMapColumns; ++c) {
            const int code = codes[r][c];
            const bool tile = code == kTileEmpty || code == kTileLedge || code == kTileRock ||
                              code == kTileBridge;
            known[r][c] = tile ? code : kTileEmpty;
            if (!tile)
                faults.add(r + 1, c + 1,
                           "%d is not a tile code (0 empty, 1 ledge, 5 rock, 9 bridge)", code);
        }
    }
    check_layer(known, lines, kMapColumns, &faults);
    return faults.report(report, context);
}
