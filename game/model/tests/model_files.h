// Test support: model files written into a private temporary directory.
#ifndef VELLIN_MODEL_TEST_FILES_H
#define VELLIN_MODEL_TEST_FILES_H

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <kelpmodel.h>

class ModelFiles {
  public:
    ModelFiles() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "vellin-model-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            std::abort();
        }
        dir_ = pattern;
    }
    ~ModelFiles() {
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }
    ModelFiles(const ModelFiles&) = delete;
    ModelFiles& operator=(const ModelFiles&) = delete;

    // Writes `text` byte for byte and returns the file's path.
    std::string Write(const std::string& name, const std::string& text) const {
        const std::string path = (dir_ / name).string();
        std::ofstream out(path, std::ios::binary);
        out << text;
        return path;
    }
    std::string Path(const std::string& name) const { return (dir_ / name).string(); }

  private:
    std::filesystem::path dir_;
};

inline void vertex_position(kpMesh* mesh, int index, float out[3]) {
    kpVertex_GetVertex(kpMesh_GetVertexAt(mesh, index), out);
}

#endif
