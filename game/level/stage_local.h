// Between the stage file reader (stage_file.cpp), the checks of the layer
// it read (stage_rules.cpp) and the choosers (stage_list.cpp,
// stage_choose.cpp): the faults found so far, kept to be reported in file
// order once the whole file is read.
#ifndef VELLIN_LEVEL_STAGE_LOCAL_H
#define VELLIN_LEVEL_STAGE_LOCAL_H

#include "level/level.h"

// A stage of 16 rows has a few faults a row at most unless it is not a stage
// at all; past this many the earliest in the file are kept, and one more
// line says how many were left out.
constexpr int kMaxStageFaults = 48;

struct StageFaults {
    StageFault list[kMaxStageFaults];
    int count = 0;
    int dropped = 0;  // found past the table's end: the latest in the file

    void add(int line, int column, const char* format, ...) __attribute__((format(printf, 4, 5)));
    // Reports the faults in file order; true when there are none.
    bool report(stage_report to, void* context);
};

// The rules beyond the text: at most kBridgePieces bridge cells and
// kMaxPlatforms platforms, and a ledge or a deck that catches the trooper's
// opening drop. lines[r] is map row r's line (0 when the file has no such
// row), first_width the first row's length in characters (no fault points
// past it); cells that could not be read are 0.
void check_layer(const int codes[kMapRows][kMapColumns], const int lines[kMapRows], int first_width,
                 StageFaults* faults);

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

// A stage's name from `length` bytes of text: whole UTF-8 characters up to
// kStageNameSize - 1 bytes (stopping at a byte that begins none), then
// without trailing blanks, so that the name printed back reads the same.
void cut_stage_name(const unsigned char* text, std::size_t length, char name[kStageNameSize]);

#endif
