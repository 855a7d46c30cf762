// Demos: the stage's random seed, the stage played (version 3 names it,
// version 4 holds its whole layer) and, for every frame, the physics steps it
// ran and the input of each step. Playing those inputs on the same stage
// generated from the same seed reproduces every frame.
//
// File layout, numbers little-endian:
//   "VELLDEMO"                       magic, 8 bytes
//   u16 version (4; 1 to 3 still play, see demo_file.cpp), u16 steps per
//   second (120), u32 seed
//   version 3 and 4, the stage: u32 hash of its codes (stage_hash, level.h),
//              u8 name length (1 .. 63), the name (no '/', no control bytes)
//   version 4, its layer: 16 rows of 100 tile codes (0, 1, 5 or 9), one byte
//              each, top row first; their FNV-1a 32 is the hash above
//   per frame: u16 step count (at most kMaxStepsPerFrame), then per step
//              u16 keys (StepKey bits), s16 mickey_x, s16 mouse_y
//   end record: u16 0xffff, u32 frame count, u32 step count; version 3 on
//              adds u32 checksum, FNV-1a 32 of every byte of the file before it
// A file is trusted only with its end record, which the recorder writes last,
// just before it renames FILE.part to FILE. A FILE.part left by a killed
// recording can still be played up to its last whole frame (unchecked: it
// has no checksum). Versions 1 and 2 name no stage: they play on the jungle;
// version 3 plays on the stage of its name whose codes have its hash; version
// 4 carries its stage, and plays wherever it is.
#ifndef VELLIN_DEMO_H
#define VELLIN_DEMO_H

#include <cstddef>
#include <cstdint>
#include <vector>

#include "input/input.h"

constexpr int kMaxStepsPerFrame = 12000;       // 100 s of steps in one frame
constexpr long kMaxDemoBytes = 16L << 20;      // over 6 hours of steps
constexpr std::size_t kDemoHeaderBytes = 16;   // magic, version, rate, seed
constexpr std::size_t kDemoStepBytes = 6;      // keys, mickey_x, mouse_y
constexpr std::size_t kDemoEndBytes = 10;      // marker, frame and step counts
constexpr std::size_t kDemoChecksumBytes = 4;  // after the end record, version 3 on
constexpr int kDemoStageNameSize = 64;         // bytes, the NUL included
constexpr int kDemoMapRows = 16;               // the stage's layer, as level.h has it
constexpr int kDemoMapColumns = 100;
constexpr std::size_t kDemoLayerBytes = kDemoMapRows * kDemoMapColumns;  // version 4
// Header and stage record at their longest.
constexpr std::size_t kDemoHeaderMax =
    kDemoHeaderBytes + 5 + kDemoStageNameSize - 1 + kDemoLayerBytes;
constexpr unsigned int kDemoVersion = 4;
constexpr unsigned int kDemoStageVersion = 3;              // the first that names its stage
constexpr std::uint32_t kDemoChecksumStart = 2166136261u;  // FNV-1a's offset basis

struct Demo {
    unsigned int version = 0;  // of the file read; 0: encode_demo writes the current one
    unsigned int seed = 0;
    char stage[kDemoStageNameSize] = "";            // version 3 on: the stage's name; else ""
    std::uint32_t layer_hash = 0;                   // version 3 on: stage_hash of its codes
    bool has_codes = false;                         // version 4: codes holds the stage's layer
    int codes[kDemoMapRows][kDemoMapColumns] = {};  // tile codes, [row][column]
    std::vector<std::uint16_t> frame_steps;         // steps run in each frame
    std::vector<StepInput> steps;                   // every step, in order
};

struct DemoError {
    std::size_t offset;  // byte at which the fault was found
    char reason[80];
};

// Decodes a demo held in memory; the bytes are untrusted. `unfinished`
// accepts a file cut short at any point, keeping its whole frames. Returns
// false and fills `error` on any fault.
bool parse_demo(const unsigned char* data, std::size_t size, bool unfinished, Demo* demo,
                DemoError* error);
// Reads a demo file without a word. A name ending in ".part" is read as
// unfinished. On a fault returns false with `why` holding the reason
// ("offset N: ..." for a fault in the bytes).
bool read_demo(const char* path, Demo* demo, char* why, std::size_t size);
// read_demo, printing "vellin: FILE: why" on stderr on a fault. A demo of an
// older version is read, after one line on stderr saying that it may not
// replay exactly; an unfinished one after a line saying so.
bool load_demo(const char* path, Demo* demo);
// The bytes of a complete demo file, in the demo's version (1 and 2 alike
// but for the number) or, for version 0, the current one.
std::vector<unsigned char> encode_demo(const Demo& demo);

// Encoders shared by encode_demo and the recorder; each returns the bytes
// written. The header takes the stage's name (cut to fit) from version 3 on,
// with `layer_hash` in version 3 and `codes` (whose hash it writes) in 4.
std::size_t put_demo_header(unsigned int version, unsigned int seed, const char* stage,
                            std::uint32_t layer_hash,
                            const int codes[kDemoMapRows][kDemoMapColumns],
                            unsigned char out[kDemoHeaderMax]);
std::size_t put_demo_frame(std::uint16_t steps, unsigned char out[2]);
std::size_t put_demo_step(const StepInput& in, unsigned char out[kDemoStepBytes]);
// The end record; version 3 adds the checksum, going on from `sum`, that of
// every byte before the record.
std::size_t put_demo_end(unsigned int version, std::uint32_t frames, std::uint32_t steps,
                         std::uint32_t sum, unsigned char out[kDemoEndBytes + kDemoChecksumBytes]);
// FNV-1a 32 of `data` going on from `sum` (kDemoChecksumStart for none yet).
std::uint32_t demo_checksum(std::uint32_t sum, const unsigned char* data, std::size_t size);

// The pointer row of a step as a demo holds it, 0 .. 32767. A row above the
// picture (negative, in a full-screen bar) is taken a whole turn lower, 360
// rows, which pitches the free camera the same.
std::int16_t demo_pointer_row(int row);

// Recording. demo_record_open writes nothing: it refuses, after one line on
// stderr, a PATH.part left by another recording, an existing PATH unless
// `overwrite`, and a folder it cannot write in. The first demo_record_frame
// creates PATH.part (never over an existing one); steps and frames are
// buffered and flushed about once a second, so a crash loses at most the last
// second. A recording that would pass `max_bytes` (what the reader takes)
// stops there with one line, and the game plays on. demo_record_close writes
// the end record, flushes and renames PATH.part to PATH. Failures print
// "vellin: ..." and return false; after one, the rest of the recording is
// dropped and close reports it.
bool demo_record_open(const char* path, unsigned int seed, bool overwrite = false,
                      long max_bytes = kMaxDemoBytes);
// The stage the recording is played on, before its first frame: its name
// (made fit by demo_stage_name) and its layer. Until then it is an empty
// layer named "jungle".
void demo_record_stage(const char* name, const int codes[kDemoMapRows][kDemoMapColumns]);
// Any name made one a demo can hold: bytes that are not allowed ('/', control
// bytes) become '_', it is cut on a UTF-8 character's boundary to fit, blanks
// at its end are dropped, and nothing left gives "stage".
void demo_stage_name(const char* name, char out[kDemoStageNameSize]);
void demo_record_step(const StepInput& in);
void demo_record_frame();
bool demo_record_close();

#endif
