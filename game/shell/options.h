// The command line. parse_options fills `options` once, before start-up;
// override_settings then writes the settings given on it into `settings`, and
// the rest of the game only reads them.
//
// The options that override a setting (--windowed ... --no-vsync) come from
// the settings table. To add another option, add one line to the table in
// options.cpp that points at the variable it sets (a field of Options or a
// global of its own unit):
//   cmd_flag("--immediate", &options.immediate, 1, "draw without display lists"),
//   cmd_text("--data", "DIR", &data_option, "read the game's files from DIR"),
// The convention (names, values, refusals) is the shared one in cmdline.h.
#ifndef VELLIN_OPTIONS_H
#define VELLIN_OPTIONS_H

#include <cstdio>

#include "cmdline/cmdline.h"
#include "input/settings.h"

struct Options {
    int seed_given = 0;              // 1 when --seed was on the command line
    unsigned int seed = 0;           // the stage's random seed when seed_given
    const char* record = nullptr;    // demo file to record
    const char* play = nullptr;      // demo file to watch at real speed
    const char* timedemo = nullptr;  // demo file to run as fast as possible
    const char* capture = nullptr;   // folder for captured frames (with play or timedemo)
    int capture_every = 0;           // capture every Nth frame; 0 not given (every frame)
    int overwrite = 0;               // 1: --record and --capture may replace what is there
    int immediate = 0;               // 1: draw the static stage immediately, not from display lists
    const char* config = nullptr;    // settings file to read instead of the usual one
    int print_config = 0;            // 1: print the default settings file and exit
    const char* stage = nullptr;     // --stage: a stage file or a stage's name
    int list_stages = 0;             // 1: list the stages found and exit
    int check_stage = 0;             // 1: check the stage files given and exit
    int verify = 0;                  // 1: replay the demos given, say which finish, and exit
    int time_trial = 0;              // 1: race the clock from the stage's start to its end
    const char** stage_files = nullptr;  // the operands: stage files for --check-stage,
    int stage_file_count = 0;            // demos for --verify

    // Settings for this run only, by row of the settings table (input's
    // settings.h); a row not given keeps the settings file's value.
    SettingOverrides overrides{};
};

extern Options options;

// Parses argv into `options`. Returns -1 when the game should start, or the
// exit status when it should not: 0 after --help or --version (printed on
// `out`), kUsageStatus after a bad command line (reason and usage on `err`).
int parse_options(int argc, char** argv, std::FILE* out, std::FILE* err);

// Writes the settings given on the command line into `settings`.
void override_settings();

#endif
