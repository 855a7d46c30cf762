// Demo files: what is written reads back, and every damaged file is refused
// with the place of the fault, never read past its end.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <climits>
#include <filesystem>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <thread>

#include "demo/demo.h"

namespace {

// The stage hash as the level computes it, written out: FNV-1a 32 over the
// codes as one byte each.
std::uint32_t layer_hash_of(const int codes[kDemoMapRows][kDemoMapColumns]) {
    std::uint32_t h = 2166136261u;
    for (int i = 0; i < kDemoMapRows * kDemoMapColumns; ++i)
        h = (h ^ static_cast<std::uint8_t>(codes[i / kDemoMapColumns][i % kDemoMapColumns])) *
            16777619u;
    return h;
}

// In the current version unless another is asked for; from version 3 it
// names a stage, from 4 it holds the stage's layer.
Demo sample_demo(unsigned int version = kDemoVersion) {
    Demo d;
    d.version = version;
    if (version >= kDemoStageVersion) {
        std::snprintf(d.stage, sizeof d.stage, "steps");
        d.layer_hash = 0x12345678;
    }
    if (version >= 4) {
        const int kCodes[] = {0, 1, 5, 9};
        for (int i = 0; i < kDemoMapRows * kDemoMapColumns; ++i)
            d.codes[i / kDemoMapColumns][i % kDemoMapColumns] = kCodes[i % 7 % 4];
        d.has_codes = true;
        d.layer_hash = layer_hash_of(d.codes);
    }
    d.seed = 0xdeadbeef;
    d.frame_steps = {2, 0, 1};
    d.steps = {{kStepLeft | kStepJump, 0, 0}, {kStepCamera, -7, 300}, {kStepKeyMask, 32767, 479}};
    return d;
}

bool same(const Demo& a, const Demo& b) {
    if (a.seed != b.seed || std::string(a.stage) != b.stage || a.layer_hash != b.layer_hash ||
        a.has_codes != b.has_codes || std::memcmp(a.codes, b.codes, sizeof a.codes) != 0 ||
        a.frame_steps != b.frame_steps || a.steps.size() != b.steps.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.steps.size(); ++i) {
        if (a.steps[i].keys != b.steps[i].keys || a.steps[i].mickey_x != b.steps[i].mickey_x ||
            a.steps[i].mouse_y != b.steps[i].mouse_y) {
            return false;
        }
    }
    return true;
}

// Parses a private copy, so that ASan sees any read past the end.
bool parse(const std::vector<unsigned char>& bytes, std::size_t size, DemoError* error, Demo* demo,
           bool unfinished = false) {
    std::vector<unsigned char> copy(bytes.begin(), bytes.begin() + static_cast<long>(size));
    return parse_demo(copy.data(), copy.size(), unfinished, demo, error);
}

// The sample's, with "steps" and its layer.
const std::size_t kHeader = kDemoHeaderBytes + 5 + 5 + kDemoLayerBytes;
const std::size_t kEnd = kDemoEndBytes + kDemoChecksumBytes;

std::string temp_path(const char* name) {
    return testing::TempDir() + "demo_file_test-" + std::to_string(getpid()) + "-" + name;
}

}  // namespace

// Every version reads back as it was written: 1 and 2 alike, 3 with the
// stage's name and hash, 4 with its layer too.
TEST(DemoFile, EveryVersionReadsBackUnchanged) {
    const struct {
        unsigned int version;
        std::size_t header;
        std::size_t end;
    } versions[] = {{1, kDemoHeaderBytes, kDemoEndBytes},
                    {2, kDemoHeaderBytes, kDemoEndBytes},
                    {3, kDemoHeaderBytes + 5 + 5, kEnd},
                    {4, kHeader, kEnd}};
    for (const auto& v : versions) {
        const std::vector<unsigned char> bytes = encode_demo(sample_demo(v.version));
        ASSERT_EQ(bytes.size(), v.header + 3 * 2 + 3 * kDemoStepBytes + v.end) << v.version;
        Demo back;
        DemoError error;
        ASSERT_TRUE(parse(bytes, bytes.size(), &error, &back)) << v.version << error.reason;
        EXPECT_EQ(back.version, v.version);
        EXPECT_TRUE(same(back, sample_demo(v.version))) << v.version;
    }
    EXPECT_EQ(demo_checksum(kDemoChecksumStart, reinterpret_cast<const unsigned char*>("a"), 1),
              0xe40c292cu);  // FNV-1a 32's published value
}

