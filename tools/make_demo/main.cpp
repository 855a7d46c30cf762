// make_demo: turns a key script into a demo file.
//   make_demo SCRIPT DEMO          write the demo
//   make_demo --trace SCRIPT MODEL play it without a window and print the
//                                  player's state at the end of every hold
#include <cstdio>
#include <fstream>
#include <sstream>

#include "headless.h"
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

}  // namespace

int main(int argc, char** argv) {
    const bool tracing = argc == 4 && std::string(argv[1]) == "--trace";
    if (argc != 3 && !tracing) {
        std::fprintf(stderr, "usage: make_demo SCRIPT DEMO | make_demo --trace SCRIPT MODEL\n");
        return 2;
    }
    KeyScript script;
    if (!read_script(argv[tracing ? 2 : 1], &script)) {
        return 1;
    }
    if (tracing) {
        return trace(script, argv[3]);
    }
    const std::vector<unsigned char> bytes = encode_demo(demo_from_script(script));
    std::ofstream out(argv[2], std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "make_demo: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
