// The pause menu driven without a display: each row opens the menu, feeds
// presses, and checks what it returns, what it shows and which effects it
// asked for, in order.
#include <allegro.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "input/input.h"
#include "menu/menu.h"

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
const MenuEffects kEffects = {set_window, apply_sound, set_vsync, save};

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
const MenuInput kSettings = click(2), kControls = click(3), kVolume = click(2), kJump = click(4);

struct Start {
    bool demo = false;
    int fullscreen = 0;
    int largest = 6;  // the largest window that fits the desktop
    int scale = 1;    // settings.scale
    bool sound = true, saves = true, pad = false;
};

// The starts the rows use.
constexpr Start start(bool demo, int fullscreen, int largest, int scale, bool sound, bool saves,
                      bool pad) {
    Start s;
    s.demo = demo;
    s.fullscreen = fullscreen;
    s.largest = largest;
    s.scale = scale;
    s.sound = sound;
    s.saves = saves;
    s.pad = pad;
    return s;
}
constexpr Start kLive = Start{};
constexpr Start kDemo = start(true, 0, 6, 1, true, true, false);
constexpr Start kDemoSilent = start(true, 0, 6, 1, false, true, false);
constexpr Start kSilent = start(false, 0, 6, 1, false, true, false);
constexpr Start kReadOnly = start(false, 0, 6, 1, true, false, false);
constexpr Start kPad = start(false, 0, 6, 1, true, true, true);
constexpr Start kFull = start(false, 1, 6, 1, true, true, false);
constexpr Start kFullOnSmall = start(false, 1, 2, 1, true, true, false);
constexpr Start kSmallDesktop = start(false, 0, 2, 6, true, true, false);  // scale = 6 in the file

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
        if (std::strcmp(t.text[i], line) == 0) {
            return true;
        }
    }
    return false;
}

std::string lines(const MenuText& t) {
    std::string all;
    for (int i = 0; i < t.count; ++i) {
        all += std::string("  ") + t.text[i] + "\n";
    }
    return all;
}

