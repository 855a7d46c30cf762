// The clock's text: whole steps turned into minutes, seconds and
// milliseconds with integers only, so that a time reads the same everywhere.
#include <cstdio>

#include "trial/trial.h"

namespace {

// Whole seconds first and unsigned: a count from a file (--verify) stays
// defined however large, and every field's width is known.
unsigned long milliseconds(unsigned long steps) {
    return steps / kStepsPerSecond * 1000 + steps % kStepsPerSecond * 1000 / kStepsPerSecond;
}

unsigned long magnitude(long steps) {
    return steps < 0 ? 0UL - static_cast<unsigned long>(steps) : static_cast<unsigned long>(steps);
}

}  // namespace

void format_clock(long steps, char out[kClockTextSize]) {
    const unsigned long ms = milliseconds(steps < 0 ? 0 : magnitude(steps));
    std::snprintf(out, kClockTextSize, "%lu:%02lu.%03lu", ms / 60000, ms / 1000 % 60, ms % 1000);
}

void format_difference(long steps, char out[kClockTextSize]) {
    const char sign = steps < 0 ? '-' : '+';
    const unsigned long ms = milliseconds(magnitude(steps));
    if (ms < 60000) {
        std::snprintf(out, kClockTextSize, "%c%lu.%03lu", sign, ms / 1000, ms % 1000);
    } else {
        std::snprintf(out, kClockTextSize, "%c%lu:%02lu.%03lu", sign, ms / 60000, ms / 1000 % 60,
                      ms % 1000);
    }
}
