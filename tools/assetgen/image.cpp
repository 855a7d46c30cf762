#include "image.h"

#include <algorithm>
#include <cmath>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

namespace assetgen {

Image::Image(int width, int height, const Rgb& fill)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height, fill) {}

bool Image::write_png(const std::string& path) const {
    std::vector<unsigned char> bytes(pixels_.size() * 3);
    for (size_t i = 0; i < pixels_.size(); ++i) {
        const Rgb& c = pixels_[i];
        const double channels[3] = {c.r, c.g, c.b};
        for (int k = 0; k < 3; ++k)
            bytes[i * 3 + k] =
                static_cast<unsigned char>(std::lround(std::clamp(channels[k], 0.0, 1.0) * 255));
    }
    stbi_write_png_compression_level = 8;
    stbi_write_force_png_filter = -1;
    return stbi_write_png(path.c_str(), width_, height_, 3, bytes.data(), width_ * 3) != 0;
}

double hash01(int x, int y, int seed) {
    uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u +
                 static_cast<uint32_t>(seed) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xffffff) / static_cast<double>(0xffffff);
}

double value_noise(double x, double y, int period, int seed) {
    int xi = static_cast<int>(std::floor(x)), yi = static_cast<int>(std::floor(y));
    double fx = x - xi, fy = y - yi;
    fx = fx * fx * (3 - 2 * fx);
    fy = fy * fy * (3 - 2 * fy);
    auto at = [&](int a, int b) {
        if (period > 0) {
            a = ((a % period) + period) % period;
            b = ((b % period) + period) % period;
        }
        return hash01(a, b, seed);
    };
    double top = at(xi, yi) + (at(xi + 1, yi) - at(xi, yi)) * fx;
    double bottom = at(xi, yi + 1) + (at(xi + 1, yi + 1) - at(xi, yi + 1)) * fx;
    return top + (bottom - top) * fy;
}

double fractal_noise(double x, double y, int period, int octaves, int seed) {
    double sum = 0, amp = 0.5, norm = 0;
    for (int o = 0; o < octaves; ++o) {
        sum += amp * value_noise(x, y, period, seed + o * 101);
        norm += amp;
        x *= 2;
        y *= 2;
        if (period > 0)
            period *= 2;
        amp *= 0.5;
    }
    return sum / norm;
}

}  // namespace assetgen
