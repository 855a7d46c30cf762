// The game's sounds: what each one is called, how it is made, and writing
// them as WAV files (and pictures of their waveforms).
#ifndef SOUNDGEN_SOUNDS_H
#define SOUNDGEN_SOUNDS_H

#include <string>
#include <vector>

#include "synth.h"

namespace soundgen {

constexpr int kRate = 22050;  // samples per second, every sound
// Loudest sample of a one-shot sound and of the ambience, as a share of full
// scale: head-room for the mixer, which adds the voices up.
constexpr double kEffectPeak = 0.7;
constexpr double kAmbiencePeak = 0.45;
constexpr double kAmbienceSeconds = 12.0;

struct Sound {
    const char* file;  // name in the data folder
    Samples samples;
};

Samples footstep_rock();
Samples footstep_plank();
Samples jump_push();
Samples landing_thud();
Samples crouch_rustle();
// A loop: its last sample runs on into its first.
Samples jungle_ambience();

// Every sound, in a fixed order.
std::vector<Sound> make_sounds();

// 16-bit PCM mono WAV with a plain 44-byte header.
bool write_wav(const std::string& path, const Samples& s);
// A picture of the waveform: the envelope of each column, its RMS, and a
// tick every `tick` seconds along the bottom.
bool write_waveform_png(const std::string& path, const Samples& s, double tick);

}  // namespace soundgen

#endif