const Row kRows[] = {
    // The first screen.
    {"pause resumes", kLive, {kPause}, kMenuResume, "Paused", nullptr, ""},
    {"Escape on the first screen quits", kLive, {kEscape}, kMenuQuit, "Paused", nullptr, ""},
    {"Backspace on the first screen resumes",
     kLive,
     {kBackspace},
     kMenuResume,
     "Paused",
     nullptr,
     ""},
    {"Down, Enter: Back to the start",
     kLive,
     {kDown, kChoose},
     kMenuRestart,
     "Paused",
     nullptr,
     ""},
    {"Up goes round to Quit", kLive, {kUp, kChoose}, kMenuQuit, "Paused", "> Quit <", ""},
    {"the pointer chooses",
     kLive,
     {{kMenuPoint, 0, -1, 5, 0}, kChoose},
     kMenuQuit,
     "Paused",
     nullptr,
     ""},
    {"Edit this stage asks for the editor",
     kLive,
     {kUp, kUp, kChoose},
     kMenuEdit,
     "Paused",
     nullptr,
     ""},
    {"a demo has no Edit this stage", kDemo, {kUp, kUp}, kMenuStay, "Paused", "> Controls <", ""},
    {"a demo has no Back to the start",
     kDemo,
     {kDown, kChoose},
     kMenuStay,
     "Settings",
     "Nothing is saved while a demo plays",
     ""},
    {"a key means nothing off a prompt",
     kLive,
     {key(KEY_C), in(kMenuButton, 0, 3)},
     kMenuStay,
     "Paused",
     "> Resume <",
     ""},
    {"Back returns to the entry that led there",
     kLive,
     {kSettings, click(6)},
     kMenuStay,
     "Paused",
     "> Settings <",
     ""},

    // Controls: the prompt for a key.
    {"a key binds at once and is saved",
     kLive,
     {kControls, kJump, key(KEY_C)},
     kMenuStay,
     "Controls",
     "> Jump: C <",
     "save rows 0 actions 16; "},
    {"a pad button binds",
     kPad,
     {kControls, kJump, in(kMenuButton, 0, 3)},
     kMenuStay,
     "Controls",
     "> Jump: X / button 3 <",
     "save rows 0 actions 16; "},
    {"an arrow, on the prompt, is a key (debug actions may share)",
     kLive,
     {kControls, click(kActCamera), in(kMenuUp, KEY_UP)},
     kMenuStay,
     "Controls",
     "> Free camera: UP <",
     "save rows 0 actions 512; "},
    {"F11 on the prompt switches the window, binds nothing",
     kLive,
     {kControls, kJump, in(kMenuWindowKey, KEY_F11), window(1, 1)},
     kMenuStay,
     "Controls",
     "Press a key for Jump",
     ""},
    {"Alt+Enter on the prompt binds neither",
     kLive,
     {kControls, kJump, in(kMenuWindowKey, KEY_ALT), in(kMenuWindowKey, KEY_ENTER)},
     kMenuStay,
     "Controls",
     "> Jump: X <",
     ""},
    {"Backspace cancels the prompt",
     kLive,
     {kControls, kJump, kBackspace},
     kMenuStay,
     "Controls",
     "> Jump: X <",
     ""},
    {"pad B cancels the prompt",
     kPad,
     {kControls, kJump, kPadB},
     kMenuStay,
     "Controls",
     "> Jump: X / button 0 <",
     ""},
    {"a refused key keeps the prompt",
     kLive,
     {kControls, kJump, key(KEY_LEFT)},
     kMenuStay,
     "Controls",
     "LEFT is already Walk left's",
     ""},
    {"Escape after a refusal cancels, and stays",
     kLive,
     {kControls, kJump, key(KEY_LEFT), kEscape},
     kMenuStay,
     "Controls",
     "> Jump: X <",
     ""},
    {"the screenshot key is kept",
     kLive,
     {kControls, click(kActScreenshot), key(KEY_C)},
     kMenuStay,
     "Controls",
     "> Screenshot: F12 <",
     ""},
    {"Reset to defaults puts back and saves what changed",
     kLive,
     {kControls, kJump, key(KEY_C), click(kActionCount)},
     kMenuStay,
     "Controls",
     "Every action is back on its default",
     "save rows 0 actions 16; save rows 0 actions 16; "},

    // Settings: put into effect at once, saved once on leaving.
    {"Left and Right save once, when the screen is left",
     kLive,
     {kSettings, kDown, kDown, kLeft, kLeft, kRight, kEscape},
     kMenuStay,
     "Paused",
     "> Settings <",
     "sound; sound; sound; save rows 4 actions 0; "},
    {"leaving the menu from Settings saves",
     kLive,
     {kSettings, kVolume, kPause},
     kMenuResume,
     "Settings",
     "> Volume: 0 <",
     "sound; save rows 4 actions 0; "},  // chosen: round to 0
    {"a refused save says why on the menu",
     kReadOnly,
     {kSettings, kDown, kDown, kLeft, kEscape},
     kMenuStay,
     "Paused",
     "Could not save: vellin.cfg is read-only",
     "sound; save rows 4 actions 0; "},
    {"a demo saves nothing",
     kDemo,
     {kSettings, kDown, kDown, kLeft, kEscape},
     kMenuStay,
     "Paused",
     nullptr,
     "sound; "},
    {"a demo claims nothing for the next start",
     kDemoSilent,
     {kSettings, kDown, kDown, kLeft},
     kMenuStay,
     "Settings",
     "> Volume: 90 (not now) <",
     "sound; "},
    {"sound that cannot change now, changes from the next start",
     kSilent,
     {kSettings, click(3)},
     kMenuStay,
     "Settings",
     "> Mute: yes (from the next start) <",
     "sound; "},
    {"F11 shows on Settings",
     kFull,
     {window(0, 1), kSettings},
     kMenuStay,
     "Settings",
     "> Full screen: no <",
     ""},
    {"after F11, a larger scale is a larger window",
     kFullOnSmall,
     {kSettings, window(0, 1), kDown, kRight},
     kMenuStay,
     "Settings",
     "> Window scale: 2 <",
     "window 0 2; "},
    {"full screen, the scale is kept for the window",
     kFull,
     {kSettings, kDown, kRight, kEscape},
     kMenuStay,
     "Paused",
     nullptr,
     "save rows 2 actions 0; "},
    {"scale offers only what fits the desktop",
     kSmallDesktop,
     {kSettings, kDown, kRight, kRight, kEscape},
     kMenuStay,
     "Paused",
     nullptr,
     ""},
    {"scale shows what fits, and goes down from there",
     kSmallDesktop,
     {kSettings, kDown, kLeft},
     kMenuStay,
     "Settings",
     "> Window scale: 1 <",
     "window 0 1; "},
    {"full screen chosen from a window",
     kLive,
     {kSettings, kChoose},
     kMenuStay,
     "Settings",
     "> Full screen: yes <",
     "window 1 1; "},
    {"vsync",
     kLive,
     {kSettings, click(4)},
     kMenuStay,
     "Settings",
     "> Wait for the display: no <",
     "vsync 0; "},
};

TEST(MenuTest, EachScreenDoesWhatEachPressSays) {
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.what);
        reset_input_settings();
        settings.scale = row.start.scale;
        pad.present = row.start.pad;
        sound_works = row.start.sound;
        save_works = row.start.saves;
        effects.clear();
        menu_open({&kEffects, row.start.demo, "Steps", row.start.fullscreen, 1, row.start.largest});
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

}  // namespace
