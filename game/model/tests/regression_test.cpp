// Inputs the fuzzer once broke the reader with, plus the seed corpus: each
// must read and pose without fault (the sanitizer build checks).
#include <gtest/gtest.h>

#include <filesystem>

#include "model/model.h"

namespace {

int read_every_file(const char* dir) {
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        if (!entry.is_regular_file()) {
            continue;
        }
        cModel m;
        EXPECT_EQ(m.Read(entry.path().c_str()), 1) << entry.path();
        for (float step : {0.5f, -3.0f, 100.0f}) {
            m.AdvanceFrame(step);
        }
        files++;
    }
    return files;
}

}  // namespace

TEST(ModelRegressions, EveryRegressionInputReadsCleanly) {
    read_every_file(MODEL_REGRESSIONS_DIR);
}

TEST(ModelRegressions, EverySeedInputReadsCleanly) {
    EXPECT_GT(read_every_file(MODEL_CORPUS_DIR), 0);
}
