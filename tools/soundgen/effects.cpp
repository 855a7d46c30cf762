// The one-shot sounds. Each is a sum of simple parts, the recipe in one line
// above it; times in seconds, frequencies in Hz.
#include <cmath>

#include "sounds.h"

namespace soundgen {
namespace {

Samples silence(double seconds) {
    return Samples(static_cast<std::size_t>(seconds * kRate), 0.0);
}
double at(std::size_t i) {
    return static_cast<double>(i) / kRate;
}

// Filtered noise shaped by a hit envelope.
Samples noise_hit(Rng& rng, double seconds, Biquad filter, double attack, double decay) {
    Samples s = silence(seconds);
    for (double& x : s)
        x = rng.noise();
    filter_once(s, filter);
    for (std::size_t i = 0; i < s.size(); ++i)
        s[i] *= hit_envelope(at(i), attack, decay);
    return s;
}

// A struck resonance: a decaying sine with a pitch that falls by `drop` (share).
void add_tone(Samples& s, double start, double hz, double drop, double decay, double gain,
              double phase = 0) {
    double angle = phase;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = at(i) - start;
        if (t < 0)
            continue;
        const double f = hz * (1 - drop * (1 - std::exp(-t / decay)));
        angle += 2 * kPi * f / kRate;
        s[i] += gain * std::sin(angle) * hit_envelope(t, 0.002, decay);
    }
}

// Small metal parts of the gear knocking: short bright clinks.
void add_rattle(Samples& s, Rng& rng, int clinks, double from, double to, double gain) {
    for (int c = 0; c < clinks; ++c) {
        const double t = rng.range(from, to);
        const double g = gain * rng.range(0.4, 1.0) * (1 - 0.6 * (t - from) / (to - from));
        add_tone(s, t, rng.range(2200, 4800), 0, rng.range(0.008, 0.02), g, rng.range(0, 2 * kPi));
    }
}

void mix(Samples& into, const Samples& part, double gain) {
    for (std::size_t i = 0; i < into.size() && i < part.size(); ++i)
        into[i] += gain * part[i];
}

}  // namespace

// Boot on stone: a low thump, a dull body of noise and a little grit.
Samples footstep_rock() {
    Rng rng(11);
    Samples s = silence(0.2);
    add_tone(s, 0, 95, 0.3, 0.03, 0.8);
    mix(s, noise_hit(rng, 0.2, Biquad::lowpass(900, 0.8, kRate), 0.003, 0.028), 1.6);
    mix(s, noise_hit(rng, 0.2, Biquad::highpass(3000, 0.7, kRate), 0.001, 0.012), 0.35);
    fade_ends(s, 0.002, kRate);
    normalise(s, kEffectPeak);
    return s;
}

// Boot on a hanging plank: the board's few wooden modes ring briefly over a
// knock, and the rope-hung bridge gives a hollow low note.
Samples footstep_plank() {
    Rng rng(12);
    Samples s = silence(0.3);
    const double modes[][3] = {
        {190, 0.09, 0.7}, {420, 0.06, 0.5}, {745, 0.04, 0.35}, {1280, 0.022, 0.2}};
    for (const auto& m : modes)
        add_tone(s, 0, m[0], 0.02, m[1], m[2], rng.range(0, 2 * kPi));
    add_tone(s, 0.004, 110, 0.05, 0.12, 0.3);
    mix(s, noise_hit(rng, 0.3, Biquad::bandpass(2500, 1.2, kRate), 0.001, 0.006), 1.2);
    fade_ends(s, 0.002, kRate);
    normalise(s, kEffectPeak);
    return s;
}

// Push-off: a scuff, then a rising whoosh of cloth and a rattle of gear.
Samples jump_push() {
    Rng rng(13);
    const double seconds = 0.35;
    Samples s = silence(seconds);
    mix(s, noise_hit(rng, seconds, Biquad::lowpass(1800, 0.8, kRate), 0.002, 0.03), 1.8);
    Samples whoosh = silence(seconds);
    Biquad band = Biquad::bandpass(400, 2.0, kRate);
    for (std::size_t i = 0; i < whoosh.size(); ++i) {
        const double t = at(i) / seconds;
        if (i % 64 == 0)  // the band sweeps upward as the body rises
            band = Biquad::bandpass(400 + 1100 * t, 2.0, kRate);
        whoosh[i] = band.run(rng.noise()) * std::pow(std::sin(kPi * std::sqrt(t)), 2);
    }
    mix(s, whoosh, 1.6);
    add_rattle(s, rng, 5, 0.01, 0.12, 0.12);
    fade_ends(s, 0.003, kRate);
    normalise(s, kEffectPeak);
    return s;
}

// Both boots and the body's weight: a deep thud falling in pitch, a burst of
// grit, and the gear settling.
Samples landing_thud() {
    Rng rng(14);
    const double seconds = 0.5;
    Samples s = silence(seconds);
    add_tone(s, 0, 70, 0.4, 0.09, 1.0);
    add_tone(s, 0.012, 120, 0.3, 0.05, 0.4);
    mix(s, noise_hit(rng, seconds, Biquad::lowpass(1000, 0.9, kRate), 0.002, 0.05), 2.0);
    mix(s, noise_hit(rng, seconds, Biquad::highpass(2500, 0.7, kRate), 0.001, 0.02), 0.3);
    add_rattle(s, rng, 9, 0.015, 0.25, 0.18);
    fade_ends(s, 0.003, kRate);
    normalise(s, kEffectPeak);
    return s;
}

// Kneeling: cloth rubbing (many short grains of bright noise under a swell)
// and one clink of the rifle.
Samples crouch_rustle() {
    Rng rng(15);
    const double seconds = 0.45;
    Samples grains = silence(seconds);
    for (int g = 0; g < 70; ++g) {
        const double start = rng.range(0.0, seconds - 0.03);
        const double length = rng.range(0.004, 0.025);
        const double gain = rng.range(0.2, 1.0);
        for (std::size_t i = 0; i < grains.size(); ++i) {
            const double t = at(i) - start;
            if (t >= 0 && t < length)
                grains[i] += gain * rng.noise() * std::sin(kPi * t / length);
        }
    }
    filter_once(grains, Biquad::bandpass(2600, 0.9, kRate));
    Samples s = silence(seconds);
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = at(i) / seconds;
        s[i] = grains[i] * std::pow(std::sin(kPi * std::pow(t, 0.7)), 1.5);
    }
    add_tone(s, 0.24, 3300, 0, 0.03, 0.08);
    add_tone(s, 0.24, 5100, 0, 0.02, 0.04);
    fade_ends(s, 0.004, kRate);
    normalise(s, kEffectPeak);
    return s;
}

}  // namespace soundgen
