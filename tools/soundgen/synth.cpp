#include "synth.h"

#include <algorithm>
#include <cmath>

namespace soundgen {

std::uint64_t Rng::next() {
    state_ ^= state_ >> 12;
    state_ ^= state_ << 25;
    state_ ^= state_ >> 27;
    return state_ * 2685821657736338717ull;
}

double Rng::uniform() {
    return static_cast<double>(next() >> 11) / 9007199254740992.0;  // 2^53
}

double Rng::range(double lo, double hi) {
    return lo + (hi - lo) * uniform();
}

namespace {

struct Design {
    double w0, cosw, alpha;
};
Design design(double hz, double q, double rate) {
    const double w0 = 2 * kPi * hz / rate;
    return {w0, std::cos(w0), std::sin(w0) / (2 * q)};
}

}  // namespace

Biquad Biquad::lowpass(double hz, double q, double rate) {
    const Design d = design(hz, q, rate);
    const double a0 = 1 + d.alpha;
    Biquad f;
    f.b0_ = (1 - d.cosw) / 2 / a0;
    f.b1_ = (1 - d.cosw) / a0;
    f.b2_ = f.b0_;
    f.a1_ = -2 * d.cosw / a0;
    f.a2_ = (1 - d.alpha) / a0;
    return f;
}

Biquad Biquad::highpass(double hz, double q, double rate) {
    const Design d = design(hz, q, rate);
    const double a0 = 1 + d.alpha;
    Biquad f;
    f.b0_ = (1 + d.cosw) / 2 / a0;
    f.b1_ = -(1 + d.cosw) / a0;
    f.b2_ = f.b0_;
    f.a1_ = -2 * d.cosw / a0;
    f.a2_ = (1 - d.alpha) / a0;
    return f;
}

Biquad Biquad::bandpass(double hz, double q, double rate) {
    const Design d = design(hz, q, rate);
    const double a0 = 1 + d.alpha;
    Biquad f;
    f.b0_ = d.alpha / a0;
    f.b1_ = 0;
    f.b2_ = -d.alpha / a0;
    f.a1_ = -2 * d.cosw / a0;
    f.a2_ = (1 - d.alpha) / a0;
    return f;
}

double Biquad::run(double x) {
    const double y = b0_ * x + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
    x2_ = x1_;
    x1_ = x;
    y2_ = y1_;
    y1_ = y;
    return y;
}

void filter_cyclic(Samples& s, Biquad f) {
    for (double x : s)
        f.run(x);
    for (double& x : s)
        x = f.run(x);
}

void filter_once(Samples& s, Biquad f) {
    for (double& x : s)
        x = f.run(x);
}

double hit_envelope(double t, double attack, double decay) {
    if (t <= 0)
        return 0;
    if (t < attack)
        return t / attack;
    return std::exp(-(t - attack) / decay);
}

void fade_ends(Samples& s, double fade, double rate) {
    const long n = std::min(static_cast<long>(fade * rate), static_cast<long>(s.size() / 2));
    for (long i = 0; i < n; ++i) {
        const double g = 0.5 - 0.5 * std::cos(kPi * i / n);
        s[i] *= g;
        s[s.size() - 1 - i] *= g;
    }
}

void normalise(Samples& s, double peak) {
    double top = 0;
    for (double x : s)
        top = std::max(top, std::fabs(x));
    if (top > 0)
        for (double& x : s)
            x *= peak / top;
}

void add_wrapped(Samples& into, const Samples& part, long at) {
    const long n = static_cast<long>(into.size());
    for (std::size_t i = 0; i < part.size(); ++i)
        into[((at + static_cast<long>(i)) % n + n) % n] += part[i];
}

}  // namespace soundgen
