// Demo files: encoding, and decoding of untrusted bytes.
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "demo/demo.h"
#include "state/state.h"

namespace {

const unsigned char kMagic[8] = {'V', 'E', 'L', 'L', 'D', 'E', 'M', 'O'};
// The version names the rules that recorded a demo: 2 since bridge joints hold
// and a deck is one row thick. A version 1 demo still plays, but can wander
// off once its player crosses a joint.
constexpr std::uint16_t kVersion = 2;
constexpr std::uint16_t kOldestVersion = 1;
constexpr std::uint16_t kEndMarker = 0xffff;
constexpr int kLowestPointerRow = 0;
constexpr int kPitchTurnRows = 360;  // the free camera pitches a degree a row

void put16(std::uint16_t v, unsigned char* out) {
    out[0] = static_cast<unsigned char>(v & 0xff);
    out[1] = static_cast<unsigned char>(v >> 8);
}
void put32(std::uint32_t v, unsigned char* out) {
    put16(static_cast<std::uint16_t>(v & 0xffff), out);
    put16(static_cast<std::uint16_t>(v >> 16), out + 2);
}
std::uint16_t get16(const unsigned char* in) {
    return static_cast<std::uint16_t>(in[0] | (in[1] << 8));
}
std::uint32_t get32(const unsigned char* in) {
    return get16(in) | (static_cast<std::uint32_t>(get16(in + 2)) << 16);
}

bool fail(DemoError* error, std::size_t offset, const char* format, ...) {
    error->offset = offset;
    va_list args;
    va_start(args, format);
    std::vsnprintf(error->reason, sizeof error->reason, format, args);
    va_end(args);
    return false;
}

// Checks one step's values; false names the fault.
bool read_step(const unsigned char* at, std::size_t offset, StepInput* in, DemoError* error) {
    in->keys = get16(at);
    in->mickey_x = static_cast<std::int16_t>(get16(at + 2));
    in->mouse_y = static_cast<std::int16_t>(get16(at + 4));
    if (in->keys & ~kStepKeyMask) {
        return fail(error, offset, "unknown key bits 0x%04x", in->keys);
    }
    if (in->mouse_y < kLowestPointerRow) {
        return fail(error, offset + 4, "impossible pointer row %d", in->mouse_y);
    }
    return true;
}

// A recording in progress, or left by a killed one.
bool unfinished_name(const char* path) {
    const std::size_t length = std::strlen(path);
    return length > 5 && std::strcmp(path + length - 5, ".part") == 0;
}

}  // namespace

std::size_t put_demo_header(unsigned int seed, unsigned char out[kDemoHeaderBytes]) {
    std::memcpy(out, kMagic, sizeof kMagic);
    put16(kVersion, out + 8);
    put16(static_cast<std::uint16_t>(kStepsPerSecond), out + 10);
    put32(seed, out + 12);
    return kDemoHeaderBytes;
}

std::size_t put_demo_frame(std::uint16_t steps, unsigned char out[2]) {
    put16(steps, out);
    return 2;
}

std::size_t put_demo_step(const StepInput& in, unsigned char out[kDemoStepBytes]) {
    put16(in.keys, out);
    put16(static_cast<std::uint16_t>(in.mickey_x), out + 2);
    put16(static_cast<std::uint16_t>(in.mouse_y), out + 4);
    return kDemoStepBytes;
}

std::size_t put_demo_end(std::uint32_t frames, std::uint32_t steps,
                         unsigned char out[kDemoEndBytes]) {
    put16(kEndMarker, out);
    put32(frames, out + 2);
    put32(steps, out + 6);
    return kDemoEndBytes;
}

std::vector<unsigned char> encode_demo(const Demo& demo) {
    std::vector<unsigned char> out(kDemoHeaderBytes + 2 * demo.frame_steps.size() +
                                   kDemoStepBytes * demo.steps.size() + kDemoEndBytes);
    std::size_t at = put_demo_header(demo.seed, out.data());
    std::size_t step = 0;
    for (std::uint16_t n : demo.frame_steps) {
        at += put_demo_frame(n, &out[at]);
        for (int i = 0; i < n && step < demo.steps.size(); ++i) {
            at += put_demo_step(demo.steps[step++], &out[at]);
        }
    }
    at += put_demo_end(static_cast<std::uint32_t>(demo.frame_steps.size()),
                       static_cast<std::uint32_t>(demo.steps.size()), &out[at]);
    out.resize(at);
    return out;
}

