#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "check.h"
#include "model/model.h"

namespace {

namespace fs = std::filesystem;

struct Output {
    int status;
    std::string out;
    std::string err;
};

Output run_check(const std::string& path, bool quiet) {
    char *out_text = nullptr, *err_text = nullptr;
    size_t out_size = 0, err_size = 0;
    std::FILE* out = open_memstream(&out_text, &out_size);
    std::FILE* err = open_memstream(&err_text, &err_size);
    const int status = check_file(path.c_str(), quiet, out, err);
    std::fclose(out);
    std::fclose(err);
    Output result{status, out_text, err_text};
    std::free(out_text);
    std::free(err_text);
    return result;
}

std::vector<fs::path> samples() {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(SAMPLES_DIR)) {
        if (entry.path().extension() == ".txt") {
            files.push_back(entry.path());
        }
    }
    return files;
}

// Every byte of the store that the reader fills, list by list.
std::string store_bytes(const cModel& m) {
    std::string bytes;
    auto add = [&bytes](const void* data, size_t size) {
        bytes.append(static_cast<const char*>(data), size);
    };
    add(&m.texture, sizeof m.texture);
    add(m.mins, sizeof m.mins);
    add(m.maxs, sizeof m.maxs);
    add(&m.model->frame, sizeof m.model->frame);
    add(&m.model->totalFrames, sizeof m.model->totalFrames);
    for (int i = 0; i < kpModel_GetMeshCount(m.model); i++) {
        kpMesh* mesh = kpModel_GetMeshAt(m.model, i);
        add(mesh->name, sizeof mesh->name);
        const int vertices = kpMesh_GetVertexCount(mesh);
        const int triangles = kpMesh_GetTriangleCount(mesh);
        add(&vertices, sizeof vertices);
        add(&triangles, sizeof triangles);
        if (vertices > 0) {
            add(kpMesh_GetVertexAt(mesh, 0), vertices * sizeof(kpVertex));
        }
        if (triangles > 0) {
            add(kpMesh_GetTriangleAt(mesh, 0), triangles * sizeof(kpTriangle));
        }
    }
    for (int i = 0; i < kpModel_GetMaterialCount(m.model); i++) {
        add(kpModel_GetMaterialAt(m.model, i), sizeof(kpMaterial));
    }
    for (int i = 0; i < kpModel_GetBoneCount(m.model); i++) {
        kpBone* bone = kpModel_GetBoneAt(m.model, i);
        add(bone->name, sizeof bone->name);
        add(bone->parentName, sizeof bone->parentName);
        for (int k = 0; k < kpBone_GetPositionKeyCount(bone); k++) {
            add(kpBone_GetPositionKeyAt(bone, k), sizeof(kpPositionKey));
        }
        for (int k = 0; k < kpBone_GetRotationKeyCount(bone); k++) {
            add(kpBone_GetRotationKeyAt(bone, k), sizeof(kpRotationKey));
        }
    }
    return bytes;
}

// Keeps the last report: after a stop there is none.
void keep_last(void* context, int line, const char* what) {
    *static_cast<std::string*>(context) = std::to_string(line) + ": " + what;
}

}  // namespace

// Each sample names its expected reports in "// expect: LINE: what" lines
// ("// expect: what" for one on the whole file).
TEST(Kelpcheck, EachBrokenSampleGivesExactlyItsDiagnostic) {
    const std::vector<fs::path> files = samples();
    ASSERT_GE(files.size(), 15u);
    for (const fs::path& file : files) {
        std::ifstream in(file);
        std::string line, expected;
        const std::string marker = "// expect: ";
        while (std::getline(in, line)) {
            if (line.compare(0, marker.size(), marker) == 0) {
                // A report on the whole file has no line number.
                const std::string what = line.substr(marker.size());
                expected += file.string() +
                            (std::isdigit(static_cast<unsigned char>(what[0])) ? ":" : ": ") +
                            what + "\n";
            }
        }
        ASSERT_FALSE(expected.empty()) << file;
        const Output result = run_check(file.string(), true);
        EXPECT_EQ(result.out, expected) << file;
        EXPECT_EQ(result.status, kCheckReported) << file;
    }
}

TEST(Kelpcheck, ShippedModelsCheckClean) {
    for (const char* name : {"trooper.txt", "bridge.txt"}) {
        const Output result = run_check(std::string(ASSETS_DIR) + "/" + name, true);
        EXPECT_EQ(result.status, kCheckClean) << name;
        EXPECT_EQ(result.out, "") << name;
    }
}

TEST(Kelpcheck, SummaryCountsTheModelAndItsBindPoseBox) {
    const std::string path = std::string(SAMPLES_DIR) + "/flags-bits.txt";
    const Output result = run_check(path, false);
    EXPECT_NE(result.out.find(
                  path + ": 1 mesh, 3 vertices, 1 triangle, 0 materials, 0 bones, last frame 0; "
                         "bind pose from (0, 0, 0) to (1, 1, 0)\n"),
              std::string::npos)
        << result.out;
}

// A file that is no model at all (an image, say) does not flood the terminal.
TEST(Kelpcheck, SentenceRepeatedPastAScreenfulIsCounted) {
    const fs::path path = fs::temp_directory_path() / "kelpcheck-not-a-model.txt";
    std::string junk;
    for (int i = 0; i < 25; i++) {
        junk += "junk\n";
    }
    std::ofstream(path) << junk;
    const Output result = run_check(path.string(), true);
    fs::remove(path);
    const std::string what =
        "line ignored: neither a comment nor a keyword at the start of the line";
    EXPECT_EQ(result.out.substr(result.out.find(":20: ")),
              ":20: " + what + "\n" + path.string() + ": 5 more lines up to line 25 not listed: " +
                  what + "\n" + path.string() + ": no mesh and no bone in it: nothing to show\n");
}

TEST(Kelpcheck, FileThatCannotBeReadGivesStatusTwo) {
    for (const std::string& path :
         {std::string(SAMPLES_DIR) + "/no-such-model.txt", std::string(SAMPLES_DIR)}) {
        const Output result = run_check(path, false);
        EXPECT_EQ(result.status, kCheckUnreadable) << path;
        EXPECT_EQ(result.out, "") << path;
        EXPECT_NE(result.err.find(path + ": cannot be read: "), std::string::npos) << result.err;
    }
}

// The game draws nothing from such a file, and the viewer refuses it.
TEST(Kelpcheck, FileWithNeitherMeshNorBoneIsReported) {
    const Output result = run_check("/dev/null", true);
    EXPECT_EQ(result.status, kCheckReported);
    EXPECT_EQ(result.out, "/dev/null: no mesh and no bone in it: nothing to show\n");
}

// The sink only listens: what the game reads must not depend on it.
TEST(Kelpcheck, ReportSinkLeavesWhatIsReadUnchanged) {
    std::vector<fs::path> files = samples();
    files.push_back(fs::path(ASSETS_DIR) / "trooper.txt");
    for (const fs::path& file : files) {
        cModel plain, reported;
        ASSERT_EQ(plain.Read(file.c_str()), 1);
        // Without a sink too, the read knows where it stopped.
        const std::string stop = std::to_string(read_stop.line) + ": " + read_stop.what;
        std::string last;
        ASSERT_EQ(reported.Read(file.c_str(), keep_last, &last), 1);
        EXPECT_TRUE(store_bytes(plain) == store_bytes(reported)) << file;
        const bool stops = last.find("reading stops") != std::string::npos ||
                           last.find("the rest of the file") != std::string::npos;
        EXPECT_EQ(stops ? last : "0: ", stop) << file;
    }
}
