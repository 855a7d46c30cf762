// The stage editor's picture: the stage as in play, dimmed, under a grid of
// the layer's cells in their codes' colours, row and column numbers, a map of
// the whole layer, the cursor's place as --check-stage counts it, every fault
// marked on its cell with one in words, and the question asked, if any. All
// in a 640 by 480 frame scaled to the picture; text from one glyph texture,
// so drawing a frame writes no texture and allocates nothing.
#ifndef VELLIN_EDITOR_DRAW_H
#define VELLIN_EDITOR_DRAW_H

#include "editor/editor.h"

constexpr int kViewColumns = 40;  // the grid shows this many columns of the 100
constexpr int kEditorChoices = 4;

// What the screen shows besides the model.
struct EditorView {
    const Editor* editor;
    int first_column;  // the grid's leftmost column
    bool marking;      // a corner of a fill is marked
    int mark_row, mark_column;
    // A question over the grid: its lines, and its choices with one chosen
    // (none for a name being typed, shown after the lines).
    const char* question[3];
    const char* choices[kEditorChoices];
    int choice_count, choice;
    const char* typing;  // the name typed so far, or nullptr
    const char* note;    // one line about the last thing done
};

// Once the window is open: the glyph texture.
void start_editor_draw();
// The stage as the camera now sees it, dimmed, with everything over it.
void draw_editor(const EditorView& v);
// The cell under window pixel (x, y), on the grid or on the map; false elsewhere.
bool editor_cell_at(const EditorView& v, int x, int y, int* row, int* column);

#endif
