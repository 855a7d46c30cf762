// The generators' random source, replaceable so tests can fix the stream.
#include <cstdlib>

#include "level/level.h"

static int standard_rand() {
    return std::rand();
}

int (*level_rand)() = standard_rand;
