// Demo files: encoding, and decoding of untrusted bytes.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "demo/demo.h"
#include "state/state.h"

namespace {

const unsigned char kMagic[8] = {'V', 'E', 'L', 'L', 'D', 'E', 'M', 'O'};
// Version 2 names the rules that recorded a demo: bridge joints hold and a
// deck is one row thick. A version 1 demo still plays, but can wander off once
// its player crosses a joint. Version 3 adds the stage's name and hash and the
// checksum; version 4 the stage's layer, so that it plays without the file.
constexpr std::uint16_t kVersion = kDemoVersion;
constexpr std::uint16_t kRulesVersion = 2;
constexpr std::uint16_t kOldestVersion = 1;
constexpr std::uint16_t kStageVersion = kDemoStageVersion;  // also the first with a checksum
constexpr std::uint16_t kLayerVersion = 4;
constexpr int kTileCodes[] = {0, 1, 5, 9};  // empty, ledge, rock, bridge
constexpr std::uint32_t kChecksumPrime = 16777619u;
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

// A stage name's byte: no folder, no control character.
bool name_byte(unsigned char c) {
    return c >= 0x20 && c != 0x7f && c != '/';
}

bool tile_code(unsigned char c) {
    for (int code : kTileCodes) {
        if (c == code) {
            return true;
        }
    }
    return false;
}

// FNV-1a 32 over the codes as one byte each, as stage_hash does.
std::uint32_t layer_hash(const int codes[kDemoMapRows][kDemoMapColumns]) {
    std::uint32_t sum = kDemoChecksumStart;
    for (int r = 0; r < kDemoMapRows; ++r) {
        for (int c = 0; c < kDemoMapColumns; ++c) {
            const unsigned char b = static_cast<unsigned char>(codes[r][c]);
            sum = demo_checksum(sum, &b, 1);
        }
    }
    return sum;
}

// Version 4's layer at `data`, kDemoLayerBytes of it.
bool read_layer(const unsigned char* data, std::size_t offset, Demo* demo, DemoError* error) {
    for (std::size_t i = 0; i < kDemoLayerBytes; ++i) {
        if (!tile_code(data[i])) {
            return fail(error, offset + i, "tile code %u in the stage's row %zu, column %zu",
                        data[i], i / kDemoMapColumns + 1, i % kDemoMapColumns + 1);
        }
        demo->codes[i / kDemoMapColumns][i % kDemoMapColumns] = data[i];
    }
    demo->has_codes = true;
    const std::uint32_t sum = demo_checksum(kDemoChecksumStart, data, kDemoLayerBytes);
    if (sum != demo->layer_hash) {
        return fail(error, kDemoHeaderBytes, "stage hash %08x, its layer's is %08x",
                    demo->layer_hash, sum);
    }
    return true;
}

std::size_t end_bytes(unsigned int version) {
    return kDemoEndBytes + (version >= kStageVersion ? kDemoChecksumBytes : 0);
}

// A recording in progress, or left by a killed one.
bool unfinished_name(const char* path) {
    const std::size_t length = std::strlen(path);
    return length > 5 && std::strcmp(path + length - 5, ".part") == 0;
}

}  // namespace

std::size_t put_demo_header(unsigned int version, unsigned int seed, const char* stage,
                            std::uint32_t hash, const int codes[kDemoMapRows][kDemoMapColumns],
                            unsigned char out[kDemoHeaderMax]) {
    std::memcpy(out, kMagic, sizeof kMagic);
    put16(static_cast<std::uint16_t>(version), out + 8);
    put16(static_cast<std::uint16_t>(kStepsPerSecond), out + 10);
    put32(seed, out + 12);
    if (version < kStageVersion) {
        return kDemoHeaderBytes;
    }
    put32(version < kLayerVersion ? hash : layer_hash(codes), out + kDemoHeaderBytes);
    const std::size_t n = strnlen(stage, kDemoStageNameSize - 1);
    out[kDemoHeaderBytes + 4] = static_cast<unsigned char>(n);
    std::memcpy(out + kDemoHeaderBytes + 5, stage, n);
    std::size_t at = kDemoHeaderBytes + 5 + n;
    if (version < kLayerVersion) {
        return at;
    }
    for (int r = 0; r < kDemoMapRows; ++r) {
        for (int c = 0; c < kDemoMapColumns; ++c) {
            out[at++] = static_cast<unsigned char>(codes[r][c]);
        }
    }
    return at;
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

std::uint32_t demo_checksum(std::uint32_t sum, const unsigned char* data, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) {
        sum = (sum ^ data[i]) * kChecksumPrime;
    }
    return sum;
}

std::size_t put_demo_end(unsigned int version, std::uint32_t frames, std::uint32_t steps,
                         std::uint32_t sum, unsigned char out[kDemoEndBytes + kDemoChecksumBytes]) {
    put16(kEndMarker, out);
    put32(frames, out + 2);
    put32(steps, out + 6);
    if (version < kStageVersion) {
        return kDemoEndBytes;
    }
    put32(demo_checksum(sum, out, kDemoEndBytes), out + kDemoEndBytes);
    return kDemoEndBytes + kDemoChecksumBytes;
}

