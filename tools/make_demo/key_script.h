// Key scripts: a demo written as a list of key holds, so that it can be
// changed and made again instead of re-recorded by hand.
//
//   # a comment
//   seed 1              the stage's random seed
//   steps-per-frame 6   physics steps in each frame (1/20 s)
//   120 -               120 steps without a key
//   280 right down      280 steps holding Right and Down
// Keys: left right up down x z u y w s a d. The steps of all holds run one
// after another and are cut into frames of steps-per-frame steps.
#ifndef VELLIN_KEY_SCRIPT_H
#define VELLIN_KEY_SCRIPT_H

#include <string>
#include <vector>

#include "demo/demo.h"

struct KeyHold {
    int line;  // in the script, from 1
    int steps;
    std::uint16_t keys;
};

struct KeyScript {
    unsigned int seed = 0;
    int steps_per_frame = 1;
    std::vector<KeyHold> holds;
};

// Returns false with "line N: reason" in `error` on a malformed script.
bool parse_key_script(const std::string& text, KeyScript* script, std::string* error);
Demo demo_from_script(const KeyScript& script);

#endif
