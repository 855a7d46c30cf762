// The pause menu driven without a display: each row opens the menu, feeds
// presses, and checks what it returns, what it shows and which effects it
// asked for, in order.
#include <allegro.h>
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "input/input.h"
#include "menu/menu.h"
#include "temp_dir.h"

namespace {

std::string effects;  // "window 0 2; sound; save rows 4 actions 0; "
bool sound_works, save_works;

bool set_window(int fullscreen, int scale) {
    effects += "window " + std::to_string(fullscreen) + " " + std::to_string(scale) + "; ";
    return true;
}
bool apply_sound() {
    effects += "sound; ";
    return sound_works;
}
void set_vsync(int on) {
    effects += "vsync " + std::to_string(on) + "; ";
}
bool save(unsigned rows, unsigned actions, char* why, std::size_t size) {
    effects += "save rows " + std::to_string(rows) + " actions " + std::to_string(actions) + "; ";
    std::snprintf(why, size, "vellin.cfg is read-only");
    return save_works;
}
bool play_works;
bool play(const StageEntry& stage, char* why, std::size_t size) {
    effects += std::string("stage ") + stage.stem + "; ";
    std::snprintf(why, size, "A recording keeps the stage it began on");
    return play_works;
}
bool best_time(const StageEntry& stage, char* out, std::size_t size) {
    std::snprintf(out, size, "1:07.983");
    return std::strcmp(stage.stem, "steps") == 0;
}
const MenuEffects kEffects = {set_window, apply_sound, set_vsync, save, play, best_time};

// A stage file: rows 1-10 empty, a ledge across row 11 under the start, rock
// below; `bad` put in row 9, column 20, when not '0'.
void write_stage(const std::string& path, const char* name, char bad) {
    std::ofstream f(path);
    if (name != nullptr)
        f << "# name: " << name << "\n";
    for (int r = 0; r < 16; ++r) {
        std::string row(100, r < 10 ? '0' : r == 10 ? '1' : '5');
        row[19] = r == 8 ? bad : row[19];
        f << row << "\n";
    }
}

// The player's stages folder and the data folder, made once for every test
// and removed at exit.
struct Folders {
    TempDir dir{"menu_test"};
    std::string player = dir.path().string() + "/", data = player + "d/", many = player + "m/";
    const char* list[2] = {player.c_str(), data.c_str()};
    Folders() {
        mkdir(data.c_str(), 0700);
        mkdir(many.c_str(), 0700);
        write_stage(player + "cave.stage", nullptr, 'x');
        write_stage(player + "mine.stage", "My walk", '0');
        write_stage(data + "steps.stage", "Steps", '0');
        for (int i = 0; i < 30; ++i) {
            char stem[16];
            std::snprintf(stem, sizeof stem, "s%02d.stage", i);
            write_stage(many + stem, nullptr, i == 7 ? '5' : '0');
        }
    }
};
const Folders& folders() {
    static const Folders f;
    return f;
}

MenuInput in(MenuInputKind kind, int key = 0, int button = -1) {
    return {kind, key, button, 0, 0};
}
MenuInput key(int code) {
    return in(kMenuKey, code);
}
MenuInput click(int entry) {
    return {kMenuClick, 0, -1, entry, 0};
}
MenuInput window(int fullscreen, int scale) {
    return {kMenuWindow, 0, -1, fullscreen, scale};
}
const MenuInput kUp = in(kMenuUp), kDown = in(kMenuDown), kLeft = in(kMenuLeft),
                kRight = in(kMenuRight), kChoose = in(kMenuChoose, KEY_ENTER),
                kEscape = in(kMenuCancel, KEY_ESC), kBackspace = in(kMenuBack, KEY_BACKSPACE),
                kPadB = in(kMenuBack, 0, 1), kPause = in(kMenuPause, KEY_P);
// Entries: the first screen's, then Settings' rows and Controls' actions.
const MenuInput kSettings = click(2), kControls = click(3), kStages = click(4), kVolume = click(2),
                kJump = click(4);

struct Start {
    bool demo;
    int fullscreen;
    int largest;  // the largest window that fits the desktop
    int scale;    // settings.scale
    bool sound, saves, pad;
    bool plays;  // a stage chosen can be played now
    bool trial;  // a run against the clock is on
};

// The starts the rows use.      demo full largest scale sound saves pad plays trial
// clang-format off
constexpr Start kLive         = {false, 0, 6, 1, true,  true,  false, true,  false};
constexpr Start kDemo         = {true,  0, 6, 1, true,  true,  false, true,  false};
constexpr Start kDemoSilent   = {true,  0, 6, 1, false, true,  false, true,  false};
constexpr Start kSilent       = {false, 0, 6, 1, false, true,  false, true,  false};
constexpr Start kReadOnly     = {false, 0, 6, 1, true,  false, false, true,  false};
constexpr Start kPad          = {false, 0, 6, 1, true,  true,  true,  true,  false};
constexpr Start kFull         = {false, 1, 6, 1, true,  true,  false, true,  false};
constexpr Start kFullOnSmall  = {false, 1, 2, 1, true,  true,  false, true,  false};
constexpr Start kRecording    = {false, 0, 6, 1, true,  true,  false, false, false};
constexpr Start kRacing       = {false, 0, 6, 1, true,  true,  false, true,  true};
constexpr Start kSmallDesktop = {false, 0, 2, 6, true,  true,  false, true,  false};  // scale = 6 in the file
// clang-format on

struct Row {
    const char* what;
    Start start;
    std::vector<MenuInput> inputs;
    MenuResult result;
    const char* title;  // line 0 at the end
    const char* shows;  // a line shown at the end; nullptr: none checked
    const char* effects;
};

bool shown(const MenuText& t, const char* line) {
    for (int i = 0; i < t.count; ++i) {
        if (std::strcmp(t.text[i], line) == 0)
            return true;
    }
    return false;
}

std::string lines(const MenuText& t) {
    std::string all;
    for (int i = 0; i < t.count; ++i)
        all += std::string("  ") + t.text[i] + "\n";
    return all;
}

// clang-format off
const Row kRows[] = {
    // The first screen.
    {"pause resumes", kLive, {kPause}, kMenuResume, "Paused", nullptr, ""},
    {"Escape on the first screen quits", kLive, {kEscape}, kMenuQuit, "Paused", nullptr, ""},
    {"Backspace on the first screen resumes", kLive, {kBackspace}, kMenuResume, "Paused", nullptr, ""},
    {"Down, Enter: Back to the start", kLive, {kDown, kChoose}, kMenuRestart, "Paused", nullptr, ""},
    {"Up goes round to Quit", kLive, {kUp, kChoose}, kMenuQuit, "Paused", "> Quit <", ""},
    {"Time trial starts a run", kLive, {kUp, kUp, kUp, kChoose}, kMenuTimeTrial, "Paused", nullptr, ""},
    {"a run offers to leave it", kRacing, {kUp, kUp, kUp}, kMenuStay, "Paused", "> Leave time trial <", ""},
    {"the pointer chooses", kLive, {{kMenuPoint, 0, -1, 7, 0}, kChoose}, kMenuQuit, "Paused", nullptr, ""},
    {"Edit this stage asks for the editor", kLive, {kUp, kUp, kChoose}, kMenuEdit, "Paused", nullptr, ""},
    {"a demo has no Edit this stage", kDemo, {kUp, kUp}, kMenuStay, "Paused", "> Controls <", ""},
    {"a demo has no Back to the start", kDemo, {kDown, kChoose}, kMenuStay, "Settings", "Nothing is saved while a demo plays", ""},
    {"a key means nothing off a prompt", kLive, {key(KEY_C), in(kMenuButton, 0, 3)}, kMenuStay, "Paused", "> Resume <", ""},
    {"Back returns to the entry that led there", kLive, {kSettings, click(7)}, kMenuStay, "Paused", "> Settings <", ""},

    // Stages: the player's folder first, then the data folder, Back last.
    {"the data folder's come last, with a best time", kLive, {kStages, kUp, kUp}, kMenuStay, "Stages", "> Steps: valid, best 1:07.983 <", ""},
    {"a valid stage plays at once and resumes (cave, then mine)", kLive, {kStages, kDown, kChoose}, kMenuResume, "Stages", nullptr, "stage mine; "},
    {"an invalid stage's line has its first fault, cut to fit", kLive, {kStages}, kMenuStay, "Stages", "> cave: 9:20: 'x' is not a tile co... <", ""},
    {"an invalid stage says its first fault and stays", kLive, {kStages, kChoose}, kMenuStay, "Stages", "cave is not valid (line 9, column 20):", ""},
    {"a stage that cannot be played now says why and stays", kRecording, {kStages, click(2)}, kMenuStay, "Stages", "A recording keeps the stage it began on", "stage steps; "},
    {"Back leaves Stages on its entry", kLive, {kStages, click(3)}, kMenuStay, "Paused", "> Stages <", ""},
    {"a demo offers no Stages", kDemo, {kUp, kUp, kChoose}, kMenuStay, "Controls", nullptr, ""},

    // Controls: the prompt for a key.
    {"a key binds at once and is saved", kLive, {kControls, kJump, key(KEY_C)}, kMenuStay, "Controls", "> Jump: C <", "save rows 0 actions 16; "},
    {"a pad button binds", kPad, {kControls, kJump, in(kMenuButton, 0, 3)}, kMenuStay, "Controls", "> Jump: X / button 3 <", "save rows 0 actions 16; "},
    {"an arrow, on the prompt, is a key (debug actions may share)", kLive, {kControls, click(kActCamera), in(kMenuUp, KEY_UP)}, kMenuStay, "Controls", "> Free camera: UP <", "save rows 0 actions 512; "},
    {"F11 on the prompt switches the window, binds nothing", kLive, {kControls, kJump, in(kMenuWindowKey, KEY_F11), window(1, 1)}, kMenuStay, "Controls", "Press a key for Jump", ""},
    {"Alt+Enter on the prompt binds neither", kLive, {kControls, kJump, in(kMenuWindowKey, KEY_ALT), in(kMenuWindowKey, KEY_ENTER)}, kMenuStay, "Controls", "> Jump: X <", ""},
    {"Backspace cancels the prompt", kLive, {kControls, kJump, kBackspace}, kMenuStay, "Controls", "> Jump: X <", ""},
    {"pad B cancels the prompt", kPad, {kControls, kJump, kPadB}, kMenuStay, "Controls", "> Jump: X / button 0 <", ""},
    {"a refused key keeps the prompt", kLive, {kControls, kJump, key(KEY_LEFT)}, kMenuStay, "Controls", "LEFT is already Walk left's", ""},
    {"Escape after a refusal cancels, and stays", kLive, {kControls, kJump, key(KEY_LEFT), kEscape}, kMenuStay, "Controls", "> Jump: X <", ""},
    {"the screenshot key is kept", kLive, {kControls, click(kActScreenshot), key(KEY_C)}, kMenuStay, "Controls", "> Screenshot: F12 <", ""},
    {"Reset to defaults puts back and saves what changed", kLive, {kControls, kJump, key(KEY_C), click(kActionCount)}, kMenuStay, "Controls", "Every action is back on its default", "save rows 0 actions 16; save rows 0 actions 16; "},

    // Settings: put into effect at once, saved once on leaving.
    {"Left and Right save once, when the screen is left", kLive, {kSettings, kDown, kDown, kLeft, kLeft, kRight, kEscape}, kMenuStay, "Paused", "> Settings <", "sound; sound; sound; save rows 4 actions 0; "},
    {"leaving the menu from Settings saves", kLive, {kSettings, kVolume, kPause}, kMenuResume, "Settings", "> Volume: 0 <", "sound; save rows 4 actions 0; "},  // chosen: round to 0
    {"a refused save says why on the menu", kReadOnly, {kSettings, kDown, kDown, kLeft, kEscape}, kMenuStay, "Paused", "Could not save: vellin.cfg is read-only", "sound; save rows 4 actions 0; "},
    {"a demo saves nothing", kDemo, {kSettings, kDown, kDown, kLeft, kEscape}, kMenuStay, "Paused", nullptr, "sound; "},
    {"a demo claims nothing for the next start", kDemoSilent, {kSettings, kDown, kDown, kLeft}, kMenuStay, "Settings", "> Volume: 90 (not now) <", "sound; "},
    {"sound that cannot change now, changes from the next start", kSilent, {kSettings, click(3)}, kMenuStay, "Settings", "> Mute: yes (from the next start) <", "sound; "},
    {"F11 shows on Settings", kFull, {window(0, 1), kSettings}, kMenuStay, "Settings", "> Full screen: no <", ""},
    {"after F11, a larger scale is a larger window", kFullOnSmall, {kSettings, window(0, 1), kDown, kRight}, kMenuStay, "Settings", "> Window scale: 2 <", "window 0 2; "},
    {"full screen, the scale is kept for the window", kFull, {kSettings, kDown, kRight, kEscape}, kMenuStay, "Paused", nullptr, "save rows 2 actions 0; "},
    {"scale offers only what fits the desktop", kSmallDesktop, {kSettings, kDown, kRight, kRight, kEscape}, kMenuStay, "Paused", nullptr, ""},
    {"scale shows what fits, and goes down from there", kSmallDesktop, {kSettings, kDown, kLeft}, kMenuStay, "Settings", "> Window scale: 1 <", "window 0 1; "},
    {"full screen chosen from a window", kLive, {kSettings, kChoose}, kMenuStay, "Settings", "> Full screen: yes <", "window 1 1; "},
    {"vsync", kLive, {kSettings, click(4)}, kMenuStay, "Settings", "> Wait for the display: no <", "vsync 0; "},
    {"the ghost row only changes the setting, which the time trial reads", kLive, {kSettings, click(6)}, kMenuStay, "Settings", "> Ghost in time trial: no <", ""},
};
// clang-format on

TEST(MenuTest, EachScreenDoesWhatEachPressSays) {
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.what);
        reset_input_settings();
        settings.scale = row.start.scale;
        pad.present = row.start.pad;
        sound_works = row.start.sound;
        save_works = row.start.saves;
        play_works = row.start.plays;
        effects.clear();
        menu_open({&kEffects, row.start.demo, "Steps", row.start.fullscreen, 1, row.start.largest,
                   folders().list, 2, row.start.trial});
        MenuResult result = kMenuStay;
        for (const MenuInput& i : row.inputs) {
            const MenuText before = menu_text();
            result = menu_input(i);
            // A note or a prompt coming or going moves no line of a screen.
            if (std::strcmp(before.text[0], menu_text().text[0]) == 0) {
                EXPECT_EQ(before.count, menu_text().count) << lines(menu_text());
            }
        }
        const MenuText& t = menu_text();
        EXPECT_EQ(result, row.result);
        EXPECT_STREQ(t.text[0], row.title);
        if (row.shows != nullptr) {
            EXPECT_TRUE(shown(t, row.shows)) << "no \"" << row.shows << "\" in\n" << lines(t);
        }
        EXPECT_EQ(effects, row.effects);
    }
    pad.present = 0;
}

