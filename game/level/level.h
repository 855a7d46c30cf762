// The stage: its tile layer (the jungle's, compiled in, or one read from a
// stage file), the level arrays generated from it at start-up, and the
// generators. All arrays are global, zero at process start,
// written once during start-up and read-only afterwards. Row-major, [row][column],
// row 0 at the top.
//
// World units: x to the right, y up, z toward the viewer, cliff plane at z = 0.
// The scale and the conversions between map cells, grid corners and world
// units are below; every file that converts takes them from here.
#ifndef VELLIN_LEVEL_H
#define VELLIN_LEVEL_H

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "state/state.h"

struct VERT {
    float x, y, z;
};

constexpr float kCellWidth = 20.0f;                       // map cell, x units
constexpr float kCellHeight = 10.0f;                      // map cell, y units
constexpr int kGridPerCellX = 8;                          // grid columns per map column
constexpr int kGridPerCellY = 4;                          // grid rows per map row
constexpr float kGridPitch = kCellWidth / kGridPerCellX;  // between grid corners, x and y
constexpr float kLevelDepth = 10.0f;                      // z units per extrusion level

constexpr int kMapRows = 16;
constexpr int kMapColumns = 100;
// The grid runs four map rows below the tile layer; there every cell is empty.
constexpr int kGridRows = (kMapRows + 4) * kGridPerCellY;
constexpr int kGridColumns = kMapColumns * kGridPerCellX;
constexpr int kMaxPlatforms = 100;
constexpr int kTreesPerColumn = 3;  // background trees stand evenly, three over each map column
constexpr int kTreeCount = kMapColumns * kTreesPerColumn;

// Left edge (x) of a map column and top edge (y) of a map row.
constexpr float cell_left(int column) {
    return kCellWidth * static_cast<float>(column);
}
constexpr float cell_top(int row) {
    return -kCellHeight * static_cast<float>(row);
}
// First grid column of a map column and first grid row of a map row.
constexpr int grid_column(int column) {
    return kGridPerCellX * column;
}
constexpr int grid_row(int row) {
    return kGridPerCellY * row;
}
// Map column and row holding a grid corner.
constexpr int map_column(int grid_column) {
    return grid_column / kGridPerCellX;
}
constexpr int map_row(int grid_row) {
    return grid_row / kGridPerCellY;
}
// How far a corner at extrusion level n stands out of the cliff plane before
// the wall is shaped.
constexpr float level_depth(int level) {
    return kLevelDepth * static_cast<float>(level);
}
constexpr int kFirstRowBelowLayer = grid_row(kMapRows);  // grid rows from here lie below the layer

// cModel::Grounded tests the point this far below the model's origin. It and
// cModel::Extruded, declared with the class in model.h, are defined here
// (probes.cpp): they read the level arrays, which lie above the model.
constexpr float kFootDrop = 15.0f;
constexpr float kProbeDrop = 12.5f;  // Extruded's point below an upright model's origin
// The grid corner whose cell holds the point (x, y); false outside the grid.
bool grid_corner_at(float x, float y, int* row, int* column);

// True when a placed bridge piece's deck holds the point (x, feet): within
// its cell's columns, edges included, and less than a map row below its top.
bool on_bridge(float x, float feet);
// The two ground rules, for the probes and for the stage check: the deck of a
// bridge cell (row, column) holds feet at (x, feet); platform (row, column,
// width) at extrusion level `level` holds them over a corner of level `under`
// (-1: below the grid, where nothing holds).
bool deck_holds(int row, int column, float x, float feet);
bool platform_holds(int row, int column, int width, int level, float x, float feet, int under);

// Where the trooper drops in at the start: x of the opening drop and y of his
// origin; the stage check needs a ledge or a bridge below.
constexpr float kDropInX = 60.0f;
constexpr float kDropInY = 0.0f;

extern const int jungle_map0[kMapRows][kMapColumns];  // tile codes 0, 1, 5, 9
extern const int jungle_map1[kMapRows][kMapColumns];  // second layer, unread
// The layer generation and drawing read: jungle_map0 unless use_stage put a
// stage's layer in its place.
extern const int (*tile_layer)[kMapColumns];

extern int walk[kMapRows][kMapColumns];             // 1 where a found platform run lies
extern int mask[kGridRows][kGridColumns];           // 0 empty, 1 solid, 2 solid below the layer
extern int extrusion[kGridRows][kGridColumns];      // depth level per grid corner, see level_depth
extern VERT wall[kGridRows][kGridColumns];          // cliff-wall mesh corners
extern VERT wallnorms[kGridRows][kGridColumns][2];  // unit normals of each cell's two triangles
extern int plats[kMaxPlatforms][3];                 // (map row, first map column, width in cells)
extern int platcount;                               // entries used in plats
extern int bridges[kBridgeSlots][3];                // (map row, map column, standing flag)
extern int bridgecount;                             // pieces placed, at most kBridgePieces
extern VERT trees[kTreeCount][16];                  // trunk: four rings of four points
extern VERT treenorms[kTreeCount][16];              // matching vertex normals
extern float treed[kTreeCount][4];                  // (axis x, top y, axis z, crown scale)

