// The clock's text: whole steps turned into minutes, seconds and
// milliseconds with integers only, so that a time reads the same everywhere.
#include <cstdio>

#include "trial/trial.h"

namespace {

long milliseconds(long steps) {
    return steps * 1000 / kStepsPerSecond;
}

}  // namespace

void format_clock(long steps, char out[kClockTextSize]) {
    const long ms = milliseconds(steps < 0 ? 0 : steps);
    std::snprintf(out, kClockTextSize, "%ld:%02ld.%03ld", ms / 60000, ms / 1000 % 60, ms % 1000);
}

void format_difference(long steps, char out[kClockTextSize]) {
    const char sign = steps < 0 ? '-' : '+';
    const long ms = milliseconds(steps < 0 ? -steps : steps);
    if (ms < 60000) {
        std::snprintf(out, kClockTextSize, "%c%ld.%03ld", sign, ms / 1000, ms % 1000);
    } else {
        std::snprintf(out, kClockTextSize, "%c%ld:%02ld.%03ld", sign, ms / 60000, ms / 1000 % 60,
                      ms % 1000);
    }
}
