// The stage editor's model on a player's stage with comment lines: one table
// of edits, each row checked against the layer, the cursor, the history and
// the live check; then the rules for saving and the recovery copy, on files
// in a private home.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "editor/editor.h"
#include "temp_dir.h"

namespace {

std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void spill(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

bool exists(const std::string& path) {
    return access(path.c_str(), F_OK) == 0;
}

// Rows 0-9 and 11-15 empty, row 10 a ledge over columns 1-6 (under the
// drop-in); three comment lines before the rows and one after row 5, so
// row r is on line r + 4 up to row 5 and r + 5 after it; CRLF line ends.
std::string stage_text(const char* ledge = "0111111") {
    std::string text = "# name: Test\r\n# keep me\r\n\r\n";
    for (int r = 0; r < kMapRows; ++r) {
        std::string row(kMapColumns, '0');
        if (r == 10)
            row.replace(0, std::strlen(ledge), ledge);
        text += row + "\r\n";
        if (r == 5)
            text += "# the middle\r\n";
    }
    return text;
}

// The text with one cell of a row changed: rows are the lines that are
// neither blank nor comments.
std::string with_cell(std::string text, int row, int column, char code) {
    std::size_t at = 0;
    while (at < text.size() && (text[at] == '#' || text[at] == '\r' || row-- > 0))
        at = text.find('\n', at) + 1;  // the texts here end every line
    text.at(at + static_cast<std::size_t>(column)) = code;
    return text;
}

// A private home: the player's stages folder, a data folder, a state folder.
struct Home {
    TempDir dir{"editor_test"};
    std::string root = dir.path().string(), player = root + "/player/", data = root + "/data/";
    const char* folders[2] = {player.c_str(), data.c_str()};
    Home() {
        mkdir(player.c_str(), 0700);
        mkdir(data.c_str(), 0700);
        setenv("XDG_STATE_HOME", (root + "/state").c_str(), 1);
    }
    void open(Editor* e, const char* value) {
        char why[kEditorReasonSize] = "";
        ASSERT_TRUE(editor_open(e, value, folders, 2, why, sizeof why)) << why;
    }
};

enum Op { kType, kMove, kSet, kBegin, kPaint, kEnd, kFill, kUndo, kRedo };

struct Step {
    const char* note;
    Op op;
    int a, b, c, d, code;  // kType: a is the character; kMove: a is the CursorMove
    int row;               // the row whose first codes are checked
    const char* codes;
    int cursor_row, cursor_column;
    int undo, redo;
    const char* fault;  // "LINE:COLUMN: words..." of the first fault, as the checker's file
};

// clang-format off
constexpr int L = static_cast<int>(CursorMove::kLeft), U = static_cast<int>(CursorMove::kUp),
    E = static_cast<int>(CursorMove::kRowEnd), H = static_cast<int>(CursorMove::kRowStart),
    F = static_cast<int>(CursorMove::kFirstCell);

const Step kSteps[] = {
    {"start valid", kSet, 10, 0, 0, 0, 0, 10, "0111111", 10, 0, 0, 0, ""},
    {"typing overwrites and moves right", kType, '9', 0, 0, 0, 0, 10, "9111111", 10, 1, 1, 0, ""},
    {"a second character", kType, '5', 0, 0, 0, 0, 10, "9511111", 10, 2, 2, 0, ""},
    {"not a code: nothing", kType, 'x', 0, 0, 0, 0, 10, "9511111", 10, 2, 2, 0, ""},
    {"undo one character", kUndo, 1, 0, 0, 0, 0, 10, "9111111", 10, 2, 1, 1, ""},
    {"redo it", kRedo, 1, 0, 0, 0, 0, 10, "9511111", 10, 2, 2, 0, ""},
    {"End: the row's last column", kMove, E, 0, 0, 0, 0, 10, "9511111", 10, 99, 2, 0, ""},
    {"typing on the last column stays there", kType, '1', 0, 0, 0, 0, 10, "9511111", 10, 99, 3, 0, ""},
    {"Home", kMove, H, 0, 0, 0, 0, 10, "9511111", 10, 0, 3, 0, ""},
    {"Up", kMove, U, 0, 0, 0, 0, 10, "9511111", 9, 0, 3, 0, ""},
    {"Ctrl+Home", kMove, F, 0, 0, 0, 0, 10, "9511111", 0, 0, 3, 0, ""},
    {"Left at the edge stays", kMove, L, 0, 0, 0, 0, 10, "9511111", 0, 0, 3, 0, ""},
    {"set outside: kept in", kSet, 99, -5, 0, 0, 0, 10, "9511111", 15, 0, 3, 0, ""},
    {"a stroke: no step yet", kBegin, 0, 0, 0, 0, 0, 10, "9511111", 15, 0, 3, 0, ""},
    // Both cells under the drop-in cleared: the start has nothing to land on,
    // marked on row 0 (line 4), column 3, as the checker says it.
    {"painting clears", kPaint, 10, 2, 0, 0, kTileEmpty, 10, "9501111", 15, 0, 3, 0, "4:3: nothing below the start"},
    {"the stroke goes on", kPaint, 10, 3, 0, 0, kTileEmpty, 10, "9500111", 15, 0, 3, 0, "4:3: nothing below the start"},
    {"outside the layer: ignored", kPaint, 16, 3, 0, 0, kTileLedge, 10, "9500111", 15, 0, 3, 0, "4:3: nothing below the start"},
    {"the stroke is one step", kEnd, 0, 0, 0, 0, 0, 10, "9500111", 15, 0, 4, 0, "4:3: nothing below the start"},
    {"undo the stroke whole", kUndo, 1, 0, 0, 0, 0, 10, "9511111", 15, 0, 3, 1, ""},
    {"redo the stroke whole", kRedo, 1, 0, 0, 0, 0, 10, "9500111", 15, 0, 4, 0, "4:3: nothing below the start"},
    {"undo it again", kUndo, 1, 0, 0, 0, 0, 10, "9511111", 15, 0, 3, 1, ""},
    {"a fill, corners in any order, drops redo", kFill, 11, 6, 11, 0, kTileBridge, 11, "99999990", 15, 0, 4, 0, ""},
    // Eight bridge cells are the most, (10, 0) and seven in row 11: the ninth
    // is marked; row 12 is line 17.
    {"a ninth bridge cell", kFill, 12, 0, 12, 0, kTileBridge, 12, "90", 15, 0, 5, 0, "17:1: bridge cell 9"},
    {"undo the last fill", kUndo, 1, 0, 0, 0, 0, 12, "00", 15, 0, 4, 1, ""},
    {"undo the first fill", kUndo, 1, 0, 0, 0, 0, 11, "00000000", 15, 0, 3, 2, ""},
    {"undo the last character", kUndo, 1, 0, 0, 0, 0, 10, "9511111", 15, 0, 2, 3, ""},
    {"undo one more", kUndo, 1, 0, 0, 0, 0, 10, "9111111", 15, 0, 1, 4, ""},
    {"undo to the file's layer", kUndo, 1, 0, 0, 0, 0, 10, "0111111", 15, 0, 0, 5, ""},
    {"nothing more to undo", kUndo, 0, 0, 0, 0, 0, 10, "0111111", 15, 0, 0, 5, ""},
    {"redo", kRedo, 1, 0, 0, 0, 0, 10, "9111111", 15, 0, 1, 4, ""},
    {"a paint alone is one step", kPaint, 10, 6, 0, 0, kTileRock, 10, "9111115", 15, 0, 2, 0, ""},
    {"nothing to redo", kRedo, 0, 0, 0, 0, 0, 10, "9111115", 15, 0, 2, 0, ""},
};
// clang-format on

}  // namespace

TEST(EditorModel, EditsUndoAndTheLiveCheck) {
    Home home;
    spill(home.player + "mine.stage", stage_text());
    Editor e;
    home.open(&e, "mine");
    EXPECT_EQ(e.origin, StageOrigin::kPlayer);
    EXPECT_STREQ(e.title, "Test");
    for (const Step& s : kSteps) {
        SCOPED_TRACE(s.note);
        // clang-format off
        switch (s.op) {
            case kType: EXPECT_EQ(editor_type(&e, static_cast<char>(s.a)), s.a != 'x'); break;
            case kMove: editor_move(&e, static_cast<CursorMove>(s.a)); break;
            case kSet: editor_set_cursor(&e, s.a, s.b); break;
            case kBegin: editor_stroke_begin(&e); break;
            case kPaint: editor_paint(&e, s.a, s.b, s.code); break;
            case kEnd: editor_stroke_end(&e); break;
            case kFill: editor_fill(&e, s.a, s.b, s.c, s.d, s.code); break;
            case kUndo: EXPECT_EQ(editor_undo(&e), s.a == 1); break;
            case kRedo: EXPECT_EQ(editor_redo(&e), s.a == 1); break;
        }
        // clang-format on
        std::string codes;
        for (std::size_t c = 0; c < std::strlen(s.codes); ++c)
            codes += static_cast<char>('0' + e.codes[s.row][c]);
        EXPECT_EQ(codes, s.codes);
        EXPECT_EQ(e.cursor_row, s.cursor_row);
        EXPECT_EQ(e.cursor_column, s.cursor_column);
        EXPECT_EQ(e.undo.size(), static_cast<std::size_t>(s.undo));
        EXPECT_EQ(e.redo.size(), static_cast<std::size_t>(s.redo));
        std::string fault;
        if (e.fault_count > 0) {
            int line, column;
            editor_file_place(e, e.faults[0].row, e.faults[0].column, &line, &column);
            fault = std::to_string(line) + ":" + std::to_string(column) + ": " + e.faults[0].what;
        }
        EXPECT_EQ(fault.compare(0, std::strlen(s.fault), s.fault), 0) << fault;
        EXPECT_EQ(fault.empty(), s.fault[0] == '\0') << fault;
    }
    // Test play: over the ledge the trooper drops in at the cursor's column;
    // over nothing at the stage's start.
    editor_set_cursor(&e, 0, 4);
    EXPECT_EQ(test_play_x(e), cell_left(4) + kCellWidth / 2);
    editor_set_cursor(&e, 0, 40);
    EXPECT_EQ(test_play_x(e), kDropInX);
    StageFile played;
    editor_stage_file(e, &played);
    EXPECT_STREQ(played.name, "Test");
    EXPECT_EQ(stage_hash(played.codes), stage_hash(e.codes));
}

TEST(EditorFiles, SaveAndRecoveryRules) {
    Home home;
    char why[kEditorReasonSize] = "";
    char offer[128];
    Editor e;

    // A player's stage: saved in place, comments and CRLF kept, the one cell
    // changed; the recovery copy follows the changes and goes on save.
    const std::string mine = home.player + "mine.stage";
    spill(mine, stage_text());
    home.open(&e, mine.c_str());
    EXPECT_EQ(editor_leave(e), LeaveAnswer::kLeave);
    editor_set_cursor(&e, 7, 20);
    editor_type(&e, '5');
    EXPECT_EQ(editor_leave(e), LeaveAnswer::kAsk);
    ASSERT_TRUE(editor_recovery_offer(e, offer, sizeof offer));
    EXPECT_EQ(std::string(offer).rfind("there is a recovery copy from 20", 0), 0u) << offer;
    EXPECT_EQ(slurp(e.recovery), with_cell(stage_text(), 7, 20, '5'));
    editor_undo(&e);
    EXPECT_FALSE(exists(e.recovery)) << "like the file again: nothing to recover";
    editor_redo(&e);
    EXPECT_TRUE(exists(e.recovery));
    EXPECT_EQ(editor_save(&e, why, sizeof why), SaveAnswer::kSaved) << why;
    EXPECT_EQ(slurp(mine), with_cell(stage_text(), 7, 20, '5'));
    EXPECT_FALSE(exists(e.recovery));
    EXPECT_FALSE(editor_recovery_offer(e, offer, sizeof offer));
    EXPECT_EQ(editor_leave(e), LeaveAnswer::kLeave);

    // A crash after a change: the next open offers the copy; taking it is one
    // step, and undo goes back to the file's layer.
    editor_set_cursor(&e, 10, 2);
    editor_type(&e, '0');
    editor_type(&e, '0');
    home.open(&e, "mine");
    EXPECT_EQ(e.codes[10][2], kTileLedge);
    ASSERT_TRUE(editor_recovery_offer(e, offer, sizeof offer));
    ASSERT_TRUE(editor_take_recovery(&e, why, sizeof why)) << why;
    EXPECT_EQ(e.codes[10][2], kTileEmpty);
    EXPECT_EQ(e.codes[10][3], kTileEmpty);
    EXPECT_EQ(e.undo.size(), 1u);
    ASSERT_EQ(e.fault_count, 1);
    // An invalid stage is saved, its faults said again.
    EXPECT_EQ(editor_save(&e, why, sizeof why), SaveAnswer::kSavedWithFaults) << why;
    EXPECT_EQ(std::string(e.faults[0].what).rfind("nothing below the start", 0), 0u);
    StageFile read;
    EXPECT_FALSE(load_stage_file(
        mine.c_str(), &read, [](void*, int, int, const char*) {}, nullptr));
    EXPECT_EQ(read.codes[10][2], kTileEmpty);
    editor_undo(&e);
    EXPECT_TRUE(exists(e.recovery));
    editor_drop_recovery(&e);
    EXPECT_FALSE(exists(e.recovery));

    // The data folder's stage is never written: saving asks for a name, a
    // taken name is refused unless replaced, and the copy is the player's.
    const std::string shipped = stage_text("0011111");
    spill(home.data + "shipped.stage", shipped);
    home.open(&e, "shipped");
    EXPECT_EQ(e.origin, StageOrigin::kReadOnly);
    editor_type(&e, '9');
    EXPECT_EQ(editor_save(&e, why, sizeof why), SaveAnswer::kNeedsName);
    EXPECT_EQ(editor_save_as(&e, "../up", false, why, sizeof why), SaveAnswer::kBadName);
    EXPECT_EQ(editor_save_as(&e, "mine", false, why, sizeof why), SaveAnswer::kNameTaken);
    EXPECT_EQ(editor_save_as(&e, "copy", false, why, sizeof why), SaveAnswer::kSaved) << why;
    EXPECT_EQ(slurp(home.data + "shipped.stage"), shipped);
    EXPECT_EQ(slurp(home.player + "copy.stage"), with_cell(shipped, 0, 0, '9'));
    EXPECT_EQ(e.origin, StageOrigin::kPlayer);
    EXPECT_STREQ(e.title, "Test");
    // So is a file without its owner's write bit, and a new one there.
    chmod(mine.c_str(), 0444);
    home.open(&e, mine.c_str());
    EXPECT_EQ(e.origin, StageOrigin::kReadOnly);
    home.open(&e, (home.data + "new.stage").c_str());
    EXPECT_EQ(e.origin, StageOrigin::kReadOnly);

    // A name not found: a new stage, valid at once, written only when saved.
    home.open(&e, "fresh");
    EXPECT_EQ(e.origin, StageOrigin::kNew);
    EXPECT_EQ(e.fault_count, 0);
    EXPECT_EQ(e.lines[15], 16);
    EXPECT_EQ(editor_leave(e), LeaveAnswer::kLeave);
    EXPECT_FALSE(exists(home.player + "fresh.stage"));
    editor_fill(&e, 0, 50, 0, 52, kTileRock);
    EXPECT_EQ(editor_save(&e, why, sizeof why), SaveAnswer::kSaved) << why;
    EXPECT_TRUE(read_stage_file((home.player + "fresh.stage").c_str(), &read, stderr));
    EXPECT_EQ(read.codes[0][51], kTileRock);

    // Files the reader refuses open with their first fault kept and save as
    // the layer holds them: a bad cell, a row past the 16th kept as a
    // comment, a missing row added.
    const std::string full = stage_text();
    const struct {
        const char* stem;
        std::string text, saved;
        const char* first_read_fault;
    } kResaved[] = {
        {"typo", with_cell(full, 0, 2, 'x'), full, "4:3: 'x'"},
        {"long", full + "0101\r\n", full + "# 0101\r\n", "21:1: row 17"},
        {"short", full.substr(0, full.size() - 104), full, "19:1: the file ends after 15 rows"},
    };
    for (const auto& r : kResaved) {
        spill(home.player + r.stem + ".stage", r.text);
        home.open(&e, r.stem);
        EXPECT_EQ(e.read_faults, 1) << r.stem;
        EXPECT_EQ(std::string(e.first_read_fault).rfind(r.first_read_fault, 0), 0u)
            << e.first_read_fault;
        EXPECT_EQ(e.lines[15], 20) << r.stem;  // row 15's line, the last row added if missing
        EXPECT_EQ(editor_save(&e, why, sizeof why), SaveAnswer::kSaved) << why;
        EXPECT_EQ(slurp(home.player + r.stem + ".stage"), r.saved) << r.stem;
    }

    // A file the reader stops in before its rows (here a lone carriage
    // return in a comment) is refused: its rows would be saved as 0s.
    spill(home.player + "cr.stage", "# old\rmac\n" + stage_text());
    EXPECT_FALSE(editor_open(&e, "cr", home.folders, 2, why, sizeof why));
    EXPECT_NE(std::string(why).find("cr.stage: its rows cannot be edited in place (1:6:"),
              std::string::npos)
        << why;
}
