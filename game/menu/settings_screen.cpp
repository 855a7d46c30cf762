// The Settings screen: the rows of [settings] from the settings table, each
// changed with Left and Right (or chosen, to toggle or count round), put
// into effect at once and written to the file when the screen is left.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>

#include "input/input.h"
#include "input/settings_write.h"
#include "menu/menu_local.h"

namespace {

// Names for the rows; a row missing here shows its file name.
struct RowLabel {
    const char* name;
    const char* label;
};
constexpr RowLabel kRowLabels[] = {{"fullscreen", "Full screen"},
                                   {"scale", "Window scale"},
                                   {"volume", "Volume"},
                                   {"mute", "Mute"},
                                   {"vsync", "Wait for the display"},
                                   {"pause_on_focus_loss", "Pause when in the background"},
                                   {"ghost", "Ghost in time trial"}};

constexpr int kMaxRows = 16;
int rows[kMaxRows];  // the [settings] rows, as table indices
int row_count;
bool not_now[kMaxRows];  // the change could not take effect in this run

const char* row_label(const SettingRowView& r) {
    for (const RowLabel& l : kRowLabels) {
        if (std::strcmp(l.name, r.name) == 0) {
            return l.label;
        }
    }
    return r.name;
}

// The largest scale offered: what fits the desktop.
int largest_scale(const SettingRowView& r) {
    const int fits = menu.setup.largest_scale;
    return fits > 0 ? std::min(r.high, fits) : r.high;
}

// What a row shows: the window as it is, the scale as it can be.
int shown_value(const SettingRowView& r) {
    if (r.value == &settings.fullscreen) {
        return menu.setup.fullscreen;
    }
    if (r.value == &settings.scale) {
        return std::clamp(*r.value, r.low, largest_scale(r));
    }
    return *r.value;
}

void enter() {
    row_count = settings_section_rows(rows, kMaxRows);
    std::fill(std::begin(not_now), std::end(not_now), false);
}

void leave() {
    menu_save(menu.unsaved_rows, 0);
}

int count() {
    return row_count + 1;  // Back
}

void subtitle(char* out, std::size_t size) {
    std::snprintf(out, size, "%s", menu.setup.demo ? "Nothing is saved while a demo plays" : " ");
}

void label(int e, char* out, std::size_t size) {
    if (e == row_count) {
        std::snprintf(out, size, "Back");
        return;
    }
    const SettingRowView r = setting_row_view(rows[e]);
    // Saved, it takes effect from the next start; in a demo it is not saved.
    const char* later = !not_now[e]       ? ""
                        : menu.setup.demo ? " (not now)"
                                          : " (from the next start)";
    const int v = shown_value(r);
    if (r.yes_no) {
        std::snprintf(out, size, "%s: %s%s", row_label(r), v ? "yes" : "no", later);
    } else {
        std::snprintf(out, size, "%s: %d%s", row_label(r), v, later);
    }
}

// Row e moved by `by` (0: chosen; it toggles, or counts up and round), then
// put into effect.
void change(int e, int by) {
    if (e >= row_count) {
        return;
    }
    const SettingRowView r = setting_row_view(rows[e]);
    const MenuEffects& fx = *menu.setup.effects;
    const int high = r.value == &settings.scale ? largest_scale(r) : r.high;
    const int step = r.high - r.low >= 50 ? 10 : 1;
    const int old = shown_value(r);
    int v = old + by * step;
    if (r.yes_no) {
        v = !old;
    } else if (by == 0) {
        v = old + step > high ? r.low : old + step;
    }
    v = std::clamp(v, r.low, high);
    if (v == old) {
        return;
    }
    *r.value = v;
    bool now = true;
    if (r.value == &settings.fullscreen) {
        now = fx.set_window(v, settings.scale);
        menu.setup.fullscreen = now ? v : menu.setup.fullscreen;
    } else if (r.value == &settings.scale && !menu.setup.fullscreen) {
        now = fx.set_window(0, v);  // full screen, it is the size to come back to
    } else if (r.value == &settings.volume || r.value == &settings.mute) {
        now = fx.apply_sound();
    } else if (r.value == &settings.vsync) {
        fx.set_vsync(v);
    }
    not_now[e] = !now;
    menu.note[0] = '\0';
    menu.unsaved_rows |= 1u << rows[e];
}

MenuResult choose(int e) {
    if (e == row_count) {
        menu_back();
    } else {
        change(e, 0);
    }
    return kMenuStay;
}

}  // namespace

const MenuScreen kSettingsScreen = {"Settings", enter, leave,  count, nullptr,
                                    subtitle,   label, choose, change};
