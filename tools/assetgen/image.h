// RGB images, deterministic noise for painting them, and PNG output.
#ifndef ASSETGEN_IMAGE_H
#define ASSETGEN_IMAGE_H

#include <cstdint>
#include <string>
#include <vector>

namespace assetgen {

struct Rgb {
    double r, g, b;  // 0..1
};

inline Rgb mix(const Rgb& a, const Rgb& b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
inline Rgb shade(const Rgb& a, double k) {
    return {a.r * k, a.g * k, a.b * k};
}

class Image {
  public:
    Image(int width, int height, const Rgb& fill);
    int width() const { return width_; }
    int height() const { return height_; }
    Rgb get(int x, int y) const { return pixels_[y * width_ + x]; }
    void set(int x, int y, const Rgb& c) { pixels_[y * width_ + x] = c; }
    // 8-bit RGB PNG with fixed settings, so equal images give equal bytes.
    bool write_png(const std::string& path) const;

  private:
    int width_, height_;
    std::vector<Rgb> pixels_;
};

// Hash-based value noise in [0, 1]; `period` makes it tile.
double hash01(int x, int y, int seed);
double value_noise(double x, double y, int period, int seed);
double fractal_noise(double x, double y, int period, int octaves, int seed);

}  // namespace assetgen

#endif
