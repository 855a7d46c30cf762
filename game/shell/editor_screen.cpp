// The stage editor's screen: presses from the input's latch, the pointer and
// the pad turned into the model's calls, the questions (a name, replace,
// leave, the recovery copy, the pad's menu), and test play in the same
// window. It polls every 5 ms and draws only when something changed.
#include "shell/editor_screen.h"

#include <allegro.h>
#include <alleggl.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <cstdlib>
#include <initializer_list>

#include "editor/editor.h"
#include "input/input.h"
#include "level/level.h"
#include "model/model.h"
#include "picture/picture.h"
#include "shell/data_dir.h"
#include "shell/editor_draw.h"
#include "shell/options.h"
#include "shell/physics.h"
#include "shell/quit_signals.h"
#include "shell/session.h"
#include "shell/shell.h"
#include "shell/window.h"
#include "shell/window_x11.h"

const char* edit_option = nullptr;

namespace {

using Clock = std::chrono::steady_clock;

// Xbox-style pad buttons, as the README's table gives them.
enum PadButton { kPadA, kPadB, kPadX, kPadY, kPadLB, kPadRB, kPadBack, kPadStart };

enum class Ask { kNone, kMenu, kName, kReplace, kLeave, kRecovery };

Editor editor;  // the model; its history lives as long as the screen
EditorView view;
Ask ask = Ask::kNone;
bool leaving, save_then_leave;
char note[kEditorPathSize + 64];
char question[kEditorReasonSize + 64];
char name[kStageNameSize];
StageFile played;  // what test play hands to switch_stage; 6.4 KB

// The stages folders, the player's first.
char folder_paths[kStageFolders][kDataPathSize];
const char* folder_list[kStageFolders];

// Mouse buttons that went down, counted where Allegro reports them, so a
// click shorter than a poll still paints.
std::atomic<unsigned> left_downs, right_downs;
void count_buttons(int flags) {
    if (flags & MOUSE_FLAG_LEFT_DOWN)
        left_downs.fetch_add(1);
    if (flags & MOUSE_FLAG_RIGHT_DOWN)
        right_downs.fetch_add(1);
}

void say(const char* what) {
    std::snprintf(note, sizeof note, "%s", what);
}

void keep_cursor_in_view() {
    int& first = view.first_column;
    first = std::min(first, editor.cursor_column);
    first = std::max(first, editor.cursor_column - kViewColumns + 1);
    first = std::clamp(first, 0, kMapColumns - kViewColumns);
}

void open_question(Ask a, const char* line0, const char* line1,
                   std::initializer_list<const char*> choices) {
    ask = a;
    view.question[0] = line0;
    view.question[1] = line1;
    view.question[2] = nullptr;
    view.choice_count = 0;
    for (const char* c : choices)
        view.choices[view.choice_count++] = c;
    view.choice = 0;
    view.typing = a == Ask::kName ? name : nullptr;
}

void close_question() {
    ask = Ask::kNone;
    view.question[0] = view.question[1] = nullptr;
    view.typing = nullptr;
}

void ask_name() {
    // A name to accept as it is with the pad: the stage's own.
    if (name[0] == '\0')
        std::snprintf(name, sizeof name, "%s", editor.stem);
    std::snprintf(question, sizeof question, "Save %s as your own stage, named:", editor.title);
    open_question(Ask::kName, question, "(type a name; Enter saves, Escape does not)", {});
}

void said_saved(SaveAnswer a, const char* why) {
    if (a == SaveAnswer::kSavedWithFaults) {
        std::snprintf(note, sizeof note, "Saved %s, but not valid: %d fault%s (red)", editor.path,
                      editor.fault_count, editor.fault_count == 1 ? "" : "s");
    } else if (a == SaveAnswer::kSaved) {
        std::snprintf(note, sizeof note, "Saved %s", editor.path);
    } else if (a == SaveAnswer::kFailed) {
        std::snprintf(note, sizeof note, "Not saved: %s", why);
    }
    if ((a == SaveAnswer::kSaved || a == SaveAnswer::kSavedWithFaults) && save_then_leave)
        leaving = true;
    if (a == SaveAnswer::kFailed)
        save_then_leave = false;
}

void save() {
    char why[kEditorReasonSize];
    const SaveAnswer a = editor_save(&editor, why, sizeof why);
    if (a == SaveAnswer::kNeedsName) {
        ask_name();
        return;
    }
    said_saved(a, why);
}

void save_as(bool replace) {
    char why[kEditorReasonSize];
    const SaveAnswer a = editor_save_as(&editor, name, replace, why, sizeof why);
    switch (a) {
        case SaveAnswer::kNameTaken:
            std::snprintf(question, sizeof question, "You have a stage named %s already.", name);
            open_question(Ask::kReplace, question, nullptr, {"Replace it", "Choose another name"});
            return;
        case SaveAnswer::kBadName:
            say("Not a name for a file: no '/', no leading '.', not empty");
            return;
        default:
            close_question();
            said_saved(a, why);
    }
}

void ask_leave() {
    if (editor_leave(editor) == LeaveAnswer::kLeave) {
        leaving = true;
        return;
    }
    open_question(Ask::kLeave, "The stage has changes not saved.", nullptr,
                  {"Save", "Leave without saving", "Stay"});
}

void drop_keys();

// Test play: the layer as it stands, the trooper dropped in at the cursor's
// column (or at the start), until Escape or the pause action.
void test_play() {
    if (editor.fault_count > 0) {
        say("Test play needs a valid stage: mend the faults in red first");
        return;
    }
    editor_stroke_end(&editor);
    editor_stage_file(editor, &played);
    switch_stage(played, editor.stem);
    const float x = test_play_x(editor);
    ludz.pos[0] = x;
    if (debcam == 0)
        follow_camera(x);
    counter = 0;
    do {
        begin_frame();
        draw_stage();
        run_frame_steps();
        end_frame();
        poll_presses();
        allegro_gl_flip();
        handle_window_keys();
        rest(0);
    } while (!key_pressed(KEY_ESC) && !pressed(kActPause) && quit_signal() == 0);
    take_step_presses();  // what was pressed in play stays there
    drop_keys();
    say(x == kDropInX ? "Back from test play (dropped in at the start: nothing below the cursor)"
                      : "Back from test play");
}

void take_choice(int choice) {
    const Ask was = ask;
    close_question();
    switch (was) {
        case Ask::kMenu:
            if (choice == 0)
                save();
            else if (choice == 1)
                test_play();
            else if (choice == 2)
                ask_leave();
            break;
        case Ask::kLeave:
            if (choice == 0) {
                save_then_leave = true;
                save();
            } else if (choice == 1) {
                editor_drop_recovery(&editor);
                leaving = true;
            }
            break;
        case Ask::kRecovery: {
            char why[kEditorReasonSize];
            if (choice == 0 && !editor_take_recovery(&editor, why, sizeof why))
                std::snprintf(note, sizeof note, "The recovery copy cannot be read: %s", why);
            else if (choice == 0)
                say("The recovery copy is back (undo goes to the file's layer)");
            else
                editor_drop_recovery(&editor);
            break;
        }
        case Ask::kReplace:
            if (choice == 0)
                save_as(true);
            else
                ask_name();
            break;
        default:
            break;
    }
}

// A key of a name: letters, digits, '-', '_' and space, by the key's name,
// whatever the layout.
char name_char(int k, bool shift) {
    if (k >= KEY_A && k <= KEY_Z)
        return static_cast<char>((shift ? 'A' : 'a') + (k - KEY_A));
    if (k >= KEY_0 && k <= KEY_9)
        return static_cast<char>('0' + (k - KEY_0));
    if (k >= KEY_0_PAD && k <= KEY_9_PAD)
        return static_cast<char>('0' + (k - KEY_0_PAD));
    if (k == KEY_MINUS)
        return shift ? '_' : '-';
    return k == KEY_SPACE ? ' ' : '\0';
}

// Keys in the order they went down, beside the latch's counts (which the
// callback still keeps): "15" typed, or an arrow and a code, between two
// polls land in the order typed. Written on Allegro's keyboard thread.
constexpr unsigned kKeyRing = 256;
std::atomic<int> key_ring[kKeyRing];
std::atomic<unsigned> ring_written;
unsigned ring_read;
bool ring_down[128];  // keyboard thread only: a held key's repeats are no press
constexpr int kWithCtrl = 0x100, kWithShift = 0x200;

void key_arrived(int scancode) {
    latch_key(scancode);
    const int k = scancode & 0x7f;
    const bool down = (scancode & 0x80) == 0;
    if (down && !ring_down[k]) {
        // Ctrl and Shift as they were then: a slow frame may see them up.
        const int with = (ring_down[KEY_LCONTROL] || ring_down[KEY_RCONTROL] ? kWithCtrl : 0) |
                         (ring_down[KEY_LSHIFT] || ring_down[KEY_RSHIFT] ? kWithShift : 0);
        const unsigned w = ring_written.load(std::memory_order_relaxed);
        key_ring[w % kKeyRing].store(k | with, std::memory_order_relaxed);
        ring_written.store(w + 1, std::memory_order_release);
    }
    ring_down[k] = down;
}

bool next_key(int* k) {
    const unsigned written = ring_written.load(std::memory_order_acquire);
    if (written - ring_read > kKeyRing)
        ring_read = written - kKeyRing;  // lapped: the oldest are gone
    if (ring_read == written)
        return false;
    *k = key_ring[ring_read++ % kKeyRing].load(std::memory_order_relaxed);
    return true;
}

void drop_keys() {
    ring_read = ring_written.load(std::memory_order_acquire);
}

bool is_enter(int k) {
    return k == KEY_ENTER || k == KEY_ENTER_PAD;
}

void back_out() {
    // Backing out is the last choice (Stay, another name, back to editing),
    // but refusing the recovery copy would lose it: that one stays.
    if (ask == Ask::kName) {
        close_question();
        save_then_leave = false;
        say("Not saved");
    } else if (ask == Ask::kRecovery) {
        close_question();
    } else {
        take_choice(view.choice_count - 1);
    }
}

void step_choice(int by) {
    view.choice = (view.choice + view.choice_count + by) % view.choice_count;
}

void question_key(int k, bool shift) {
    if (k == KEY_ESC) {
        back_out();
    } else if (ask == Ask::kName) {
        const std::size_t n = std::strlen(name);
        const char c = name_char(k, shift);
        if (c != '\0' && n + 1 < sizeof name) {
            name[n] = c;
            name[n + 1] = '\0';
        } else if (k == KEY_BACKSPACE && n > 0) {
            name[n - 1] = '\0';
        } else if (is_enter(k)) {
            save_as(false);
        }
    } else if (k == KEY_UP || k == KEY_DOWN) {
        step_choice(k == KEY_UP ? -1 : 1);
    } else if (is_enter(k)) {
        take_choice(view.choice);
    }
}

void question_pad() {
    if (button_pressed(kPadA)) {
        if (ask == Ask::kName)
            save_as(false);
        else
            take_choice(view.choice);
    } else if (button_pressed(kPadB)) {
        back_out();
    } else if (ask != Ask::kName) {
        const std::uint16_t ways = pad_ways_pressed();
        if (ways & kStepUp)
            step_choice(-1);
        if (ways & kStepDown)
            step_choice(1);
    }
}

// Arrow keys and the pad's ways: a move on the press, then repeated while held.
struct Repeat {
    int key;
    std::uint16_t way;
    CursorMove move;
    Clock::time_point next;
};
Repeat repeats[] = {{KEY_LEFT, kStepLeft, CursorMove::kLeft, {}},
                    {KEY_RIGHT, kStepRight, CursorMove::kRight, {}},
                    {KEY_UP, kStepUp, CursorMove::kUp, {}},
                    {KEY_DOWN, kStepDown, CursorMove::kDown, {}}};

// An arrow key from the ring: one move, repeated later while held.
void arrow_key(int k) {
    for (Repeat& r : repeats) {
        if (r.key == k) {
            editor_move(&editor, r.move);
            r.next = Clock::now() + std::chrono::milliseconds(350);
        }
    }
}

// The pad's ways pushed, and every way held past its repeat time.
bool move_cursor() {
    const Clock::time_point now = Clock::now();
    const std::uint16_t pushed = pad_ways_pressed(), held_ways = pad_way_keys(pad);
    bool moved = false;
    for (Repeat& r : repeats) {
        const bool held = key[r.key] || (held_ways & r.way) != 0;
        if (pushed & r.way) {
            r.next = now + std::chrono::milliseconds(350);
        } else if (!held || now < r.next) {
            continue;
        } else {
            r.next = now + std::chrono::milliseconds(45);
        }
        editor_move(&editor, r.move);
        moved = true;
    }
    return moved;
}

int next_brush(int code) {
    return code == kTileLedge    ? kTileRock
           : code == kTileRock   ? kTileBridge
           : code == kTileBridge ? kTileEmpty
                                 : kTileLedge;
}

void mark_or_fill() {
    if (!view.marking) {
        view.marking = true;
        view.mark_row = editor.cursor_row;
        view.mark_column = editor.cursor_column;
        return;
    }
    editor_fill(&editor, view.mark_row, view.mark_column, editor.cursor_row, editor.cursor_column,
                editor.brush);
    view.marking = false;
}

// The pointer: moving it over the grid or the map moves the cursor; the left
// button paints the brush and the right one clears, a stroke from press to
// release, with the cells between two polls filled in.
int mouse_was_x = -1, mouse_was_y = -1, mouse_was_z;
int stroke_code = -1;  // the code of the stroke under way, -1 for none
int stroke_row, stroke_column;
unsigned lefts_seen, rights_seen;

void paint_line(int row, int column, int code) {
    const int steps = std::max(std::abs(row - stroke_row), std::abs(column - stroke_column));
    for (int i = 1; i <= steps; ++i) {
        editor_paint(&editor, stroke_row + (row - stroke_row) * i / steps,
                     stroke_column + (column - stroke_column) * i / steps, code);
    }
    stroke_row = row;
    stroke_column = column;
}

bool feed_mouse() {
    const int x = mouse_x, y = mouse_y, z = mouse_z, b = mouse_b;
    const unsigned lefts = left_downs.load(), rights = right_downs.load();
    bool changed = false;
    if (z != mouse_was_z) {
        editor.brush = next_brush(editor.brush);
        mouse_was_z = z;
        changed = true;
    }
    int row = 0, column = 0;
    const bool over = editor_cell_at(view, x, y, &row, &column);
    const bool moved = x != mouse_was_x || y != mouse_was_y;
    mouse_was_x = x;
    mouse_was_y = y;
    if (over && moved) {
        editor_set_cursor(&editor, row, column);
        changed = true;
    }
    const int code = (b & 1) ? editor.brush : (b & 2) ? kTileEmpty : -1;
    if (code != stroke_code && stroke_code >= 0) {
        editor_stroke_end(&editor);
        stroke_code = -1;
        changed = true;
    }
    if (code >= 0 && over) {
        if (stroke_code < 0) {
            editor_stroke_begin(&editor);
            stroke_code = code;
            stroke_row = row;
            stroke_column = column;
            editor_paint(&editor, row, column, code);
        } else {
            paint_line(row, column, code);
        }
        changed = true;
    } else if (over && code < 0 && (lefts != lefts_seen || rights != rights_seen)) {
        // Down and up again between two polls: one cell.
        editor_paint(&editor, row, column, lefts != lefts_seen ? editor.brush : kTileEmpty);
        changed = true;
    }
    lefts_seen = lefts;
    rights_seen = rights;
    return changed;
}

// Space or pad A paints the brush, Delete or pad B clears, on the cell where
// the cursor is and on each it moves to while held: a stroke.
int key_stroke = -1;  // the code of the stroke under way, -1 for none
bool key_clears;      // it was begun with Delete or pad B

void feed_key_stroke(bool moved) {
    const bool brush = key[KEY_SPACE] || (pad.buttons & (1u << kPadA));
    const bool clear = key[KEY_DEL] || (pad.buttons & (1u << kPadB));
    if (key_stroke >= 0 && !(key_clears ? clear : brush)) {
        editor_stroke_end(&editor);
        key_stroke = -1;
    }
    if (key_stroke < 0) {
        const bool paint = key_pressed(KEY_SPACE) || button_pressed(kPadA);
        key_clears = !paint && (key_pressed(KEY_DEL) || button_pressed(kPadB));
        if (paint)
            key_stroke = editor.brush;
        else if (key_clears)
            key_stroke = kTileEmpty;
        else
            return;
        editor_stroke_begin(&editor);
        moved = true;
    }
    if (moved)
        editor_paint(&editor, editor.cursor_row, editor.cursor_column, key_stroke);
}

void open_menu() {
    open_question(Ask::kMenu, "Editor", nullptr,
                  {"Save", "Test play", "Leave the editor", "Back to editing"});
}

void grid_key(int k, bool ctrl, bool shift) {
    switch (k) {
        case KEY_ESC:
            if (view.marking)
                view.marking = false;
            else
                ask_leave();
            return;
        case KEY_F5:
            test_play();
            return;
        case KEY_HOME:
            editor_move(&editor, ctrl ? CursorMove::kFirstCell : CursorMove::kRowStart);
            return;
        case KEY_END:
            editor_move(&editor, CursorMove::kRowEnd);
            return;
        case KEY_TAB:
            editor.brush = next_brush(editor.brush);
            return;
        case KEY_LEFT:
        case KEY_RIGHT:
        case KEY_UP:
        case KEY_DOWN:
            arrow_key(k);
            if (key_stroke >= 0)
                editor_paint(&editor, editor.cursor_row, editor.cursor_column, key_stroke);
            return;
        default:
            break;
    }
    if (ctrl) {
        if (k == KEY_S)
            save();
        else if (k == KEY_Z && !shift && !editor_undo(&editor))
            say("Nothing to undo");
        else if ((k == KEY_Y || (k == KEY_Z && shift)) && !editor_redo(&editor))
            say("Nothing to redo");
        return;
    }
    if (k == KEY_M) {
        mark_or_fill();
    } else if (k == KEY_F) {
        if (view.marking)
            mark_or_fill();
        else
            say("Mark a corner with M first, then F fills to the cursor");
    }
    constexpr struct {
        int key, pad_key;
        char code;
    } kTyped[] = {{KEY_0, KEY_0_PAD, '0'},
                  {KEY_1, KEY_1_PAD, '1'},
                  {KEY_5, KEY_5_PAD, '5'},
                  {KEY_9, KEY_9_PAD, '9'}};
    for (const auto& t : kTyped) {
        if (k == t.key || k == t.pad_key)
            editor_type(&editor, t.code);
    }
}

void grid_pad() {
    if (button_pressed(kPadBack)) {
        test_play();
    } else if (button_pressed(kPadStart)) {
        open_menu();
    } else if (button_pressed(kPadLB) && !editor_undo(&editor)) {
        say("Nothing to undo");
    } else if (button_pressed(kPadRB) && !editor_redo(&editor)) {
        say("Nothing to redo");
    } else if (button_pressed(kPadX)) {
        editor.brush = next_brush(editor.brush);
    } else if (button_pressed(kPadY)) {
        mark_or_fill();
    }
}

// What the picture shows, as numbers: drawn again only when one changes.
constexpr int kShown = 14;
struct Shown {
    std::size_t v[kShown];
};
std::size_t hash(const char* s) {
    std::size_t h = 5381;
    while (*s != '\0')
        h = h * 33 + static_cast<unsigned char>(*s++);
    return h;
}
Shown shown_now() {
    std::size_t layer = 5381;
    for (const auto& row : editor.codes) {
        for (int code : row)
            layer = layer * 33 + static_cast<std::size_t>(code);
    }
    const int values[] = {editor.cursor_row,
                          editor.cursor_column,
                          editor.brush,
                          view.first_column,
                          view.choice,
                          editor.fault_count,
                          static_cast<int>(editor.undo.size()),
                          static_cast<int>(editor.redo.size()),
                          view.marking,
                          editor_unsaved(editor),
                          static_cast<int>(ask)};
    Shown s;
    for (int i = 0; i < 11; ++i)
        s.v[i] = static_cast<std::size_t>(values[i]);
    s.v[11] = hash(note);
    s.v[12] = hash(name);
    s.v[13] = layer;
    return s;
}
bool same(const Shown& a, const Shown& b) {
    return std::memcmp(a.v, b.v, sizeof a.v) == 0;
}

int find_folders() {
    const int n = stage_folders(folder_paths);
    for (int i = 0; i < n; ++i)
        folder_list[i] = folder_paths[i];
    return n;
}

bool open_in_editor(const char* value, char* why, std::size_t size) {
    const int folders = find_folders();
    editor = Editor();
    if (!editor_open(&editor, value, folder_list, folders, why, size))
        return false;
    view = EditorView();
    view.editor = &editor;
    view.note = note;
    leaving = save_then_leave = false;
    name[0] = '\0';
    close_question();
    if (editor.read_faults > 0)
        std::snprintf(note, sizeof note, "As read: %d fault%s; first %s", editor.read_faults,
                      editor.read_faults == 1 ? "" : "s", editor.first_read_fault);
    else
        say(editor.origin == StageOrigin::kNew ? "A new stage: saved when you save it" : "");
    static char offer[kEditorReasonSize];
    if (editor_recovery_offer(editor, offer, sizeof offer)) {
        offer[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(offer[0])));
        open_question(Ask::kRecovery, offer, "of this stage, not saved.",
                      {"Take it back", "Throw it away"});
    }
    return true;
}

}  // namespace

