// Building blocks for the generated sounds: a seeded random source, biquad
// filters, envelopes and the loop-safe (cyclic) forms of filtering and mixing.
// Everything is double precision and seeded, so a run gives the same samples.
#ifndef SOUNDGEN_SYNTH_H
#define SOUNDGEN_SYNTH_H

#include <cstdint>
#include <vector>

namespace soundgen {

constexpr double kPi = 3.14159265358979323846;

using Samples = std::vector<double>;  // mono, nominally -1 .. 1

// xorshift64*: small, fast and the same everywhere.
class Rng {
  public:
    explicit Rng(std::uint64_t seed) : state_(seed * 2685821657736338717ull + 1) {}
    std::uint64_t next();
    double uniform();                        // 0 .. 1
    double range(double lo, double hi);      // lo .. hi
    double noise() { return range(-1, 1); }  // white noise sample

  private:
    std::uint64_t state_;
};

// Direct form I biquad with the usual cookbook designs; `rate` in Hz.
class Biquad {
  public:
    static Biquad lowpass(double hz, double q, double rate);
    static Biquad highpass(double hz, double q, double rate);
    static Biquad bandpass(double hz, double q, double rate);  // 0 dB peak
    double run(double x);
    void reset() { x1_ = x2_ = y1_ = y2_ = 0; }

  private:
    double b0_ = 1, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
    double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

// Filters in place as if the signal repeated for ever: a first pass settles
// the filter on the signal's own end, so the output joins its start smoothly.
void filter_cyclic(Samples& s, Biquad f);
// Filters in place from silence (one-shot sounds).
void filter_once(Samples& s, Biquad f);

// 0 at t <= 0, rising to 1 at `attack`, then exp(-(t - attack) / decay).
double hit_envelope(double t, double attack, double decay);
// Raised-cosine ramps of `fade` seconds at both ends of a one-shot sound.
void fade_ends(Samples& s, double fade, double rate);
// Scales so the largest magnitude is `peak`.
void normalise(Samples& s, double peak);
// Adds `part` into `into` from sample `at`, wrapping past the end (loops).
void add_wrapped(Samples& into, const Samples& part, long at);

}  // namespace soundgen

#endif
