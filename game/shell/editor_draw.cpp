// The stage editor's picture, in a 640 by 480 frame scaled to the picture:
// title and notes at the top, the grid of 40 columns with row and column
// numbers, the map of the whole layer under it, then the cursor's place,
// the faults in words and the keys.
#include "shell/editor_draw.h"

#include <allegro.h>
#include <alleggl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "shell/flat_text.h"
#include "shell/shell.h"
#include "shell/window.h"

namespace {

// The frame's places, in 640 by 480 units.
constexpr int kCell = 15;
constexpr int kGridX = 28, kGridY = 46;
constexpr int kMapX = 20, kMapY = kGridY + kMapRows * kCell + 8;
constexpr int kMapCellW = 6, kMapCellH = 3;
constexpr int kTextY = kMapY + kMapRows * kMapCellH + 8;
constexpr int kLineH = 11;
constexpr int kWrap = 78;  // characters of a line of words

// Printable ASCII as glyphs, 48 to a line of the texture.
constexpr int kGlyphsPerLine = 48;
constexpr int kGlyphTexH = 32;
GLuint glyphs;

int scale, left, top;  // the frame's scale and its corner in the window

int px(int x) {
    return left + x * scale;
}
int py(int y) {
    return top + y * scale;
}

void colour_of(int code, float alpha) {
    switch (code) {
        case kTileLedge:
            glColor4f(0.35f, 0.8f, 0.3f, alpha);
            break;
        case kTileRock:
            glColor4f(0.62f, 0.62f, 0.68f, alpha);
            break;
        case kTileBridge:
            glColor4f(0.9f, 0.62f, 0.25f, alpha);
            break;
        default:
            glColor4f(0.12f, 0.14f, 0.18f, alpha * 0.6f);
            break;
    }
}

// A rectangle in frame units; call between glBegin(GL_QUADS) and glEnd.
void box(int x, int y, int w, int h);

void rect_px(int x0, int y0, int x1, int y1) {
    glVertex2i(x0, y0);
    glVertex2i(x1, y0);
    glVertex2i(x1, y1);
    glVertex2i(x0, y1);
}

// An outline `t` window pixels thick, inside the rectangle.
void outline(int x, int y, int w, int h, int t) {
    const int x0 = px(x), y0 = py(y), x1 = px(x + w), y1 = py(y + h);
    glBegin(GL_QUADS);
    rect_px(x0, y0, x1, y0 + t);
    rect_px(x0, y1 - t, x1, y1);
    rect_px(x0, y0, x0 + t, y1);
    rect_px(x1 - t, y0, x1, y1);
    glEnd();
}

void box(int x, int y, int w, int h) {
    rect_px(px(x), py(y), px(x + w), py(y + h));
}

// Text at (x, y) in frame units, `size` times the font; a character outside
// printable ASCII shows as '?', once per UTF-8 sequence. At most `max`
// characters.
void text(int x, int y, const char* s, int size = 1, int max = 80) {
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, glyphs);
    glBegin(GL_QUADS);
    const int k = size * scale;
    int cx = px(x);
    for (int n = 0; *s != '\0' && n < max; ++s) {
        const unsigned char c = static_cast<unsigned char>(*s);
        if ((c & 0xC0) == 0x80)
            continue;
        const int g = (c >= 32 && c < 127 ? c : '?') - 32;
        const float s0 = static_cast<float>(g % kGlyphsPerLine * 8) / kTextW;
        const float t0 = static_cast<float>(g / kGlyphsPerLine * kLineStep) / kGlyphTexH;
        const float s1 = s0 + 8.0f / kTextW, t1 = t0 + 8.0f / kGlyphTexH;
        const int y0 = py(y);
        glTexCoord2f(s0, t0);
        glVertex2i(cx, y0);
        glTexCoord2f(s1, t0);
        glVertex2i(cx + 8 * k, y0);
        glTexCoord2f(s1, t1);
        glVertex2i(cx + 8 * k, y0 + 8 * k);
        glTexCoord2f(s0, t1);
        glVertex2i(cx, y0 + 8 * k);
        cx += 8 * k;
        ++n;
    }
    glEnd();
    glDisable(GL_TEXTURE_2D);
}

