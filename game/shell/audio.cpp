// Allegro's digital sound: a thin layer over the rules of game/sound.
#include "shell/audio.h"

#include <allegro.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>

#include "input/input.h"
#include "model/model.h"
#include "shell/data_dir.h"
#include "shell/options.h"
#include "state/state.h"

namespace {

SAMPLE* samples[kSoundCount];  // read once; null when missing or silent
bool heard;                    // a device plays the samples
unsigned int footsteps;        // footsteps played, for their pitches

constexpr int kVoices = 256;  // Allegro's virtual voices, which play_sample uses
bool stopped[kVoices];        // voices pause_sounds stopped

constexpr int kCentre = 128;        // pan: the camera follows the player
constexpr int kNormalPitch = 1000;  // play_sample's frequency for the recorded pitch
constexpr int kStepPitchCount = 4;
constexpr int kStepPitches[kStepPitchCount] = {985, 1020, 970, 1005};
// Loudness of each sound, 0 to 255, before --volume.
constexpr int kLoudness[kSoundCount] = {170, 190, 170, 220, 150, 110};

// ALSA tells of a missing card in many lines of its own on stderr; the game's
// one line says it all, so the driver's search runs with stderr shut.
int install_sound_quietly() {
    std::fflush(stderr);
    const int saved = dup(STDERR_FILENO);
    const int null = open("/dev/null", O_WRONLY);
    if (saved >= 0 && null >= 0) {
        dup2(null, STDERR_FILENO);
    }
    const int status = install_sound(DIGI_AUTODETECT, MIDI_NONE, nullptr);
    if (saved >= 0) {
        dup2(saved, STDERR_FILENO);
        close(saved);
    }
    if (null >= 0) {
        close(null);
    }
    return status;
}

int loudness(int id) {
    return kLoudness[id] * settings.volume / 100;
}

int play(SoundId id, int pitch) {
    if (samples[id] == nullptr || settings.mute) {
        return -1;
    }
    return play_sample(samples[id], loudness(id), kCentre, pitch, id == kSoundJungle);
}

}  // namespace

void init_audio() {
    // A timedemo runs many times faster than real time: its sounds would be
    // noise. Without the data there is nothing to play.
    if (settings.mute || options.timedemo != nullptr || data_missing) {
        return;
    }
    if (install_sound_quietly() != 0 || digi_card == DIGI_NONE) {
        std::fprintf(stderr, "vellin: no sound device, running silent\n");
        return;
    }
    char path[kDataPathSize];
    for (int i = 0; i < kSoundCount; ++i) {
        samples[i] = load_sample(data_path(sound_files[i], path));
        if (samples[i] == nullptr) {
            report_data_file(path, "not a loadable sound");
        }
    }
    heard = true;
    play(kSoundJungle, kNormalPitch);
}

PlayerSound player_sound_state() {
    return {jump, fall, down, ludz.frame, ludz.fallspeed, over_bridge(ludz.pos[0], ludz.pos[1])};
}

void play_step_sounds(const PlayerSound& before) {
    if (!heard) {
        return;
    }
    const SoundSet set = step_sounds(before, player_sound_state());
    for (int i = 0; i < kSoundCount; ++i) {
        const SoundId id = static_cast<SoundId>(i);
        if ((set & sound_bit(id)) == 0) {
            continue;
        }
        // Successive footsteps differ a little in pitch, as real ones do; the
        // same steps give the same pitches, so a demo sounds the same again.
        int pitch = kNormalPitch;
        if (id == kSoundStepRock || id == kSoundStepPlank) {
            pitch = kStepPitches[footsteps++ % kStepPitchCount];
        }
        play(id, pitch);
    }
}

void pause_sounds() {
    for (int v = 0; heard && v < kVoices; ++v) {
        stopped[v] = voice_check(v) != nullptr;
        if (stopped[v]) {
            voice_stop(v);
        }
    }
}

void resume_sounds() {
    for (int v = 0; heard && v < kVoices; ++v) {
        if (stopped[v] && voice_check(v) != nullptr) {
            voice_start(v);
        }
        stopped[v] = false;
    }
}

bool apply_sound_settings() {
    if (!heard) {
        return settings.mute != 0;
    }
    bool jungle = false;
    for (int v = 0; v < kVoices; ++v) {
        const SAMPLE* s = voice_check(v);
        const int id = static_cast<int>(std::find(samples, samples + kSoundCount, s) - samples);
        if (s == nullptr || id == kSoundCount) {
            continue;
        }
        if (settings.mute) {
            deallocate_voice(v);
            stopped[v] = false;
        } else {
            voice_set_volume(v, loudness(id));
            jungle = jungle || id == kSoundJungle;
        }
    }
    if (!settings.mute && !jungle) {
        // Paused: it starts with the rest when the game resumes.
        const int v = play(kSoundJungle, kNormalPitch);
        if (v >= 0 && v < kVoices) {
            voice_stop(v);
            stopped[v] = true;
        }
    }
    return true;
}
