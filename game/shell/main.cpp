// Process entry, through Allegro's entry wrapper: the command line, the
// settings, the data directory and the session are settled before any window
// opens, so that a refusal is one line and no window.
#include <allegro.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "demo/demo.h"
#include "input/input.h"
#include "level/level.h"
#include "shell/data_dir.h"
#include "shell/options.h"
#include "shell/replay.h"
#include "shell/session.h"
#include "shell/shell.h"
#include "shell/window_x11.h"

namespace {

// --config FILE, else the usual file, which may be missing. -1 to go on, or
// the exit status.
int read_settings() {
    if (options.config != nullptr) {
        if (const char* why = settings_file_problem(options.config)) {
            std::fprintf(stderr, "vellin: --config %s: %s\n", options.config, why);
            return 1;
        }
        read_settings_file(options.config, stderr);
        return -1;
    }
    char path[kDataPathSize];
    if (settings_file_path(path, sizeof path)) {
        read_settings_file(path, stderr);
    }
    return -1;
}

// Chooses data_dir once, for the demos and for start-up. -1 to go on, or the
// exit status when --data names no data.
int choose_data_dir() {
    // Allegro is not started yet, so its get_executable_name cannot be used.
    char program[kDataPathSize] = "";
    const ssize_t n = readlink("/proc/self/exe", program, sizeof program - 1);
    program[n > 0 ? n : 0] = '\0';
    return find_data_dir(data_places(data_option, program)) < 0 ? 1 : -1;
}

// The first fault of a stage file, and how many there are.
struct FirstFault {
    int line, column;  // 0 when the file could not be read
    char what[200];
    int count;
};

void keep_first(void* context, int line, int column, const char* what) {
    FirstFault* f = static_cast<FirstFault*>(context);
    if (f->count++ == 0) {
        f->line = line;
        f->column = column;
        std::snprintf(f->what, sizeof f->what, "%s", what);
    }
}

bool load_quietly(const char* path, StageFile* stage, FirstFault* fault) {
    *fault = FirstFault{0, 0, "", 0};
    return load_stage_file(path, stage, keep_first, fault);
}

// "PATH:LINE:COLUMN: what", or "PATH: why" for a file that cannot be read.
void print_fault(std::FILE* to, const char* path, const FirstFault& f) {
    if (f.line == 0) {
        std::fprintf(to, "%s: %s", path, f.what);
    } else {
        std::fprintf(to, "%s:%d:%d: %s", path, f.line, f.column, f.what);
    }
}

// --check-stage FILE...: every fault of every file on stdout.
int check_stages() {
    int status = 0;
    for (int i = 0; i < options.stage_file_count; ++i) {
        StageFile stage;
        if (read_stage_file(options.stage_files[i], &stage, stdout)) {
            std::printf("%s: valid\n", options.stage_files[i]);
        } else {
            status = 1;
        }
    }
    return std::fflush(stdout) == 0 ? status : 1;
}

void list_one(void*, const char* path) {
    StageFile stage;
    FirstFault fault;
    char stem[kStageNameSize];
    stage_file_stem(path, stem);
    if (load_quietly(path, &stage, &fault)) {
        std::printf("%-16s %s: valid%s%s\n", stem, path, stage.name[0] ? ", " : "", stage.name);
    } else {
        std::printf("%-16s ", stem);
        print_fault(stdout, path, fault);
        std::printf("\n");
    }
}

// --list-stages: each folder's stages, in the order a name is looked up, each
// "NAME PATH: valid[, its name]" or "NAME PATH:LINE:COLUMN: its first fault".
int list_stages() {
    char folders[kStageFolders][kDataPathSize];
    const int n = stage_folders(folders);
    for (int i = 0; i < n; ++i) {
        list_stage_folder(folders[i], list_one, nullptr);
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}

StageFile chosen;

// Puts a valid stage in play: its layer, its name on show, and the recording's.
void use_chosen(const char* path) {
    use_stage(chosen);
    char stem[kStageNameSize];
    stage_file_stem(path, stem);
    std::snprintf(stage_name, sizeof stage_name, "%s", chosen.name[0] ? chosen.name : stem);
    demo_record_stage(stem, chosen.codes);
}

// A demo of version 3 plays on its stage: the jungle's hash is the layer
// compiled in, any other is looked for by name in every stages folder.
int demo_stage(const char* demo_path, const Demo& demo) {
    if (demo.version < kDemoStageVersion ||
        (std::strcmp(demo.stage, "jungle") == 0 && demo.layer_hash == stage_hash(jungle_map0))) {
        return -1;
    }
    if (demo.has_codes) {  // version 4 carries its layer
        std::memcpy(chosen.codes, demo.codes, sizeof chosen.codes);
        use_stage(chosen);
        std::snprintf(stage_name, sizeof stage_name, "%s", demo.stage);
        return -1;
    }
    char folders[kStageFolders][kDataPathSize];
    const int n = stage_folders(folders);
    for (int i = 0; i < n; ++i) {
        char path[kDataPathSize];
        const char* folder = folders[i];
        FirstFault fault;
        if (find_stage(demo.stage, &folder, 1, path, sizeof path) &&
            load_quietly(path, &chosen, &fault) && stage_hash(chosen.codes) == demo.layer_hash) {
            use_chosen(path);
            return -1;
        }
    }
    std::fprintf(stderr,
                 "vellin: %s: needs the stage %s (hash %08x), not found in the stages folders "
                 "(vellin --list-stages)\n",
                 demo_path, demo.stage, demo.layer_hash);
    return 1;
}

// --stage, else the settings file's stage, else the jungle; a demo to play
// holds its own. -1 to go on, or 1 after one line saying why not.
int choose_stage() {
    const char* demo_path = options.play ? options.play : options.timedemo;
    if (const Demo* demo = session_demo()) {
        return demo_stage(demo_path, *demo);
    }
    const char* value = options.stage ? options.stage : settings.stage;
    const char* given = options.stage ? "--stage" : "stage =";
    if (value[0] == '\0') {
        demo_record_stage("jungle", jungle_map0);
        return -1;
    }
    char path[kDataPathSize];
    if (names_stage_file(value)) {
        std::snprintf(path, sizeof path, "%s", value);
    } else {
        char folders[kStageFolders][kDataPathSize];
        const char* list[kStageFolders];
        const int n = stage_folders(folders);
        for (int i = 0; i < n; ++i) {
            list[i] = folders[i];
        }
        if (!find_stage(value, list, n, path, sizeof path)) {
            std::fprintf(stderr, "vellin: %s %s: no stage of that name (vellin --list-stages)\n",
                         given, value);
            return 1;
        }
    }
    FirstFault fault;
    if (!load_quietly(path, &chosen, &fault)) {
        std::fprintf(stderr, "vellin: ");
        print_fault(stderr, path, fault);
        if (fault.count > 1) {
            std::fprintf(stderr, " (%d faults: vellin --check-stage %s lists them)", fault.count,
                         path);
        }
        std::fprintf(stderr, "\n");
        return 1;
    }
    use_chosen(path);
    return -1;
}

// "Vellin - NAME" on the window AllegroGL made: Allegro's set_window_title
// names only its own window, which AllegroGL's replaces. UTF-8 for the
// desktop (_NET_WM_NAME), and the same bytes as the old WM_NAME.
void show_stage_in_title() {
    char title[kStageNameSize + 16];
    std::snprintf(title, sizeof title, "Vellin - %s", stage_name);
    name_window(title);
}

}  // namespace

int main(int argc, char** argv) {
    int status = parse_options(argc, argv, stdout, stderr);
    if (status < 0 && options.check_stage) {
        status = check_stages();
    }
    if (status < 0 && options.print_config) {
        print_settings(stdout);
        status = std::fflush(stdout) == 0 ? 0 : 1;
    }
    if (status < 0) {
        status = read_settings();
    }
    if (status < 0) {
        override_settings();
        status = choose_data_dir();
    }
    if (status < 0 && options.verify) {
        status = verify_demos(options.stage_files, options.stage_file_count, stdout);
    }
    if (status < 0 && options.list_stages) {
        status = list_stages();
    }
    if (status < 0) {
        status = begin_session();
    }
    if (status < 0) {
        status = choose_stage();
    }
    if (status >= 0) {
        return status;
    }
    init();
    if (stage_name[0] != '\0') {
        show_stage_in_title();
    }
    play();
    uninit();
    return end_session();
}
END_OF_MAIN()
