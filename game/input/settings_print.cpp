// The default settings file, commented: what --print-config writes.
#include <cstdio>

#include "input/input.h"
#include "input/input_local.h"

namespace {

void print_list(std::FILE* out, const char* name, int count, const int* list, bool keys) {
    std::fprintf(out, "%s =", name);
    if (count == 0) {
        std::fprintf(out, " none");
    }
    for (int i = 0; i < count; ++i) {
        if (keys) {
            std::fprintf(out, " %s", key_name(list[i]));
        } else {
            std::fprintf(out, " %d", list[i]);
        }
    }
    std::fprintf(out, "\n");
}

const char* yes_no(int v) {
    return v ? "yes" : "no";
}

}  // namespace

void print_settings(std::FILE* out) {
    const Settings s{};
    const PadLayout& l = kDefaultPadLayout;
    std::fprintf(out,
                 "# Vellin's settings, read at start-up from $XDG_CONFIG_HOME/vellin/vellin.cfg\n"
                 "# (~/.config/vellin/vellin.cfg); the game never writes the file. Lines\n"
                 "# starting with # are comments. An entry that cannot be used is named on the\n"
                 "# error output and keeps the default shown here. The command line overrides\n"
                 "# these settings for one run.\n\n"
                 "[settings]\n"
                 "# Yes or no settings take yes/no, 1/0, true/false or on/off.\n"
                 "# yes: full screen when possible; no: in a window\n"
                 "fullscreen = %s\n"
                 "# size of the window: 640 by 480 times this, 1 to %d\n"
                 "scale = %d\n"
                 "# loudness of the sounds, 0 to 100\n"
                 "volume = %d\n"
                 "# no sound, and no sound device opened\n"
                 "mute = %s\n"
                 "# wait for the display's refresh before showing a frame, where the driver can\n"
                 "vsync = %s\n"
                 "# pause while the window does not have the keyboard focus\n"
                 "pause_on_focus_loss = %s\n\n",
                 yes_no(s.fullscreen), kMaxWindowScale, s.scale, s.volume, yes_no(s.mute),
                 yes_no(s.vsync), yes_no(s.pause_on_focus_loss));
    std::fprintf(out,
                 "[keys]\n"
                 "# Up to %d keys per action, separated by blanks, or none. Key names are\n"
                 "# Allegro's, whatever the keyboard layout: A to Z, 0 to 9, 0_PAD to 9_PAD,\n"
                 "# F1 to F12, LEFT, RIGHT, UP, DOWN, SPACE, ENTER, TAB, LSHIFT, RSHIFT,\n"
                 "# LCONTROL, RCONTROL, ALT, ALTGR, INSERT, DEL, HOME, END, PGUP, PGDN, MINUS,\n"
                 "# EQUALS, COMMA, STOP, SLASH, SEMICOLON, QUOTE, OPENBRACE, CLOSEBRACE ...\n"
                 "# Escape always quits and cannot be bound. No two of the actions from left\n"
                 "# to screenshot may share a key; the debug keys may share with anything.\n",
                 kMaxBound);
    for (const ActionInfo& a : kActionInfo) {
        std::fprintf(out, "# %s\n", a.help);
        print_list(out, a.name, a.defaults.key_count, a.defaults.keys, true);
    }
    std::fprintf(out,
                 "\n[pad]\n"
                 "# The first gamepad. The analog stick and the d-pad steer, each given as an\n"
                 "# Allegro stick number (0 to %d) with its horizontal and vertical axis\n"
                 "# (0 to %d). The defaults suit an Xbox-style pad on Linux.\n"
                 "move_stick = %d\nmove_x_axis = %d\nmove_y_axis = %d\n"
                 "dpad_stick = %d\ndpad_x_axis = %d\ndpad_y_axis = %d\n"
                 "# how far from the centre a stick still reads as centred, percent, 0 to 99\n"
                 "dead_zone = %d\n"
                 "# Up to %d button numbers (0 to %d) per action, or none. Down on the stick\n"
                 "# with jump drops through a ledge, as on the keys.\n",
                 kPadSticks - 1, kPadAxes - 1, l.move_stick, l.move_x, l.move_y, l.dpad_stick,
                 l.dpad_x, l.dpad_y, l.dead_zone, kMaxBound, kPadButtons - 1);
    for (const ActionInfo& a : kActionInfo) {
        print_list(out, a.name, a.defaults.button_count, a.defaults.buttons, false);
    }
}