// Map column under the camera for camera translation x.
int mappos(float x);
// 1 when the map column lies within 16 columns of the camera's, else 0.
int camclip(int column);
// Scales the record in place to unit length (VectorUnit); a zero vector stays.
void normalize(VERT* v);
// Unit normal of triangle a, b, c: (a - b) x (b - c), normalised
// (TriangleNormal); zero for a degenerate triangle.
VERT trinormal(VERT a, VERT b, VERT c);

// Source of random numbers for the generators; std::rand unless a test
// swaps in a controlled stream. Values must be non-negative.
extern int (*level_rand)();

// Builds mask, walk, extrusion, plats, platcount, wall and wallnorms. Expects
// those arrays to be zero (a second call stacks levels); draws 192000 values
// from level_rand.
void generate_wall();
// Raises the extrusion under the platform whose first cell is (row, column).
void extrude(int row, int column, int width);
// The same on any level grid, and on a mesh's z when `mesh` is not null: the
// stage check works out a layer's levels without touching the stage's.
void raise_levels(int levels[kGridRows][kGridColumns], VERT mesh[kGridRows][kGridColumns], int row,
                  int column, int width);
// Places the 300 background trees; draws 900 values from level_rand.
void generate_trees();
// Zeroes what generate_wall, generate_trees and generate_bridges write, the
// bridge pieces back at the origin, so that another layer can be generated
// in the same process (a stage switch, tools, tests).
void clear_level();
// Records the bridge cells and places a piece on each, bridge[0] onwards, at
// most kBridgePieces; run after the pieces are read.
void generate_bridges();

// A stage file: the tile layer as UTF-8 text, one line of 100 codes per map
// row, top row first (stage_file.cpp); lines starting with '#' are comments
// and "# name: ..." names the stage. Checked as untrusted input: every count
// the game's tables hold and the drop-in are checked too (stage_rules.cpp).
constexpr int kTileEmpty = 0, kTileLedge = 1, kTileRock = 5, kTileBridge = 9;
constexpr std::size_t kStageFileLimit = 64 * 1024;  // bytes; a larger file is refused
constexpr int kStageNameSize = 64;                  // bytes, the NUL included

struct StageFile {
    char name[kStageNameSize];  // from "# name:", cut to fit; "" when none
    int codes[kMapRows][kMapColumns];
};

// Receives one fault: line and column (in characters) count from 1.
using stage_report = void (*)(void* context, int line, int column, const char* what);

// Reads stage text from memory, reporting every fault in file order (each
// once; a file that is not text or too large stops at its first fault). True
// when there is none; *stage holds what could be read either way (cells not
// read are 0), but only a true stage may be used.
bool parse_stage(const unsigned char* text, std::size_t size, StageFile* stage, stage_report report,
                 void* context);
// Reads a stage file, printing "PATH:LINE:COLUMN: what is wrong" on err for
// every fault, or "PATH: why" when it cannot be read. True when valid.
bool read_stage_file(const char* path, StageFile* stage, std::FILE* err);
// The same, each fault to `report`; a file that cannot be read is one fault
// at line 0, column 0, saying why.
bool load_stage_file(const char* path, StageFile* stage, stage_report report, void* context);
// Makes the stage's layer the one generation reads; call before generate_wall.
void use_stage(const StageFile& stage);
// The same rules over a layer that has no file (a demo's own copy, an
// editor's grid): codes other than 0, 1, 5 and 9 too. Each fault is at line
// row + 1, column column + 1. True when there is none.
bool check_stage_layer(const int codes[kMapRows][kMapColumns], stage_report report, void* context);

// One fault kept; line 0 when the file could not be read, and `what` says why.
struct StageFault {
    int line, column;
    char what[256];
};
// How every fault of a stage file is printed: "PATH:LINE:COLUMN: what", or
// "PATH: why" for line 0; no line end.
void print_stage_fault(std::FILE* to, const char* path, int line, int column, const char* what);
// Reads a stage file without a word: the first fault in file order into
// *first and how many there are into *faults (0 when valid).
bool read_stage_quietly(const char* path, StageFile* stage, StageFault* first, int* faults);
// Every fault of each file on `out`, or "PATH: valid"; 0 when every file is
// valid and all was written, else 1.
int check_stage_files(const char* const* paths, int count, std::FILE* out);

