// The jungle by the water, as one loop. Every part repeats exactly over the
// loop's length: tones and swells run whole numbers of cycles (whole hertz
// over 12 s), noise is filtered cyclically, and single calls that run over
// the end continue at the start.
#include <cmath>

#include "sounds.h"

namespace soundgen {
namespace {

constexpr std::size_t kLength = static_cast<std::size_t>(kAmbienceSeconds * kRate);

double at(std::size_t i) {
    return static_cast<double>(i) / kRate;
}
// sin of `cycles` whole turns over the loop, at sample i.
double loop_sin(double cycles, std::size_t i, double phase = 0) {
    return std::sin(2 * kPi * cycles * at(i) / kAmbienceSeconds + phase);
}

// Water lapping at the cliff foot: low noise swelling with slow waves, a
// brighter ripple on the crests, and bubbles that rise in pitch.
Samples water(Rng& rng) {
    Samples low(kLength), ripple(kLength);
    for (std::size_t i = 0; i < kLength; ++i) {
        low[i] = rng.noise();
        ripple[i] = rng.noise();
    }
    filter_cyclic(low, Biquad::lowpass(450, 0.7, kRate));
    filter_cyclic(low, Biquad::lowpass(900, 0.7, kRate));
    filter_cyclic(ripple, Biquad::bandpass(1300, 1.5, kRate));
    const double p1 = rng.range(0, 2 * kPi), p2 = rng.range(0, 2 * kPi), p3 = rng.range(0, 2 * kPi);
    Samples s(kLength);
    for (std::size_t i = 0; i < kLength; ++i) {
        const double swell = 0.55 + 0.22 * loop_sin(5, i, p1) + 0.14 * loop_sin(9, i, p2) +
                             0.09 * loop_sin(14, i, p3);
        s[i] = 2.2 * low[i] * swell + 0.5 * ripple[i] * swell * swell * swell;
    }
    for (int b = 0; b < 36; ++b) {
        const double length = rng.range(0.03, 0.07);
        const double f0 = rng.range(350, 1100);
        const double gain = rng.range(0.02, 0.07);
        Samples bubble(static_cast<std::size_t>(length * kRate));
        double angle = 0;
        for (std::size_t i = 0; i < bubble.size(); ++i) {
            const double t = at(i);
            angle += 2 * kPi * f0 * (1 + 2.5 * t / length) / kRate;
            bubble[i] =
                gain * std::sin(angle) * std::sin(kPi * t / length) * std::exp(-3 * t / length);
        }
        add_wrapped(s, bubble, static_cast<long>(rng.range(0, kLength)));
    }
    return s;
}

// A cicada's pulsing buzz that swells twice per loop, and crickets chirping
// in threes every 0.75 s.
Samples insects(Rng& rng) {
    Samples s(kLength);
    for (std::size_t i = 0; i < kLength; ++i) {
        const double t = at(i);
        const double pulse = std::pow(0.5 + 0.5 * std::sin(2 * kPi * 48 * t), 3);
        const double swell = std::pow(0.5 - 0.5 * loop_sin(2, i), 1.5);
        const double buzz = std::sin(2 * kPi * 4150 * t) + 0.3 * std::sin(2 * kPi * 6225 * t);
        s[i] = 0.22 * buzz * pulse * (0.15 + 0.85 * swell);
    }
    const int chirps = 16;
    for (int c = 0; c < chirps; ++c) {
        const double hz = std::round(rng.range(4550, 4850));
        const double gain = rng.range(0.05, 0.1);
        Samples chirp(static_cast<std::size_t>(0.075 * kRate));
        for (std::size_t i = 0; i < chirp.size(); ++i) {
            const double t = at(i);
            const double within = std::fmod(t, 0.025);  // three 18 ms pulses, 25 ms apart
            if (within < 0.018)
                chirp[i] = gain * std::sin(2 * kPi * hz * t) * std::sin(kPi * within / 0.018);
        }
        add_wrapped(s, chirp, static_cast<long>((c * kAmbienceSeconds / chirps + 0.31) * kRate));
    }
    return s;
}

// One bird call: notes of `count` sweeps from `from` to `to` Hz, `note` s
// long, `gap` s apart, with a touch of vibrato and a weak second harmonic.
Samples bird_call(double from, double to, int count, double note, double gap, double gain) {
    Samples s(static_cast<std::size_t>((count * (note + gap)) * kRate));
    double angle = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = at(i);
        const double within = std::fmod(t, note + gap);
        if (within >= note)
            continue;
        const double u = within / note;
        const double hz = from + (to - from) * u + 60 * std::sin(2 * kPi * 28 * t);
        angle += 2 * kPi * hz / kRate;
        const double shape = std::pow(std::sin(kPi * u), 0.6);
        s[i] = gain * shape * (std::sin(angle) + 0.15 * std::sin(2 * angle));
    }
    return s;
}

// Three kinds of bird, taking turns at uneven times over the loop.
Samples birds(Rng& rng) {
    Samples s(kLength);
    const int calls = 10;
    for (int c = 0; c < calls; ++c) {
        const double gain = rng.range(0.12, 0.3);
        Samples call;
        switch (c % 3) {
            case 0:  // a two-note whistle, rising
                call = bird_call(rng.range(2000, 2300), rng.range(2700, 3000), 2, 0.12, 0.06, gain);
                break;
            case 1:  // a fast trill, falling
                call = bird_call(4300, 3100, 8, 0.035, 0.02, gain * 0.8);
                break;
            default:  // a long call sliding down
                call = bird_call(3600, 2000, 3, 0.2, 0.09, gain);
                break;
        }
        const double t = c * kAmbienceSeconds / calls + rng.range(0, 0.5);
        add_wrapped(s, call, static_cast<long>(t * kRate));
    }
    return s;
}

}  // namespace

Samples jungle_ambience() {
    Rng rng(16);
    Samples s = water(rng);
    const Samples bugs = insects(rng);
    const Samples calls = birds(rng);
    for (std::size_t i = 0; i < kLength; ++i)
        s[i] += bugs[i] + calls[i];
    normalise(s, kAmbiencePeak);
    return s;
}

}  // namespace soundgen
