// The Controls screen: every action with its keys and pad buttons; choosing
// one waits for its new key or button (menu.cpp takes the press).
#include <cstdio>
#include <cstring>

#include "input/input.h"
#include "input/settings_write.h"
#include "menu/menu_local.h"

const char* const kActionLabel[kActionCount] = {
    "Walk left", "Walk right",        "Look up",     "Crouch",      "Jump",
    "Aim",       "Back to the start", "Pause",       "Screenshot",  "Free camera",
    "Height 0",  "Camera forward",    "Camera back", "Camera left", "Camera right"};

namespace {

constexpr int kReset = kActionCount;
constexpr int kBack = kActionCount + 1;

// "RIGHT, D / A": the keys, then with a pad its buttons.
void describe(Action a, char* out, std::size_t size) {
    const Binding& b = bindings[a];
    std::size_t n = 0;
    out[0] = '\0';
    char name[32];
    for (int i = 0; i < b.key_count + b.button_count && n < size; ++i) {
        const bool button = i >= b.key_count;
        if (button && !pad.present) {
            break;
        }
        bound_name(button, button ? b.buttons[i - b.key_count] : b.keys[i], name, sizeof name);
        const char* sep = i == 0 ? "" : button && i == b.key_count ? " / " : ", ";
        const int m = std::snprintf(out + n, size - n, "%s%s", sep, name);
        n += m > 0 ? static_cast<std::size_t>(m) : 0;
    }
    if (out[0] == '\0') {
        std::snprintf(out, size, "none");
    }
}

void reset_controls() {
    Binding before[kActionCount];
    std::memcpy(before, bindings, sizeof before);
    reset_bindings();
    unsigned changed = 0;
    for (int a = 0; a < kActionCount; ++a) {
        changed |= std::memcmp(&before[a], &bindings[a], sizeof before[a]) != 0 ? 1u << a : 0;
    }
    menu_say(changed ? "Every action is back on its default" : "Every action is on its default");
    menu_save(0, changed);
}

int count() {
    return kActionCount + 2;
}

void subtitle(char* out, std::size_t size) {
    const char* line = menu.waiting >= 0 ? (pad.present ? "Escape, Backspace or B to cancel"
                                                        : "Escape or Backspace to cancel")
                       : menu.setup.demo ? "Nothing is saved while a demo plays"
                                         : " ";
    std::snprintf(out, size, "%s", line);
}

void label(int e, char* out, std::size_t size) {
    if (e >= kReset) {
        std::snprintf(out, size, "%s", e == kReset ? "Reset to defaults" : "Back");
        return;
    }
    char keys[kMenuColumns];
    describe(static_cast<Action>(e), keys, sizeof keys);
    std::snprintf(out, size, "%s: %s", kActionLabel[e], keys);
}

MenuResult choose(int e) {
    if (e == kBack) {
        menu_back();
    } else if (e == kReset) {
        reset_controls();
    } else if (e == kActScreenshot) {
        menu_say("The screenshot key is kept");
    } else {
        menu.waiting = e;
        menu.note[0] = '\0';
        std::snprintf(menu.prompt, sizeof menu.prompt, "Press a key%s for %s",
                      pad.present ? " or button" : "", kActionLabel[e]);
    }
    return kMenuStay;
}

}  // namespace

const MenuScreen kControlsScreen = {"Controls", nullptr, nullptr, count,  nullptr,
                                    subtitle,   label,   choose,  nullptr};
