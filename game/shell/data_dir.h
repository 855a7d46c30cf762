// The data directory: where white.png, the model files and their textures are
// read from. It is the first of these places that holds trooper.txt:
//   1. --data DIR on the command line;
//   2. the environment variable VELLIN_DATA;
//   3. ../share/vellin beside the running executable (an installed, extracted
//      or moved tree);
//   4. the source tree's assets/, when the executable is the one in the build
//      tree (so a developer never runs against an older installed copy);
//   5. the data directory chosen when the build was configured;
//   6. the working directory.
// A place named on purpose that holds no data is said in one line: --data DIR
// refuses to start, $VELLIN_DATA lets the lookup go on. main chooses once,
// before the session and start-up; everything after reads data_dir.
#ifndef VELLIN_DATA_DIR_H
#define VELLIN_DATA_DIR_H

const int kDataPathSize = 4096;  // bytes, terminator included

// The candidate places, in the order they are tried; null ones are skipped.
struct DataPlaces {
    const char* option;       // --data DIR
    const char* environment;  // $VELLIN_DATA
    const char* executable;   // path of the running program
    const char* build_dir;    // the build tree, whose programs use source_data
    const char* source_data;  // the source tree's assets/
    const char* configured;   // the data directory chosen at configure time
};

extern const char* data_option;       // --data DIR, or null; set before init
extern char data_dir[kDataPathSize];  // chosen directory with a trailing '/', or "" for
                                      // the working directory
extern int data_missing;              // 1 after a lookup that found no data: its files are not
                                      // tried (the lookup already said so, in one line)

// The places of this build: the given option and executable path,
// $VELLIN_DATA and the directories fixed when the build was configured.
DataPlaces data_places(const char* option, const char* executable);

// Sets data_dir to the first place that holds trooper.txt and returns 1.
// When none does, writes one line to stderr naming where it looked, sets
// data_dir to the working directory and data_missing, and returns 0. A
// --data DIR that holds no data gives one line and -1, and nothing is set.
int find_data_dir(const DataPlaces& places);

// data_dir joined with `name` into `out` (kDataPathSize bytes); returns out.
// A name too long for the buffer gives "" (no file has that name).
const char* data_path(const char* name, char* out);

// The folders a stage's name is looked up in, each ending in '/', in the
// order tried: the player's, $XDG_DATA_HOME/vellin/stages/ (else
// ~/.local/share/vellin/stages/), first, so that a stage of one's own may
// take a shipped stage's name; then data_dir's stages/ (unless the data was
// not found). Returns how many there are.
constexpr int kStageFolders = 2;
int stage_folders(char out[kStageFolders][kDataPathSize]);

#endif