bool parse_demo(const unsigned char* data, std::size_t size, bool unfinished, Demo* demo,
                DemoError* error) {
    *demo = Demo{};
    if (size < sizeof kMagic || std::memcmp(data, kMagic, sizeof kMagic) != 0) {
        return fail(error, 0, "not a demo file (no VELLDEMO magic)");
    }
    // Each field is judged as soon as it is there, the version first.
    if (size >= 10) {
        demo->version = get16(data + 8);
        if (demo->version < kOldestVersion || demo->version > kVersion) {
            return fail(error, 8, "unknown format version %u", demo->version);
        }
    }
    if (size >= 12 && get16(data + 10) != kStepsPerSecond) {
        return fail(error, 10, "%u steps per second, not %u", get16(data + 10),
                    static_cast<unsigned>(kStepsPerSecond));
    }
    if (size < kDemoHeaderBytes) {
        return fail(error, size, "truncated header");
    }
    demo->seed = get32(data + 12);

    std::size_t at = kDemoHeaderBytes;
    bool ended = false;
    while (!ended) {
        if (size - at < 2) {
            if (unfinished) {
                break;
            }
            return fail(error, size, "truncated: the file ends without its end record");
        }
        const std::uint16_t n = get16(data + at);
        if (n == kEndMarker) {
            ended = true;
            break;
        }
        if (n > kMaxStepsPerFrame) {
            return fail(error, at, "impossible step count %u in one frame", n);
        }
        if ((size - at - 2) / kDemoStepBytes < n) {
            if (unfinished) {
                break;
            }
            return fail(error, size, "truncated inside frame %zu", demo->frame_steps.size() + 1);
        }
        at += 2;
        for (int i = 0; i < n; ++i, at += kDemoStepBytes) {
            StepInput in;
            if (!read_step(data + at, at, &in, error)) {
                return false;
            }
            demo->steps.push_back(in);
        }
        demo->frame_steps.push_back(n);
    }

    if (!ended) {  // an unfinished recording, cut after its last whole frame
        if (demo->frame_steps.empty()) {
            return fail(error, at, "no whole frame recorded");
        }
        return true;
    }
    if (size - at < kDemoEndBytes) {
        if (unfinished && !demo->frame_steps.empty()) {
            return true;
        }
        return fail(error, size, "truncated end record");
    }
    const std::uint32_t frames = get32(data + at + 2);
    const std::uint32_t steps = get32(data + at + 6);
    if (frames != demo->frame_steps.size() || steps != demo->steps.size()) {
        return fail(error, at + 2,
                    "end record counts %u frames and %u steps, the file holds %zu and %zu", frames,
                    steps, demo->frame_steps.size(), demo->steps.size());
    }
    if (frames == 0) {
        return fail(error, at, "no frames");
    }
    if (at + kDemoEndBytes != size) {
        return fail(error, at + kDemoEndBytes, "data after the end record");
    }
    return true;
}

std::int16_t demo_pointer_row(int row) {
    if (row < kLowestPointerRow) {
        return static_cast<std::int16_t>(row % kPitchTurnRows + kPitchTurnRows);
    }
    return static_cast<std::int16_t>(row > INT16_MAX ? INT16_MAX : row);
}

bool read_demo(const char* path, Demo* demo, char* why, std::size_t size) {
    std::FILE* f = std::fopen(path, "rb");
    if (f == nullptr) {
        std::snprintf(why, size, "%s", std::strerror(errno));
        return false;
    }
    // Read in pieces, so that the size in the file system is never trusted.
    std::vector<unsigned char> bytes;
    unsigned char piece[65536];
    std::size_t got = 0;
    while ((got = std::fread(piece, 1, sizeof piece, f)) > 0 &&
           bytes.size() <= static_cast<std::size_t>(kMaxDemoBytes)) {
        bytes.insert(bytes.end(), piece, piece + got);
    }
    // fopen takes a directory; its first read fails with EISDIR.
    const int read_errno = std::ferror(f) == 0 ? 0 : errno != 0 ? errno : EIO;
    std::fclose(f);
    if (read_errno != 0) {
        std::snprintf(why, size, "%s", std::strerror(read_errno));
        return false;
    }
    if (bytes.size() > static_cast<std::size_t>(kMaxDemoBytes)) {
        std::snprintf(why, size, "offset %ld: too large for a demo (over %ld bytes)", kMaxDemoBytes,
                      kMaxDemoBytes);
        return false;
    }
    DemoError error;
    if (!parse_demo(bytes.data(), bytes.size(), unfinished_name(path), demo, &error)) {
        std::snprintf(why, size, "offset %zu: %s", error.offset, error.reason);
        return false;
    }
    return true;
}

bool load_demo(const char* path, Demo* demo) {
    char why[128];
    if (!read_demo(path, demo, why, sizeof why)) {
        std::fprintf(stderr, "vellin: %s: %s\n", path, why);
        return false;
    }
    if (demo->version < kVersion) {
        std::fprintf(stderr,
                     "vellin: %s: recorded by an older version of the game (demo version %u); "
                     "it may not replay exactly\n",
                     path, demo->version);
    }
    if (unfinished_name(path)) {
        std::fprintf(stderr, "vellin: %s: unfinished recording, playing its %zu whole frames\n",
                     path, demo->frame_steps.size());
    }
    return true;
}
