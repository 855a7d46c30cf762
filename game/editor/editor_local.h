// Between the editor's files: the file's lines (stage_text.cpp) and the
// recovery copy (editor_files.cpp) that every change keeps up to date
// (editor.cpp).
#ifndef VELLIN_EDITOR_LOCAL_H
#define VELLIN_EDITOR_LOCAL_H

#include "editor/editor.h"

// Sets e->lines from e->text: the file line of each row, the rows a short
// file lacks numbered after its last line.
void find_row_lines(Editor* e);
// The file text `in` with its rows written from `codes` (editor_stage_text).
std::string layer_text(const std::string& in, const int codes[kMapRows][kMapColumns]);
// Runs the stage rules on the layer in memory into e->faults.
void live_check(Editor* e);
// The recovery copy after a change: written while the layer is unlike the
// file's, removed when it is like it again.
void sync_recovery(Editor* e);
// Ends a step that began with the layer `before`: one undo step when it
// changed anything (the redo history gone, the check run, the recovery copy
// kept up to date).
void finish_step(Editor* e, const LayerSnapshot& before);
// The layer as it stands, as one snapshot, and back.
void take_snapshot(const int codes[kMapRows][kMapColumns], LayerSnapshot* out);
void put_snapshot(const LayerSnapshot& s, int codes[kMapRows][kMapColumns]);

#endif
