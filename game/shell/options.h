// The command line. parse_options fills `options` once, before start-up; the
// rest of the game only reads it.
//
// To add an option, add one line to the table in options.cpp that points at
// the variable it sets (a field of Options or a global of its own unit):
//   flag("--mute", &sound_muted, 1, "play no sound"),
//   text("--data", "DIR", &data_dir, "read the game's files from DIR"),
#ifndef VELLIN_OPTIONS_H
#define VELLIN_OPTIONS_H

#include <cstdio>

struct Options {
    int windowed = 0;                // 1: ask for a window rather than the full screen
    int seed_given = 0;              // 1 when --seed was on the command line
    unsigned int seed = 0;           // the stage's random seed when seed_given
    const char* record = nullptr;    // demo file to record
    const char* play = nullptr;      // demo file to watch at real speed
    const char* timedemo = nullptr;  // demo file to run as fast as possible
    const char* capture = nullptr;   // folder for captured frames (with play or timedemo)
    int capture_every = 1;           // capture every Nth frame
    int immediate = 0;               // 1: draw the static stage immediately, not from display lists
    int mute = 0;                    // 1: no sound, and no sound device opened
    int volume = 100;                // loudness of every sound, percent
};

extern Options options;

// Exit status when a command line is refused.
constexpr int kUsageStatus = 2;

// Parses argv into `options`. Returns -1 when the game should start, or the
// exit status when it should not: 0 after --help or --version (printed on
// `out`), kUsageStatus after a bad command line (reason and usage on `err`).
int parse_options(int argc, char** argv, std::FILE* out, std::FILE* err);

#endif
