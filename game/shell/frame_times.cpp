#include "shell/frame_times.h"

#include <cmath>
#include <cstdio>

// Welford's running mean and spread: no list of times is kept.
void add_frame_time(FrameTimes* t, double ms) {
    if (t->frames == 0 || ms < t->min_ms) {
        t->min_ms = ms;
    }
    if (t->frames == 0 || ms > t->max_ms) {
        t->max_ms = ms;
    }
    ++t->frames;
    t->total_ms += ms;
    const double before = ms - t->mean_ms;
    t->mean_ms += before / static_cast<double>(t->frames);
    t->spread += before * (ms - t->mean_ms);
}

void describe_frame_times(const FrameTimes& t, char* out, std::size_t size) {
    const double seconds = t.total_ms / 1000.0;
    const double fps = seconds > 0.0 ? static_cast<double>(t.frames) / seconds : 0.0;
    const double stddev = t.frames > 0 ? std::sqrt(t.spread / static_cast<double>(t.frames)) : 0.0;
    std::snprintf(out, size,
                  "%ld frames, %.1f seconds, %.1f fps (min %.1f / avg %.1f / max %.1f / stddev "
                  "%.1f ms)",
                  t.frames, seconds, fps, t.min_ms, t.mean_ms, t.max_ms, stddev);
}
