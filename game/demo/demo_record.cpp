// Recording a demo while the game runs. Everything the frame loop touches is
// allocated here statically, before the loop starts.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstring>

#include "demo/demo.h"
#include "state/state.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kFlushEvery = std::chrono::seconds(1);

std::FILE* file;  // null until the first frame
char final_path[PATH_MAX];
char part_path[PATH_MAX];
char file_buffer[1 << 16];
StepInput frame[kMaxStepsPerFrame];  // the steps of the frame being run
int frame_count_steps;
std::uint32_t frames, steps;
unsigned int demo_seed;
char demo_stage[kDemoStageNameSize];
int demo_codes[kDemoMapRows][kDemoMapColumns];
std::uint32_t sum;  // checksum of every byte written so far
long byte_limit;
long bytes;  // in the file so far
Clock::time_point last_flush;
bool full;  // at byte_limit: the frames after are not recorded
bool failed;

void give_up(const char* what) {
    if (!failed) {
        std::fprintf(stderr, "vellin: %s %s: %s\n", what, part_path, std::strerror(errno));
    }
    failed = true;
}

void put(const unsigned char* data, std::size_t n) {
    if (!failed && std::fwrite(data, 1, n, file) != n) {
        give_up("cannot write the demo");
    }
    sum = demo_checksum(sum, data, n);
    bytes += static_cast<long>(n);
}

// "x" never replaces a file: another recording may have begun under the name.
bool create_part() {
    file = std::fopen(part_path, "wbx");
    if (file == nullptr) {
        give_up("cannot create");
        return false;
    }
    std::setvbuf(file, file_buffer, _IOFBF, sizeof file_buffer);
    unsigned char header[kDemoHeaderMax];
    put(header, put_demo_header(kDemoVersion, demo_seed, demo_stage, 0, demo_codes, header));
    last_flush = Clock::now();
    return true;
}

// One line on what a .part left by another recording holds, and what to do.
void refuse_part() {
    Demo left;
    char why[128];
    if (read_demo(part_path, &left, why, sizeof why)) {
        std::fprintf(stderr,
                     "vellin: %s holds an unfinished recording (%zu whole frames, %zu s of play): "
                     "play it with --play %s, rename it or remove it\n",
                     part_path, left.frame_steps.size(), left.steps.size() / kStepsPerSecond,
                     part_path);
    } else {
        std::fprintf(stderr, "vellin: %s is in the way (%s): rename it or remove it\n", part_path,
                     why);
    }
}

// Whether the folder that will hold PATH takes new files.
bool folder_writable(const char* path) {
    char folder[PATH_MAX];
    std::snprintf(folder, sizeof folder, "%s", path);
    char* slash = std::strrchr(folder, '/');
    if (slash == nullptr) {
        std::snprintf(folder, sizeof folder, ".");
    } else {
        slash[slash == folder ? 1 : 0] = '\0';
    }
    return access(folder, W_OK | X_OK) == 0;
}

}  // namespace

bool demo_record_open(const char* path, unsigned int seed, bool overwrite, long max_bytes) {
    const int n = std::snprintf(part_path, sizeof part_path, "%s.part", path);
    if (n < 0 || n >= static_cast<int>(sizeof part_path)) {
        std::fprintf(stderr, "vellin: %s: name too long\n", path);
        return false;
    }
    std::snprintf(final_path, sizeof final_path, "%s", path);
    struct stat st;
    if (lstat(part_path, &st) == 0) {
        refuse_part();
        return false;
    }
    if (!overwrite && lstat(path, &st) == 0) {
        std::fprintf(stderr,
                     "vellin: %s exists already: give --overwrite to replace it, or another name\n",
                     path);
        return false;
    }
    if (!folder_writable(path)) {
        std::fprintf(stderr, "vellin: cannot create %s: %s\n", part_path, std::strerror(errno));
        return false;
    }
    file = nullptr;
    demo_seed = seed;
    static const int kEmpty[kDemoMapRows][kDemoMapColumns] = {};
    demo_record_stage("jungle", kEmpty);
    sum = kDemoChecksumStart;
    byte_limit = max_bytes;
    bytes = 0;
    failed = full = false;
    frames = steps = 0;
    frame_count_steps = 0;
    return true;
}

void demo_record_stage(const char* name, const int codes[kDemoMapRows][kDemoMapColumns]) {
    demo_stage_name(name, demo_stage);
    std::memcpy(demo_codes, codes, sizeof demo_codes);
}

// The loop never runs more than kMaxStepsPerFrame steps in a recorded frame.
void demo_record_step(const StepInput& in) {
    if (frame_count_steps < kMaxStepsPerFrame) {
        frame[frame_count_steps++] = in;
    }
}

void demo_record_frame() {
    const int n = frame_count_steps;
    frame_count_steps = 0;
    if (failed || full || (file == nullptr && !create_part())) {
        return;
    }
    constexpr long kEnd = kDemoEndBytes + kDemoChecksumBytes;
    if (bytes + 2 + static_cast<long>(kDemoStepBytes) * n + kEnd > byte_limit) {
        full = true;
        std::fprintf(stderr,
                     "vellin: %s: the demo is full (%ld bytes, %u s of play); the game goes on "
                     "unrecorded\n",
                     part_path, byte_limit, steps / kStepsPerSecond);
        return;
    }
    unsigned char data[kDemoStepBytes];
    put(data, put_demo_frame(static_cast<std::uint16_t>(n), data));
    for (int i = 0; i < n; ++i) {
        put(data, put_demo_step(frame[i], data));
    }
    steps += static_cast<std::uint32_t>(n);
    ++frames;
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
        if (!failed) {
            std::fprintf(stderr, "vellin: no frame was recorded; %s not written\n", final_path);
        }
        return false;
    }
    unsigned char end[kDemoEndBytes + kDemoChecksumBytes];
    put(end, put_demo_end(kDemoVersion, frames, steps, sum, end));
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