// Whatever the stage's file is called, the demo holds a name it reads back.
TEST(DemoFile, AnyStageNameIsMadeOneADemoHolds) {
    const std::string e_acute = "\xc3\xa9";  // two bytes
    const struct {
        std::string name, held;
    } rows[] = {
        {"steps", "steps"},
        {"", "stage"},
        {"   ", "stage"},
        {"a/b\x01\x7f", "a_b__"},
        {"cave   ", "cave"},
        {"+" + std::string(100, ' '), "+"},
        {std::string(62, 'a') + e_acute, std::string(62, 'a')},  // not half of one
        {std::string(61, 'a') + e_acute + "b", std::string(61, 'a') + e_acute},
        {std::string(70, 'x'), std::string(63, 'x')},
    };
    for (const auto& row : rows) {
        Demo d = sample_demo();
        demo_stage_name(row.name.c_str(), d.stage);
        EXPECT_EQ(std::string(d.stage), row.held) << row.name;
        const std::vector<unsigned char> bytes = encode_demo(d);
        Demo back;
        DemoError error;
        EXPECT_TRUE(parse(bytes, bytes.size(), &error, &back)) << row.name << error.reason;
        EXPECT_EQ(std::string(back.stage), row.held);
    }
}

TEST(DemoFile, BadMagicVersionOrRateIsRefusedAtItsOffset) {
    const std::vector<unsigned char> good = encode_demo(sample_demo());
    const struct {
        std::size_t at;
        unsigned char value;
        const char* reason;
    } faults[] = {{0, 'v', "magic"},
                  {7, 0, "magic"},
                  {8, 5, "version 5"},
                  {8, 0, "version 0"},
                  {10, 60, "60 steps"}};
    for (const auto& f : faults) {
        std::vector<unsigned char> bad = good;
        bad[f.at] = f.value;
        Demo demo;
        DemoError error;
        EXPECT_FALSE(parse(bad, bad.size(), &error, &demo)) << f.at;
        EXPECT_EQ(error.offset, f.at < 8 ? 0u : f.at);
        EXPECT_NE(std::string(error.reason).find(f.reason), std::string::npos) << error.reason;
    }
}

TEST(DemoFile, TruncationAtEveryByteIsRefused) {
    const std::vector<unsigned char> good = encode_demo(sample_demo());
    for (std::size_t size = 0; size < good.size(); ++size) {
        Demo demo;
        DemoError error;
        EXPECT_FALSE(parse(good, size, &error, &demo)) << "cut at " << size;
        EXPECT_LE(error.offset, size);
    }
}

