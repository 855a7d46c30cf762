// Recording a demo while the game runs. Everything the frame loop touches is
// allocated here statically, before the loop starts.
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstring>

#include "demo/demo.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kFlushEvery = std::chrono::seconds(1);

std::FILE* file;
char final_path[PATH_MAX];
char part_path[PATH_MAX];
char file_buffer[1 << 16];
StepInput frame[kMaxStepsPerFrame];  // the steps of the frame being run
int frame_count_steps;
std::uint32_t frames, steps;
Clock::time_point last_flush;
bool failed;

void give_up(const char* what) {
    if (!failed) {
        std::fprintf(stderr, "vellin: %s %s: %s\n", what, part_path, std::strerror(errno));
    }
    failed = true;
}

void put(const unsigned char* bytes, std::size_t n) {
    if (!failed && std::fwrite(bytes, 1, n, file) != n) {
        give_up("cannot write the demo");
    }
}

}  // namespace

bool demo_record_open(const char* path, unsigned int seed) {
    const int n = std::snprintf(part_path, sizeof part_path, "%s.part", path);
    if (n < 0 || n >= static_cast<int>(sizeof part_path)) {
        std::fprintf(stderr, "vellin: %s: name too long\n", path);
        return false;
    }
    std::snprintf(final_path, sizeof final_path, "%s", path);
    file = std::fopen(part_path, "wb");
    if (file == nullptr) {
        std::fprintf(stderr, "vellin: cannot create %s: %s\n", part_path, std::strerror(errno));
        return false;
    }
    std::setvbuf(file, file_buffer, _IOFBF, sizeof file_buffer);
    failed = false;
    frames = steps = 0;
    frame_count_steps = 0;
    unsigned char header[kDemoHeaderBytes];
    put(header, put_demo_header(seed, header));
    last_flush = Clock::now();
    return !failed;
}

// The loop never runs more than kMaxStepsPerFrame steps in a recorded frame.
void demo_record_step(const StepInput& in) {
    if (frame_count_steps < kMaxStepsPerFrame) {
        frame[frame_count_steps++] = in;
    }
}

void demo_record_frame() {
    unsigned char bytes[kDemoStepBytes];
    put(bytes, put_demo_frame(static_cast<std::uint16_t>(frame_count_steps), bytes));
    for (int i = 0; i < frame_count_steps; ++i) {
        put(bytes, put_demo_step(frame[i], bytes));
    }
    steps += static_cast<std::uint32_t>(frame_count_steps);
    ++frames;
    frame_count_steps = 0;
    const Clock::time_point now = Clock::now();
    if (!failed && now - last_flush >= kFlushEvery) {
        if (std::fflush(file) != 0) {
            give_up("cannot write the demo");
        }
        last_flush = now;
    }
}

bool demo_record_close() {
    if (file == nullptr) {
        return false;
    }
    unsigned char end[kDemoEndBytes];
    put(end, put_demo_end(frames, steps, end));
    if (!failed && (std::fflush(file) != 0 || fsync(fileno(file)) != 0)) {
        give_up("cannot write the demo");
    }
    if (std::fclose(file) != 0) {
        give_up("cannot write the demo");
    }
    file = nullptr;
    if (failed) {
        return false;
    }
    if (std::rename(part_path, final_path) != 0) {
        give_up("cannot rename the demo");
        return false;
    }
    return true;
}