// Words over up to `lines` lines of kWrap characters, broken at spaces.
int wrapped(int x, int y, const char* s, int lines) {
    char line[kWrap + 1];
    int used = 0;
    while (*s != '\0' && used < lines) {
        int n = static_cast<int>(std::strlen(s));
        if (n > kWrap) {
            n = kWrap;
            while (n > 0 && s[n] != ' ')
                --n;
            n = n > 0 ? n : kWrap;
        }
        std::snprintf(line, sizeof line, "%.*s", n, s);
        text(x, y + used * kLineH, line);
        s += n;
        while (*s == ' ')
            ++s;
        ++used;
    }
    return used;
}

const char* code_name(int code) {
    switch (code) {
        case kTileLedge:
            return "1 ledge";
        case kTileRock:
            return "5 rock";
        case kTileBridge:
            return "9 bridge";
        default:
            return "0 empty";
    }
}

bool fault_at(const Editor& e, int row, int column) {
    for (int i = 0; i < e.fault_count; ++i) {
        if (e.faults[i].row == row && e.faults[i].column == column)
            return true;
    }
    return false;
}

void draw_cells(const EditorView& v) {
    const Editor& e = *v.editor;
    glBegin(GL_QUADS);
    for (int r = 0; r < kMapRows; ++r) {
        for (int i = 0; i < kViewColumns; ++i) {
            colour_of(e.codes[r][v.first_column + i], 0.9f);
            box(kGridX + i * kCell, kGridY + r * kCell, kCell - 1, kCell - 1);
        }
    }
    // The map: every cell, 6 by 3.
    for (int r = 0; r < kMapRows; ++r) {
        for (int c = 0; c < kMapColumns; ++c) {
            colour_of(e.codes[r][c], 1);
            if (fault_at(e, r, c))
                glColor4f(1, 0.15f, 0.1f, 1);
            box(kMapX + c * kMapCellW, kMapY + r * kMapCellH, kMapCellW, kMapCellH);
        }
    }
    glEnd();
    // The codes in their cells, dark on the colour.
    glColor4f(0.05f, 0.05f, 0.05f, 1);
    char digit[2] = {0, 0};
    for (int r = 0; r < kMapRows; ++r) {
        for (int i = 0; i < kViewColumns; ++i) {
            const int code = e.codes[r][v.first_column + i];
            if (code != kTileEmpty) {
                digit[0] = static_cast<char>('0' + code);
                text(kGridX + i * kCell + 4, kGridY + r * kCell + 3, digit);
            }
        }
    }
}

void draw_marks(const EditorView& v) {
    const Editor& e = *v.editor;
    const int t = std::max(1, scale * 2);
    glColor4f(1, 0.15f, 0.1f, 1);
    for (int i = 0; i < e.fault_count; ++i) {
        const int c = e.faults[i].column - v.first_column;
        if (c >= 0 && c < kViewColumns)
            outline(kGridX + c * kCell - 1, kGridY + e.faults[i].row * kCell - 1, kCell + 1,
                    kCell + 1, t);
    }
    const int cr = e.cursor_row, cc = e.cursor_column;
    if (v.marking) {
        const int c0 = std::max(std::min(v.mark_column, cc), v.first_column);
        const int c1 = std::min(std::max(v.mark_column, cc), v.first_column + kViewColumns - 1);
        const int r0 = std::min(v.mark_row, cr), r1 = std::max(v.mark_row, cr);
        glColor4f(1, 0.9f, 0.2f, 1);
        if (c0 <= c1)
            outline(kGridX + (c0 - v.first_column) * kCell - 2, kGridY + r0 * kCell - 2,
                    (c1 - c0 + 1) * kCell + 3, (r1 - r0 + 1) * kCell + 3, std::max(1, scale));
    }
    glColor4f(1, 1, 1, 1);
    outline(kGridX + (cc - v.first_column) * kCell - 2, kGridY + cr * kCell - 2, kCell + 3,
            kCell + 3, t);
    // The grid's window on the map.
    glColor4f(1, 1, 1, 0.8f);
    outline(kMapX + v.first_column * kMapCellW - 1, kMapY - 1, kViewColumns * kMapCellW + 2,
            kMapRows * kMapCellH + 2, 1);
}

