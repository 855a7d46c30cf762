// libFuzzer target for the stage file reader: every fault must name a place
// in the input and say something; a stage that reads must print back as
// text that reads to the same layer and name.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "level/level.h"

namespace {

struct Seen {
    std::size_t size;
    int faults;
};

void check_fault(void* context, int line, int column, const char* what) {
    Seen* seen = static_cast<Seen*>(context);
    ++seen->faults;
    // Lines and columns count from 1 and never past the input (one past its end at most).
    if (line < 1 || column < 1 || static_cast<std::size_t>(line) > seen->size + 2 ||
        static_cast<std::size_t>(column) > seen->size + 1 || what[0] == '\0')
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    StageFile stage;
    Seen seen{size, 0};
    const bool valid = parse_stage(data, size, &stage, check_fault, &seen);
    if (valid != (seen.faults == 0))
        std::abort();
    if (!valid)
        return 0;
    std::string text = std::string("# name: ") + stage.name + "\n";
    for (const auto& row : stage.codes) {
        for (int code : row)
            text += static_cast<char>('0' + code);
        text += '\n';
    }
    StageFile again;
    if (!parse_stage(reinterpret_cast<const unsigned char*>(text.data()), text.size(), &again,
                     nullptr, nullptr) ||
        std::memcmp(again.codes, stage.codes, sizeof stage.codes) != 0 ||
        std::strcmp(again.name, stage.name) != 0)
        std::abort();
    return 0;
}