// The stages found in the stages folders (each ending in '/', in lookup
// order), each file read and checked: what a list of stages shows.
constexpr int kStagePathSize = 4096;  // bytes, the NUL included
struct StageEntry {
    char stem[kStageNameSize];  // the name it is chosen by: the file's, without ".stage"
    char name[kStageNameSize];  // shown: its "# name:", else the stem
    char path[kStagePathSize];
    StageFile stage;     // as read; play it only when valid
    std::uint32_t hash;  // stage_hash of its codes
    int faults;          // 0: valid
    StageFault fault;    // the first, when not valid
    bool shadowed;       // an earlier entry has the same stem, so the name finds that one
};
// Calls `found` with each stage of each folder, folder by folder, each in
// name order. Reads every file: for a list when it opens, not every frame.
void for_each_stage(const char* const* folders, int count,
                    void (*found)(void* context, const StageEntry& entry), void* context);
// The same into a table the caller keeps (about 1 MB: keep it static); the
// stages past its end are counted in `unlisted`.
constexpr int kMaxListedStages = 100;
struct StageList {
    StageEntry entries[kMaxListedStages];
    int count;
    int unlisted;
};
void list_stages(const char* const* folders, int count, StageList* list);
// One line per stage on `out`, "STEM PATH: valid[, NAME]" or
// "STEM PATH:LINE:COLUMN: its first fault"; 0 when all was written.
int print_stage_list(const char* const* folders, int count, std::FILE* out);

// Choosing the stage in play (stage_choose.cpp). Each chooser prints a
// refusal as one line on `err`; none opens anything but stage files.
// The stage in play as a demo records it: its file's stem, or the demo's
// name; "jungle" for the compiled-in layer.
extern char stage_stem[kStageNameSize];
// The compiled-in layer's name, as the shipped jungle.stage gives it: the
// window's title says it while stage_name stays "".
constexpr char kJungleName[] = "Jungle";
// Puts a valid stage in play: its layer for generation, stage_name and
// stage_stem. Call before generate_wall.
void play_stage(const StageFile& stage, const char* stem);
// Puts the compiled-in jungle back in play.
void play_jungle();
// The stage `value` names (a file, or a name looked up in `folders`; "" is
// the jungle). A stage that is not found or not valid is refused with status
// 1 when it came from the command line; from the settings file it is said in
// one line and the jungle is played. -1 to go on, or the exit status.
int choose_stage(const char* value, bool from_command_line, const char* const* folders, int count,
                 std::FILE* err);
// The stage a demo was recorded on: `name` and `hash` as it records them
// ("" for the demos that name none: the jungle). `codes`, when the demo
// carries its layer, is played as it is, once it passes the stage rules;
// otherwise `name` is looked up in `folders` and the file whose codes have
// `hash` is played. -1 to go on, or 1 after one line saying why not.
int choose_demo_stage(const char* demo_path, const char* name, std::uint32_t hash,
                      const int (*codes)[kMapColumns], const char* const* folders, int count,
                      std::FILE* err);

// A layer in memory, for the stage check and the editor (stage_check_codes.cpp): true when
// a ledge or a deck catches the trooper dropped straight down at x from the
// drop-in's height, under the ground rules the opening drop is checked by.
bool drop_caught(const int codes[kMapRows][kMapColumns], float x);

// Finding stages (stage_find.cpp). A stage is chosen by a file or by a name,
// NAME.stage in one of the stages folders; a value holding a '/' or ending
// in ".stage" is a file.
bool names_stage_file(const char* value);
// The file's name without its folder and without ".stage", cut to fit
// kStageNameSize: the name a demo records and the lookup takes.
void stage_file_stem(const char* path, char out[kStageNameSize]);
// The first of the `count` folders (each ending in '/') that holds
// NAME.stage, into `out`; false when none does or the path does not fit.
bool find_stage(const char* name, const char* const* folders, int count, char* out,
                std::size_t size);
// Calls `found` with the path of each NAME.stage in `folder` (ending in
// '/'), in name order; a missing folder holds none.
void list_stage_folder(const char* folder, void (*found)(void* context, const char* path),
                       void* context);
// FNV-1a, 32 bits, over the 1,600 codes as one byte each, row by row: how a
// demo knows its stage.
std::uint32_t stage_hash(const int codes[kMapRows][kMapColumns]);
// The stage in play as the window's title and the paused screen show it:
// its "# name:", else its file's stem; "" when no stage was chosen (the
// compiled-in jungle, and nothing shows).
extern char stage_name[kStageNameSize];

// The finish of a run against the clock (finish.cpp). The trooper finishes on
// reaching the stage's last column (x >= 1980) with his origin not below the
// layer's bottom edge (y -160): one who fell off the stage drifts on to the
// right far below it, and that is no finish. Standing or crouched on a ledge
// of the bottom row his origin stays above that edge.
constexpr float kFinishX = cell_left(kMapColumns - 1);
constexpr float kLayerBottom = cell_top(kMapRows);
// True when the origin's y is below the layer's bottom edge (or not a number).
bool below_layer(float y);
// True when the trooper at (x, y) has finished.
bool at_finish(float x, float y);

#endif
