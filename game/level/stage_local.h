// Between the stage file reader (stage_file.cpp) and the checks of the layer
// it read (stage_rules.cpp): the faults found so far, kept to be reported in
// file order once the whole file is read.
#ifndef VELLIN_LEVEL_STAGE_LOCAL_H
#define VELLIN_LEVEL_STAGE_LOCAL_H

#include "level/level.h"

// Each map row line has at most two faults and the rest of the file a few,
// so a file never has more than this; more are dropped, not written past.
constexpr int kMaxStageFaults = 48;

struct StageFaults {
    struct Fault {
        int line, column;
        char what[160];
    };
    Fault list[kMaxStageFaults];
    int count = 0;

    void add(int line, int column, const char* format, ...) __attribute__((format(printf, 4, 5)));
};

// The rules beyond the text: at most kBridgePieces bridge cells and
// kMaxPlatforms platforms, and, when nothing else is wrong, a ledge or a
// deck that catches the trooper's opening drop. lines[r] is map row r's line.
void check_layer(const int codes[kMapRows][kMapColumns], const int lines[kMapRows],
                 StageFaults* faults);

#endif
