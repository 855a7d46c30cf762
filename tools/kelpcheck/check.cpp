#include "check.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <system_error>
#include <vector>

#include "model/model.h"

namespace {

const int kScreenful = 20;  // lines of one sentence listed before the rest are counted

struct Report {
    int line;
    std::string what;
};

void collect(void* context, int line, const char* what) {
    static_cast<std::vector<Report>*>(context)->push_back({line, what});
}

// The reason the file cannot be read, or null when it can.
const char* unreadable(const std::filesystem::path& path) {
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        return std::strerror(EISDIR);
    }
    std::FILE* file = std::fopen(path.c_str(), "r");
    if (file == nullptr) {
        return std::strerror(errno);
    }
    std::fclose(file);
    return nullptr;
}

const char* plural(int n, const char* one, const char* many) {
    return n == 1 ? one : many;
}

void print_summary(const char* path, const cModel& m, std::FILE* out) {
    const int meshes = kpModel_GetMeshCount(m.model);
    int vertices = 0, triangles = 0;
    for (int i = 0; i < meshes; i++) {
        kpMesh* mesh = kpModel_GetMeshAt(m.model, i);
        vertices += kpMesh_GetVertexCount(mesh);
        triangles += kpMesh_GetTriangleCount(mesh);
    }
    const int materials = kpModel_GetMaterialCount(m.model);
    const int bones = kpModel_GetBoneCount(m.model);
    const int frames = kpModel_GetTotalFrames(m.model);
    // "Frames: N" names the last frame: the animation runs from 0 to N.
    std::fprintf(out, "%s: %d %s, %d %s, %d %s, %d %s, %d %s, last frame %d", path, meshes,
                 plural(meshes, "mesh", "meshes"), vertices, plural(vertices, "vertex", "vertices"),
                 triangles, plural(triangles, "triangle", "triangles"), materials,
                 plural(materials, "material", "materials"), bones, plural(bones, "bone", "bones"),
                 frames);
    if (vertices > 0) {
        std::fprintf(out, "; bind pose from (%g, %g, %g) to (%g, %g, %g)", m.mins[0], m.mins[1],
                     m.mins[2], m.maxs[0], m.maxs[1], m.maxs[2]);
    }
    std::fprintf(out, "\n");
}

// A sentence said more than a screenful of times (every line of a file that
// is not a model at all) is listed that often, then counted.
void print_reports(const char* path, const std::vector<Report>& reports, std::FILE* out) {
    struct Repeat {
        int count;
        int last_line;
    };
    std::map<std::string, Repeat> said;
    for (const Report& r : reports) {
        Repeat& repeat = said[r.what];
        if (++repeat.count <= kScreenful) {
            std::fprintf(out, "%s:%d: %s\n", path, r.line, r.what.c_str());
        }
        repeat.last_line = r.line;
    }
    for (const Report& r : reports) {
        Repeat& repeat = said[r.what];
        if (repeat.count > kScreenful && r.line == repeat.last_line) {
            std::fprintf(out, "%s: %d more lines up to line %d not listed: %s\n", path,
                         repeat.count - kScreenful, repeat.last_line, r.what.c_str());
            repeat.count = 0;
        }
    }
}

}  // namespace

int check_file(const char* path, bool quiet, std::FILE* out, std::FILE* err) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path file = fs::absolute(path, error);
    const std::string reason = error ? error.message() : unreadable(file) ? unreadable(file) : "";
    if (!reason.empty()) {
        std::fprintf(err, "kelpcheck: %s: cannot be read: %s\n", path, reason.c_str());
        return kCheckUnreadable;
    }
    std::vector<Report> reports;
    cModel m;
    const int opened = m.Read(file.c_str(), collect, &reports);
    if (opened == 0) {
        std::fprintf(err, "kelpcheck: %s: cannot be read: %s\n", path, std::strerror(errno));
        return kCheckUnreadable;
    }
    // Checks that need the whole model report last; the file's order reads best.
    std::stable_sort(reports.begin(), reports.end(),
                     [](const Report& a, const Report& b) { return a.line < b.line; });
    print_reports(path, reports, out);
    // The game reads such a file without a word and draws nothing; the
    // viewer refuses it in the same words.
    const bool empty = kpModel_GetMeshCount(m.model) == 0 && kpModel_GetBoneCount(m.model) == 0;
    if (empty) {
        std::fprintf(out, "%s: no mesh and no bone in it: nothing to show\n", path);
    }
    if (!quiet) {
        print_summary(path, m, out);
    }
    return reports.empty() && !empty ? kCheckClean : kCheckReported;
}
