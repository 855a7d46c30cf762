// The pause menu's screens and what the player's input does on them.
#include "shell/menu.h"

#include <allegro.h>

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "input/input.h"
#include "input/settings_write.h"
#include "level/level.h"
#include "shell/audio.h"
#include "shell/options.h"
#include "shell/window.h"
#include "shell/window_x11.h"

namespace {

enum Screen { kFirst, kSettings, kControls };
enum FirstEntry { kResume, kRestart, kSettingsEntry, kControlsEntry, kQuit, kFirstCount };
constexpr const char* kFirstNames[kFirstCount] = {"Resume", "Back to the start", "Settings",
                                                  "Controls", "Quit"};

// What the player reads for each action.
constexpr const char* kActionLabel[kActionCount] = {
    "Walk left", "Walk right",        "Look up",     "Crouch",      "Jump",
    "Aim",       "Back to the start", "Pause",       "Screenshot",  "Free camera",
    "Height 0",  "Camera forward",    "Camera back", "Camera left", "Camera right"};

// Names for the rows of [settings]; a row missing here shows its file name.
struct RowLabel {
    const char* name;
    const char* label;
};
constexpr RowLabel kRowLabels[] = {{"fullscreen", "Full screen"},
                                   {"scale", "Window scale"},
                                   {"volume", "Volume"},
                                   {"mute", "Mute"},
                                   {"vsync", "Wait for the display"},
                                   {"pause_on_focus_loss", "Pause when in the background"}};

constexpr int kMaxRows = 16;
int rows[kMaxRows];  // the [settings] rows, as table indices
int row_count;
bool later[kMaxRows];  // the change waits for the next start

Screen shown_screen;
int cursor;
bool demo_run;
int waiting = -1;  // the action waiting for a key or button
bool escape_held;  // the Escape that left a screen is no quit
std::uint16_t pad_was;
std::uint32_t buttons_were;
char note[kMenuColumns + 1];
MenuText text, next;  // shown, and being built
unsigned version;

__attribute__((format(printf, 1, 2))) void say(const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    std::vsnprintf(note, sizeof note, format, args);
    va_end(args);
}

int entry_count() {
    switch (shown_screen) {
        case kFirst:
            return kFirstCount;
        case kSettings:
            return row_count + 1;  // Back
        case kControls:
            return kActionCount + 2;  // Reset to defaults, Back
    }
    return 0;
}

const char* row_label(const SettingRowView& r) {
    for (const RowLabel& l : kRowLabels) {
        if (std::strcmp(l.name, r.name) == 0) {
            return l.label;
        }
    }
    return r.name;
}

// "RIGHT, D / A": the keys, then with a pad the buttons, by their usual names
// where the pad's name gives them.
void describe(Action a, char* out, std::size_t size) {
    const Binding& b = bindings[a];
    std::size_t n = 0;
    out[0] = '\0';
    for (int i = 0; i < b.key_count && n < size; ++i) {
        const char* name = key_name(b.keys[i]);
        const int m = std::snprintf(out + n, size - n, "%s%s", i ? ", " : "", name ? name : "?");
        n += m > 0 ? static_cast<std::size_t>(m) : 0;
    }
    for (int i = 0; pad.present && i < b.button_count && n < size; ++i) {
        const char* sep = i ? ", " : (n ? " / " : "");
        const char* name = pad_button_name(pad_name(), b.buttons[i]);
        const int m = name ? std::snprintf(out + n, size - n, "%s%s", sep, name)
                           : std::snprintf(out + n, size - n, "%sbutton %d", sep, b.buttons[i]);
        n += m > 0 ? static_cast<std::size_t>(m) : 0;
    }
    if (out[0] == '\0') {
        std::snprintf(out, size, "none");
    }
}

void add(MenuLineKind kind, int entry, const char* format, ...)
    __attribute__((format(printf, 3, 4)));
void add(MenuLineKind kind, int entry, const char* format, ...) {
    if (next.count == kMenuLines) {
        return;
    }
    const int i = next.count++;
    char line[kMenuColumns - 3];  // room for the marks of the chosen entry
    std::va_list args;
    va_start(args, format);
    std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    const bool chosen = entry >= 0 && entry == cursor;
    // The chosen entry is marked as well as coloured: it shows in any picture.
    std::memset(next.text[i], 0, sizeof next.text[i]);  // compared whole
    std::snprintf(next.text[i], sizeof next.text[i], chosen ? "> %s <" : "%s", line);
    next.kind[i] = chosen ? kMenuChosen : kind;
    next.entry[i] = entry;
}

// Builds the screen's text; the version changes only when it does, so the
// paused screen redraws only then.
void build() {
    next.count = 0;
    char keys[kMenuColumns];
    switch (shown_screen) {
        case kFirst:
            add(kMenuTitle, -1, "Paused");
            add(kMenuNote, -1, "%s", stage_name[0] != '\0' ? stage_name : " ");
            for (int e = 0; e < kFirstCount; ++e) {
                if (e != kRestart || !demo_run) {
                    add(kMenuEntry, e, "%s", kFirstNames[e]);
                }
            }
            break;
        case kSettings:
            add(kMenuTitle, -1, "Settings");
            add(kMenuNote, -1, " ");
            for (int i = 0; i < row_count; ++i) {
                const SettingRowView r = setting_row_view(rows[i]);
                const char* later_note = later[i] ? " (from the next start)" : "";
                if (r.yes_no) {
                    add(kMenuEntry, i, "%s: %s%s", row_label(r), *r.value ? "yes" : "no",
                        later_note);
                } else {
                    add(kMenuEntry, i, "%s: %d%s", row_label(r), *r.value, later_note);
                }
            }
            add(kMenuEntry, row_count, "Back");
            break;
        case kControls:
            add(kMenuTitle, -1, "Controls");
            for (int a = 0; a < kActionCount; ++a) {
                describe(static_cast<Action>(a), keys, sizeof keys);
                add(kMenuEntry, a, "%s: %s", kActionLabel[a], keys);
            }
            add(kMenuEntry, kActionCount, "Reset to defaults");
            add(kMenuEntry, kActionCount + 1, "Back");
            break;
    }
    if (note[0] != '\0') {
        add(kMenuNote, -1, " ");
        add(kMenuNote, -1, "%s", note);
    }
    for (int i = next.count; i < kMenuLines; ++i) {
        next.text[i][0] = '\0';
        next.kind[i] = kMenuNote;
        next.entry[i] = -1;
    }
    if (std::memcmp(&next, &text, sizeof text) != 0) {
        text = next;
        ++version;
    }
}

// Writes what changed, or says why it could not.
void save(unsigned changed_rows, unsigned changed_actions) {
    if (demo_run) {
        return;  // a demo played back never writes
    }
    char path[4096];
    char why[256];
    const char* file = options.config;
    if (file == nullptr) {
        file = settings_file_path(path, sizeof path) ? path : nullptr;
    }
    if (file == nullptr) {
        std::snprintf(why, sizeof why, "no folder for the settings file (set HOME)");
    } else if (save_settings_changes(file, changed_rows, changed_actions, why, sizeof why)) {
        return;
    }
    std::fprintf(stderr, "vellin: could not save the settings: %s\n", why);
    say("Could not save: %s", why);
}

// Row i of Settings moved by `step` (0: chosen; it toggles, or counts up and
// round), then put into effect.
void change_row(int i, int step) {
    const SettingRowView r = setting_row_view(rows[i]);
    const int by = r.high - r.low >= 50 ? 10 : 1;
    const int old = *r.value;
    int v = old + step * by;
    if (r.yes_no) {
        v = !old;
    } else if (step == 0) {
        v = old + by > r.high ? r.low : old + by;
    }
    *r.value = v < r.low ? r.low : (v > r.high ? r.high : v);
    if (*r.value == old) {
        return;
    }
    if (r.value == &settings.fullscreen || r.value == &settings.scale) {
        later[i] = !set_window_mode(settings.fullscreen, settings.scale);
    } else if (r.value == &settings.volume || r.value == &settings.mute) {
        later[i] = !apply_sound_settings();
    } else if (r.value == &settings.vsync) {
        set_swap_interval(settings.vsync);
    }
    note[0] = '\0';
    save(1u << rows[i], 0);
}

// The key (or, with `button`, the pad button) `code` for the waiting action.
void bind(bool button, int code) {
    const Action a = static_cast<Action>(waiting);
    char name[32];
    if (button) {
        const char* usual = pad_button_name(pad_name(), code);
        if (usual != nullptr) {
            std::snprintf(name, sizeof name, "%s", usual);
        } else {
            std::snprintf(name, sizeof name, "button %d", code);
        }
    } else if (key_name(code) == nullptr) {
        say("That key has no name: press another, or Escape");
        return;
    } else {
        std::snprintf(name, sizeof name, "%s", key_name(code));
    }
    waiting = -1;
    const int other = binding_clash(a, button, code);
    if (other >= 0 && other != a) {
        say("%s is already %s's", name, kActionLabel[other]);
        return;
    }
    Binding& b = bindings[a];
    if (button) {
        b.button_count = 1;
        b.buttons[0] = code;
    } else {
        b.key_count = 1;
        b.keys[0] = code;
    }
    note[0] = '\0';
    save(0, 1u << a);
}

void reset_controls() {
    Binding before[kActionCount];
    std::memcpy(before, bindings, sizeof before);
    reset_bindings();
    unsigned changed = 0;
    for (int a = 0; a < kActionCount; ++a) {
        changed |= std::memcmp(&before[a], &bindings[a], sizeof before[a]) != 0 ? 1u << a : 0;
    }
    say(changed ? "Every action is back on its default" : "Every action is on its default");
    save(0, changed);
}

void go_to(Screen s) {
    shown_screen = s;
    cursor = 0;
    note[0] = '\0';
}

MenuResult choose() {
    switch (shown_screen) {
        case kFirst:
            switch (cursor) {
                case kResume:
                    return kMenuResume;
                case kRestart:
                    return kMenuRestart;
                case kSettingsEntry:
                    go_to(kSettings);
                    break;
                case kControlsEntry:
                    go_to(kControls);
                    break;
                default:
                    return kMenuQuit;
            }
            break;
        case kSettings:
            if (cursor == row_count) {
                go_to(kFirst);
                cursor = kSettingsEntry;
            } else {
                change_row(cursor, 0);
            }
            break;
        case kControls:
            if (cursor == kActionCount + 1) {
                go_to(kFirst);
                cursor = kControlsEntry;
            } else if (cursor == kActionCount) {
                reset_controls();
            } else if (cursor == kActScreenshot) {
                say("The screenshot key is kept");
            } else {
                waiting = cursor;
                say("Press a key%s for %s, Escape to cancel", pad.present ? " or button" : "",
                    kActionLabel[cursor]);
            }
            break;
    }
    return kMenuStay;
}

MenuResult back() {
    if (shown_screen == kFirst) {
        return kMenuResume;
    }
    const int entry = shown_screen == kSettings ? kSettingsEntry : kControlsEntry;
    go_to(kFirst);
    cursor = entry;
    return kMenuStay;
}

// Moves the cursor by `by`, round the ends, past entries not shown.
void move(int by) {
    const int n = entry_count();
    do {
        cursor = (cursor + by + n) % n;
    } while (shown_screen == kFirst && cursor == kRestart && demo_run);
}

MenuResult waiting_poll() {
    if (key_pressed(KEY_ESC)) {
        waiting = -1;
        note[0] = '\0';
        escape_held = true;
        return kMenuStay;
    }
    const int k = first_key_pressed();
    const int b = first_button_pressed();
    if (k > 0) {
        bind(false, k);
    } else if (b >= 0) {
        bind(true, b);
    }
    return kMenuStay;
}

}  // namespace

