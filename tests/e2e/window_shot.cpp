// Screenshots of a window for the end-to-end scripts, taken and compared in
// this one process rather than by several ImageMagick starts per attempt:
//   window_shot drawn  <window> <out.png> <lit> <timeout s>
//     the first picture with over <lit> lit pixels (the window is black until
//     the program has started)
//   window_shot still  <window> <out.png> <lit> <timeout s> <rest ms> [<ref.png>]
//     the first picture with over <lit> lit pixels that has been at rest for
//     <rest ms> (no grab in that time differs from it); with <ref.png>, only
//     once the picture has left that one (a key's effect has been drawn)
//   window_shot differ <a.png> <b.png> [<crop>]
//     how many pixels differ by more than 10% (ImageMagick's
//     compare -metric AE -fuzz 10%)
//   window_shot mean <png> [<crop>]
//     the mean of all channels, 0 to 1000 (ImageMagick's int(mean * 1000))
//   window_shot pixels <png> <crop> <r lo> <r hi> <g lo> <g hi> <b lo> <b hi>
//     how many pixels have every channel, from 0 to 1, strictly between its
//     bounds
//   window_shot first <png> <row> <min>
//     the first column on that row whose r + g + b is over <min>, 0 if none
//   window_shot rmse <a.png> <b.png> [<crop of a> [<crop of b>]]
//     the root mean square difference, 0 to 1 (compare -metric RMSE)
//   window_shot rows <png>
//     FIRST-LAST: the first and last rows whose mean luma is over 1%
//     (ImageMagick's -scale '1x!' -threshold 1%), 0-0 if none; exit 1 if none
// A crop is WIDTHxHEIGHT+X+Y, cut to the picture as ImageMagick's -crop does.
// Exit 0 when found, 1 on time-out (the last picture grabbed is written
// anyway, to be looked at), 2 on bad use.
#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

struct Picture {
    int w = 0, h = 0;
    std::vector<unsigned char> rgb;  // w * h * 3
};

// What the scripts call different and lit (shot_colours counts lit alike).
constexpr int kChangedPixels = 20;  // fewer differing pixels than this is "the same"
constexpr int kFuzz = 25;           // compare's -fuzz 10%: a channel apart by over 25.5
constexpr int kPollMs = 40;         // about a frame of the game

long lit_pixels(const Picture& p) {
    long n = 0;
    for (size_t i = 0; i + 2 < p.rgb.size(); i += 3)
        n += p.rgb[i] + p.rgb[i + 1] + p.rgb[i + 2] > 30;
    return n;
}

long differing_pixels(const Picture& a, const Picture& b) {
    if (a.w != b.w || a.h != b.h)
        return static_cast<long>(a.w) * a.h + static_cast<long>(b.w) * b.h;
    long n = 0;
    for (size_t i = 0; i + 2 < a.rgb.size(); i += 3) {
        n += std::abs(a.rgb[i] - b.rgb[i]) > kFuzz ||
             std::abs(a.rgb[i + 1] - b.rgb[i + 1]) > kFuzz ||
             std::abs(a.rgb[i + 2] - b.rgb[i + 2]) > kFuzz;
    }
    return n;
}

bool read_png(const char* path, Picture& p) {
    int n = 0;
    unsigned char* px = stbi_load(path, &p.w, &p.h, &n, 3);
    if (!px) {
        std::fprintf(stderr, "window_shot: cannot read %s\n", path);
        return false;
    }
    p.rgb.assign(px, px + static_cast<size_t>(p.w) * p.h * 3);
    stbi_image_free(px);
    return true;
}

