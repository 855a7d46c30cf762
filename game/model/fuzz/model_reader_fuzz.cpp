// libFuzzer target for the text model reader: each input is written to a
// file and read through cModel::Read, then posed and drawn (without a
// GL context the GL calls do nothing, and textures are not loaded).
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "model/model.h"
#include "state/state.h"

namespace {

std::string input_path() {
    const char* dir = std::getenv("TMPDIR");
    std::string pattern = std::string(dir && *dir ? dir : "/tmp") + "/model_reader_fuzz-XXXXXX";
    const int fd = mkstemp(pattern.data());
    if (fd < 0) {
        std::abort();
    }
    close(fd);
    return pattern;
}

void ignore_report(void*, int, const char*) {}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = input_path();
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        std::abort();
    }
    if (size > 0 && std::fwrite(data, 1, size, file) != size) {
        std::abort();
    }
    std::fclose(file);

    cModel model;
    model.scale = kModelScale;
    if (model.Read(path.c_str()) != 1) {
        std::abort();
    }
    const float steps[] = {0.0f, 0.5f, 7.25f, -3.0f, 1000.0f};
    for (float step : steps) {
        model.AdvanceFrame(step);
        model.Draw();
    }
    // A second read into the same instance must replace the first cleanly;
    // it also runs the report sink's checks.
    model.Read(path.c_str(), ignore_report, nullptr);
    return 0;
}
