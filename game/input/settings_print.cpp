// The default settings file, commented: what --print-config writes, from the
// settings table.
#include <cstdio>
#include <cstring>

#include "input/input.h"
#include "input/input_local.h"

namespace {

// What the printed file says around the table's entries, by section.
struct SectionText {
    const char* name;
    const char* intro;     // after "[name]"; a %d takes what `intro_number` gives
    int intro_number;      // see above
    const char* bindings;  // before the actions; nullptr: they come after the intro
    bool action_help;      // each action with its help above it
};

const SectionText kSections[] = {
    {"settings", "# Yes or no settings take yes/no, 1/0, true/false or on/off.\n", 0, nullptr,
     false},
    {"keys",
     "# Up to %d keys per action, separated by blanks, or none. Key names are\n"
     "# Allegro's, whatever the keyboard layout: A to Z, 0 to 9, 0_PAD to 9_PAD,\n"
     "# F1 to F12, LEFT, RIGHT, UP, DOWN, SPACE, ENTER, TAB, LSHIFT, RSHIFT,\n"
     "# LCONTROL, RCONTROL, ALT, ALTGR, INSERT, DEL, HOME, END, PGUP, PGDN, MINUS,\n"
     "# EQUALS, COMMA, STOP, SLASH, SEMICOLON, QUOTE, OPENBRACE, CLOSEBRACE ...\n"
     "# Escape always quits and cannot be bound. No two of the actions from left\n"
     "# to screenshot may share a key; the debug keys may share with anything.\n",
     kMaxBound, nullptr, true},
    {"pad",
     "# The first gamepad. The analog stick and the d-pad steer, each given as an\n"
     "# Allegro stick number (0 to %d) with its horizontal and vertical axis\n"
     "# (0 to %d). The defaults suit an Xbox-style pad on Linux.\n",
     kPadSticks - 1,
     "# Up to %d button numbers (0 to %d) per action, or none. Down on the stick\n"
     "# with jump drops through a ledge, as on the keys.\n",
     false},
};

}  // namespace

void print_settings(std::FILE* out) {
    std::fprintf(out,
                 "# Vellin's settings, read at start-up from $XDG_CONFIG_HOME/vellin/vellin.cfg\n"
                 "# (~/.config/vellin/vellin.cfg). The pause menu's Settings and Controls\n"
                 "# screens write the entries changed there and leave every other line as it\n"
                 "# is; a file without its owner's write permission is never written. Lines\n"
                 "# starting with # are comments. An entry that cannot be used is named on the\n"
                 "# error output and keeps the default shown here. The command line overrides\n"
                 "# these settings for one run.\n");
    char value[64];
    for (const SectionText& s : kSections) {
        std::fprintf(out, "\n[%s]\n", s.name);
        std::fprintf(out, s.intro, s.intro_number, kPadAxes - 1);
        for (const SettingRow& row : kSettingRows) {
            if (std::strcmp(row.section, s.name) != 0) {
                continue;
            }
            if (row.help != nullptr) {
                std::fprintf(out, "# %s", row.help);
                std::fprintf(out, row.yes_no ? "\n" : ", %d to %d\n", row.low, row.high);
            }
            write_setting(row, row.fallback, value, sizeof value);
            std::fprintf(out, "%s = %s\n", row.name, value);
        }
        for (const TextSettingRow& row : kTextSettingRows) {
            if (std::strcmp(row.section, s.name) == 0) {
                std::fprintf(out, "# %s\n# %s = %s\n", row.help, row.name, row.example);
            }
        }
        for (const BindingKind& kind : kBindingKind) {
            if (std::strcmp(kind.section, s.name) != 0) {
                continue;
            }
            if (s.bindings != nullptr) {
                std::fprintf(out, s.bindings, kMaxBound, kPadButtons - 1);
            }
            for (const ActionInfo& a : kActionInfo) {
                if (s.action_help) {
                    std::fprintf(out, "# %s\n", a.help);
                }
                write_binding(kind, a.defaults, value, sizeof value);
                std::fprintf(out, "%s = %s\n", a.name, value);
            }
        }
    }
}
