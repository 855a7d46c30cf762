// The stage editor's model: the layer being edited with the file it came
// from, the cursor, strokes, undo and redo by snapshots, the live check, and
// the rules for saving and for the recovery copy. Plain code over an Editor
// record, without Allegro or GL: the screen turns keys, the pad and the mouse
// into these calls and draws from the record; what needs the game (test play,
// the questions on saving and leaving) comes back as answers the shell acts
// on. The caller owns the Editor; the Editor owns its history and its text.
//
// Rows and columns count from 0 here; the file's line and column (as
// --check-stage prints them) count from 1 and include comment lines.
#ifndef VELLIN_EDITOR_H
#define VELLIN_EDITOR_H

#include <cstddef>
#include <string>
#include <vector>

#include "level/level.h"

constexpr int kEditorPathSize = 4096;
constexpr int kEditorFaults = 8;        // the rules on codes in memory find at most three
constexpr int kEditorFaultSize = 256;   // bytes of a fault's words, the NUL included
constexpr int kEditorReasonSize = 320;  // bytes of a "PATH: why" answer

// Where the stage came from, which decides what saving does.
enum class StageOrigin {
    kNew,       // no file yet: saved as its path (NAME.stage in the player's stages folder)
    kPlayer,    // the player's file: written in place, its other lines kept
    kReadOnly,  // the data folder's, or a file without its write bit: saving asks for a name
};

// One fault of the live check, on its cell, in the checker's own words.
struct EditorFault {
    int row, column;
    char what[kEditorFaultSize];
};

// A whole layer, one byte a cell: one undo step.
struct LayerSnapshot {
    unsigned char codes[kMapRows][kMapColumns];
};

struct Editor {
    int codes[kMapRows][kMapColumns];  // the layer being edited, codes 0, 1, 5, 9
    int cursor_row = 0, cursor_column = 0;
    int brush = kTileLedge;  // the code the left button paints

    EditorFault faults[kEditorFaults];  // the live check, after every change
    int fault_count = 0;

    // The file.
    char stem[kStageNameSize];   // the file's name without ".stage": names the recovery copy
    char title[kStageNameSize];  // its "# name:", else the stem
    char path[kEditorPathSize];  // read from, and saved to unless kReadOnly
    char player_folder[kEditorPathSize];  // where new stages and named copies go, ending in '/'
    StageOrigin origin = StageOrigin::kNew;
    // The file as read: its comment and blank lines, line ends and byte-order
    // mark are written back around the rows; "" for a new stage.
    std::string text;
    int lines[kMapRows];  // the file line of each row
    // The reader's faults in the file as opened ("LINE:COLUMN: words" for
    // the first): a character that is not a code reads as 0, a row is
    // cut to 100 codes or filled with 0s, as saving writes them.
    int read_faults = 0;
    char first_read_fault[kEditorReasonSize];

    // The history: whole layers before each step (undo) and after each
    // undone one (redo). A stroke is one step.
    std::vector<LayerSnapshot> undo, redo;
    LayerSnapshot saved;  // the layer as the file holds it
    LayerSnapshot before_stroke;
    bool stroking = false;

    // The recovery copy: its path ("" when there is nowhere to keep one) and
    // why writing it last failed ("" when it worked).
    char recovery[kEditorPathSize];
    char recovery_why[kEditorReasonSize];
};

// Cursor moves as the keys make them.
enum class CursorMove { kLeft, kRight, kUp, kDown, kRowStart, kRowEnd, kFirstCell };
void editor_move(Editor* e, CursorMove move);
// Puts the cursor on a cell (mouse, pad); kept within the layer.
void editor_set_cursor(Editor* e, int row, int column);

// Typing '0', '1', '5' or '9' puts the code at the cursor and moves the
// cursor one cell right (it stays on the last column), one step each; false
// for any other character, which changes nothing.
bool editor_type(Editor* e, char key);
// A stroke: every cell painted between begin and end is one step; a paint
// outside a stroke is a step of its own. Cells outside the layer are ignored.
void editor_stroke_begin(Editor* e);
void editor_paint(Editor* e, int row, int column, int code);
void editor_stroke_end(Editor* e);
// The rectangle between two corners (either order), one step.
void editor_fill(Editor* e, int row0, int column0, int row1, int column1, int code);
// False when there is nothing to undo or redo. A new step drops the redo
// history. A stroke in progress is ended first.
bool editor_undo(Editor* e);
bool editor_redo(Editor* e);

// The line and column of a cell in the file, as --check-stage counts them.
void editor_file_place(const Editor& e, int row, int column, int* line, int* file_column);
// True when the layer differs from the file's.
bool editor_unsaved(const Editor& e);
// Where test play drops the trooper: over the middle of the cursor's column
// when something there catches him, else at the stage's own drop-in.
float test_play_x(const Editor& e);

// The stage as the game plays it, its title for a name: what test play
// hands to use_stage.
void editor_stage_file(const Editor& e, StageFile* out);
// The file text of the layer: the file as read with each row's line
// replaced by the layer's codes (its line end kept), rows missing at the end
// added, and lines past the 16th row kept as comments.
std::string editor_stage_text(const Editor& e);

// Opening (editor_files.cpp). `value` is a stage's name or a file, as for
// --stage; folders are the stages folders in lookup order, the player's
// first (each ending in '/'). A name not found starts a new stage with a
// ledge under the start. A file that cannot be read, is over the stage
// limit, or that the reader stops in before its rows (not text) is refused,
// `why` saying "PATH: why"; one that breaks the rules opens (see read_faults).
bool editor_open(Editor* e, const char* value, const char* const* folders, int count, char* why,
                 std::size_t why_size);

enum class SaveAnswer {
    kSaved,
    kSavedWithFaults,  // written; the stage is not valid, its faults are in e->faults
    kNeedsName,        // nothing written: a stage that is not the player's needs a name
    kNameTaken,        // nothing written: the player has a stage of that name
    kBadName,          // nothing written: empty, or not a plain file name
    kFailed,           // nothing written; `why` says why
};
// Saves the stage where its origin says, the file replaced whole; the
// recovery copy is removed.
SaveAnswer editor_save(Editor* e, char* why, std::size_t why_size);
// Saves as NAME.stage in the player's stages folder (replacing one there
// only when `replace`); the stage is the player's from then on.
SaveAnswer editor_save_as(Editor* e, const char* name, bool replace, char* why,
                          std::size_t why_size);

// The recovery copy, a stage file under $XDG_STATE_HOME/vellin/recovery/,
// is written after every change that leaves the layer unlike the file's, and
// removed when it is like it again. After a crash, opening the stage finds
// it: this answers "there is a recovery copy from <local time>", or false.
bool editor_recovery_offer(const Editor& e, char* out, std::size_t size);
// Takes the recovery copy's layer as one step (undo goes back to the file's);
// false with `why` when it cannot be read.
bool editor_take_recovery(Editor* e, char* why, std::size_t why_size);
// Leaving without saving, or refusing the offer: the copy is removed.
void editor_drop_recovery(Editor* e);

// What Escape does: leave at once, or ask "save, leave without saving, or
// stay" when the layer has unsaved changes.
enum class LeaveAnswer { kLeave, kAsk };
LeaveAnswer editor_leave(const Editor& e);

#endif