void put_chunk(FILE* f, const char* type, const unsigned char* data, uLong size) {
    const unsigned char len[4] = {
        static_cast<unsigned char>(size >> 24), static_cast<unsigned char>(size >> 16),
        static_cast<unsigned char>(size >> 8), static_cast<unsigned char>(size)};
    std::fwrite(len, 1, 4, f);
    std::fwrite(type, 1, 4, f);
    if (size)
        std::fwrite(data, 1, size, f);
    uLong crc = crc32(0, reinterpret_cast<const Bytef*>(type), 4);
    if (size)  // crc32 of a null buffer is its initial value, not the running one
        crc = crc32(crc, data, static_cast<uInt>(size));
    const unsigned char c[4] = {
        static_cast<unsigned char>(crc >> 24), static_cast<unsigned char>(crc >> 16),
        static_cast<unsigned char>(crc >> 8), static_cast<unsigned char>(crc)};
    std::fwrite(c, 1, 4, f);
}

// An 8-bit RGB PNG, written beside the target and renamed over it, so that a
// reader never sees half a file.
bool write_png(const std::string& path, const Picture& p) {
    const size_t row = static_cast<size_t>(p.w) * 3;
    std::vector<unsigned char> raw((row + 1) * p.h);
    for (int y = 0; y < p.h; ++y) {
        raw[y * (row + 1)] = 0;  // filter: none
        std::memcpy(&raw[y * (row + 1) + 1], &p.rgb[y * row], row);
    }
    uLongf packed_size = compressBound(raw.size());
    std::vector<unsigned char> packed(packed_size);
    if (compress2(packed.data(), &packed_size, raw.data(), raw.size(), 1) != Z_OK)
        return false;
    const std::string part = path + ".part";
    FILE* f = std::fopen(part.c_str(), "wb");
    if (!f)
        return false;
    static const unsigned char sig[8] = {137, 80, 78, 71, 13, 10, 26, 10};
    std::fwrite(sig, 1, 8, f);
    const unsigned char ihdr[13] = {static_cast<unsigned char>(p.w >> 24),
                                    static_cast<unsigned char>(p.w >> 16),
                                    static_cast<unsigned char>(p.w >> 8),
                                    static_cast<unsigned char>(p.w),
                                    static_cast<unsigned char>(p.h >> 24),
                                    static_cast<unsigned char>(p.h >> 16),
                                    static_cast<unsigned char>(p.h >> 8),
                                    static_cast<unsigned char>(p.h),
                                    8,
                                    2,
                                    0,
                                    0,
                                    0};
    put_chunk(f, "IHDR", ihdr, sizeof ihdr);
    put_chunk(f, "IDAT", packed.data(), packed_size);
    put_chunk(f, "IEND", nullptr, 0);
    const bool written = std::fflush(f) == 0 && !std::ferror(f);
    const bool closed = std::fclose(f) == 0;
    return written && closed && std::rename(part.c_str(), path.c_str()) == 0;
}

bool x_failed = false;
int note_x_error(Display*, XErrorEvent*) {
    x_failed = true;  // a window being remapped or already gone: the next grab tells
    return 0;
}

// The window's picture now; false while it cannot be read.
bool grab(Display* dpy, Window win, Picture& p) {
    XWindowAttributes at;
    x_failed = false;
    if (!XGetWindowAttributes(dpy, win, &at) || x_failed || at.map_state != IsViewable)
        return false;
    XImage* img = XGetImage(dpy, win, 0, 0, at.width, at.height, AllPlanes, ZPixmap);
    XSync(dpy, False);
    if (!img || x_failed) {
        if (img)
            XDestroyImage(img);
        return false;
    }
    auto shift_of = [](unsigned long mask) {
        int s = 0;
        while (mask && !(mask & 1)) {
            mask >>= 1;
            ++s;
        }
        return s;
    };
    const int rs = shift_of(img->red_mask), gs = shift_of(img->green_mask),
              bs = shift_of(img->blue_mask);
    p.w = at.width;
    p.h = at.height;
    p.rgb.resize(static_cast<size_t>(p.w) * p.h * 3);
    size_t i = 0;
    for (int y = 0; y < p.h; ++y)
        for (int x = 0; x < p.w; ++x) {
            const unsigned long v = XGetPixel(img, x, y);
            p.rgb[i++] = static_cast<unsigned char>((v & img->red_mask) >> rs);
            p.rgb[i++] = static_cast<unsigned char>((v & img->green_mask) >> gs);
            p.rgb[i++] = static_cast<unsigned char>((v & img->blue_mask) >> bs);
        }
    XDestroyImage(img);
    return true;
}

