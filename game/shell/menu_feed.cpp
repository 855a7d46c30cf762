// The pause menu's presses from the input's latch, and its effects.
#include "shell/menu_feed.h"

#include <allegro.h>

#include <cstdio>

#include "input/input.h"
#include "input/settings_write.h"
#include "level/level.h"
#include "shell/audio.h"
#include "shell/data_dir.h"
#include "shell/options.h"
#include "shell/session.h"
#include "shell/shell.h"
#include "shell/stage_best.h"
#include "shell/trial_play.h"
#include "shell/window.h"
#include "shell/window_x11.h"

namespace {

// Xbox-style pads on Linux: A = 0, B = 1 (the actions' pad defaults).
constexpr int kPadA = 0, kPadB = 1;

int known_fullscreen, known_scale;  // the window as the menu last heard of it

int window_scale() {
    return window_width / 640 > 0 ? window_width / 640 : 1;
}

bool save(unsigned rows, unsigned actions, char* why, std::size_t size) {
    char path[4096];
    const char* file = options.config;
    if (file == nullptr) {
        file = settings_file_path(path, sizeof path) ? path : nullptr;
    }
    if (file == nullptr) {
        std::snprintf(why, size, "no folder for the settings file (set HOME)");
    } else if (save_settings_changes(file, rows, actions, why, size)) {
        return true;
    }
    std::fprintf(stderr, "vellin: could not save the settings: %s\n", why);
    return false;
}

void vsync(int on) {
    set_swap_interval(on);
}

// The stages folders, found again each time the menu opens.
char folder_paths[kStageFolders][kDataPathSize];
const char* folder_list[kStageFolders];

bool play(const StageEntry& s, char* why, std::size_t size) {
    // A demo holds one stage, named at its start: a switch could not play back.
    if (options.record != nullptr) {
        std::snprintf(why, size, "Not while recording: a demo keeps to one stage");
        return false;
    }
    play_stage(s.stage, s.stem);  // the stem too, as the stage lookup knows it
    switch_stage(s.stage, s.stem);
    if (trial_on()) {
        start_trial(stage_seed);  // the new stage's run, raced against its own best
    }
    return true;
}

const MenuEffects kEffects = {set_window_mode, apply_sound_settings, vsync, save, play,
                              stage_best_time};

bool bound(Action a, bool button, int code) {
    const Binding& b = bindings[a];
    for (int i = 0; i < (button ? b.button_count : b.key_count); ++i) {
        if ((button ? b.buttons[i] : b.keys[i]) == code) {
            return true;
        }
    }
    return false;
}

// What a key or pad button means on the menu, by the action it is bound to.
MenuInputKind by_action(bool button, int code, MenuInputKind otherwise) {
    constexpr struct {
        Action action;
        MenuInputKind kind;
    } kMeaning[] = {{kActPause, kMenuPause}, {kActUp, kMenuUp},       {kActDown, kMenuDown},
                    {kActLeft, kMenuLeft},   {kActRight, kMenuRight}, {kActJump, kMenuChoose}};
    for (const auto& m : kMeaning) {
        if (bound(m.action, button, code)) {
            return m.kind;
        }
    }
    return otherwise;
}

MenuInputKind key_meaning(int k, bool alt) {
    switch (k) {
        case KEY_ESC:
            return kMenuCancel;
        case KEY_BACKSPACE:
            return kMenuBack;
        case KEY_F11:
        case KEY_ALT:
        case KEY_ALTGR:
            return kMenuWindowKey;
        case KEY_ENTER:
        case KEY_ENTER_PAD:
            return alt ? kMenuWindowKey : kMenuChoose;
        case KEY_UP:
            return kMenuUp;
        case KEY_DOWN:
            return kMenuDown;
        case KEY_LEFT:
            return kMenuLeft;
        case KEY_RIGHT:
            return kMenuRight;
        default:
            return by_action(false, k, kMenuKey);
    }
}

MenuInputKind button_meaning(int n) {
    return n == kPadB ? kMenuBack : n == kPadA ? kMenuChoose : by_action(true, n, kMenuButton);
}

}  // namespace

void open_pause_menu(bool demo) {
    known_fullscreen = window_fullscreen;
    known_scale = window_scale();
    const int folders = stage_folders(folder_paths);
    for (int i = 0; i < folders; ++i) {
        folder_list[i] = folder_paths[i];
    }
    menu_open({&kEffects, demo, stage_name, known_fullscreen, known_scale, largest_window_scale(),
               folder_list, folders, trial_on()});
}

MenuResult feed_pause_menu(int pointed, bool clicked) {
    MenuResult r = kMenuStay;
    const auto feed = [&r](MenuInputKind kind, int key, int button, int value, int scale) {
        if (r == kMenuStay) {
            r = menu_input({kind, key, button, value, scale});
        }
    };
    if (window_fullscreen != known_fullscreen || window_scale() != known_scale) {
        known_fullscreen = window_fullscreen;
        known_scale = window_scale();
        feed(kMenuWindow, 0, -1, known_fullscreen, known_scale);
    }
    const bool alt =
        key[KEY_ALT] || key[KEY_ALTGR] || key_pressed(KEY_ALT) || key_pressed(KEY_ALTGR);
    for (int k = 1; k < KEY_MAX; ++k) {
        if (key_pressed(k)) {
            feed(key_meaning(k, alt), k, -1, 0, 0);
        }
    }
    for (int n = 0; n < kPadButtons; ++n) {
        if (button_pressed(n)) {
            feed(button_meaning(n), 0, n, 0, 0);
        }
    }
    const std::uint16_t ways = pad_ways_pressed();
    constexpr struct {
        std::uint16_t bit;
        MenuInputKind kind;
    } kWays[] = {{kStepUp, kMenuUp},
                 {kStepDown, kMenuDown},
                 {kStepLeft, kMenuLeft},
                 {kStepRight, kMenuRight}};
    for (const auto& w : kWays) {
        if (ways & w.bit) {
            feed(w.kind, 0, -1, 0, 0);
        }
    }
    if (pointed >= 0) {
        feed(clicked ? kMenuClick : kMenuPoint, 0, -1, pointed, 0);
    }
    ghost_shown = settings.ghost != 0;  // a change on the Settings screen shows at once
    return r;
}