std::vector<unsigned char> encode_demo(const Demo& demo) {
    const unsigned int version = demo.version != 0 ? demo.version : kVersion;
    std::vector<unsigned char> out(kDemoHeaderMax + 2 * demo.frame_steps.size() +
                                   kDemoStepBytes * demo.steps.size() + kDemoEndBytes +
                                   kDemoChecksumBytes);
    std::size_t at =
        put_demo_header(version, demo.seed, demo.stage, demo.layer_hash, demo.codes, out.data());
    std::size_t step = 0;
    for (std::uint16_t n : demo.frame_steps) {
        at += put_demo_frame(n, &out[at]);
        for (int i = 0; i < n && step < demo.steps.size(); ++i) {
            at += put_demo_step(demo.steps[step++], &out[at]);
        }
    }
    at += put_demo_end(version, static_cast<std::uint32_t>(demo.frame_steps.size()),
                       static_cast<std::uint32_t>(demo.steps.size()),
                       demo_checksum(kDemoChecksumStart, out.data(), at), &out[at]);
    out.resize(at);
    return out;
}

bool parse_demo(const unsigned char* data, std::size_t size, bool unfinished, Demo* demo,
                DemoError* error) {
    *demo = Demo{};
    if (size == 0) {
        return fail(error, 0, "empty, not a demo file");
    }
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
    if (demo->version >= kStageVersion) {
        if (size - at < 5) {
            return fail(error, size, "truncated stage record");
        }
        demo->layer_hash = get32(data + at);
        const std::size_t n = data[at + 4];
        if (n == 0 || n >= static_cast<std::size_t>(kDemoStageNameSize)) {
            return fail(error, at + 4, "stage name of %zu bytes", n);
        }
        at += 5;
        if (size - at < n) {
            return fail(error, size, "truncated stage name");
        }
        for (std::size_t i = 0; i < n; ++i) {
            if (!name_byte(data[at + i])) {
                return fail(error, at + i, "byte 0x%02x in the stage name", data[at + i]);
            }
        }
        std::memcpy(demo->stage, data + at, n);
        at += n;
    }
    if (demo->version >= kLayerVersion) {
        if (size - at < kDemoLayerBytes) {
            return fail(error, size, "truncated stage layer");
        }
        if (!read_layer(data + at, at, demo, error)) {
            return false;
        }
        at += kDemoLayerBytes;
    }
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
    const std::size_t end_size = end_bytes(demo->version);
    if (size - at < end_size) {
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
    if (at + end_size != size) {
        return fail(error, at + end_size, "data after the end record");
    }
    if (end_size > kDemoEndBytes) {
        const std::uint32_t sum = demo_checksum(kDemoChecksumStart, data, at + kDemoEndBytes);
        if (get32(data + at + kDemoEndBytes) != sum) {
            return fail(error, at + kDemoEndBytes, "checksum 0x%08x, not 0x%08x: damaged",
                        get32(data + at + kDemoEndBytes), sum);
        }
    }
    return true;
}

void demo_stage_name(const char* name, char out[kDemoStageNameSize]) {
    std::size_t n = 0;
    for (; name[n] != '\0' && n < kDemoStageNameSize - 1; ++n) {
        out[n] = name_byte(static_cast<unsigned char>(name[n])) ? name[n] : '_';
    }
    // Cut inside a character: drop its lead and continuation bytes.
    if (name[n] != '\0' && (static_cast<unsigned char>(name[n]) & 0xc0) == 0x80) {
        while (n > 0 && (static_cast<unsigned char>(out[n - 1]) & 0xc0) == 0x80) {
            --n;
        }
        n -= n > 0 && static_cast<unsigned char>(out[n - 1]) >= 0xc0 ? 1 : 0;
    }
    while (n > 0 && out[n - 1] == ' ') {
        --n;
    }
    out[n] = '\0';
    if (n == 0) {
        std::snprintf(out, kDemoStageNameSize, "stage");
    }
}

std::int16_t demo_pointer_row(int row) {
    if (row < kLowestPointerRow) {
        return static_cast<std::int16_t>(row % kPitchTurnRows + kPitchTurnRows);
    }
    return static_cast<std::int16_t>(row > INT16_MAX ? INT16_MAX : row);
}

bool read_demo(const char* path, Demo* demo, char* why, std::size_t size) {
    // Without blocking: a fifo would wait for a writer for ever.
    const int fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    struct stat st;
    if (fd < 0 || fstat(fd, &st) != 0) {
        std::snprintf(why, size, "%s", std::strerror(errno));
        if (fd >= 0) {
            close(fd);
        }
        return false;
    }
    if (!S_ISREG(st.st_mode)) {
        std::snprintf(why, size, "%s",
                      S_ISDIR(st.st_mode)    ? std::strerror(EISDIR)
                      : S_ISFIFO(st.st_mode) ? "a fifo, not a demo file"
                                             : "not a regular file");
        close(fd);
        return false;
    }
    std::FILE* f = fdopen(fd, "rb");
    if (f == nullptr) {
        std::snprintf(why, size, "%s", std::strerror(errno));
        close(fd);
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
    if (demo->version < kRulesVersion) {
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