// Cuts p to the crop geometry g; false if g is not one.
bool crop(Picture& p, const char* g) {
    int w = 0, h = 0, x = 0, y = 0;
    char end = 0;
    if (std::sscanf(g, "%dx%d+%d+%d%c", &w, &h, &x, &y, &end) != 4 || w <= 0 || h <= 0 || x < 0 ||
        y < 0) {
        std::fprintf(stderr, "window_shot: not a crop: %s\n", g);
        return false;
    }
    const int x1 = std::min(p.w, x + w), y1 = std::min(p.h, y + h);
    Picture out;
    out.w = std::max(0, x1 - x);
    out.h = std::max(0, y1 - y);
    for (int row = y; row < y1 && out.w; ++row)
        out.rgb.insert(out.rgb.end(), p.rgb.begin() + (static_cast<size_t>(row) * p.w + x) * 3,
                       p.rgb.begin() + (static_cast<size_t>(row) * p.w + x1) * 3);
    p = std::move(out);
    return true;
}

// The picture at path, cut to crop when there is one.
bool read_cut(const char* path, const char* g, Picture& p) {
    return read_png(path, p) && (!g || crop(p, g));
}

int measure(const std::string& mode, int argc, char** argv) {
    Picture a, b;
    if (mode == "differ" && (argc == 4 || argc == 5)) {
        const char* g = argc == 5 ? argv[4] : nullptr;
        if (!read_cut(argv[2], g, a) || !read_cut(argv[3], g, b))
            return 2;
        std::printf("%ld\n", differing_pixels(a, b));
        return 0;
    }
    if (mode == "mean" && (argc == 3 || argc == 4)) {
        if (!read_cut(argv[2], argc == 4 ? argv[3] : nullptr, a) || a.rgb.empty())
            return 2;
        double sum = 0;
        for (unsigned char v : a.rgb)
            sum += v;
        std::printf("%d\n", static_cast<int>(sum / (255.0 * a.rgb.size()) * 1000));
        return 0;
    }
    if (mode == "pixels" && argc == 10) {
        if (!read_cut(argv[2], argv[3], a))
            return 2;
        double lo[3], hi[3];
        for (int c = 0; c < 3; ++c) {
            lo[c] = std::atof(argv[4 + 2 * c]);
            hi[c] = std::atof(argv[5 + 2 * c]);
        }
        long n = 0;
        for (size_t i = 0; i + 2 < a.rgb.size(); i += 3) {
            bool in = true;
            for (int c = 0; c < 3; ++c) {
                const double v = a.rgb[i + c] / 255.0;
                in = in && v > lo[c] && v < hi[c];
            }
            n += in;
        }
        std::printf("%ld\n", n);
        return 0;
    }
    if (mode == "first" && argc == 5) {
        if (!read_png(argv[2], a))
            return 2;
        const int row = std::atoi(argv[3]), min = std::atoi(argv[4]);
        int found = 0;
        for (int x = 0; row >= 0 && row < a.h && x < a.w; ++x) {
            const unsigned char* px = &a.rgb[(static_cast<size_t>(row) * a.w + x) * 3];
            if (px[0] + px[1] + px[2] > min) {
                found = x;
                break;
            }
        }
        std::printf("%d\n", found);
        return 0;
    }
    if (mode == "rmse" && argc >= 4 && argc <= 6) {
        if (!read_cut(argv[2], argc >= 5 ? argv[4] : nullptr, a) ||
            !read_cut(argv[3], argc == 6 ? argv[5] : nullptr, b))
            return 2;
        if (a.w != b.w || a.h != b.h || a.rgb.empty()) {
            std::fprintf(stderr, "window_shot: %s and %s differ in size\n", argv[2], argv[3]);
            return 2;
        }
        double sum = 0;
        for (size_t i = 0; i < a.rgb.size(); ++i) {
            const double d = (a.rgb[i] - b.rgb[i]) / 255.0;
            sum += d * d;
        }
        std::printf("%g\n", std::sqrt(sum / a.rgb.size()));
        return 0;
    }
    if (mode == "rows" && argc == 3) {
        if (!read_png(argv[2], a))
            return 2;
        int first = -1, last = -1;
        for (int y = 0; y < a.h; ++y) {
            double luma = 0;
            for (int x = 0; x < a.w; ++x) {
                const unsigned char* px = &a.rgb[(static_cast<size_t>(y) * a.w + x) * 3];
                luma += 0.212656 * px[0] + 0.715158 * px[1] + 0.072186 * px[2];
            }
            if (a.w && luma / a.w > 0.01 * 255) {
                first = first < 0 ? y : first;
                last = y;
            }
        }
        std::printf("%d-%d\n", std::max(first, 0), std::max(last, 0));
        return first < 0;
    }
    return -1;
}

