// Live play, recording, playback and timedemo, behind one set of calls from
// the frame loop.
#include "shell/session.h"

#include <allegro.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <ctime>

#include "demo/demo.h"
#include "input/input.h"
#include "shell/audio.h"
#include "shell/data_dir.h"
#include "shell/frame_times.h"
#include "picture/picture.h"
#include "shell/options.h"
#include "shell/pause.h"
#include "shell/physics.h"
#include "shell/quit_signals.h"
#include "shell/shell.h"
#include "shell/window.h"

unsigned int stage_seed;

namespace {

using Clock = std::chrono::steady_clock;

enum class Mode { kLive, kRecord, kPlay, kTimedemo };

Mode mode = Mode::kLive;
Demo playback;
std::size_t next_frame;  // demo frames run so far
std::size_t next_step;
bool failed;       // a capture could not be written
bool quit;         // Escape while paused
bool focus_pause;  // the window's losing the focus may pause (as the settings say)
FrameTimes times;
Clock::time_point frame_start;
char stdout_buffer[4096];
char demo_path[kDataPathSize];

bool playing() {
    return mode == Mode::kPlay || mode == Mode::kTimedemo;
}

// --play keeps real time: a frame's recorded steps wait for as many ticks.
void wait_for_ticks(int n) {
    while (counter.load() < n && !key[KEY_ESC] && quit_signal() == 0) {
        rest(1);
    }
    counter.fetch_sub(n);
}

void play_frame() {
    if (next_frame >= playback.frame_steps.size()) {
        return;
    }
    const int n = playback.frame_steps[next_frame++];
    if (mode == Mode::kPlay) {
        wait_for_ticks(n);
    }
    for (int i = 0; i < n; ++i) {
        physics(playback.steps[next_step++]);
    }
}

void record_frame() {
    int n = 0;
    while (counter.load() > 0 && n < kMaxStepsPerFrame) {
        const StepInput in = sample_input();
        demo_record_step(in);
        physics(in);
        counter.fetch_sub(1);
        ++n;
    }
    demo_record_frame();
}

}  // namespace

const char* find_demo(const char* name, char out[kDataPathSize]) {
    if (name[0] == '/' || access(name, F_OK) == 0 || data_missing) {
        return name;
    }
    data_path(name, out);
    return access(out, F_OK) == 0 ? out : name;
}

int begin_session() {
    hold_quit_signals();
    // Printing from the frame loop must not make stdio allocate a buffer.
    std::setvbuf(stdout, stdout_buffer, _IOLBF, sizeof stdout_buffer);
    const char* demo = options.play ? options.play : options.timedemo;
    if (demo != nullptr) {
        mode = options.play ? Mode::kPlay : Mode::kTimedemo;
        if (!load_demo(find_demo(demo, demo_path), &playback)) {
            return 1;
        }
        stage_seed = playback.seed;
    } else {
        stage_seed =
            options.seed_given ? options.seed : static_cast<unsigned int>(std::time(nullptr));
    }
    if (options.capture != nullptr && !make_capture_folder(options.capture, options.overwrite)) {
        return 1;
    }
    if (options.record != nullptr) {
        mode = Mode::kRecord;
        if (!demo_record_open(options.record, stage_seed, options.overwrite)) {
            return 1;
        }
    }
    return -1;
}

void frames_start() {
    // A timedemo measures the frames: nothing pauses it.
    if (mode != Mode::kTimedemo) {
        // Watched whatever the setting, which the pause menu may turn on.
        focus_pause = mode != Mode::kPlay;
        start_pause_watch(focus_pause);
    }
    frame_start = Clock::now();
}

void run_frame_steps() {
    switch (mode) {
        case Mode::kLive:
            // Catch up on every tick counted since the last frame, however many.
            while (counter.load() > 0) {
                physics();
                counter.fetch_sub(1);
            }
            break;
        case Mode::kRecord:
            record_frame();
            break;
        case Mode::kPlay:
        case Mode::kTimedemo:
            play_frame();
            break;
    }
}

void save_pictures() {
    if (pressed(kActScreenshot)) {
        take_screenshot();
    }

    const long frame = static_cast<long>(next_frame);  // from 1: this frame is counted
    if (playing() && options.capture != nullptr && (frame - 1) % options.capture_every == 0) {
        failed = !capture_frame(options.capture, frame) || failed;
    }
}

void frame_shown() {
    const Clock::time_point now = Clock::now();
    add_frame_time(&times, std::chrono::duration<double, std::milli>(now - frame_start).count());
    frame_start = now;
}

bool pause_asked() {
    if (mode == Mode::kTimedemo) {
        return false;
    }
    // Both read, so that neither is left over for after the pause.
    const bool lost = focus_lost() && focus_pause && settings.pause_on_focus_loss;
    const bool pulled = pad_unplugged() && mode != Mode::kPlay;  // the pad in use went away
    const bool asked = pressed(kActPause) || lost || pulled;
    if (asked) {
        keep_frame();
    }
    draw_play_notes();  // after the keeping: the paused screen has menus enough
    return asked;
}

void pause_game() {
    pause_sounds();
    quit = !wait_paused();
    resume_sounds();
    // No catching up on the paused time, in the steps, the mouse or the frame times.
    counter.store(0);
    int dx = 0, dy = 0;
    get_mouse_mickeys(&dx, &dy);
    frame_start = Clock::now();
}

bool session_over() {
    return failed || quit || quit_signal() != 0 ||
           (playing() && next_frame >= playback.frame_steps.size());
}

int end_session() {
    int status = failed ? 1 : 0;
    if (mode == Mode::kRecord && !demo_record_close()) {
        status = 1;
    }
    if (mode == Mode::kTimedemo) {
        char line[160];
        describe_frame_times(times, line, sizeof line);
        std::printf("vellin: %s\n", line);
    }
    // A watched demo that ran out says so, rather than the window just closing.
    if (mode == Mode::kPlay && next_frame >= playback.frame_steps.size()) {
        std::printf("vellin: %s: played to its end (%zu frames, %.1f s of play)\n", options.play,
                    playback.frame_steps.size(),
                    static_cast<double>(playback.steps.size()) / kStepsPerSecond);
    }
    std::fflush(stdout);
    if (quit_signal() != 0) {
        allegro_exit();  // the window and the sound
        reraise_quit_signal();
    }
    return status;
}

const Demo* session_demo() {
    return playing() ? &playback : nullptr;
}
