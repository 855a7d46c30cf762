// Waveform pictures of the sounds, for the documentation.
#include <algorithm>
#include <cmath>
#include <vector>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

#include "sounds.h"

namespace soundgen {

bool write_waveform_png(const std::string& path, const Samples& s, double tick) {
    const int width = 640, height = 120, middle = height / 2 - 6, half = middle - 4;
    struct Colour {
        unsigned char r, g, b;
    };
    const Colour background{16, 20, 24}, axis{60, 66, 72}, peak{95, 191, 111}, rms{168, 230, 176};
    std::vector<unsigned char> pixels(width * height * 3);
    auto put = [&](int x, int y, Colour c) {
        unsigned char* p = &pixels[(y * width + x) * 3];
        p[0] = c.r;
        p[1] = c.g;
        p[2] = c.b;
    };
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            put(x, y, background);
    const double seconds = static_cast<double>(s.size()) / kRate;
    for (int x = 0; x < width; ++x) {
        const std::size_t from = s.size() * x / width, to = s.size() * (x + 1) / width;
        double lo = 0, hi = 0, power = 0;
        for (std::size_t i = from; i < to; ++i) {
            lo = std::min(lo, s[i]);
            hi = std::max(hi, s[i]);
            power += s[i] * s[i];
        }
        const double r = to > from ? std::sqrt(power / (to - from)) : 0;
        put(x, middle, axis);
        for (int y = middle - static_cast<int>(hi * half);
             y <= middle - static_cast<int>(lo * half); ++y)
            put(x, y, peak);
        for (int y = middle - static_cast<int>(r * half); y <= middle + static_cast<int>(r * half);
             ++y)
            put(x, y, rms);
    }
    for (int k = 0; k * tick <= seconds; ++k) {
        const int x = std::min(width - 1, static_cast<int>(k * tick / seconds * width));
        for (int y = height - 8; y < height - 2; ++y)
            put(x, y, axis);
    }
    stbi_write_png_compression_level = 8;
    stbi_write_force_png_filter = -1;
    return stbi_write_png(path.c_str(), width, height, 3, pixels.data(), width * 3) != 0;
}

}  // namespace soundgen
