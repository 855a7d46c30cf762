// The generated sounds: the committed files are the generator's output, in a
// format and at levels the game can play, and the ambience loops seamlessly.
#include <allegro.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "sounds.h"
#include "temp_dir.h"

namespace {

const std::filesystem::path kAssets = VELLIN_ASSETS_DIR;

std::string slurp(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

unsigned le(const std::string& b, std::size_t at, int bytes) {
    unsigned v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(b[at + i]);
    return v;
}

// The samples of a committed 16-bit mono WAV, after checking its header.
std::vector<int> read_wav(const std::string& name) {
    const std::string b = slurp(kAssets / name);
    EXPECT_GE(b.size(), 44u);
    if (b.size() < 44)
        return {};
    EXPECT_EQ(b.substr(0, 4), "RIFF");
    EXPECT_EQ(b.substr(8, 8), "WAVEfmt ");
    EXPECT_EQ(le(b, 20, 2), 1u);  // PCM
    EXPECT_EQ(le(b, 22, 2), 1u);  // mono
    EXPECT_EQ(le(b, 24, 4), unsigned(soundgen::kRate));
    EXPECT_EQ(le(b, 34, 2), 16u);  // bits
    EXPECT_EQ(b.substr(36, 4), "data");
    EXPECT_EQ(le(b, 40, 4), b.size() - 44);
    EXPECT_EQ(le(b, 4, 4), b.size() - 8);
    std::vector<int> s;
    for (std::size_t at = 44; at + 1 < b.size(); at += 2)
        s.push_back(static_cast<std::int16_t>(le(b, at, 2)));
    return s;
}

int peak(const std::vector<int>& s) {
    int p = 0;
    for (int x : s)
        p = std::max(p, std::abs(x));
    return p;
}

TEST(Sounds, CommittedSoundsMatchTheGenerator) {
    TempDir dir("vellin-sounds");
    for (const soundgen::Sound& sound : soundgen::make_sounds()) {
        SCOPED_TRACE(sound.file);
        const std::filesystem::path out = dir.path() / sound.file;
        ASSERT_TRUE(soundgen::write_wav(out.string(), sound.samples));
        EXPECT_TRUE(slurp(out) == slurp(kAssets / sound.file))
            << "assets/" << sound.file << " is stale: run soundgen " << kAssets;
    }
}

// Loud enough to hear, never clipped; one-shots short, starting and ending
// at rest (no click when a voice starts or stops); the ambience 10 to 20 s.
TEST(Sounds, LengthsAndLevels) {
    const int full = 32767;
    for (const soundgen::Sound& sound : soundgen::make_sounds()) {
        SCOPED_TRACE(sound.file);
        const std::vector<int> s = read_wav(sound.file);
        ASSERT_FALSE(s.empty());
        const double seconds = static_cast<double>(s.size()) / soundgen::kRate;
        EXPECT_LT(peak(s), full * 0.9);
        EXPECT_GT(peak(s), full * 0.3);
        if (std::string(sound.file) == "jungle.wav") {
            EXPECT_GE(seconds, 10.0);
            EXPECT_LE(seconds, 20.0);
        } else {
            EXPECT_GE(seconds, 0.1);
            EXPECT_LE(seconds, 1.0);
            EXPECT_LT(std::abs(s.front()), full / 200);
            EXPECT_LT(std::abs(s.back()), full / 200);
        }
    }
}

// The jump from the last sample back to the first is no larger than the
// jumps inside the loop (its 99.9th percentile), so the seam makes no click.
TEST(Sounds, AmbienceLoopsWithoutAClick) {
    const std::vector<int> s = read_wav("jungle.wav");
    ASSERT_GT(s.size(), 1000u);
    std::vector<int> steps;
    for (std::size_t i = 1; i < s.size(); ++i)
        steps.push_back(std::abs(s[i] - s[i - 1]));
    std::sort(steps.begin(), steps.end());
    const int typical = steps[steps.size() * 999 / 1000];
    const int seam = std::abs(s.front() - s.back());
    EXPECT_LE(seam, typical);
    RecordProperty("seam_step", seam);
    RecordProperty("step_99_9", typical);
}

// The game loads them with Allegro's own WAV reader.
TEST(Sounds, AllegroReadsThem) {
    ASSERT_EQ(install_allegro(SYSTEM_NONE, &errno, nullptr), 0);
    for (const soundgen::Sound& sound : soundgen::make_sounds()) {
        SCOPED_TRACE(sound.file);
        SAMPLE* sample = load_sample((kAssets / sound.file).c_str());
        ASSERT_NE(sample, nullptr);
        EXPECT_EQ(sample->bits, 16);
        EXPECT_EQ(sample->stereo, 0);
        EXPECT_EQ(sample->freq, soundgen::kRate);
        EXPECT_EQ(sample->len, sound.samples.size());
        destroy_sample(sample);
    }
    allegro_exit();
}

}  // namespace
