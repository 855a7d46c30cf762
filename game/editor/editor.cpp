// The editor's model in memory: cursor, typing, strokes, fills, undo and
// redo by whole-layer snapshots, and the live check after every change.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "editor/editor.h"
#include "editor/editor_local.h"

namespace {

bool same_layer(const LayerSnapshot& s, const int codes[kMapRows][kMapColumns]) {
    for (int r = 0; r < kMapRows; ++r) {
        for (int c = 0; c < kMapColumns; ++c) {
            if (s.codes[r][c] != codes[r][c])
                return false;
        }
    }
    return true;
}

bool in_layer(int row, int column) {
    return row >= 0 && row < kMapRows && column >= 0 && column < kMapColumns;
}

bool is_code(int code) {
    return code == kTileEmpty || code == kTileLedge || code == kTileRock || code == kTileBridge;
}

void after_change(Editor* e) {
    live_check(e);
    sync_recovery(e);
}

void collect_fault(void* context, int line, int column, const char* what) {
    Editor* e = static_cast<Editor*>(context);
    if (e->fault_count == kEditorFaults)
        return;
    EditorFault& f = e->faults[e->fault_count++];
    // The checked text holds the rows alone, so line n is row n - 1.
    f.row = std::clamp(line - 1, 0, kMapRows - 1);
    f.column = std::clamp(column - 1, 0, kMapColumns - 1);
    std::snprintf(f.what, sizeof f.what, "%s", what);
}

}  // namespace

void finish_step(Editor* e, const LayerSnapshot& before) {
    if (same_layer(before, e->codes)) {
        live_check(e);  // a stroke's marks follow its cells; put them back
        return;
    }
    e->undo.push_back(before);
    e->redo.clear();
    after_change(e);
}

void take_snapshot(const int codes[kMapRows][kMapColumns], LayerSnapshot* out) {
    for (int r = 0; r < kMapRows; ++r) {
        for (int c = 0; c < kMapColumns; ++c)
            out->codes[r][c] = static_cast<unsigned char>(codes[r][c]);
    }
}

void put_snapshot(const LayerSnapshot& s, int codes[kMapRows][kMapColumns]) {
    for (int r = 0; r < kMapRows; ++r) {
        for (int c = 0; c < kMapColumns; ++c)
            codes[r][c] = s.codes[r][c];
    }
}

// The rules are the stage reader's own, run on the layer written out as
// bare rows, so the words are the ones --check-stage prints.
void live_check(Editor* e) {
    unsigned char text[kMapRows * (kMapColumns + 1)];
    unsigned char* p = text;
    for (int r = 0; r < kMapRows; ++r) {
        for (int c = 0; c < kMapColumns; ++c)
            *p++ = static_cast<unsigned char>('0' + e->codes[r][c]);
        *p++ = '\n';
    }
    static StageFile stage;  // 6.4 KB the check writes and nobody reads
    e->fault_count = 0;
    parse_stage(text, sizeof text, &stage, collect_fault, e);
}

void editor_set_cursor(Editor* e, int row, int column) {
    e->cursor_row = std::clamp(row, 0, kMapRows - 1);
    e->cursor_column = std::clamp(column, 0, kMapColumns - 1);
}

void editor_move(Editor* e, CursorMove move) {
    int row = e->cursor_row, column = e->cursor_column;
    switch (move) {
        case CursorMove::kLeft:
            --column;
            break;
        case CursorMove::kRight:
            ++column;
            break;
        case CursorMove::kUp:
            --row;
            break;
        case CursorMove::kDown:
            ++row;
            break;
        case CursorMove::kRowStart:
            column = 0;
            break;
        case CursorMove::kRowEnd:
            column = kMapColumns - 1;
            break;
        case CursorMove::kFirstCell:
            row = column = 0;
            break;
    }
    editor_set_cursor(e, row, column);
}

bool editor_type(Editor* e, char key) {
    const char* at = key != '\0' ? std::strchr("0159", key) : nullptr;
    if (at == nullptr)
        return false;
    editor_stroke_end(e);
    LayerSnapshot before;
    take_snapshot(e->codes, &before);
    e->codes[e->cursor_row][e->cursor_column] = key - '0';
    finish_step(e, before);
    editor_move(e, CursorMove::kRight);
    return true;
}

void editor_stroke_begin(Editor* e) {
    editor_stroke_end(e);
    take_snapshot(e->codes, &e->before_stroke);
    e->stroking = true;
}

void editor_paint(Editor* e, int row, int column, int code) {
    if (!in_layer(row, column) || !is_code(code))
        return;
    if (!e->stroking) {
        editor_stroke_begin(e);
        editor_paint(e, row, column, code);
        editor_stroke_end(e);
        return;
    }
    if (e->codes[row][column] != code) {
        e->codes[row][column] = code;
        live_check(e);
    }
}

void editor_stroke_end(Editor* e) {
    if (!e->stroking)
        return;
    e->stroking = false;
    finish_step(e, e->before_stroke);
}

void editor_fill(Editor* e, int row0, int column0, int row1, int column1, int code) {
    if (!is_code(code))
        return;
    editor_stroke_end(e);
    LayerSnapshot before;
    take_snapshot(e->codes, &before);
    const int top = std::max(0, std::min(row0, row1));
    const int bottom = std::min(kMapRows - 1, std::max(row0, row1));
    const int left = std::max(0, std::min(column0, column1));
    const int right = std::min(kMapColumns - 1, std::max(column0, column1));
    for (int r = top; r <= bottom; ++r) {
        for (int c = left; c <= right; ++c)
            e->codes[r][c] = code;
    }
    finish_step(e, before);
}

bool editor_undo(Editor* e) {
    editor_stroke_end(e);
    if (e->undo.empty())
        return false;
    e->redo.emplace_back();
    take_snapshot(e->codes, &e->redo.back());
    put_snapshot(e->undo.back(), e->codes);
    e->undo.pop_back();
    after_change(e);
    return true;
}

bool editor_redo(Editor* e) {
    editor_stroke_end(e);
    if (e->redo.empty())
        return false;
    e->undo.emplace_back();
    take_snapshot(e->codes, &e->undo.back());
    put_snapshot(e->redo.back(), e->codes);
    e->redo.pop_back();
    after_change(e);
    return true;
}

void editor_file_place(const Editor& e, int row, int column, int* line, int* file_column) {
    *line = e.lines[std::clamp(row, 0, kMapRows - 1)];
    *file_column = std::clamp(column, 0, kMapColumns - 1) + 1;
}

bool editor_unsaved(const Editor& e) {
    return !same_layer(e.saved, e.codes);
}

float test_play_x(const Editor& e) {
    const float x = cell_left(e.cursor_column) + kCellWidth / 2;
    return drop_caught(e.codes, x) ? x : kDropInX;
}

void editor_stage_file(const Editor& e, StageFile* out) {
    std::snprintf(out->name, sizeof out->name, "%s", e.title);
    std::memcpy(out->codes, e.codes, sizeof out->codes);
}

LeaveAnswer editor_leave(const Editor& e) {
    return editor_unsaved(e) || e.stroking ? LeaveAnswer::kAsk : LeaveAnswer::kLeave;
}
