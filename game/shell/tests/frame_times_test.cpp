#include <gtest/gtest.h>

#include "shell/frame_times.h"

TEST(FrameTimes, TimedemoLineSumsUpTheFrameTimes) {
    FrameTimes times;
    for (double ms : {10.0, 20.0, 30.0, 20.0}) {
        add_frame_time(&times, ms);
    }
    char line[160];
    describe_frame_times(times, line, sizeof line);
    // 80 ms in all; deviations -10, 0, 10, 0: variance 50, stddev 7.07.
    EXPECT_STREQ(
        line, "4 frames, 0.1 seconds, 50.0 fps (min 10.0 / avg 20.0 / max 30.0 / stddev 7.1 ms)");
}
