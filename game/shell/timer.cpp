#include <allegro.h>

#include "shell/shell.h"

// Runs on Allegro's timer thread, 120 times a second.
void timer() {
    counter.fetch_add(1, std::memory_order_relaxed);
}
END_OF_FUNCTION(timer)
