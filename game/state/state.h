// State that several layers share: the camera, the player's flags, the
// default texture, the game's model objects, and the facts they all count on
// (step rate, model scale, data file names, the XDG base directories). Who
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

// Defined in game/model (models.cpp): an object needs the complete class, which
// lies a layer above this one.
extern cModel ludz;                  // the player
extern cModel bridge[kBridgeSlots];  // bridge pieces; 0 .. kBridgePieces - 1 are used

#endif
