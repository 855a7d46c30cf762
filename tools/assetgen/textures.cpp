#include "textures.h"

#include <cmath>
#include <functional>

#include "atlas.h"

namespace assetgen {
namespace {

// Calls paint(x, y, w, h) for each pixel of the rectangle, with x, y local.
void fill(Image& img, const UvRect& r, const std::function<Rgb(int, int, int, int)>& paint) {
    int w = static_cast<int>(r.x1 - r.x0), h = static_cast<int>(r.y1 - r.y0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.set(static_cast<int>(r.x0) + x, static_cast<int>(r.y0) + y, paint(x, y, w, h));
}

double grain(int x, int y, int seed, double amount) {
    return 1.0 + (hash01(x, y, seed) - 0.5) * amount;
}

const Rgb kOlive{0.34, 0.37, 0.22};
const Rgb kDarkGreen{0.19, 0.24, 0.13};
const Rgb kBrown{0.36, 0.27, 0.16};
const Rgb kKhaki{0.52, 0.49, 0.34};
const Rgb kArmour{0.30, 0.35, 0.29};
const Rgb kBlack{0.09, 0.09, 0.09};
const Rgb kLeather{0.30, 0.20, 0.11};
const Rgb kSteel{0.62, 0.63, 0.62};

Rgb camo(int x, int y, int w, int seed) {
    // Tiles horizontally so the seam of a wrapped limb does not show.
    double n1 = fractal_noise(x / 12.0, y / 12.0, w / 12, 3, seed);
    double n2 = fractal_noise(x / 9.0 + 7, y / 9.0, 0, 3, seed + 31);
    Rgb c = kOlive;
    if (n1 > 0.58)
        c = kDarkGreen;
    else if (n1 < 0.36)
        c = kKhaki;
    if (n2 > 0.64)
        c = kBrown;
    return shade(c, grain(x, y, seed + 5, 0.12));
}

// A horizontal seam: dark line with a light edge below, like a plate joint.
Rgb seam(Rgb c, int y, int lineY) {
    if (y == lineY)
        return shade(c, 0.45);
    if (y == lineY + 1)
        return shade(c, 1.35);
    return c;
}

Rgb rivet(Rgb c, int x, int y, int cx, int cy) {
    int dx = x - cx, dy = y - cy;
    if (dx * dx + dy * dy <= 1)
        return (dx + dy < 0) ? shade(kSteel, 1.1) : shade(kSteel, 0.7);
    return c;
}

Rgb plate_shading(Rgb c, int x, int y, int seed) {
    double n = fractal_noise(x / 6.0, y / 6.0, 0, 2, seed);
    return shade(c, 0.9 + 0.2 * n);
}

void paint_chest(Image& img) {
    fill(img, atlas::kChest, [](int x, int y, int w, int h) {
        Rgb c = plate_shading(kArmour, x, y, 11);
        // Plate rows; the front (u = 0.5) gets a centre ridge.
        for (int line : {h / 3, 2 * h / 3})
            c = seam(c, y, line);
        int front = w / 2;
        if (std::abs(x - front) <= 1)
            c = shade(c, x == front ? 1.4 : 0.6);
        // Shoulder straps of the webbing run over front and back.
        for (int strap : {front - 18, front + 18, 12, w - 12}) {
            if (std::abs(x - strap) <= 3) {
                c = shade(kKhaki, 0.75 * grain(x, y, 3, 0.2));
                if (y % 6 == 0)
                    c = shade(c, 0.7);
            }
        }
        // Chest pouch rows on the front.
        if (x > front - 14 && x < front + 14 && y > h / 3 + 3 && y < h / 3 + 14) {
            c = shade(kKhaki, 0.85);
            if (y == h / 3 + 6 || std::abs(x - front) == 7)
                c = shade(c, 0.6);
        }
        for (int cx = 4; cx < w; cx += 16)
            for (int cy : {h / 3 + 4, 2 * h / 3 + 4})
                c = rivet(c, x, y, cx, cy);
        // Top rows darken under the collar.
        if (y < 3)
            c = shade(c, 0.6);
        return c;
    });
}

void paint_abdomen(Image& img) {
    fill(img, atlas::kAbdomen, [](int x, int y, int, int h) {
        Rgb c = plate_shading(shade(kArmour, 0.85), x, y, 17);
        for (int line = 5; line < h; line += 8)
            c = seam(c, y, line);
        return c;
    });
}

void paint_belt(Image& img) {
    fill(img, atlas::kBelt, [](int x, int y, int w, int h) {
        Rgb c = camo(x, y, w, 23);
        if (y >= 6 && y < h - 6) {
            c = shade(kLeather, grain(x, y, 7, 0.25));
            if (y == 6 || y == h - 7)
                c = shade(c, 0.6);
            // Stitching.
            if ((y == 8 || y == h - 9) && x % 4 < 2)
                c = shade(c, 1.5);
            // Buckle at the front.
            int dx = std::abs(x - w / 2);
            if (dx < 7 && (dx > 4 || y < 9 || y > h - 10))
                c = kSteel;
            // Pouches along the sides.
            for (int p : {w / 4, 3 * w / 4, 10, w - 10})
                if (std::abs(x - p) < 6)
                    c = shade(kKhaki, (y == 10 || std::abs(x - p) == 5) ? 0.55 : 0.85);
        }
        return c;
    });
}

void paint_pelvis(Image& img) {
    fill(img, atlas::kPelvis, [](int x, int y, int w, int) {
        Rgb c = camo(x, y, w, 29);
        // Leg seams at the sides.
        if (x == w / 4 || x == 3 * w / 4)
            c = shade(c, 0.6);
        return c;
    });
}

void paint_helmet(Image& img) {
    fill(img, atlas::kHelmet, [](int x, int y, int w, int h) {
        Rgb c = plate_shading(shade(kOlive, 0.9), x, y, 41);
        // Band of cloth cover with a rim at the bottom.
        if (y > h - 6)
            c = shade(kDarkGreen, 0.7);
        if (y == h - 6)
            c = shade(c, 1.5);
        // Ridge over the crown, front to back.
        if (y < h / 3 && (x == w / 2 || x == 0 || x == w - 1))
            c = shade(c, 0.6);
        // Strap mount rivets.
        for (int cx : {w / 4, 3 * w / 4})
            c = rivet(c, x, y, cx, h - 9);
        // Unit marking on both sides.
        for (int side : {w / 4, 3 * w / 4})
            if (std::abs(x - side) < 4 && y > h / 2 - 6 && y < h / 2 - 1)
                c = Rgb{0.75, 0.62, 0.18};
        return c;
    });
}

void paint_visor(Image& img) {
    fill(img, atlas::kVisor, [](int x, int y, int w, int h) {
        double t = static_cast<double>(y) / h;
        Rgb c = mix(Rgb{0.15, 0.55, 0.75}, Rgb{0.02, 0.08, 0.18}, t);
        // Reflection streak.
        if (std::abs((x + y * 2) % w - w / 3) < 2)
            c = mix(c, Rgb{0.9, 0.97, 1.0}, 0.7);
        if (y == 0 || y == h - 1)
            c = kBlack;
        return c;
    });
}

void paint_face(Image& img) {
    fill(img, atlas::kFace, [](int x, int y, int, int h) {
        Rgb skin{0.78, 0.58, 0.44};
        Rgb c = shade(skin, 0.92 + 0.08 * std::cos(y * kPi / h));
        // Chin strap.
        if (y > h - 10 && y < h - 7)
            c = kBlack;
        return shade(c, grain(x, y, 51, 0.06));
    });
}

void paint_neck(Image& img) {
    fill(img, atlas::kNeck, [](int x, int y, int, int) {
        return shade(kDarkGreen, 0.8 * grain(x, y, 53, 0.2));  // scarf
    });
}

void paint_sleeve(Image& img) {
    fill(img, atlas::kSleeve, [](int x, int y, int w, int h) {
        Rgb c = camo(x, y, w, 61);
        // Cuff at the bottom, pocket patch on the upper arm (outer side).
        if (y > h - 6)
            c = shade(kDarkGreen, 0.8);
        if (x > w / 4 - 7 && x < w / 4 + 7 && y > 4 && y < 18)
            c = shade(c, (y == 5 || y == 17) ? 0.55 : 0.85);
        return c;
    });
}

void paint_glove(Image& img) {
    fill(img, atlas::kGlove, [](int x, int y, int, int h) {
        Rgb c = shade(kBlack, 1.4 * grain(x, y, 71, 0.4));
        if (y % 6 == 0 && y > h / 2)
            c = shade(c, 0.5);  // finger creases
        return c;
    });
}

void paint_shoulder(Image& img) {
    fill(img, atlas::kShoulder, [](int x, int y, int, int h) {
        Rgb c = plate_shading(kArmour, x, y, 81);
        for (int line = h / 3; line < h; line += h / 3)
            c = seam(c, y, line);
        return c;
    });
}

void paint_pad(Image& img) {
    fill(img, atlas::kPad, [](int x, int y, int w, int h) {
        Rgb c = plate_shading(shade(kArmour, 0.7), x, y, 91);
        if (y == h / 2 || x == w / 2)
            c = shade(c, 0.6);
        return c;
    });
}

void paint_trousers(Image& img) {
    fill(img, atlas::kTrousers, [](int x, int y, int w, int h) {
        Rgb c = camo(x, y, w, 101);
        // Cargo pocket on the outer thigh, side seams.
        int px = w / 4;
        if (std::abs(x - px) < 8 && y > h / 6 && y < h / 6 + 16)
            c = shade(c, (std::abs(x - px) == 7 || y == h / 6 + 1 || y == h / 6 + 5) ? 0.55 : 0.9);
        if (x == 0 || x == w / 2)
            c = shade(c, 0.65);
        return c;
    });
}

void paint_boot(Image& img) {
    fill(img, atlas::kBoot, [](int x, int y, int w, int h) {
        Rgb c = shade(Rgb{0.16, 0.12, 0.09}, grain(x, y, 111, 0.3));
        // Laces across the front, a toe cap and a heel counter.
        int front = w / 2;
        if (std::abs(x - front) < 5 && y < h / 2 && (y % 5 == 0 || std::abs(x - front) == 4))
            c = Rgb{0.55, 0.5, 0.4};
        if (y > h - 8)
            c = shade(kBlack, 1.2);  // sole edge
        if (y == h - 8)
            c = Rgb{0.35, 0.3, 0.25};
        return c;
    });
}

void paint_sole(Image& img) {
    fill(img, atlas::kSole,
         [](int x, int y, int, int) { return shade(kBlack, ((x + y) % 4 < 2) ? 1.3 : 0.8); });
}

void paint_pack(Image& img) {
    fill(img, atlas::kPack, [](int x, int y, int w, int h) {
        Rgb c = shade(kOlive, 0.85 * grain(x, y, 121, 0.15));
        // Straps and buckles, a top flap.
        for (int s : {w / 3, 2 * w / 3})
            if (std::abs(x - s) < 3) {
                c = shade(kKhaki, 0.6);
                if (std::abs(y - h / 2) < 3)
                    c = kSteel;
            }
        if (y < h / 4)
            c = shade(c, 0.85);
        if (y == h / 4)
            c = shade(c, 0.5);
        return c;
    });
}

void paint_pouch(Image& img) {
    fill(img, atlas::kPouch, [](int x, int y, int, int h) {
        Rgb c = shade(kKhaki, 0.8 * grain(x, y, 131, 0.15));
        if (y == h / 3)
            c = shade(c, 0.55);
        if (y < h / 3)
            c = shade(c, 0.9);
        return c;
    });
}

void paint_gun(Image& img) {
    fill(img, atlas::kGunMetal, [](int x, int y, int w, int h) {
        Rgb c = shade(Rgb{0.22, 0.23, 0.25}, grain(x, y, 141, 0.15));
        // Bright machined edges along the barrel, vents on the handguard.
        if (y % (h / 4) == 0)
            c = shade(kSteel, 0.8);
        if (x % 8 < 2 && y > h / 2 && x < w / 2)
            c = kBlack;
        return c;
    });
    fill(img, atlas::kGunStock,
         [](int x, int y, int, int) { return shade(kBlack, 1.5 * grain(x, y, 151, 0.2)); });
}

}  // namespace

Image make_white() {
    return Image(8, 8, Rgb{1, 1, 1});
}

Image make_trooper_skin() {
    Image img(256, 256, Rgb{0.3, 0.3, 0.3});
    paint_chest(img);
    paint_abdomen(img);
    paint_belt(img);
    paint_pelvis(img);
    paint_helmet(img);
    paint_visor(img);
    paint_face(img);
    paint_neck(img);
    paint_sleeve(img);
    paint_glove(img);
    paint_shoulder(img);
    paint_pad(img);
    paint_trousers(img);
    paint_boot(img);
    paint_sole(img);
    paint_pack(img);
    paint_pouch(img);
    paint_gun(img);
    return img;
}

Image make_bridge_wood() {
    Image img(128, 128, Rgb{0.4, 0.3, 0.2});
    fill(img, atlas::kPlank, [](int x, int y, int w, int h) {
        // Grain runs along u (the plank's length); planks are 16 rows tall.
        int plank = y / 16;
        double warp = fractal_noise(x / 16.0, y / 4.0, w / 16, 2, 201 + plank) * 6;
        double rings = std::sin((y + warp) * 1.7 + plank * 2.1);
        Rgb base = mix(Rgb{0.45, 0.32, 0.18}, Rgb{0.33, 0.22, 0.12}, hash01(plank, 0, 203));
        Rgb c = shade(base, 0.88 + 0.12 * rings);
        c = shade(c, grain(x, y, 205, 0.1));
        // Knot.
        double kx = x - (20 + 37 * plank % 90), ky = y - (plank * 16 + 8);
        if (kx * kx + ky * ky * 4 < 12)
            c = shade(c, 0.55);
        // Plank gaps and nail heads.
        if (y % 16 == 0 || y % 16 == 15)
            c = shade(c, 0.45);
        if ((x == 6 || x == w - 7) && (y % 16 == 4 || y % 16 == 11))
            c = Rgb{0.5, 0.5, 0.5};
        (void)h;
        return c;
    });
    fill(img, atlas::kRope, [](int x, int y, int, int) {
        // Twisted strands: diagonal stripes.
        double s = std::sin((x * 0.8 + y * 0.8) * 0.9);
        Rgb c = shade(Rgb{0.68, 0.58, 0.38}, 0.8 + 0.2 * s);
        return shade(c, grain(x, y, 211, 0.15));
    });
    fill(img, atlas::kPost, [](int x, int y, int w, int) {
        double warp = fractal_noise(x / 8.0, y / 16.0, w / 8, 2, 221) * 5;
        double rings = std::sin((x + warp) * 1.3);
        Rgb c = shade(Rgb{0.35, 0.24, 0.14}, 0.85 + 0.15 * rings);
        return shade(c, grain(x, y, 223, 0.12));
    });
    return img;
}

}  // namespace assetgen
