// Process entry, through Allegro's entry wrapper: the command line, the
// settings, the data directory and the session are settled before any window
// opens, so that a refusal is one line and no window.
#include <allegro.h>
#include <unistd.h>

#include <cstdio>

#include "demo/demo.h"
#include "input/input.h"
#include "level/level.h"
#include "shell/data_dir.h"
#include "shell/editor_screen.h"
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

// The stages folders, in lookup order, as the stage choosers take them.
struct Folders {
    char paths[kStageFolders][kDataPathSize];
    const char* list[kStageFolders];
    int count;

    Folders() : count(stage_folders(paths)) {
        for (int i = 0; i < count; ++i)
            list[i] = paths[i];
    }
};

// A demo to play holds its own stage; else --stage, else the settings
// file's, else the jungle. The recording takes what was chosen. -1 to go
// on, or the exit status.
int settle_stage() {
    const Folders folders;
    int status;
    if (const Demo* demo = session_demo()) {
        const char* demo_path = options.play ? options.play : options.timedemo;
        status = choose_demo_stage(demo_path, demo->stage, demo->layer_hash,
                                   demo->has_codes ? demo->codes : nullptr, folders.list,
                                   folders.count, stderr);
    } else {
        const char* value = options.stage ? options.stage : settings.stage;
        status = choose_stage(value, options.stage != nullptr, folders.list, folders.count, stderr);
    }
    if (status < 0)
        demo_record_stage(stage_stem, tile_layer);
    return status;
}

// "Vellin - NAME" on the window AllegroGL made, the jungle's too: Allegro's
// set_window_title names only its own window, which AllegroGL's replaces.
// UTF-8 for the desktop (_NET_WM_NAME), and the same bytes as the old WM_NAME.
void show_stage_in_title() {
    char title[kStageNameSize + 16];
    std::snprintf(title, sizeof title, "Vellin - %s", stage_name[0] ? stage_name : kJungleName);
    name_window(title);
}

}  // namespace

int main(int argc, char** argv) {
    int status = parse_options(argc, argv, stdout, stderr);
    if (status < 0 && options.check_stage) {
        status = check_stage_files(options.stage_files, options.stage_file_count, stdout);
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
        const Folders folders;
        status = print_stage_list(folders.list, folders.count, stdout);
    }
    if (status < 0) {
        status = begin_session();
    }
    if (status < 0) {
        status = edit_option != nullptr ? open_edit_option() : settle_stage();
    }
    if (status >= 0) {
        return status;
    }
    init();
    show_stage_in_title();
    if (edit_option != nullptr) {
        run_editor();
    } else {
        play();
    }
    uninit();
    return end_session();
}
END_OF_MAIN()
