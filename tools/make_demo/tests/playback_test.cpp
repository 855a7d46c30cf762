// Recording live input and playing the file back gives the same state after
// every step.
#include <allegro.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "headless.h"
#include "shell/physics.h"
#include "model/model.h"
#include "shell/shell.h"

namespace {

using State = std::array<float, 14>;

State state() {
    return {ludz.pos[0],
            ludz.pos[1],
            ludz.pos[2],
            ludz.rot[1],
            ludz.frame,
            ludz.fallspeed,
            campos[0],
            campos[1],
            camang[0],
            camang[1],
            static_cast<float>(jump),
            static_cast<float>(fall),
            static_cast<float>(down),
            static_cast<float>(debcam)};
}

// Keys held for a stretch of steps, as a player might: walk, jump, crouch,
// drop, and the free camera switched on and off again.
const struct {
    int steps;
    std::vector<int> keys;
} kPlayer[] = {
    {150, {}},
    {200, {KEY_RIGHT}},
    {3, {KEY_RIGHT, KEY_X}},
    {90, {KEY_LEFT}},
    {40, {KEY_DOWN}},
    {2, {KEY_DOWN, KEY_X}},
    {60, {}},
    {1, {KEY_U}},
    {30, {KEY_W, KEY_A}},
    {1, {KEY_U}},
    {80, {KEY_RIGHT, KEY_Z}},
};

}  // namespace

TEST(DemoPlayback, RecordedInputReplaysEveryStep) {
    ASSERT_TRUE(start_headless(5, VELLIN_ASSETS_DIR "/trooper.txt"));
    const std::string path = testing::TempDir() + "playback_test-" + std::to_string(getpid());
    ASSERT_TRUE(demo_record_open(path.c_str(), 5));
    std::vector<State> live;
    int in_frame = 0;
    for (const auto& hold : kPlayer) {
        for (int k : hold.keys) {
            key[k] = 1;
        }
        for (int i = 0; i < hold.steps; ++i) {
            mouse_y = 100 + i;
            const StepInput in = sample_input();
            demo_record_step(in);
            physics(in);
            live.push_back(state());
            if (++in_frame == 7) {  // frames of 7 steps
                demo_record_frame();
                in_frame = 0;
            }
        }
        for (int k : hold.keys) {
            key[k] = 0;
        }
    }
    demo_record_frame();
    ASSERT_TRUE(demo_record_close());
    int free_camera_steps = 0;
    for (const State& s : live) {
        free_camera_steps += s[13] == 1.0f && s[8] > 0.0f;  // pitch from the pointer row
    }
    ASSERT_GT(free_camera_steps, 0) << "the free camera was never used";

    Demo demo;
    ASSERT_TRUE(load_demo(path.c_str(), &demo));
    std::remove(path.c_str());
    ASSERT_EQ(demo.seed, 5u);
    ASSERT_EQ(demo.steps.size(), live.size());
    restart_player();
    mouse_y = 0;  // the device is not read during playback
    std::size_t step = 0;
    for (std::uint16_t n : demo.frame_steps) {
        for (int i = 0; i < n; ++i, ++step) {
            physics(demo.steps[step]);
            ASSERT_EQ(state(), live[step]) << "step " << step;
        }
    }
}
