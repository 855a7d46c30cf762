// The settings table: every number and yes-or-no entry of the settings file
// with its default, range, help and command-line options, the two binding
// sections, and how each value is written.
#include <cstdio>
#include <cstring>
#include <strings.h>  // strcasecmp

#include "cmdline/cmdline.h"
#include "input/input.h"
#include "input/input_local.h"

namespace {

constexpr SettingOption kNone = {nullptr, nullptr, 0, nullptr};

constexpr SettingRow yes_no(const char* name, int* value, int fallback, const char* help,
                            SettingOption on, SettingOption off) {
    return {"settings", name, value, fallback, true, 0, 1, help, {on, off}};
}

constexpr SettingRow number(const char* section, const char* name, int* value, int fallback,
                            int low, int high, const char* help, const char* option = nullptr,
                            const char* option_help = nullptr) {
    return {section,  name,  value,
            fallback, false, low,
            high,     help,  {{option, "N", 0, option_help}, kNone}};
}

constexpr const char* kPad = "pad";

}  // namespace

// The pad layout's defaults suit an Xbox-style pad on Linux's joydev (see the
// actions' defaults in bindings.cpp); a row's help gets its range appended.
constexpr SettingRow kSettingRows[kSettingRowCount] = {
    yes_no("fullscreen", &settings.fullscreen, 1, "yes: full screen when possible; no: in a window",
           {"--windowed", nullptr, 0, "play in a window"},
           {"--fullscreen", nullptr, 1, "play full screen when possible"}),
    number("settings", "scale", &settings.scale, 1, 1, kMaxWindowScale,
           "size of the window: 640 by 480 times this", "--scale",
           "a window of N times 640 by 480"),
    number("settings", "volume", &settings.volume, 100, 0, 100, "loudness of the sounds",
           "--volume", "loudness of the sounds, 0 to 100"),
    yes_no("mute", &settings.mute, 0, "no sound, and no sound device opened",
           {"--mute", nullptr, 1, "play no sound"}, kNone),
    yes_no("vsync", &settings.vsync, 1,
           "wait for the display's refresh before showing a frame, where the driver can",
           {"--vsync", nullptr, 1, "wait for the display's refresh"},
           {"--no-vsync", nullptr, 0, "draw without waiting for the display"}),
    yes_no("pause_on_focus_loss", &settings.pause_on_focus_loss, 1,
           "pause while the window does not have the keyboard focus", kNone, kNone),
    yes_no("ghost", &settings.ghost, 1, "in time trial, show the best run as a see-through trooper",
           kNone, kNone),
    number(kPad, "move_stick", &pad_layout.move_stick, 0, 0, kPadSticks - 1, nullptr),
    number(kPad, "move_x_axis", &pad_layout.move_x, 0, 0, kPadAxes - 1, nullptr),
    number(kPad, "move_y_axis", &pad_layout.move_y, 1, 0, kPadAxes - 1, nullptr),
    number(kPad, "dpad_stick", &pad_layout.dpad_stick, 3, 0, kPadSticks - 1, nullptr),
    number(kPad, "dpad_x_axis", &pad_layout.dpad_x, 0, 0, kPadAxes - 1, nullptr),
    number(kPad, "dpad_y_axis", &pad_layout.dpad_y, 1, 0, kPadAxes - 1, nullptr),
    number(kPad, "dead_zone", &pad_layout.dead_zone, 25, 0, 99,
           "how far from the centre a stick still reads as centred, percent"),
};

const TextSettingRow kTextSettingRows[kTextSettingRowCount] = {
    {"settings", "stage", settings.stage, "jungle",
     "the stage: a stage file, or a name from vellin --list-stages; without it, the jungle"},
};

namespace {

constexpr int count_options() {
    int n = 0;
    for (const SettingRow& row : kSettingRows) {
        n += (row.command_line[0].name != nullptr) + (row.command_line[1].name != nullptr);
    }
    return n;
}
static_assert(count_options() == kSettingOptionCount, "settings.h counts the options");

bool read_key(const char* word, int* code, char* why, std::size_t size) {
    if (strcasecmp(word, "ESC") == 0) {
        std::snprintf(why, size, "Escape always quits and cannot be bound");
        return false;
    }
    if ((*code = key_code(word)) == 0) {
        std::snprintf(why, size, "unknown key name '%s'", word);
        return false;
    }
    return true;
}

bool read_button(const char* word, int* code, char* why, std::size_t size) {
    unsigned long long n = 0;
    if (!read_whole_number(word, kPadButtons - 1, &n)) {
        std::snprintf(why, size, "'%s' is not a button number from 0 to %d", word, kPadButtons - 1);
        return false;
    }
    *code = static_cast<int>(n);
    return true;
}

void write_key(int code, char* out, std::size_t size) {
    const char* name = key_name(code);
    std::snprintf(out, size, "%s", name ? name : "?");
}

void write_button(int code, char* out, std::size_t size) {
    std::snprintf(out, size, "%d", code);
}

}  // namespace

const BindingKind kBindingKind[kBindingKinds] = {
    {"keys", "keys", "", &Binding::key_count, &Binding::keys, read_key, write_key},
    {"pad", "buttons", "button ", &Binding::button_count, &Binding::buttons, read_button,
     write_button},
};

void write_setting(const SettingRow& row, int value, char* out, std::size_t size) {
    if (row.yes_no) {
        std::snprintf(out, size, "%s", value ? "yes" : "no");
    } else {
        std::snprintf(out, size, "%d", value);
    }
}

void write_binding(const BindingKind& kind, const Binding& b, char* out, std::size_t size) {
    std::snprintf(out, size, "%s", b.*kind.count == 0 ? "none" : "");
    for (int i = 0; i < b.*kind.count; ++i) {
        const std::size_t used = std::strlen(out);
        char name[32];
        kind.write((b.*kind.codes)[i], name, sizeof name);
        std::snprintf(out + used, size - used, "%s%s", i ? " " : "", name);
    }
}

void setting_options(SettingOverrides* to, CmdOption* out) {
    int n = 0;
    for (int r = 0; r < kSettingRowCount; ++r) {
        const SettingRow& row = kSettingRows[r];
        for (const SettingOption& o : row.command_line) {
            if (o.name == nullptr || n == kSettingOptionCount) {
                continue;
            }
            out[n] = o.arg ? cmd_int(o.name, o.arg, &to->value[r], row.low, row.high, o.help)
                           : cmd_flag(o.name, &to->value[r], o.value, o.help);
            out[n++].given = &to->given[r];
        }
    }
}

void apply_setting_overrides(const SettingOverrides& given) {
    int scale = 0, fullscreen = 0;
    for (int r = 0; r < kSettingRowCount; ++r) {
        if (given.given[r]) {
            *kSettingRows[r].value = given.value[r];
        }
        scale = kSettingRows[r].value == &settings.scale ? r : scale;
        fullscreen = kSettingRows[r].value == &settings.fullscreen ? r : fullscreen;
    }
    // A window size asked for on the command line asks for a window, unless
    // --fullscreen says otherwise.
    if (given.given[scale] && !given.given[fullscreen]) {
        settings.fullscreen = 0;
    }
}