TEST(DemoFile, ImpossibleValuesAreRefused) {
    const std::vector<unsigned char> good = encode_demo(sample_demo());
    const std::size_t first_frame = kHeader, first_step = first_frame + 2;
    const std::size_t end = good.size() - kEnd;
    const struct {
        std::size_t at;
        std::vector<unsigned char> bytes;
        const char* reason;
    } faults[] = {
        {first_frame, {0xe1, 0x2e}, "impossible step count 12001"},
        {first_frame, {0xfe, 0xff}, "impossible step count"},
        {first_step, {0x00, 0x20}, "unknown key bits"},
        {first_step + 4, {0xff, 0xff}, "impossible pointer row"},
        {end + 2, {4}, "end record counts 4 frames"},
        {end + 6, {0xff, 0xff, 0xff, 0xff}, "4294967295 steps"},
        {kDemoHeaderBytes + 4, {0}, "stage name of 0 bytes"},
        {kDemoHeaderBytes + 5, {'/'}, "byte 0x2f in the stage name"},
        {kDemoHeaderBytes + 10 + 101, {2}, "tile code 2 in the stage's row 2, column 2"},
        {kDemoHeaderBytes + 10 + 1599, {3}, "row 16, column 100"},
        {kDemoHeaderBytes + 10 + 7, {1}, "its layer's is"},  // a valid code, the wrong one
        {kDemoHeaderBytes, {0, 0}, "its layer's is"},
        {first_step + kDemoStepBytes, {1, 0, 5, 0}, "damaged"},  // valid values, wrong ones
        {end + 10, {0, 0, 0, 0}, "damaged"},
    };
    for (const auto& f : faults) {
        std::vector<unsigned char> bad = good;
        std::copy(f.bytes.begin(), f.bytes.end(), bad.begin() + static_cast<long>(f.at));
        Demo demo;
        DemoError error;
        EXPECT_FALSE(parse(bad, bad.size(), &error, &demo)) << f.reason;
        EXPECT_NE(std::string(error.reason).find(f.reason), std::string::npos) << error.reason;
    }
    std::vector<unsigned char> longer = good;
    longer.push_back(0);
    Demo demo;
    DemoError error;
    EXPECT_FALSE(parse(longer, longer.size(), &error, &demo));
    EXPECT_EQ(error.offset, good.size());
    const std::vector<unsigned char> empty = encode_demo(Demo{});
    EXPECT_FALSE(parse(empty, empty.size(), &error, &demo));
}

TEST(DemoFile, UnfinishedRecordingKeepsItsWholeFrames) {
    const std::vector<unsigned char> good = encode_demo(sample_demo());
    const std::size_t after_two = kHeader + 2 + 2 * kDemoStepBytes + 2;
    Demo demo;
    DemoError error;
    ASSERT_TRUE(parse(good, after_two + 3, &error, &demo, true)) << error.reason;
    EXPECT_EQ(demo.frame_steps, (std::vector<std::uint16_t>{2, 0}));
    EXPECT_EQ(demo.steps.size(), 2u);
    EXPECT_FALSE(parse(good, kHeader + 1, &error, &demo, true)) << "no whole frame";
}

TEST(DemoFile, LoadingNamesTheFileAndTheOffset) {
    const std::string path = temp_path("bad");
    std::vector<unsigned char> bad = encode_demo(sample_demo());
    bad[8] = 9;
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bad.data()), static_cast<std::streamsize>(bad.size()));
    Demo demo;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(load_demo(path.c_str(), &demo));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "vellin: " + path + ": offset 8: unknown format version 9\n");

    std::ofstream(path, std::ios::binary | std::ios::trunc)
        << std::string(static_cast<std::size_t>(kMaxDemoBytes) + 1, 'V');
    testing::internal::CaptureStderr();
    EXPECT_FALSE(load_demo(path.c_str(), &demo));
    EXPECT_NE(testing::internal::GetCapturedStderr().find("too large"), std::string::npos);
    std::remove(path.c_str());
}

// A demo recorded under the rules before bridge joints held still plays,
// after one line saying that it may not replay exactly.
TEST(DemoFile, OlderVersionPlaysWithOneWarning) {
    const std::string path = temp_path("old");
    const std::vector<unsigned char> old = encode_demo(sample_demo(1));
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(old.data()), static_cast<std::streamsize>(old.size()));
    Demo demo;
    testing::internal::CaptureStderr();
    EXPECT_TRUE(load_demo(path.c_str(), &demo));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "vellin: " + path +
                  ": recorded by an older version of the game (demo version 1); it may not "
                  "replay exactly\n");
    EXPECT_TRUE(same(demo, sample_demo(1)));
    std::remove(path.c_str());
}

