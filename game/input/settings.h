// The player's settings and the settings file that keeps them.
#ifndef VELLIN_SETTINGS_H
#define VELLIN_SETTINGS_H

#include <cstddef>
#include <cstdio>

// From cmdline.h, which is not included: a user of the settings alone (the
// demo reader's fuzz target) needs no other folder's headers.
struct CmdOption;

// Settings that stay from run to run. The command line overrides them for one
// run. Their defaults, ranges and help are in the settings table
// (settings_table.cpp); reset_input_settings puts them in, before main.
constexpr int kMaxWindowScale = 6;
constexpr int kSettingTextSize = 256;  // bytes of a text entry, the NUL included
struct Settings {
    int fullscreen;                // 1: full screen when possible; 0: a window
    int scale;                     // window of 640 by 480 times scale, 1 .. kMaxWindowScale
    int volume;                    // percent
    int mute;                      // 1: no sound, no sound device
    int vsync;                     // 1: swap on the display's refresh, 0: as fast as it can
    int pause_on_focus_loss;       // 1: pause when the window loses the focus
    int ghost;                     // 1: the time trial shows the best run as a ghost
    char stage[kSettingTextSize];  // the stage to play, as --stage takes it; "": the jungle
};
extern Settings settings;

// The rows of the settings table: the entries of [settings] and the pad
// layout of [pad].
constexpr int kSettingRowCount = 14;

// Values given on the command line for one run, by settings row.
struct SettingOverrides {
    int value[kSettingRowCount];
    int given[kSettingRowCount];  // 1 when an option set the row
};
// The options from the settings table (--windowed, --fullscreen, --scale N,
// --volume N, --mute, --vsync, --no-vsync), in the table's order, storing into
// `to`; `out` has room for kSettingOptionCount.
constexpr int kSettingOptionCount = 7;
void setting_options(SettingOverrides* to, CmdOption* out);
// Writes the values given into `settings`. A window size given without
// --fullscreen asks for a window.
void apply_setting_overrides(const SettingOverrides& given);

// Puts the bindings, the pad layout and the settings back to their defaults.
void reset_input_settings();

// $XDG_CONFIG_HOME/vellin/vellin.cfg, or ~/.config/vellin/vellin.cfg; false
// when neither variable gives an absolute folder or the path does not fit.
bool settings_file_path(char* out, std::size_t size);

// Why the file at `path` cannot be read as a settings file, or nullptr when
// it can. Only a plain file is
// read: a pipe or a device might never end.
const char* settings_file_problem(const char* path);

// Reads the settings file as Allegro's configuration routines would (names
// in any case, # comments), line by line, so that every line it does not
// take is named on `err` as "FILE:LINE: [section] entry: why", in file order,
// and keeps the default. Needs no Allegro and no display. A missing file is
// no error. Returns the number of lines not taken.
int read_settings_file(const char* path, std::FILE* err);

// The settings file with every default, commented: what --print-config writes.
void print_settings(std::FILE* out);

#endif
