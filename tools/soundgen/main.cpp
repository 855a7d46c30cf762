// soundgen <data directory> [<picture directory>]: writes the game's sounds as
// WAV files, and pictures of their waveforms when a second directory is given.
#include <cstdio>
#include <string>

#include "sounds.h"

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: %s <data directory> [<picture directory>]\n", argv[0]);
        return 2;
    }
    for (const soundgen::Sound& sound : soundgen::make_sounds()) {
        const std::string name = sound.file;
        const std::string wav = std::string(argv[1]) + "/" + name;
        if (!soundgen::write_wav(wav, sound.samples)) {
            std::fprintf(stderr, "soundgen: could not write %s\n", wav.c_str());
            return 1;
        }
        if (argc == 3) {
            const std::string png =
                std::string(argv[2]) + "/sound-" + name.substr(0, name.size() - 4) + ".png";
            const bool loop = sound.samples.size() > soundgen::kRate * 2;
            if (!soundgen::write_waveform_png(png, sound.samples, loop ? 1.0 : 0.05)) {
                std::fprintf(stderr, "soundgen: could not write %s\n", png.c_str());
                return 1;
            }
        }
    }
    return 0;
}