TEST(DemoFile, DirectoryIsRefusedWithTheReason) {
    const std::string path = temp_path("dir");
    ASSERT_TRUE(std::filesystem::create_directory(path));
    Demo demo;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(load_demo(path.c_str(), &demo));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "vellin: " + path + ": Is a directory\n");
    std::filesystem::remove(path);
}

// The recording only takes its name when it is complete; before that a kill
// leaves FILE.part, flushed at least once a second.
TEST(DemoFile, RecordingIsFlushedAsItGoesAndRenamedWhenClosed) {
    const std::string path = temp_path("rec");
    const std::string part = path + ".part";
    ASSERT_TRUE(demo_record_open(path.c_str(), 77));
    const Demo layer = sample_demo();
    demo_record_stage("my/cave ", layer.codes);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    int frames = 0;
    Demo seen;
    testing::internal::CaptureStderr();  // the reader's complaints until the first flush
    do {
        demo_record_step(StepInput{kStepRight, 0, 0});
        demo_record_frame();
        ++frames;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    } while (!load_demo(part.c_str(), &seen) && std::chrono::steady_clock::now() < deadline);
    testing::internal::GetCapturedStderr();
    ASSERT_GT(seen.frame_steps.size(), 0u) << "nothing flushed within 10 s";
    EXPECT_EQ(seen.seed, 77u);
    EXPECT_EQ(access(path.c_str(), F_OK), -1) << "the final name exists before the end";

    ASSERT_TRUE(demo_record_close());
    EXPECT_EQ(access(part.c_str(), F_OK), -1);
    Demo done;
    ASSERT_TRUE(load_demo(path.c_str(), &done));
    EXPECT_EQ(done.frame_steps.size(), static_cast<std::size_t>(frames));
    EXPECT_EQ(done.steps.size(), static_cast<std::size_t>(frames));
    EXPECT_EQ(std::string(done.stage), "my_cave");
    EXPECT_TRUE(done.has_codes);
    EXPECT_EQ(std::memcmp(done.codes, layer.codes, sizeof done.codes), 0);
    EXPECT_EQ(done.layer_hash, layer.layer_hash);
    std::remove(path.c_str());
}

// A file that appears at the recording's name while it runs is kept: the
// recording takes the next free name, said in one line, unless --overwrite
// asked for the name. With every such name taken it stays PATH.part.
TEST(DemoFile, RecordingNeverReplacesAFileThatAppearedUnlessAsked) {
    auto taken = [](int n) {
        return temp_path(n == 0 ? "taken.demo" : ("taken-" + std::to_string(n) + ".demo").c_str());
    };
    const std::string path = taken(0);
    const struct {
        bool overwrite;
        int names_taken;  // of taken-1.demo .. taken-99.demo
        std::string recording;
        const char* said;
    } rows[] = {
        {false, 0, taken(1), "appeared during the recording; the recording is "},
        {true, 0, path, ""},
        {false, 99, path + ".part", "appeared during the recording; the recording stays "},
    };
    for (const auto& row : rows) {
        for (int n = 1; n <= row.names_taken; ++n)
            std::ofstream(taken(n)) << "mine";
        ASSERT_TRUE(demo_record_open(path.c_str(), 5, row.overwrite));
        demo_record_step(StepInput{kStepRight, 0, 0});
        demo_record_frame();
        std::ofstream(path) << "mine";  // after the open's check
        testing::internal::CaptureStderr();
        EXPECT_EQ(demo_record_close(), row.names_taken == 0);
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(said.empty(), row.said[0] == '\0') << said;
        EXPECT_TRUE(said.empty() || said.find(row.said + row.recording) != std::string::npos)
            << said;
        Demo done;
        testing::internal::CaptureStderr();  // a .part is said to be unfinished
        EXPECT_TRUE(load_demo(row.recording.c_str(), &done)) << row.recording;
        testing::internal::GetCapturedStderr();
        EXPECT_EQ(done.steps.size(), 1u);
        if (!row.overwrite) {
            std::ifstream in(path);
            EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "mine");
        }
        for (int n = 0; n <= 99; ++n)
            std::remove(taken(n).c_str());
        std::remove((path + ".part").c_str());
    }
}