void draw_numbers(const EditorView& v) {
    char n[12];
    glColor4f(0.85f, 0.85f, 0.85f, 1);
    for (int r = 0; r < kMapRows; ++r) {
        std::snprintf(n, sizeof n, "%2d", r + 1);
        text(kGridX - 20, kGridY + r * kCell + 3, n);
    }
    // Columns as the file counts them: 1, then every fifth.
    for (int i = 0; i < kViewColumns; ++i) {
        const int c = v.first_column + i + 1;
        if (c == 1 || c % 5 == 0) {
            std::snprintf(n, sizeof n, "%d", c);
            text(kGridX + i * kCell + 4 - (c >= 10 ? 4 : 0) - (c >= 100 ? 4 : 0), kGridY - 11, n);
        }
    }
}

void draw_words(const EditorView& v) {
    const Editor& e = *v.editor;
    char line[kEditorPathSize + 64];
    glColor4f(1, 1, 1, 1);
    std::snprintf(line, sizeof line, "Editing %s%s", e.title, editor_unsaved(e) ? " *" : "");
    text(kGridX - 20, 6, line);
    glColor4f(0.75f, 0.75f, 0.75f, 1);
    text(kGridX - 20, 18, e.path, 1, 76);
    if (e.recovery_why[0] != '\0') {
        glColor4f(1, 0.5f, 0.3f, 1);
        std::snprintf(line, sizeof line, "No recovery copy: %s", e.recovery_why);
        text(kGridX - 20, 28, line, 1, 76);
    }

    int y = kTextY;
    int line_no = 0, column_no = 0;
    editor_file_place(e, e.cursor_row, e.cursor_column, &line_no, &column_no);
    std::snprintf(line, sizeof line, "Line %d, column %d: %s    brush %s%s", line_no, column_no,
                  code_name(e.codes[e.cursor_row][e.cursor_column]), code_name(e.brush),
                  v.marking ? "    corner marked" : "");
    glColor4f(1, 1, 1, 1);
    text(kMapX, y, line);
    y += kLineH + 2;
    if (e.fault_count == 0) {
        glColor4f(0.4f, 1, 0.4f, 1);
        text(kMapX, y, "valid");
        y += kLineH;
    } else {
        // The fault under the cursor, else the first.
        int shown = 0;
        for (int i = 0; i < e.fault_count; ++i) {
            if (e.faults[i].row == e.cursor_row && e.faults[i].column == e.cursor_column)
                shown = i;
        }
        const EditorFault& f = e.faults[shown];
        int fl = 0, fc = 0;
        editor_file_place(e, f.row, f.column, &fl, &fc);
        std::snprintf(line, sizeof line, "%d fault%s (red). %d:%d: %s", e.fault_count,
                      e.fault_count == 1 ? "" : "s", fl, fc, f.what);
        glColor4f(1, 0.45f, 0.35f, 1);
        y += wrapped(kMapX, y, line, 4) * kLineH;
    }
    if (v.note != nullptr && v.note[0] != '\0') {
        glColor4f(0.6f, 0.85f, 1, 1);
        wrapped(kMapX, y + 2, v.note, 2);
    }
    glColor4f(0.7f, 0.7f, 0.7f, 1);
    text(kMapX, 452, "0 1 5 9 type  Space/Del paint/clear  Tab brush  M mark  F fill");
    text(kMapX, 463, "Ctrl+Z/Y undo/redo  F5 test  Ctrl+S save  Esc leave  pad: Start");
}

