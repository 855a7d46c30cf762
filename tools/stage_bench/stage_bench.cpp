// Times the game's frame drawing alone: the follow camera sweeps the stage
// from the start to the far end, FRAMES frames per sweep, once from the
// display lists and once immediately, ROUNDS times alternating. Prints the
// mean frame time of each sweep, the medians and their ratio, and the time
// the lists take to compile. Run in the data directory (assets/).
//   stage_bench [FRAMES [ROUNDS]]
// Or draws one frame of a stage file, the trooper dropped in at world x and
// standing, into an 8-bit RGB PNG:
//   stage_bench --shot STAGE X PNG
// Or switches between stage files COUNT times, each time from the call to the
// first frame presented and finished, with the resident memory after the
// first switch and after the last:
//   stage_bench --switch COUNT STAGE...
#include <GL/gl.h>
#include <GL/glx.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "gl_context.h"
#include "level/level.h"
#include "model/model.h"
#include "model/trooper_frames.h"
#include "render/render.h"
#include "picture/picture.h"
#include "shell/physics.h"
#include "shell/session.h"
#include "shell/shell.h"

namespace {

constexpr float kFirstX = 60.0f, kLastX = 1900.0f;  // the player's x along the stage

double now_ms() {
    return std::chrono::duration<double, std::milli>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// CPU time of all the process's threads (the rasteriser's included): on a
// loaded machine it measures the work done better than the wall clock.
double cpu_ms() {
    timespec t;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

struct Cost {
    double wall, cpu;  // ms per frame
};

// Mean milliseconds per frame over one sweep, each frame drawn and presented
// as the frame loop does.
Cost sweep(int frames) {
    const double start = now_ms(), start_cpu = cpu_ms();
    for (int f = 0; f < frames; ++f) {
        follow_camera(kFirstX + (kLastX - kFirstX) * static_cast<float>(f) / frames);
        begin_frame();
        draw_stage();
        end_frame();
        glXSwapBuffers(glXGetCurrentDisplay(), glXGetCurrentDrawable());
    }
    glFinish();
    return {(now_ms() - start) / frames, (cpu_ms() - start_cpu) / frames};
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

constexpr int kShotWidth = 640, kShotHeight = 480;
constexpr int kLandingSteps = 600;  // more than any drop onto a stage takes

int shoot(const char* stage_path, float x, const char* png) {
    StageFile stage;
    if (!read_stage_file(stage_path, &stage, stderr))
        return 1;
    use_stage(stage);
    GlContext gl(kShotWidth, kShotHeight);
    init_render_state();
    std::srand(1);
    init_stage();
    ludz.pos[0] = x;
    for (int s = 0; s < kLandingSteps && jump != 0; ++s)
        physics(StepInput{});
    physics(StepInput{});  // the step after landing stands him up
    begin_frame();
    draw_stage();
    end_frame();
    glFinish();
    std::vector<unsigned char> rgb(kShotWidth * kShotHeight * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kShotWidth, kShotHeight, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    if (write_png(png, false, rgb.data(), kShotWidth, kShotHeight) != 0) {
        std::fprintf(stderr, "stage_bench: cannot write %s\n", png);
        return 1;
    }
    return 0;
}

long resident_kb() {
    long pages = 0, resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

int switch_stages(int count, char** paths, int files) {
    std::vector<StageFile> stages(files);
    std::vector<std::string> names;
    for (int i = 0; i < files; ++i) {
        if (!read_stage_file(paths[i], &stages[i], stderr))
            return 1;
        char stem[kStageNameSize];
        stage_file_stem(paths[i], stem);
        names.push_back(stem);
    }
    GlContext gl(640, 480);
    init_render_state();
    std::srand(stage_seed);
    init_stage();
    // A switch comes from a running game: its first frame is behind it.
    begin_frame();
    draw_stage();
    end_frame();
    glFinish();
    std::vector<double> ms, cpu;
    long first_kb = 0;
    for (int i = 0; i < count; ++i) {
        const int k = i % files;
        glFinish();
        const double start = now_ms(), start_cpu = cpu_ms();
        switch_stage(stages[k], names[k].c_str());
        begin_frame();
        draw_stage();
        end_frame();
        glXSwapBuffers(glXGetCurrentDisplay(), glXGetCurrentDrawable());
        glFinish();
        ms.push_back(now_ms() - start);
        cpu.push_back(cpu_ms() - start_cpu);
        if (i == 0)
            first_kb = resident_kb();
        std::printf("switch %d to %s: %.0f ms to the first frame (cpu %.0f ms), resident %ld kB\n",
                    i + 1, names[k].c_str(), ms.back(), cpu.back(), resident_kb());
    }
    std::printf(
        "switching: median %.0f ms, max %.0f ms to the first frame, cpu median %.0f ms; resident "
        "memory %ld kB after the first switch, %ld kB after switch %d\n",
        median(ms), *std::max_element(ms.begin(), ms.end()), median(cpu), first_kb, resident_kb(),
        count);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 4 && std::string(argv[1]) == "--switch")
        return switch_stages(std::max(1, std::atoi(argv[2])), argv + 3, argc - 3);
    if (argc == 5 && std::string(argv[1]) == "--shot")
        return shoot(argv[2], static_cast<float>(std::atof(argv[3])), argv[4]);
    const int frames = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100;
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    GlContext gl(640, 480);
    init_render_state();
    std::srand(1);
    init_stage();  // compiles the lists
    ludz.AdvanceFrame(trooper_frames::kStandFrame - ludz.frame);

    std::vector<double> compile_ms, lists, immediate, lists_cpu, immediate_cpu;
    for (int r = 0; r < rounds; ++r) {
        release_stage_lists();
        glFinish();
        const double start = now_ms();
        compile_stage_lists();
        glFinish();
        compile_ms.push_back(now_ms() - start);
        const Cost l = sweep(frames);
        release_stage_lists();
        const Cost i = sweep(frames);
        lists.push_back(l.wall);
        lists_cpu.push_back(l.cpu);
        immediate.push_back(i.wall);
        immediate_cpu.push_back(i.cpu);
        std::printf(
            "round %d: lists %.1f ms/frame (cpu %.1f), immediate %.1f ms/frame (cpu %.1f), "
            "compile %.0f ms\n",
            r + 1, l.wall, l.cpu, i.wall, i.cpu, compile_ms.back());
    }
    const double l = median(lists), i = median(immediate);
    const double lc = median(lists_cpu), ic = median(immediate_cpu);
    std::printf(
        "median: lists %.1f ms/frame, immediate %.1f ms/frame, ratio %.2fx; cpu per frame: "
        "lists %.1f ms, immediate %.1f ms, ratio %.2fx; compile %.0f ms\n",
        l, i, i / l, lc, ic, ic / lc, median(compile_ms));
    return 0;
}
