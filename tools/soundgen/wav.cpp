// The list of sounds and their WAV files.
#include "sounds.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdint>

namespace soundgen {

std::vector<Sound> make_sounds() {
    return {{"step_rock.wav", footstep_rock()}, {"step_plank.wav", footstep_plank()},
            {"jump.wav", jump_push()},          {"land.wav", landing_thud()},
            {"crouch.wav", crouch_rustle()},    {"jungle.wav", jungle_ambience()}};
}

namespace {

void put16(std::vector<unsigned char>& out, unsigned v) {
    out.push_back(v & 0xff);
    out.push_back((v >> 8) & 0xff);
}
void put32(std::vector<unsigned char>& out, std::uint32_t v) {
    put16(out, v & 0xffff);
    put16(out, v >> 16);
}
void put_tag(std::vector<unsigned char>& out, const char* tag) {
    out.insert(out.end(), tag, tag + 4);
}

}  // namespace

bool write_wav(const std::string& path, const Samples& s) {
    const std::uint32_t data_bytes = static_cast<std::uint32_t>(s.size() * 2);
    std::vector<unsigned char> out;
    put_tag(out, "RIFF");
    put32(out, 36 + data_bytes);
    put_tag(out, "WAVE");
    put_tag(out, "fmt ");
    put32(out, 16);
    put16(out, 1);  // PCM
    put16(out, 1);  // mono
    put32(out, kRate);
    put32(out, kRate * 2);  // bytes per second
    put16(out, 2);          // bytes per frame
    put16(out, 16);         // bits per sample
    put_tag(out, "data");
    put32(out, data_bytes);
    for (double x : s) {
        const long v = std::lround(std::clamp(x, -1.0, 1.0) * 32767);
        put16(out, static_cast<unsigned>(static_cast<std::uint16_t>(static_cast<std::int16_t>(v))));
    }
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr)
        return false;
    const bool written = std::fwrite(out.data(), 1, out.size(), f) == out.size();
    return std::fclose(f) == 0 && written;
}

}  // namespace soundgen