// More stages than lines: the list follows the cursor, and the map beside
// the text is the chosen stage's layer, as read, faults and all.
TEST(MenuTest, StagesScrollWithTheCursorAndShowTheChosenMap) {
    const char* many = folders().many.c_str();
    menu_open({&kEffects, false, "", 0, 1, 6, &many, 1, false});
    EXPECT_EQ(menu_stage_map(), nullptr);
    menu_input(kStages);
    ASSERT_NE(menu_stage_map(), nullptr);
    EXPECT_EQ(menu_stage_map()[10][0], kTileLedge);
    for (int i = 0; i < 7; ++i)
        menu_input(kDown);
    EXPECT_TRUE(shown(menu_text(), "> s07: valid <")) << lines(menu_text());
    EXPECT_EQ(menu_stage_map()[8][19], kTileRock);
    for (int i = 0; i < 8; ++i) {
        menu_input(kUp);  // round to Back: the list's end shows
    }
    const MenuText& t = menu_text();
    EXPECT_EQ(t.count, kMenuLines) << lines(t);
    EXPECT_TRUE(shown(t, "> Back <")) << lines(t);
    EXPECT_TRUE(shown(t, "s12: valid")) << lines(t);
    EXPECT_FALSE(shown(t, "s11: valid")) << lines(t);
    EXPECT_EQ(menu_stage_map(), nullptr);
    menu_input(kDown);  // round to the first: the list's start shows
    EXPECT_TRUE(shown(menu_text(), "s18: valid") && !shown(menu_text(), "s19: valid"));
}

}  // namespace
