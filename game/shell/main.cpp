// Process entry, through Allegro's entry wrapper: the command line, the
// settings, the data directory and the session are settled before any window
// opens, so that a refusal is one line and no window.
#include <allegro.h>
#include <unistd.h>

#include <cstdio>

#include "input/input.h"
#include "shell/data_dir.h"
#include "shell/options.h"
#include "shell/session.h"
#include "shell/shell.h"

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

}  // namespace

int main(int argc, char** argv) {
    int status = parse_options(argc, argv, stdout, stderr);
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
    if (status < 0) {
        status = begin_session();
    }
    if (status >= 0) {
        return status;
    }
    init();
    play();
    uninit();
    return end_session();
}
END_OF_MAIN()
