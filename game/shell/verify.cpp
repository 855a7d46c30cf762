// vellin --verify: a demo's time confirmed by replaying it, with no window.
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "demo/demo.h"
#include "level/level.h"
#include "model/model.h"
#include "shell/data_dir.h"
#include "shell/replay.h"
#include "shell/session.h"
#include "shell/shell.h"
#include "state/state.h"

namespace {

// The reader's reason, said as a refusal: what the file is, and where the
// fault lies when that helps.
void print_refusal(std::FILE* out, const char* path, const char* why) {
    const struct {
        const char* found;  // in the reason
        const char* said;
        bool detail;  // the reason follows, for its offset
    } kinds[] = {
        {std::strerror(EISDIR), "a folder, not a demo", false},
        {"a fifo", "a fifo, not a demo", false},
        {"not a regular file", "not a regular file, not a demo", false},
        {"empty", "empty, not a demo", false},
        {"no VELLDEMO magic", "not a demo (no VELLDEMO magic)", false},
        {"too large", "not a demo", true},
        {"truncated", "cut short", true},
        {"offset ", "damaged", true},
    };
    for (const auto& kind : kinds) {
        if (std::strstr(why, kind.found) != nullptr) {
            std::fprintf(out, kind.detail ? "%s: %s (%s)\n" : "%s: %s\n", path, kind.said, why);
            return;
        }
    }
    std::fprintf(out, "%s: cannot read it: %s\n", path, why);
}

// The stage the demo was recorded on into play, as --play would choose it;
// else false after the chooser's one line, said as a refusal.
bool choose_stage_of(std::FILE* out, const char* path, const Demo& demo) {
    char folders[kStageFolders][kDataPathSize];
    const char* list[kStageFolders];
    const int count = stage_folders(folders);
    for (int i = 0; i < count; ++i) {
        list[i] = folders[i];
    }
    static char said[1024];
    std::FILE* err = fmemopen(said, sizeof said, "w");
    if (err == nullptr) {
        std::fprintf(out, "%s: cannot check its stage: %s\n", path, std::strerror(errno));
        return false;
    }
    const int status = choose_demo_stage(path, demo.stage, demo.layer_hash,
                                         demo.has_codes ? demo.codes : nullptr, list, count, err);
    std::fclose(err);
    if (status < 0) {
        return true;
    }
    const char* line = std::strncmp(said, "vellin: ", 8) == 0 ? said + 8 : said;
    std::fprintf(out, "%s", line);
    return false;
}

// One demo, one line; true when it finished.
bool verify_one(std::FILE* out, const char* path) {
    static Demo demo;
    char why[128];
    char found[kDataPathSize];
    if (!read_demo(find_demo(path, found), &demo, why, sizeof why)) {
        print_refusal(out, path, why);
        return false;
    }
    if (!choose_stage_of(out, path, demo)) {
        return false;
    }
    generate_stage(demo.seed);
    const ReplayResult run = replay_demo(demo);
    const char* name = demo.stage[0] != '\0' ? demo.stage : "jungle";
    if (!run.finished) {
        std::fprintf(out, "%s: did not finish %s (furthest x %.1f)\n", path, name, run.furthest_x);
        return false;
    }
    char time[kClockTextSize];
    format_steps_time(run.steps, time);
    std::fprintf(out, "%s: finished %s in %s (%zu steps)\n", path, name, time, run.steps);
    return true;
}

}  // namespace

int verify_demos(const char* const* paths, int count, std::FILE* out) {
    char model[kDataPathSize];
    data_path(kPlayerModel, model);
    if (data_missing || ludz.Read(model) != 1) {
        std::fprintf(stderr, "vellin: --verify: cannot read the player model %s\n", model);
        return 1;
    }
    pose_nothing(&ludz);
    int status = 0;
    for (int i = 0; i < count; ++i) {
        status = verify_one(out, paths[i]) ? status : 1;
    }
    return std::fflush(out) == 0 ? status : 1;
}
