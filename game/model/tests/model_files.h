// Test support: model files written into a private temporary directory.
#ifndef VELLIN_MODEL_TEST_FILES_H
#define VELLIN_MODEL_TEST_FILES_H

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <kelpmodel.h>

#include "temp_dir.h"

class ModelFiles {
  public:
    ModelFiles() : dir_("vellin-model") {}
    ModelFiles(const ModelFiles&) = delete;
    ModelFiles& operator=(const ModelFiles&) = delete;

    // Writes `text` byte for byte and returns the file's path.
    std::string Write(const std::string& name, const std::string& text) const {
        const std::string path = (dir_.path() / name).string();
        std::ofstream out(path, std::ios::binary);
        out << text;
        return path;
    }
    std::string Path(const std::string& name) const { return (dir_.path() / name).string(); }

  private:
    TempDir dir_;
};

inline void vertex_position(kpMesh* mesh, int index, float out[3]) {
    kpVertex_GetVertex(kpMesh_GetVertexAt(mesh, index), out);
}

#endif
