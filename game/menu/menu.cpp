// The menu's machine: which screen is shown, the cursor, the prompt for a
// key, and the text of the screen; the screens' own handlers are in
// *_screen.cpp.
#include "menu/menu.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "input/input.h"
#include "input/settings_write.h"
#include "menu/menu_local.h"

MenuState menu;

namespace {

const MenuScreen* const kScreens[kScreenCount] = {&kFirstScreen, &kSettingsScreen,
                                                  &kControlsScreen};

MenuText text, next;  // shown, and being built
unsigned version;

const MenuScreen& screen() {
    return *kScreens[menu.screen];
}

bool shown(int entry) {
    return screen().shown == nullptr || screen().shown(entry);
}

void add(MenuLineKind kind, int entry, const char* line) {
    if (next.count == kMenuLines) {
        return;
    }
    const int i = next.count++;
    const bool chosen = entry >= 0 && entry == menu.cursor;
    // The chosen entry is marked as well as coloured: it shows in any picture.
    std::snprintf(next.text[i], sizeof next.text[i], chosen ? "> %.*s <" : "%.*s",
                  kMenuNoteSize - 1, line);
    next.kind[i] = chosen ? kMenuChosen : kind;
    next.entry[i] = entry;
}

// Builds the screen's text; the version changes only when it does, so the
// paused screen redraws only then. The note lines are always there, so that
// a note coming or going moves no entry.
void build() {
    std::memset(&next, 0, sizeof next);  // compared whole
    char line[kMenuNoteSize];
    add(kMenuTitle, -1, screen().title);
    screen().subtitle(line, sizeof line);
    add(kMenuNote, -1, line);
    const int n = screen().count();
    for (int e = 0; e < n; ++e) {
        if (shown(e)) {
            screen().label(e, line, sizeof line);
            add(kMenuEntry, e, line);
        }
    }
    add(kMenuNote, -1, " ");
    add(kMenuNote, -1, menu.note[0] != '\0' ? menu.note : " ");
    add(kMenuNote, -1, menu.prompt[0] != '\0' ? menu.prompt : " ");
    for (int i = next.count; i < kMenuLines; ++i) {
        next.kind[i] = kMenuNote;
        next.entry[i] = -1;
    }
    if (std::memcmp(&next, &text, sizeof text) != 0) {
        text = next;
        ++version;
    }
}

// Moves the cursor by `by`, round the ends, past entries not shown.
void move(int by) {
    const int n = screen().count();
    for (int tries = 0; tries < n; ++tries) {
        menu.cursor = (menu.cursor + by + n) % n;
        if (shown(menu.cursor)) {
            return;
        }
    }
}

void leave_screen() {
    if (screen().leave != nullptr) {
        screen().leave();
    }
}

// The key or button of `in` for the awaited action. F11, Alt, Escape,
// Backspace and pad B never reach here: they are the window's or the
// prompt's own.
void bind(const MenuInput& in) {
    const Action a = static_cast<Action>(menu.waiting);
    const bool button = in.key <= 0;
    const int code = button ? in.button : in.key;
    if (!button && key_name(code) == nullptr) {
        menu_say("That key has no name: press another");
        return;
    }
    char name[32];
    bound_name(button, code, name, sizeof name);
    const int other = binding_clash(a, button, code);
    if (other >= 0) {
        menu_say("%s is already %s's", name, kActionLabel[other]);
        return;  // still waiting: the player tries another
    }
    Binding& b = bindings[a];
    if (button) {
        b.button_count = 1;
        b.buttons[0] = code;
    } else {
        b.key_count = 1;
        b.keys[0] = code;
    }
    menu.waiting = -1;
    menu.prompt[0] = menu.note[0] = '\0';
    menu_save(0, 1u << a);
}

void waiting_input(const MenuInput& in) {
    switch (in.kind) {
        case kMenuBack:
        case kMenuCancel:
            menu.waiting = -1;
            menu.prompt[0] = menu.note[0] = '\0';
            return;
        case kMenuWindowKey:
        case kMenuWindow:
        case kMenuPoint:
        case kMenuClick:
            return;  // the window's keys act as themselves; the prompt stays
        default:
            if (in.key > 0 || in.button >= 0) {
                bind(in);
            }
    }
}

MenuResult leave_menu(MenuResult r) {
    leave_screen();
    return r;
}

}  // namespace

