// Private to the input library: the table of actions with their defaults,
// shared by the bindings, the settings reader and the printed defaults.
#ifndef VELLIN_INPUT_LOCAL_H
#define VELLIN_INPUT_LOCAL_H

#include <cstdint>

#include "input/input.h"

struct ActionInfo {
    const char* name;   // entry name in [keys] and [pad]
    std::uint16_t bit;  // StepKey bit; 0 for actions outside a step
    Binding defaults;
    const char* help;  // one line for the printed defaults
};
extern const ActionInfo kActionInfo[kActionCount];  // indexed by Action

extern const PadLayout kDefaultPadLayout;

#endif
