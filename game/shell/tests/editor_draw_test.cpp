// The stage editor's picture, read back from a real GL over a real start-up:
// each code's colour in its cell, the fault's red frame, the cursor's white
// one, the dimmed stage; and the window pixels the pointer maps to cells at
// each window size.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "gl_context.h"
#include "level/level.h"
#include "shell/editor_draw.h"
#include "shell/session.h"
#include "shell/shell.h"
#include "shell/window.h"

namespace {

constexpr int kWidth = 640, kHeight = 480;
// The frame's places at scale 1, as the screen lays them out.
constexpr int kCell = 15, kGridX = 28, kGridY = 46;
constexpr int kMapX = 20, kMapY = kGridY + kMapRows * kCell + 8;

struct Rgb {
    int r, g, b;
};

Rgb at(const std::vector<std::uint8_t>& p, int x, int y) {
    const std::size_t i = (static_cast<std::size_t>(kHeight - 1 - y) * kWidth + x) * 4;
    return {p[i], p[i + 1], p[i + 2]};
}

// A cell's corner, clear of the code's digit and the frames.
Rgb cell(const std::vector<std::uint8_t>& p, int row, int column) {
    return at(p, kGridX + column * kCell + 2, kGridY + row * kCell + 2);
}

void window_is(int width, int height, int bar) {
    window_width = width;
    window_height = height;
    picture_top = bar;
}

EditorView view_of(const Editor& e, int first) {
    EditorView v{};
    v.editor = &e;
    v.first_column = first;
    v.note = "";
    return v;
}

TEST(EditorDraw, CellsFaultsAndCursorOverTheDimmedStage) {
    GlContext gl(kWidth, kHeight);
    window_is(kWidth, kHeight, 0);
    StageFile steps;
    ASSERT_TRUE(read_stage_file("stages/steps.stage", &steps, stderr));
    stage_seed = 5;
    std::srand(stage_seed);
    use_stage(steps);
    init_render_state();
    init_stage();

    static Editor e;
    std::memset(e.codes, 0, sizeof e.codes);
    e.codes[0][0] = kTileLedge;
    e.codes[0][1] = kTileRock;
    e.codes[0][2] = kTileBridge;
    e.fault_count = 1;
    e.faults[0] = {4, 6, "a fault"};
    e.cursor_row = 8;
    e.cursor_column = 10;
    std::snprintf(e.title, sizeof e.title, "t");
    std::snprintf(e.path, sizeof e.path, "p");
    draw_editor(view_of(e, 0));

    std::vector<std::uint8_t> p(kWidth * kHeight * 4);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, p.data());

    const Rgb ledge = cell(p, 0, 0), rock = cell(p, 0, 1), wood = cell(p, 0, 2),
              empty = cell(p, 0, 3);
    EXPECT_GT(ledge.g, ledge.r + 60);
    EXPECT_GT(ledge.g, ledge.b + 60);
    EXPECT_GT(rock.r, 120);
    EXPECT_NEAR(rock.r, rock.g, 12);
    EXPECT_GT(wood.r, wood.g + 40);
    EXPECT_GT(wood.g, wood.b + 40);
    EXPECT_LT(empty.r + empty.g + empty.b, 120);
    // The fault's frame is red, the cursor's white: on their cells' edges.
    const Rgb fault = at(p, kGridX + 6 * kCell + 6, kGridY + 4 * kCell);
    EXPECT_GT(fault.r, 200);
    EXPECT_LT(fault.g, 80);
    const Rgb cursor = at(p, kGridX + 10 * kCell + 6, kGridY + 8 * kCell - 1);
    EXPECT_GT(cursor.r + cursor.g + cursor.b, 700);
    // The map: the ledge in its first cell.
    const Rgb map = at(p, kMapX + 2, kMapY + 1);
    EXPECT_GT(map.g, map.r + 60);
    // Below the text, the stage shows through, dimmed: neither black nor bright.
    int lit = 0;
    for (int i = 400 * kWidth; i < 440 * kWidth; ++i) {
        const Rgb c = at(p, i % kWidth, i / kWidth);
        lit += c.r + c.g + c.b > 15 && c.r + c.g + c.b < 400;
    }
    EXPECT_GT(lit, kWidth * 40 / 4) << "no stage behind the grid";
}

TEST(EditorDraw, ThePointerFindsTheCell) {
    static Editor e;
    const struct {
        int width, height, bar, first, x, y;
        bool over;
        int row, column;
    } kRows[] = {
        {640, 480, 0, 0, kGridX + 1, kGridY + 1, true, 0, 0},
        {640, 480, 0, 60, kGridX + 39 * kCell + 14, kGridY + 15 * kCell + 14, true, 15, 99},
        {640, 480, 0, 0, kGridX - 1, kGridY + 1, false, 0, 0},                  // the row numbers
        {640, 480, 0, 0, kGridX + 1, kGridY + 16 * kCell, false, 0, 0},         // under the grid
        {640, 480, 0, 20, kMapX + 50 * 6 + 1, kMapY + 4 * 3 + 1, true, 4, 50},  // the map
        {1280, 960, 0, 0, 2 * (kGridX + 3 * kCell) + 1, 2 * (kGridY + 2 * kCell) + 1, true, 2, 3},
        // Full screen on 1920 by 1080: scale 2, the frame centred.
        {1920, 1080, 0, 0, 320 + 2 * (kGridX + kCell), 60 + 2 * (kGridY + kCell), true, 1, 1},
        {1920, 1080, 0, 0, 319, 60 + 2 * kGridY, false, 0, 0},
    };
    for (const auto& r : kRows) {
        window_is(r.width, r.height, r.bar);
        int row = -1, column = -1;
        const bool over = editor_cell_at(view_of(e, r.first), r.x, r.y, &row, &column);
        EXPECT_EQ(over, r.over) << r.width << " " << r.x << "," << r.y;
        if (r.over && over) {
            EXPECT_EQ(row, r.row) << r.x << "," << r.y;
            EXPECT_EQ(column, r.column) << r.x << "," << r.y;
        }
    }
}

}  // namespace