void menu_go(MenuScreenId s) {
    if (menu.depth < kMenuDepth) {
        menu.back[menu.depth++] = {menu.screen, menu.cursor};
    }
    menu.screen = s;
    menu.cursor = 0;
    menu.note[0] = menu.prompt[0] = '\0';
    if (screen().enter != nullptr) {
        screen().enter();
    }
    if (!shown(menu.cursor)) {
        move(1);
    }
}

void menu_back() {
    menu.note[0] = menu.prompt[0] = '\0';
    leave_screen();  // a failed save says why on the screen gone back to
    const MenuPlace p = menu.depth > 0 ? menu.back[--menu.depth] : MenuPlace{kScreenFirst, 0};
    menu.screen = p.screen;
    menu.cursor = p.cursor;
}

void menu_save(unsigned rows, unsigned actions) {
    if (menu.setup.demo || (rows == 0 && actions == 0)) {
        return;
    }
    char why[256];
    if (menu.setup.effects->save(rows, actions, why, sizeof why)) {
        menu.unsaved_rows &= ~rows;
        return;
    }
    menu.unsaved_rows |= rows;
    menu_say("Could not save: %s", why);
}

void menu_say(const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    std::vsnprintf(menu.note, sizeof menu.note, format, args);
    va_end(args);
}

void bound_name(bool button, int code, char* out, std::size_t size) {
    if (button) {
        pad_button_label(code, out, size);
    } else {
        const char* name = key_name(code);
        std::snprintf(out, size, "%s", name ? name : "?");
    }
}

void menu_open(const MenuSetup& setup) {
    menu = MenuState{};
    menu.setup = setup;
    menu.screen = kScreenFirst;
    menu.waiting = -1;
    build();
}

MenuResult menu_input(const MenuInput& in) {
    MenuResult result = kMenuStay;
    if (in.kind == kMenuWindow) {
        menu.setup.fullscreen = in.value;
        menu.setup.scale = in.scale;
    }
    if (menu.waiting >= 0) {
        waiting_input(in);
        build();
        return result;
    }
    switch (in.kind) {
        case kMenuPause:
            result = leave_menu(kMenuResume);
            break;
        case kMenuCancel:
            if (menu.screen == kScreenFirst) {
                result = leave_menu(kMenuQuit);
            } else {
                menu_back();
            }
            break;
        case kMenuBack:
            if (menu.screen == kScreenFirst) {
                result = leave_menu(kMenuResume);
            } else {
                menu_back();
            }
            break;
        case kMenuUp:
        case kMenuDown:
            move(in.kind == kMenuUp ? -1 : 1);
            break;
        case kMenuLeft:
        case kMenuRight:
            if (screen().step != nullptr) {
                screen().step(menu.cursor, in.kind == kMenuLeft ? -1 : 1);
            }
            break;
        case kMenuPoint:
        case kMenuClick:
            if (in.value < 0 || in.value >= screen().count() || !shown(in.value)) {
                break;
            }
            menu.cursor = in.value;
            if (in.kind == kMenuPoint) {
                break;
            }
            [[fallthrough]];
        case kMenuChoose:
            result = screen().choose(menu.cursor);
            if (result != kMenuStay) {
                leave_screen();
            }
            break;
        default:
            break;  // keys and buttons mean nothing here
    }
    build();
    return result;
}

void menu_note(const char* line) {
    menu_say("%s", line);
    build();
}

const MenuText& menu_text() {
    return text;
}

unsigned menu_version() {
    return version;
}
