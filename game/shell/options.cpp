// The game's option table and the checks the table cannot make.
#include "shell/options.h"

#include <algorithm>
#include <climits>
#include <iterator>
#include <vector>

#include "input/input.h"
#include "shell/data_dir.h"
#include "shell/editor_screen.h"

Options options;

namespace {

// The options of the settings table come first, then these.
const CmdOption kOwnOptions[] = {
    cmd_unsigned("--seed", "N", &options.seed, &options.seed_given,
                 "random seed of the stage (default: the clock)"),
    cmd_text("--data", "DIR", &data_option, "read the game's files from DIR"),
    cmd_text("--config", "FILE", &options.config, "read the settings from FILE"),
    cmd_flag("--print-config", &options.print_config, 1,
             "print the default settings file and exit"),
    cmd_flag("--immediate", &options.immediate, 1,
             "draw the stage in immediate mode, not from display lists (slower)"),
    cmd_text("--record", "FILE", &options.record, "record a demo of this game into FILE"),
    cmd_text("--play", "FILE", &options.play, "watch the demo in FILE"),
    cmd_text("--timedemo", "FILE", &options.timedemo, "run the demo in FILE as fast as possible"),
    cmd_text("--capture", "DIR", &options.capture, "save the frames of a demo as PNG files in DIR"),
    cmd_int("--capture-every", "N", &options.capture_every, 1, INT_MAX,
            "save only every Nth frame"),
    cmd_flag("--overwrite", &options.overwrite, 1,
             "let --record and --capture replace a demo or frames already there"),
    cmd_text("--stage", "STAGE", &options.stage,
             "play on STAGE: a stage file, or a name found in the stages folders"),
    cmd_flag("--list-stages", &options.list_stages, 1,
             "list the stages found, where they are and whether they are valid"),
    cmd_flag("--check-stage", &options.check_stage, 1,
             "check the stage FILEs, naming every fault, and exit"),
    cmd_flag("--verify", &options.verify, 1,
             "replay the demo FILEs without a window, say which reach the stage's end and "
             "in what time, and exit"),
    cmd_flag("--time-trial", &options.time_trial, 1,
             "race the clock from the stage's start to its end"),
    cmd_text("--edit", "STAGE", &edit_option,
             "edit STAGE (a file or a name; a new name starts a new stage) instead of playing"),
};

constexpr int kOptionCount = kSettingOptionCount + sizeof kOwnOptions / sizeof kOwnOptions[0];
CmdOption option_table[kOptionCount];  // filled by parse_options

const CmdLine kLine = {
    "vellin",
    "[OPTION]... | vellin --check-stage FILE... | vellin --verify FILE...",
    "A 3D side-scroller on a jungle stage, or a stage of your own.\n",
    option_table,
    kOptionCount,
    "FILE",
    0,
    -1,
    "The options from --windowed to --no-vsync override the settings file for this\n"
    "run: $XDG_CONFIG_HOME/vellin/vellin.cfg (~/.config/vellin/vellin.cfg).\n"
    "A stage NAME is NAME.stage in $XDG_DATA_HOME/vellin/stages/\n"
    "(~/.local/share/vellin/stages/), else in the game's stages/ folder.\n",
};

// The reason a set of options cannot be used together, or nullptr.
const char* conflict() {
    const int demos =
        (options.record != nullptr) + (options.play != nullptr) + (options.timedemo != nullptr);
    if (demos > 1) {
        return "use only one of --record, --play and --timedemo";
    }
    if (options.capture != nullptr && options.play == nullptr && options.timedemo == nullptr) {
        return "--capture needs --play or --timedemo";
    }
    if (options.capture_every > 0 && options.capture == nullptr) {
        return "--capture-every needs --capture";
    }
    if (options.overwrite && options.record == nullptr && options.capture == nullptr) {
        return "--overwrite needs --record or --capture";
    }
    if (options.seed_given && (options.play != nullptr || options.timedemo != nullptr)) {
        return "--seed cannot be used with a demo to play: the demo holds its seed";
    }
    if (options.stage != nullptr && (options.play != nullptr || options.timedemo != nullptr)) {
        return "--stage cannot be used with a demo to play: the demo holds its stage";
    }
    if (edit_option != nullptr && (demos > 0 || options.stage != nullptr || options.check_stage ||
                                   options.verify || options.list_stages || options.time_trial)) {
        return "--edit goes with the window's and the settings' options only";
    }
    if (options.check_stage && options.verify) {
        return "use only one of --check-stage and --verify";
    }
    if (options.verify && options.stage_file_count == 0) {
        return "--verify needs a demo FILE to replay";
    }
    if (options.check_stage != (options.stage_file_count > 0) && !options.verify) {
        return options.check_stage ? "--check-stage needs a FILE to check"
                                   : "a FILE goes with --check-stage or --verify only";
    }
    return nullptr;
}

}  // namespace

int parse_options(int argc, char** argv, std::FILE* out, std::FILE* err) {
    setting_options(&options.overrides, option_table);
    std::copy(std::begin(kOwnOptions), std::end(kOwnOptions), option_table + kSettingOptionCount);
    static std::vector<const char*> operands;
    operands.assign(static_cast<std::size_t>(argc > 0 ? argc : 1), nullptr);
    const int status =
        parse_command_line(kLine, argc, argv, operands.data(), &options.stage_file_count, out, err);
    options.stage_files = operands.data();
    if (status >= 0) {
        return status;
    }
    if (const char* reason = conflict()) {
        return refuse_command_line(kLine, reason, err);
    }
    options.capture_every = options.capture_every > 0 ? options.capture_every : 1;
    return -1;
}

void override_settings() {
    apply_setting_overrides(options.overrides);
}