int open_edit_option() {
    char why[kEditorReasonSize];
    if (!open_in_editor(edit_option, why, sizeof why)) {
        std::fprintf(stderr, "vellin: --edit %s\n", why);
        return 1;
    }
    // Behind the grid: the stage when it is valid, else an empty layer (the
    // rules keep the generators within their tables; nothing else is safe).
    StageFile& s = played;
    std::memset(&s, 0, sizeof s);
    if (editor.fault_count == 0)
        editor_stage_file(editor, &s);
    else
        std::snprintf(s.name, sizeof s.name, "%s", editor.title);
    play_stage(s, editor.stem);
    return -1;
}

void run_editor() {
    start_latch();
    start_editor_draw();
    void (*was_callback)(int) = mouse_callback;
    mouse_callback = count_buttons;
    // The pointer where it rests is no move: the cursor stays until it moves.
    mouse_was_x = mouse_x;
    mouse_was_y = mouse_y;
    mouse_was_z = mouse_z;
    lefts_seen = left_downs.load();
    rights_seen = right_downs.load();
    stroke_code = key_stroke = -1;
    poll_presses();  // what led here is no press for the editor
    keyboard_lowlevel_callback = key_arrived;
    drop_keys();
    Shown drawn{};
    Clock::time_point drawn_at{};
    bool first = true;
    while (!leaving && quit_signal() == 0) {
        poll_presses();
        handle_window_keys();
        if (pressed(kActScreenshot))
            take_screenshot();  // the last frame drawn
        int k = 0;
        while (!leaving && next_key(&k)) {
            const int code = k & 0xff;
            if (ask != Ask::kNone)
                question_key(code, (k & kWithShift) != 0);
            else
                grid_key(code, (k & kWithCtrl) != 0, (k & kWithShift) != 0);
        }
        if (leaving)
            break;
        keep_cursor_in_view();  // the pointer finds its cell on the grid as drawn next
        if (ask != Ask::kNone) {
            question_pad();
        } else {
            grid_pad();
            if (ask == Ask::kNone) {
                feed_key_stroke(move_cursor());
                feed_mouse();
            }
        }
        keep_cursor_in_view();
        const Shown now = shown_now();
        const Clock::time_point t = Clock::now();
        // X does not say when the window is uncovered: a redraw now and then.
        if (first || !same(now, drawn) || t - drawn_at > std::chrono::milliseconds(500)) {
            draw_editor(view);
            allegro_gl_flip();
            drawn = now;
            drawn_at = t;
            first = false;
        }
        rest(5);
    }
    editor_stroke_end(&editor);
    keyboard_lowlevel_callback = latch_key;
    mouse_callback = was_callback;
    take_step_presses();
}

