// The player's settings and the settings file that keeps them.
#ifndef VELLIN_SETTINGS_H
#define VELLIN_SETTINGS_H

#include <cstddef>
#include <cstdio>

// Settings that stay from run to run. The command line overrides them for one
// run.
constexpr int kMaxWindowScale = 6;
struct Settings {
    int fullscreen = 1;           // 1: full screen when possible; 0: a window
    int scale = 1;                // window of 640 by 480 times scale, 1 .. kMaxWindowScale
    int volume = 100;             // percent
    int mute = 0;                 // 1: no sound, no sound device
    int vsync = 1;                // 1: swap on the display's refresh, 0: as fast as it can
    int pause_on_focus_loss = 1;  // 1: pause when the window loses the focus
};
extern Settings settings;

// Puts the bindings, the pad layout and the settings back to their defaults.
void reset_input_settings();

// $XDG_CONFIG_HOME/vellin/vellin.cfg, or ~/.config/vellin/vellin.cfg; false
// when neither variable gives a folder or the path does not fit.
bool settings_file_path(char* out, std::size_t size);

// Why the file at `path` cannot be read as a settings file, or nullptr when
// it can. Only a plain file is
// read: a pipe or a device might never end.
const char* settings_file_problem(const char* path);

// Reads the settings file through Allegro's configuration routines, keeping
// Allegro's own configuration as it was; works before allegro_init and
// without a display. Each bad entry gives one line on `err` naming the file,
// the section and the entry, and keeps its default. A missing file is no
// error. Returns the number of bad entries.
int read_settings_file(const char* path, std::FILE* err);

// The settings file with every default, commented: what --print-config writes.
void print_settings(std::FILE* out);

#endif