void open_menu(bool demo) {
    demo_run = demo;
    row_count = settings_section_rows(rows, kMaxRows);
    go_to(kFirst);
    waiting = -1;
    escape_held = key[KEY_ESC] != 0;
    pad_was = pad_step_keys(pad);
    buttons_were = pad.buttons;
    build();
}

MenuResult menu_poll(int pointed, bool clicked) {
    const std::uint16_t pad_now = pad_step_keys(pad);
    const std::uint16_t pad_edge = pad_now & ~pad_was;
    pad_was = pad_now;
    escape_held = escape_held && key[KEY_ESC];
    MenuResult result = kMenuStay;
    const std::uint32_t button_edge = pad.buttons & ~buttons_were;
    buttons_were = pad.buttons;
    if (waiting >= 0) {
        result = waiting_poll();
        build();
        return result;
    }
    const bool alt = key[KEY_ALT] || key[KEY_ALTGR];
    const bool a_button = (button_edge & 1u) != 0;  // A on an Xbox-style pad
    const bool b_button = (button_edge & 2u) != 0;  // B
    if (pressed(kActPause)) {
        return kMenuResume;
    }
    if (key_pressed(KEY_ESC) && !escape_held) {
        if (shown_screen == kFirst) {
            return kMenuQuit;
        }
        escape_held = true;
        result = back();
    } else if (pressed(kActUp) || key_pressed(KEY_UP) || (pad_edge & kStepUp)) {
        move(-1);
    } else if (pressed(kActDown) || key_pressed(KEY_DOWN) || (pad_edge & kStepDown)) {
        move(1);
    } else if (shown_screen == kSettings && cursor < row_count &&
               (pressed(kActLeft) || key_pressed(KEY_LEFT) || (pad_edge & kStepLeft))) {
        change_row(cursor, -1);
    } else if (shown_screen == kSettings && cursor < row_count &&
               (pressed(kActRight) || key_pressed(KEY_RIGHT) || (pad_edge & kStepRight))) {
        change_row(cursor, 1);
    } else if (((key_pressed(KEY_ENTER) || key_pressed(KEY_ENTER_PAD)) && !alt) ||
               pressed(kActJump) || a_button || (clicked && pointed >= 0)) {
        if (clicked && pointed >= 0) {
            cursor = pointed;
        }
        result = choose();
    } else if (key_pressed(KEY_BACKSPACE) || b_button) {
        result = back();
    } else if (pointed >= 0) {
        cursor = pointed;
    }
    build();
    return result;
}

const MenuText& menu_text() {
    return text;
}

unsigned menu_version() {
    return version;
}