bool edit_stage_in_play(char* why, int why_size) {
    // The stage in play: a file named on the command line or in the settings
    // when its stem is the one in play, else its name (the jungle's is
    // jungle.stage in the data folder).
    const char* value = options.stage != nullptr ? options.stage : settings.stage;
    char stem[kStageNameSize];
    if (value != nullptr && names_stage_file(value)) {
        stage_file_stem(value, stem);
        if (std::strcmp(stem, stage_stem) != 0)
            value = stage_stem;
    } else {
        value = stage_stem;
    }
    char reason[kEditorReasonSize];
    if (!open_in_editor(value, reason, sizeof reason)) {
        std::snprintf(why, static_cast<std::size_t>(why_size), "%s", reason);
        return false;
    }
    // The stage in play, to go back to after a test play.
    static StageFile before;
    static char before_stem[kStageNameSize], before_name[kStageNameSize];
    std::memcpy(before.codes, tile_layer, sizeof before.codes);
    std::snprintf(before.name, sizeof before.name, "%s", stage_name);
    std::snprintf(before_stem, sizeof before_stem, "%s", stage_stem);
    std::snprintf(before_name, sizeof before_name, "%s", stage_name);
    const float was_x = ludz.pos[0];
    run_editor();
    if (std::memcmp(before.codes, tile_layer, sizeof before.codes) != 0 ||
        std::strcmp(before_name, stage_name) != 0) {
        switch_stage(before, before_stem);
        if (before_name[0] == '\0') {
            play_jungle();
            char title[kStageNameSize + 16];
            std::snprintf(title, sizeof title, "Vellin - %s", kJungleName);
            name_window(title);
        }
    } else if (debcam == 0) {
        follow_camera(was_x);
    }
    return true;
}