// Any pointer row, in the picture or a bar beside it, reads back as recorded and pitches the
// camera alike (a whole turn apart); a recording stopped at the reader's limit still plays.
TEST(DemoFile, RecordedStepsReadBackUnchangedUpToTheLimit) {
    const int rows[] = {INT_MIN, -32769, -361, -360, -14, -1, 0, 479, 32767, 32768, INT_MAX};
    const std::size_t kept = 3000;  // frames of one step that fit under the limit
    std::mt19937 random(7);
    Demo sent;
    const std::string path = temp_path("extremes");
    ASSERT_TRUE(demo_record_open(
        path.c_str(), 0, false,
        kDemoHeaderBytes + 5 + 6 + kDemoLayerBytes + kept * (2 + kDemoStepBytes) + kEnd));
    testing::internal::CaptureStderr();
    for (std::size_t i = 0; i < kept + 100; ++i) {  // each row low and high, then random
        const bool edge = i < 22, high = i % 2 != 0;
        const int row = edge ? rows[i / 2] : static_cast<int>(random()) >> (i % 24);
        const std::uint16_t keys = edge ? (high ? kStepKeyMask : 0) : random() & kStepKeyMask;
        const std::int16_t mickey = edge ? (high ? INT16_MAX : INT16_MIN) : random();
        sent.steps.push_back({keys, mickey, demo_pointer_row(row)});
        EXPECT_TRUE(row > INT16_MAX || (sent.steps.back().mouse_y - long{row}) % 360 == 0) << row;
        demo_record_step(sent.steps.back());
        demo_record_frame();
    }
    ASSERT_TRUE(demo_record_close());
    EXPECT_NE(testing::internal::GetCapturedStderr().find("demo is full"), std::string::npos);
    std::snprintf(sent.stage, sizeof sent.stage, "jungle");  // the recorder's until told:
    sent.has_codes = true;                                   // an empty layer
    sent.layer_hash = layer_hash_of(sent.codes);
    sent.steps.resize(kept);
    sent.frame_steps.assign(kept, 1);
    Demo back;
    ASSERT_TRUE(load_demo(path.c_str(), &back));
    EXPECT_TRUE(same(back, sent));
    std::remove(path.c_str());
}

// Every input the fuzzer ever found a fault with stays a test, beside
// hand-made hostile files: each must be refused at a place inside it with a
// reason, or give frames whose step counts add up to the steps read.
namespace {

void check_read(const std::vector<unsigned char>& bytes, bool unfinished, const std::string& file) {
    Demo demo;
    DemoError error{};
    if (!parse(bytes, bytes.size(), &error, &demo, unfinished)) {
        EXPECT_LE(error.offset, bytes.size()) << file;
        EXPECT_NE(error.reason[0], '\0') << file;
        return;
    }
    std::size_t steps = 0;
    for (std::uint16_t n : demo.frame_steps) {
        EXPECT_LE(n, kMaxStepsPerFrame) << file;
        steps += n;
    }
    EXPECT_EQ(steps, demo.steps.size()) << file;
}

}  // namespace

TEST(DemoFile, FuzzRegressionsAreRefusedOrReadWhole) {
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(VELLIN_DEMO_REGRESSIONS)) {
        // Every file here is read as a demo: nothing else belongs in the folder.
        EXPECT_TRUE(entry.is_regular_file()) << entry.path();
        std::ifstream in(entry.path(), std::ios::binary);
        const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)),
                                               std::istreambuf_iterator<char>());
        for (bool unfinished : {false, true})
            check_read(bytes, unfinished, entry.path().filename().string());
        ++files;
    }
    EXPECT_GT(files, 0);
}