void draw_question(const EditorView& v) {
    if (v.question[0] == nullptr)
        return;
    constexpr int kX = 60, kY = 90, kW = 520, kH = 130;
    glColor4f(0, 0, 0, 0.85f);
    glBegin(GL_QUADS);
    box(kX, kY, kW, kH);
    glEnd();
    glColor4f(1, 0.85f, 0.2f, 1);
    outline(kX, kY, kW, kH, std::max(1, scale));
    int y = kY + 12;
    glColor4f(1, 1, 1, 1);
    for (const char* q : v.question) {
        if (q != nullptr) {
            text(kX + 12, y, q, 1, 62);
            y += kLineH + 2;
        }
    }
    y += 6;
    char line[kStageNameSize + 8];
    if (v.typing != nullptr) {
        std::snprintf(line, sizeof line, "> %s_", v.typing);
        glColor4f(1, 0.85f, 0.2f, 1);
        text(kX + 12, y, line, 1, 62);
        return;
    }
    for (int i = 0; i < v.choice_count; ++i) {
        const bool chosen = i == v.choice;
        if (chosen)
            glColor4f(1, 0.85f, 0.2f, 1);
        else
            glColor4f(0.8f, 0.8f, 0.8f, 1);
        std::snprintf(line, sizeof line, "%s%s", chosen ? "> " : "  ", v.choices[i]);
        text(kX + 12, y, line, 1, 62);
        y += kLineH + 2;
    }
}

void place_frame() {
    scale = std::max(1, std::min(window_width / 640, picture_height() / 480));
    left = (window_width - 640 * scale) / 2;
    top = picture_top + (picture_height() - 480 * scale) / 2;
}

}  // namespace

void start_editor_draw() {
    if (glyphs != 0)
        return;
    start_flat_text();
    TextLine lines[2];
    for (int i = 0; i < 2 * kGlyphsPerLine; ++i) {
        const int c = 32 + i;
        lines[i / kGlyphsPerLine][i % kGlyphsPerLine] = static_cast<char>(c < 127 ? c : ' ');
    }
    lines[0][kGlyphsPerLine] = lines[1][kGlyphsPerLine] = '\0';
    int widths[2];
    glyphs = alpha_texture(kGlyphTexH);
    write_lines(glyphs, lines, 2, widths);
}

void draw_editor(const EditorView& v) {
    place_frame();
    // Centred over the cursor's view, where the trooper would stand.
    follow_camera(cell_left(v.first_column + kViewColumns / 2));
    begin_frame();
    draw_stage();
    end_frame();

    begin_flat();
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(0, 0, 0, 0.6f);
    glBegin(GL_QUADS);
    glVertex2i(0, 0);
    glVertex2i(window_width, 0);
    glVertex2i(window_width, window_height);
    glVertex2i(0, window_height);
    glEnd();
    draw_cells(v);
    draw_marks(v);
    draw_numbers(v);
    draw_words(v);
    draw_question(v);
    end_flat();
}

bool editor_cell_at(const EditorView& v, int x, int y, int* row, int* column) {
    place_frame();
    const int fx = (x - left) / scale, fy = (y - top) / scale;
    if (x < left || y < top)
        return false;
    if (fx >= kGridX && fx < kGridX + kViewColumns * kCell && fy >= kGridY &&
        fy < kGridY + kMapRows * kCell) {
        *row = (fy - kGridY) / kCell;
        *column = v.first_column + (fx - kGridX) / kCell;
        return true;
    }
    if (fx >= kMapX && fx < kMapX + kMapColumns * kMapCellW && fy >= kMapY &&
        fy < kMapY + kMapRows * kMapCellH) {
        *row = (fy - kMapY) / kMapCellH;
        *column = (fx - kMapX) / kMapCellW;
        return true;
    }
    return false;
}
