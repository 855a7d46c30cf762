// make_demo: turns a key script into a demo file.
//   make_demo SCRIPT DEMO          write the demo
//   make_demo --trace SCRIPT MODEL play it without a window and print the
//                                  player's state at the end of every hold
//   --stage FILE                   on a stage file's layer; the demo holds it
//   --demo-version 3               with --stage: name the stage but leave its
//                                  layer out, as the game wrote demos before
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <vector>

#include "cmdline/cmdline.h"
#include "headless.h"
#include "level/level.h"
#include "key_script.h"
#include "shell/physics.h"
#include "model/model.h"
#include "shell/shell.h"

namespace {

bool read_script(const char* path, KeyScript* script) {
    std::ifstream in(path);
    if (!in) {
        std::fprintf(stderr, "make_demo: cannot read %s\n", path);
        return false;
    }
    std::stringstream text;
    text << in.rdbuf();
    std::string error;
    if (!parse_key_script(text.str(), script, &error)) {
        std::fprintf(stderr, "make_demo: %s: %s\n", path, error.c_str());
        return false;
    }
    return true;
}

int trace(const KeyScript& script, const char* model) {
    if (!start_headless(script.seed, model)) {
        std::fprintf(stderr, "make_demo: cannot read %s\n", model);
        return 1;
    }
    const Demo demo = demo_from_script(script);
    std::size_t step = 0;
    for (const KeyHold& hold : script.holds) {
        for (int i = 0; i < hold.steps; ++i) {
            physics(demo.steps[step++]);
        }
        std::printf(
            "line %3d step %6zu: x %8.2f y %8.2f z %5.1f frame %5.1f jump %d fall %d down %d\n",
            hold.line, step, ludz.pos[0], ludz.pos[1], ludz.pos[2], ludz.frame, jump, fall, down);
    }
    return 0;
}

int tracing;
const char* stage_path;
int version;  // 0: the current one

const CmdOption kOptions[] = {
    cmd_flag("--trace", &tracing, 1, "play SCRIPT without a window on the player MODEL"),
    cmd_text("--stage", "FILE", &stage_path,
             "play on the stage in FILE instead of the jungle; the demo holds it"),
    cmd_int("--demo-version", "N", &version, kDemoStageVersion, kDemoVersion,
            "with --stage, write that version of the demo file (3: without the layer)"),
};

const CmdLine kLine = {
    "make_demo",
    "[OPTION]... SCRIPT DEMO | make_demo --trace [OPTION]... SCRIPT MODEL",
    "Turns a key script into a demo file, or plays it without a window (--trace)\n"
    "and prints the player's state at the end of every hold.\n",
    kOptions,
    3,
    "SCRIPT",
    2,
    2,
    nullptr,
};

}  // namespace

int main(int argc, char** argv) {
    std::vector<const char*> operands(argc);
    int count = 0;
    const int status =
        parse_command_line(kLine, argc, argv, operands.data(), &count, stdout, stderr);
    if (status >= 0) {
        return status;
    }
    if (version != 0 && stage_path == nullptr) {
        return refuse_command_line(kLine, "--demo-version needs --stage", stderr);
    }
    KeyScript script;
    if (!read_script(operands[0], &script)) {
        return 1;
    }
    Demo demo = demo_from_script(script);
    if (stage_path != nullptr) {
        StageFile stage;
        if (!read_stage_file(stage_path, &stage, stderr)) {
            return 1;
        }
        use_stage(stage);
        demo.version = version != 0 ? static_cast<unsigned int>(version) : kDemoVersion;
        char stem[kStageNameSize];  // named after the file, as the game names it
        stage_file_stem(stage_path, stem);
        demo_stage_name(stem, demo.stage);
        std::memcpy(demo.codes, stage.codes, sizeof demo.codes);
        demo.has_codes = true;
        demo.layer_hash = stage_hash(stage.codes);
    }
    if (tracing) {
        return trace(script, operands[1]);
    }
    const std::vector<unsigned char> bytes = encode_demo(demo);
    std::ofstream out(operands[1], std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "make_demo: cannot write %s\n", operands[1]);
        return 1;
    }
    return 0;
}