int usage() {
    std::fprintf(stderr,
                 "usage: window_shot drawn WINDOW OUT.png LIT TIMEOUT_S\n"
                 "       window_shot still WINDOW OUT.png LIT TIMEOUT_S REST_MS [REF.png]\n"
                 "       window_shot differ A.png B.png [CROP]\n"
                 "       window_shot mean IN.png [CROP]\n"
                 "       window_shot pixels IN.png CROP RLO RHI GLO GHI BLO BHI\n"
                 "       window_shot first IN.png ROW MIN\n"
                 "       window_shot rmse A.png B.png [CROP_A [CROP_B]]\n"
                 "       window_shot rows IN.png\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return usage();
    const std::string mode = argv[1];
    if (const int rc = measure(mode, argc, argv); rc >= 0)
        return rc;
    const bool still = mode == "still";
    if (!(still && (argc == 7 || argc == 8)) && !(mode == "drawn" && argc == 6))
        return usage();
    const Window win = std::strtoul(argv[2], nullptr, 0);
    const std::string out = argv[3];
    const long lit = std::atol(argv[4]);
    const double timeout = std::atof(argv[5]);
    const long rest_ms = still ? std::atol(argv[6]) : 0;
    Picture ref;
    bool left_ref = true;
    if (still && argc == 8) {
        if (!read_png(argv[7], ref))
            return 2;
        left_ref = false;
    }
    Display* dpy = XOpenDisplay(nullptr);
    if (!dpy) {
        std::fprintf(stderr, "window_shot: cannot open the display\n");
        return 2;
    }
    XSetErrorHandler(note_x_error);

    using clock = std::chrono::steady_clock;
    const auto deadline =
        clock::now() + std::chrono::milliseconds(static_cast<long>(timeout * 1000));
    Picture now, resting;  // resting: the picture the rest began with
    auto rest_since = clock::now();
    bool have = false;
    for (;;) {
        if (grab(dpy, win, now)) {
            const auto t = clock::now();
            if (!left_ref && differing_pixels(now, ref) >= kChangedPixels)
                left_ref = true;
            if (!have || differing_pixels(now, resting) >= kChangedPixels) {
                resting = now;
                rest_since = t;
            }
            have = true;
            const bool at_rest =
                !still || (left_ref && t - rest_since >= std::chrono::milliseconds(rest_ms));
            if (at_rest && lit_pixels(now) > lit) {
                XCloseDisplay(dpy);
                return write_png(out, now) ? 0 : 2;
            }
        }
        if (clock::now() >= deadline)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(kPollMs));
    }
    XCloseDisplay(dpy);
    if (have)
        write_png(out, now);
    return 1;
}
