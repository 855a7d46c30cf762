#include "leaves_mesh.h"

#include <algorithm>
#include <cmath>

namespace leaves {
namespace {

using vecmath::kPi;
constexpr double kDeg = kPi / 180.0;

const Vec kUp = {0.0, 1.0, 0.0};

// A densely sampled curve on a leaf with the surface normal at each sample.
struct Strand {
    std::vector<Vec> point;
    std::vector<Vec> normal;
    std::vector<double> arc;  // arc length at each sample
    int strokes = 0;
};

void finish_arc(Strand& s) {
    s.arc.assign(s.point.size(), 0.0);
    for (size_t i = 1; i < s.point.size(); ++i)
        s.arc[i] = s.arc[i - 1] + length(s.point[i] - s.point[i - 1]);
}

double total(const Strand& s) {
    return s.arc.back();
}

// Position and normal at arc length a along the strand.
void sample(const Strand& s, double a, Vec& p, Vec& n) {
    auto it = std::upper_bound(s.arc.begin(), s.arc.end(), a);
    size_t i = it == s.arc.begin() ? 1 : static_cast<size_t>(it - s.arc.begin());
    i = std::min(i, s.arc.size() - 1);
    const double span = s.arc[i] - s.arc[i - 1];
    const double f = span > 0.0 ? std::clamp((a - s.arc[i - 1]) / span, 0.0, 1.0) : 0.0;
    p = s.point[i - 1] + f * (s.point[i] - s.point[i - 1]);
    n = normalized(s.normal[i - 1] + f * (s.normal[i] - s.normal[i - 1]));
}

// Shape of the crown, in design units before fitting to the extents.
constexpr int kFronds = 9;
constexpr double kGoldenAngle = 137.50776 * kDeg;  // frond spacing around the trunk
constexpr double kAzimuthOffset = 20.0 * kDeg;
constexpr double kCurveStep = 0.01;                          // sampling step along every curve
constexpr double kLeafletFirst = 0.12, kLeafletLast = 0.97;  // share of frond length
constexpr int kLeafletsPerSide = 22;
constexpr double kLeafletForward = 40.0 * kDeg;  // leaflets lean toward the frond tip
constexpr double kLeafletFold = 22.0 * kDeg;     // V-fold of the two leaflet rows
constexpr double kLeafletDroop = 0.6;            // radians the leaflet turns down per unit length

// Frond f, oldest first: older fronds start flatter and droop further.
struct Frond {
    double azimuth, length, rise, droop, leaflet, youth;
};

Frond frond_shape(int f) {
    const double youth = static_cast<double>(f) / (kFronds - 1);
    // Small fixed irregularities so the crown does not look machined.
    const double wobble = std::sin(f * 2.399 + 0.7);
    Frond fr;
    fr.azimuth = kAzimuthOffset + f * kGoldenAngle + 6.0 * kDeg * wobble;
    fr.length = 7.5 - 3.0 * youth + 0.3 * wobble;
    fr.rise = (32.0 + 53.0 * youth + 4.0 * wobble) * kDeg;
    fr.droop = (130.0 - 55.0 * youth) * kDeg;
    fr.youth = youth;
    fr.leaflet = 1.9 - 0.4 * youth;
    return fr;
}

// Elevation of the midrib at share u of its length: rises, then bends over.
// Old fronds bend early and hang straight; young ones bend late near the tip.
// Both profiles have a finite slope at u = 0, so the midrib has no kink.
double midrib_angle(const Frond& fr, double u) {
    const double early = 1.0 - (1.0 - u) * (1.0 - u);
    const double late = u * std::sqrt(u);
    return fr.rise - fr.droop * ((1.0 - fr.youth) * early + fr.youth * late);
}

struct Frame {
    Vec point, tangent, up, side;
};

std::vector<Frame> midrib_frames(const Frond& fr) {
    const Vec out = {std::cos(fr.azimuth), 0.0, std::sin(fr.azimuth)};
    const Vec side = {-std::sin(fr.azimuth), 0.0, std::cos(fr.azimuth)};
    const int n = static_cast<int>(fr.length / kCurveStep);
    std::vector<Frame> frames;
    Vec p = {0.0, 0.0, 0.0};
    for (int i = 0; i <= n; ++i) {
        const double th = midrib_angle(fr, static_cast<double>(i) / n);
        Frame f;
        f.point = p;
        f.tangent = std::cos(th) * out + std::sin(th) * kUp;
        f.up = -std::sin(th) * out + std::cos(th) * kUp;
        f.side = side;
        frames.push_back(f);
        p = p + (fr.length / n) * f.tangent;
    }
    return frames;
}

Strand midrib_strand(const std::vector<Frame>& frames) {
    Strand s;
    for (const Frame& f : frames) {
        s.point.push_back(f.point);
        s.normal.push_back(f.up);
    }
    return s;
}

// Leaflet length at share u of the leaflet row: short at both ends.
double leaflet_length(const Frond& fr, double u) {
    return fr.leaflet * (0.25 + 0.75 * std::pow(std::sin(kPi * u), 0.7)) * (1.0 - 0.35 * u);
}

// One leaflet leaving the midrib frame on side sigma (+1 or -1). Its blade is
// the ribbon spanned by its own curve and the midrib direction.
Strand leaflet_strand(const Frame& base, double sigma, double len) {
    Vec dir =
        std::cos(kLeafletForward) * (sigma * base.side) + std::sin(kLeafletForward) * base.tangent;
    dir = normalized(std::cos(kLeafletFold) * dir + std::sin(kLeafletFold) * base.up);
    // The blade (its direction and normal) turns rigidly toward straight down
    // at a constant rate, so the normal changes evenly along the leaflet.
    const Vec width = normalized(base.tangent - dot(base.tangent, dir) * dir);
    const Vec normal = normalized(sigma * cross(dir, width));
    const Vec down = -1.0 * kUp;
    const Vec axis_raw = cross(dir, down);
    const bool can_turn = length(axis_raw) > 1e-9;
    const Vec axis = can_turn ? normalized(axis_raw) : Vec{1.0, 0.0, 0.0};
    const double max_turn = std::acos(std::clamp(dot(dir, down), -1.0, 1.0));
    const int n = std::max(2, static_cast<int>(len / kCurveStep));
    Strand s;
    Vec p = base.point;
    for (int i = 0; i <= n; ++i) {
        const double turn = can_turn ? std::min(kLeafletDroop * len * i / n, max_turn) : 0.0;
        const Vec t = rotate(dir, axis, turn);
        s.point.push_back(p);
        s.normal.push_back(rotate(normal, axis, turn));
        p = p + (len / n) * t;
    }
    return s;
}

// Allowed extents of the finished mesh, mesh units.
constexpr double kMin[3] = {-3.83, -5.15, -3.74};
constexpr double kMax[3] = {3.67, 3.19, 3.83};
constexpr double kFitMargin = 0.995;
constexpr double kStrokeTarget = 0.19;
constexpr double kStrokeMin = 0.11, kStrokeMax = 0.27;
constexpr double kShortestStrand = 0.15;  // shorter leaflets are left out
// Entries 4m and 4m + 2 sit this close either side of the stroke's middle.
constexpr double kMiddleLo = 0.499, kMiddleHi = 0.501;

// Uniform scale that brings every sample inside the extents.
double fit_scale(const std::vector<Strand>& strands) {
    double scale = 1e9;
    for (const Strand& s : strands)
        for (const Vec& p : s.point)
            for (int a = 0; a < 3; ++a) {
                if (p[a] > 0.0)
                    scale = std::min(scale, kMax[a] / p[a]);
                if (p[a] < 0.0)
                    scale = std::min(scale, kMin[a] / p[a]);
            }
    return scale * kFitMargin;
}

// Splits strands into strokes so that the total is exactly kStrokes, keeping
// every stroke between kStrokeMin and kStrokeMax long.
std::string assign_strokes(std::vector<Strand>& strands) {
    int count = 0;
    for (Strand& s : strands) {
        s.strokes = std::max(1, static_cast<int>(std::lround(total(s) / kStrokeTarget)));
        count += s.strokes;
    }
    auto stroke = [](const Strand& s, int n) { return total(s) / n; };
    while (count != kStrokes) {
        Strand* best = nullptr;
        for (Strand& s : strands) {
            if (count < kStrokes) {
                if (stroke(s, s.strokes + 1) >= kStrokeMin &&
                    (!best || stroke(s, s.strokes) > stroke(*best, best->strokes)))
                    best = &s;
            } else if (s.strokes > 1 && stroke(s, s.strokes - 1) <= kStrokeMax &&
                       (!best || stroke(s, s.strokes) < stroke(*best, best->strokes))) {
                best = &s;
            }
        }
        if (!best)
            return "strokes cannot be made to total " + std::to_string(kStrokes) + " (have " +
                   std::to_string(count) + ")";
        best->strokes += count < kStrokes ? 1 : -1;
        count += count < kStrokes ? 1 : -1;
    }
    return "";
}

}  // namespace

std::string build(Mesh& out) {
    std::vector<Strand> strands;
    for (int f = 0; f < kFronds; ++f) {
        const Frond fr = frond_shape(f);
        const std::vector<Frame> frames = midrib_frames(fr);
        strands.push_back(midrib_strand(frames));
        for (int i = 0; i < kLeafletsPerSide; ++i) {
            const double u = static_cast<double>(i) / (kLeafletsPerSide - 1);
            const double share = kLeafletFirst + (kLeafletLast - kLeafletFirst) * u;
            const Frame& base = frames[static_cast<size_t>(share * (frames.size() - 1))];
            for (double sigma : {1.0, -1.0})
                strands.push_back(leaflet_strand(base, sigma, leaflet_length(fr, u)));
        }
    }
    const double scale = fit_scale(strands);
    for (Strand& s : strands)
        for (Vec& p : s.point)
            p = scale * p;
    for (Strand& s : strands)
        finish_arc(s);
    strands.erase(std::remove_if(strands.begin(), strands.end(),
                                 [](const Strand& s) { return total(s) < kShortestStrand; }),
                  strands.end());
    const std::string err = assign_strokes(strands);
    if (!err.empty())
        return err;

    out.vertex.clear();
    out.normal.clear();
    for (const Strand& s : strands) {
        const double step = total(s) / s.strokes;
        for (int i = 0; i < s.strokes; ++i) {
            Vec p[4], n[4];
            sample(s, step * i, p[1], n[1]);
            sample(s, step * (i + kMiddleLo), p[0], n[0]);
            sample(s, step * (i + kMiddleHi), p[2], n[2]);
            sample(s, step * (i + 1), p[3], n[3]);
            // The odd normals are not drawn; keep them next to the even ones.
            n[1] = normalized(n[0] + n[2]);
            n[3] = n[2];
            for (int k = 0; k < 4; ++k) {
                out.vertex.push_back(p[k]);
                out.normal.push_back(n[k]);
            }
        }
    }
    // The spare last group repeats the final stroke.
    for (int k = 0; k < 4; ++k) {
        out.vertex.push_back(out.vertex[out.vertex.size() - 4]);
        out.normal.push_back(out.normal[out.normal.size() - 4]);
    }
    return "";
}

}  // namespace leaves
