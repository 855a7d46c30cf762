// Hostile inputs kept for the reader's guards (and any the fuzzer finds),
// plus the seed corpus. Each must either fail to read cleanly or read into a
// model whose triangles name only vertices and normals their mesh has, and
// then pose without fault (the sanitizer build checks the memory).
#include <gtest/gtest.h>

#include <filesystem>

#include "model/model.h"

namespace {

void check_indices(const cModel& m, const std::string& file) {
    for (int i = 0; i < kpModel_GetMeshCount(m.model); ++i) {
        kpMesh* mesh = kpModel_GetMeshAt(m.model, i);
        const int vertices = kpMesh_GetVertexCount(mesh);
        const int normals = kpMesh_GetVertexNormalCount(mesh);
        for (int t = 0; t < kpMesh_GetTriangleCount(mesh); ++t) {
            uint16_t v[3], n[3];
            kpTriangle_GetVertexIndices(kpMesh_GetTriangleAt(mesh, t), v);
            kpTriangle_GetNormalIndices(kpMesh_GetTriangleAt(mesh, t), n);
            for (int k = 0; k < 3; ++k) {
                ASSERT_LT(v[k], vertices) << file << " mesh " << i << " triangle " << t;
                ASSERT_LT(n[k], normals) << file << " mesh " << i << " triangle " << t;
            }
        }
    }
}

void check_file(const std::filesystem::path& path) {
    const std::string file = path.filename().string();
    cModel m;
    if (m.Read(path.c_str()) == 0) {
        EXPECT_EQ(m.model, nullptr) << file << ": a failed read keeps nothing";
        return;
    }
    ASSERT_NE(m.model, nullptr) << file;
    if (kpModel_GetBoneCount(m.model) > 0) {
        ASSERT_NE(m.xforms, nullptr) << file;
    }
    check_indices(m, file);
    for (float step : {0.5f, -3.0f, 100.0f}) {
        m.AdvanceFrame(step);
    }
}

int read_every_file(const char* dir) {
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        // Every file here is read as a model: nothing else belongs in the folder.
        EXPECT_TRUE(entry.is_regular_file()) << entry.path();
        check_file(entry.path());
        files++;
    }
    return files;
}

}  // namespace

TEST(ModelRegressions, EveryRegressionInputFailsCleanlyOrReadsInRange) {
    EXPECT_GT(read_every_file(MODEL_REGRESSIONS_DIR), 0);
}

TEST(ModelRegressions, EverySeedInputFailsCleanlyOrReadsInRange) {
    EXPECT_GT(read_every_file(MODEL_CORPUS_DIR), 0);
}
