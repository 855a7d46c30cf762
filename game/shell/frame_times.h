// Frame times of a timedemo and the line that sums them up.
#ifndef VELLIN_FRAME_TIMES_H
#define VELLIN_FRAME_TIMES_H

#include <cstddef>

struct FrameTimes {
    long frames = 0;
    double total_ms = 0.0;
    double min_ms = 0.0;
    double max_ms = 0.0;
    double mean_ms = 0.0;
    double spread = 0.0;  // sum of squared deviations from the mean, ms^2
};

void add_frame_time(FrameTimes* times, double ms);
// "N frames, S seconds, F fps (min a / avg b / max c / stddev d ms)"
void describe_frame_times(const FrameTimes& times, char* out, std::size_t size);

#endif
