// State that several layers share: the camera, the player's flags, the
// default texture, the game's model objects, and the facts they all count on
// (step rate, model scale, data file names, the XDG base directories), and
// the safe replacement of a player's file. Who
// writes it: the shell (start-up sets the texture, the camera and the models;
// physics moves the camera, the flags and the player each step); the level
// places the bridge pieces as it generates the bridges (bridges.cpp); tools
// and tests that run the game without its shell set it as its start-up would
// (make_demo's headless.cpp resets the camera and flags and reads the player;
// stage_bench poses him). The render layer only reads it. Nothing here needs
// the model class: the models are declared through a forward declaration, so
// a file that only tests a flag does not pull cModel in.
#ifndef VELLIN_STATE_H
#define VELLIN_STATE_H

#include <cstddef>

class cModel;

// The bridge tables have nine slots. Eight pieces are read; a stage places
// at most that many (the jungle all eight, level.h's bridgecount), and only
// the placed ones are stood on and drawn; the ninth slot stays empty.
constexpr int kBridgeSlots = 9;
constexpr int kBridgePieces = 8;

// The player and the bridges are drawn at an eighth of their files' units.
constexpr float kModelScale = 0.125f;

// Physics steps per second: the timer's rate and the rate a demo records.
constexpr int kStepsPerSecond = 120;

// The data files the game reads, by name in the data directory.
constexpr char kWhiteTexture[] = "white.png";
constexpr char kPlayerModel[] = "trooper.txt";
constexpr char kBridgeModel[] = "bridge.txt";

extern float campos[3];     // camera translation applied to the world
extern float camang[3];     // camera angles in degrees about x, y, z
extern unsigned int white;  // plain white texture, bound for untextured geometry
// Screen pixels per pixel of the 640 by 480 picture; 1 until the window opens.
extern float line_scale;

// Player state; physics owns their meaning.
extern int jump;       // nonzero while a jump is in progress
extern int down;       // 1 while crouched (figure 10 units lower)
extern int fall;       // 1 while falling without a jump
extern int direction;  // -1, 0, +1: drift while not standing
extern int debcam;     // 1 while the free camera is on

// $<variable>/<tail> ("XDG_CONFIG_HOME", "vellin/vellin.cfg"), or else
// $HOME/<fallback>/<tail> (fallback ".config"); each only when absolute. False
// when neither gives a path or it does not fit `size`. (xdg_path.cpp)
bool xdg_path(const char* variable, const char* fallback, const char* tail, char* out,
              std::size_t size);

// Opens a plain file for reading: a descriptor, or -1 with `why` saying what
// is wrong (the system's reason, a directory, "not a regular file": a pipe or a
// device might never end). (plain_file.cpp)
int open_plain_file(const char* path, const char** why);

// Replacing one of the player's files (settings, stages, records) as a
// careful editor does (file_replace.cpp). The new text goes to NAME.lock,
// taken with O_CREAT|O_EXCL so that a second writer waits up to a second and
// then fails rather than mixing the two; it is flushed to disk and renamed
// over NAME, so a crash or a full disk leaves the old file or the new one,
// never half of one. A symbolic link is followed to its target, which is
// made when missing, with the folders above it. A file without its owner's
// write bit is the player saying "leave it": it is refused, even for root.
// Owner (for root), group and mode are kept. On failure the old file is as
// it was and `why` says what went wrong, short enough for a menu line, the
// file named by its base name: "vellin.cfg is read-only: ...".

// Writes `size` bytes at `path` in one go.
bool replace_file(const char* path, const void* data, std::size_t size, char* why,
                  std::size_t why_size);

// The same in steps, for a writer that changes what is there: lock_file,
// read_locked, then commit_locked (which releases the lock) or unlock_file.
// Two games saving at once then both keep their changes.
constexpr std::size_t kFilePathSize = 4096;
struct FileLock {
    char target[kFilePathSize];     // the file replaced, links followed
    char lock_path[kFilePathSize];  // target + ".lock"
    int fd;                         // the lock, open for the new text; -1: not held
    bool exists;                    // false: the target is made
    unsigned mode, owner, group;    // what the new file is given
};
bool lock_file(const char* path, FileLock* lock, char* why, std::size_t why_size);
// The target's bytes (none when it does not exist) into `buffer`; a larger
// file is refused.
bool read_locked(const FileLock& lock, char* buffer, std::size_t capacity, std::size_t* size,
                 char* why, std::size_t why_size);
bool commit_locked(FileLock* lock, const void* data, std::size_t size, char* why,
                   std::size_t why_size);
void unlock_file(FileLock* lock);

// Defined in game/model (models.cpp): an object needs the complete class, which
// lies a layer above this one.
extern cModel ludz;                  // the player
extern cModel bridge[kBridgeSlots];  // bridge pieces; 0 .. kBridgePieces - 1 are used

#endif
