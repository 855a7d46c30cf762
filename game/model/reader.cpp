// cModel::Read: the text model file reader.
//
// The file comes from outside the program, so every line is bounded (255
// characters a read), every list ends at end of file whatever its count says,
// and indices that would reach outside a list are refused here or guarded
// where they are used.

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "model/mathlib.h"
#include "model/model.h"

namespace {

const int kLineSize = 256;   // a read takes at most 255 characters
const int kNameSize = 32;    // names and texture file names keep 31 characters
const int kPathSize = 4096;  // a texture's path beside its model file
// The file's transparency value is read but not used: materials are opaque.
const float kOpaque = 1.0f;

// The file `name` beside the model file `model_path` into `out`: texture
// names in a model file are relative to the file, wherever it was read from.
// Absolute names stay as they are; a path too long for `out` gives "".
const char* beside_model(const char* model_path, const char* name, char* out, size_t size) {
    const char* slash = name[0] == '/' ? nullptr : std::strrchr(model_path, '/');
    const int dir_length = slash ? static_cast<int>(slash - model_path) + 1 : 0;
    const int n = std::snprintf(out, size, "%.*s%s", dir_length, model_path, name);
    if (n < 0 || static_cast<size_t>(n) >= size) {
        out[0] = '\0';
    }
    return out;
}

// Takes a quoted name from the start of `line` into `name`, cut to 31
// characters. The opening quote must be the first character and at least one
// character must follow it. Without `need_close` a missing closing quote lets
// the name run to the end of the line (line end included). Returns the text
// after the closing quote (or the line's end), or null when there is no name.
const char* parse_name(const char* line, char* name, bool need_close) {
    if (line[0] != '"') {
        return nullptr;
    }
    const char* start = line + 1;
    const char* end = start;
    while (*end != '\0' && *end != '"') {
        ++end;
    }
    if (end == start || (need_close && *end != '"')) {
        return nullptr;
    }
    size_t length = static_cast<size_t>(end - start);
    if (length > kNameSize - 1) {
        length = kNameSize - 1;
    }
    std::memcpy(name, start, length);
    name[length] = '\0';
    return *end == '"' ? end + 1 : end;
}

class Reader {
  public:
    Reader(std::FILE* file, const char* path, cModel& target)
        : file_(file), path_(path), target_(target), stop_(false) {
        line_[0] = '\0';
    }

    // Top-level loop: keyword lines start sections, anything else is skipped.
    void Run() {
        while (!stop_ && Next()) {
            if (line_[0] == '/' && line_[1] == '/') {
                continue;
            }
            int value;
            if (std::sscanf(line_, "Frames: %d", &value) == 1) {
                kpModel_SetTotalFrames(target_.model, value);
            }
            if (std::sscanf(line_, "Frame: %d", &value) == 1) {
                kpModel_SetFrame(target_.model, value);
            }
            // Each section leaves its last line in line_, which the later
            // keywords are tested against; a set stop flag reads no blocks.
            if (std::sscanf(line_, "Meshes: %d", &value) == 1) {
                for (int i = 0; i < value && !stop_; i++) {
                    ReadMesh();
                }
            }
            if (std::sscanf(line_, "Materials: %d", &value) == 1) {
                for (int i = 0; i < value && !stop_; i++) {
                    ReadMaterial();
                }
            }
            if (std::sscanf(line_, "Bones: %d", &value) == 1) {
                for (int i = 0; i < value && !stop_; i++) {
                    ReadBone();
                }
            }
        }
    }

  private:
    // False at end of file; the line is then empty.
    bool Next() {
        if (std::fgets(line_, kLineSize, file_) == nullptr) {
            line_[0] = '\0';
            return false;
        }
        return true;
    }

    // Reads a count line; sets the stop flag when it is missing or bad.
    bool ReadCount(int* count) {
        if (!Next() || std::sscanf(line_, "%d", count) != 1) {
            stop_ = true;
            return false;
        }
        return true;
    }

    bool ReadName(char* name) {
        if (!Next() || parse_name(line_, name, false) == nullptr) {
            stop_ = true;
            return false;
        }
        return true;
    }

    bool ReadColor(float* color) {
        if (!Next() ||
            std::sscanf(line_, "%f %f %f %f", &color[0], &color[1], &color[2], &color[3]) != 4) {
            stop_ = true;
            return false;
        }
        return true;
    }

    bool ReadFloat(float* value) {
        if (!Next() || std::sscanf(line_, "%f", value) != 1) {
            stop_ = true;
            return false;
        }
        return true;
    }

    // A record line that is bad or missing (or a list that cannot grow) ends
    // its list and sets the stop flag; the caller goes on with the block.
    void ReadVertices(int mesh_index, int count) {
        for (int j = 0; j < count; j++) {
            int flags, bone;
            float position[3], uv[2];
            if (!Next() || std::sscanf(line_, "%d %f %f %f %f %f %d", &flags, &position[0],
                                       &position[1], &position[2], &uv[0], &uv[1], &bone) != 7) {
                stop_ = true;
                return;
            }
            kpMesh* mesh = kpModel_GetMeshAt(target_.model, mesh_index);
            const int index = kpMesh_AddVertex(mesh);
            if (index < 0) {
                stop_ = true;
                return;
            }
            kpVertex* vertex = kpMesh_GetVertexAt(mesh, index);
            kpVertex_SetFlags(vertex, flags);
            kpVertex_SetVertex(vertex, position);
            kpVertex_SetTexCoords(vertex, uv);
            kpVertex_SetBoneIndex(vertex, bone);
            AddPointToBounds(position, target_.mins, target_.maxs);
        }
    }

    void ReadNormals(int mesh_index, int count) {
        for (int j = 0; j < count; j++) {
            float normal[3];
            if (!Next() ||
                std::sscanf(line_, "%f %f %f", &normal[0], &normal[1], &normal[2]) != 3) {
                stop_ = true;
                return;
            }
            kpMesh* mesh = kpModel_GetMeshAt(target_.model, mesh_index);
            VectorNormalize(normal);
            const int index = kpMesh_AddVertexNormal(mesh);
            if (index < 0) {
                stop_ = true;
                return;
            }
            kpMesh_SetVertexNormalAt(mesh, index, normal);
        }
    }

    // Indices must name vertices and normals already in this mesh, otherwise
    // the face normal (and later drawing) would read outside the lists.
    void ReadTriangles(int mesh_index, int count) {
        for (int j = 0; j < count; j++) {
            int flags, v[3], n[3], group;
            if (!Next() || std::sscanf(line_, "%d %d %d %d %d %d %d %d", &flags, &v[0], &v[1],
                                       &v[2], &n[0], &n[1], &n[2], &group) != 8) {
                stop_ = true;
                return;
            }
            kpMesh* mesh = kpModel_GetMeshAt(target_.model, mesh_index);
            const int vertex_count = kpMesh_GetVertexCount(mesh);
            const int normal_count = kpMesh_GetVertexNormalCount(mesh);
            uint16_t vertex_indices[3], normal_indices[3];
            for (int k = 0; k < 3; k++) {
                if (v[k] < 0 || v[k] >= vertex_count || n[k] < 0 || n[k] >= normal_count) {
                    stop_ = true;
                    return;
                }
                vertex_indices[k] = static_cast<uint16_t>(v[k]);
                normal_indices[k] = static_cast<uint16_t>(n[k]);
            }
            const int index = kpMesh_AddTriangle(mesh);
            if (index < 0) {
                stop_ = true;
                return;
            }
            kpTriangle* triangle = kpMesh_GetTriangleAt(mesh, index);
            kpTriangle_SetFlags(triangle, flags);
            kpTriangle_SetVertexIndices(triangle, vertex_indices);
            kpTriangle_SetNormalIndices(triangle, normal_indices);
            kpTriangle_SetSmoothingGroup(triangle, group);

            float p[3][3];
            for (int k = 0; k < 3; k++) {
                kpVertex_GetVertex(kpMesh_GetVertexAt(mesh, vertex_indices[k]), p[k]);
            }
            float e0[3], e2[3], normal[3];
            for (int k = 0; k < 3; k++) {
                e0[k] = p[0][k] - p[1][k];
                e2[k] = p[2][k] - p[1][k];
            }
            CrossProduct(e0, e2, normal);
            VectorNormalize(normal);
            for (int k = 0; k < 3; k++) {
                normal[k] = -normal[k];
            }
            // No setter exists for the face normal; the record is packed.
            std::memcpy(reinterpret_cast<char*>(triangle) + offsetof(kpTriangle, normal), normal,
                        sizeof normal);
        }
    }

    // The mesh is fetched by the index its own Add returned, so a repeated
    // section never refills an earlier section's meshes. Lists are refetched
    // after every Add because growth may move them.
    void ReadMesh() {
        const int mesh_index = kpModel_AddMesh(target_.model);
        if (mesh_index < 0) {
            stop_ = true;
            return;
        }
        char name[kNameSize];
        const char* rest = Next() ? parse_name(line_, name, true) : nullptr;
        int flags, material;
        if (rest == nullptr || std::sscanf(rest, "%d %d", &flags, &material) != 2) {
            stop_ = true;
            return;
        }
        kpMesh* mesh = kpModel_GetMeshAt(target_.model, mesh_index);
        kpMesh_SetName(mesh, name);
        kpMesh_SetFlags(mesh, flags);
        kpMesh_SetMaterialIndex(mesh, material);

        int count;
        if (!ReadCount(&count)) {
            return;
        }
        ReadVertices(mesh_index, count);
        if (!ReadCount(&count)) {
            return;
        }
        ReadNormals(mesh_index, count);
        if (!ReadCount(&count)) {
            return;
        }
        ReadTriangles(mesh_index, count);
    }

    // Nine lines; any bad line ends the section, keeping what was set.
    void ReadMaterial() {
        const int index = kpModel_AddMaterial(target_.model);
        if (index < 0) {
            stop_ = true;
            return;
        }
        kpMaterial* material = kpModel_GetMaterialAt(target_.model, index);
        char name[kNameSize];
        float color[4], value;
        if (!ReadName(name)) {
            return;
        }
        kpMaterial_SetName(material, name);
        if (!ReadColor(color)) {
            return;
        }
        kpMaterial_SetAmbient(material, color);
        if (!ReadColor(color)) {
            return;
        }
        kpMaterial_SetDiffuse(material, color);
        if (!ReadColor(color)) {
            return;
        }
        kpMaterial_SetSpecular(material, color);
        if (!ReadColor(color)) {
            return;
        }
        kpMaterial_SetEmissive(material, color);
        if (!ReadFloat(&value)) {
            return;
        }
        kpMaterial_SetShininess(material, value);
        if (!ReadFloat(&value)) {
            return;
        }
        kpMaterial_SetTransparency(material, kOpaque);
        if (!ReadName(name)) {
            return;
        }
        kpMaterial_SetDiffuseTexture(material, name);
        // The last material's texture is the one the model is drawn with; a
        // failed load gives 0. Earlier textures stay allocated.
        char texture_path[kPathSize];
        target_.texture = load_texture(beside_model(path_, name, texture_path, kPathSize));
        if (!Next()) {
            stop_ = true;
            return;
        }
        if (parse_name(line_, name, false) == nullptr) {
            name[0] = '\0';
        }
        kpMaterial_SetAlphaTexture(material, name);
    }

    bool ReadKeys(int bone_index, bool rotation) {
        int count;
        if (!ReadCount(&count)) {
            return false;
        }
        for (int j = 0; j < count; j++) {
            float time, key[3];
            if (!Next() ||
                std::sscanf(line_, "%f %f %f %f", &time, &key[0], &key[1], &key[2]) != 4) {
                stop_ = true;
                return true;
            }
            kpBone* bone = kpModel_GetBoneAt(target_.model, bone_index);
            const int index = rotation ? kpBone_AddRotationKey(bone, time, key)
                                       : kpBone_AddPositionKey(bone, time, key);
            if (index < 0) {
                stop_ = true;
                return true;
            }
        }
        return true;
    }

    void ReadBone() {
        const int index = kpModel_AddBone(target_.model);
        if (index < 0) {
            stop_ = true;
            return;
        }
        kpBone* bone = kpModel_GetBoneAt(target_.model, index);
        char name[kNameSize];
        if (!ReadName(name)) {
            return;
        }
        kpBone_SetName(bone, name);
        if (!Next()) {
            stop_ = true;
            return;
        }
        // Anything but a quoted name (for example "") makes a root bone.
        if (parse_name(line_, name, false) == nullptr) {
            name[0] = '\0';
        }
        kpBone_SetParentName(bone, name);
        int flags;
        float position[3], rotation[3];
        if (!Next() ||
            std::sscanf(line_, "%d %f %f %f %f %f %f", &flags, &position[0], &position[1],
                        &position[2], &rotation[0], &rotation[1], &rotation[2]) != 7) {
            stop_ = true;
            return;
        }
        kpBone_SetFlags(bone, flags);
        kpBone_SetPosition(bone, position);
        kpBone_SetRotation(bone, rotation);
        if (ReadKeys(index, false)) {
            ReadKeys(index, true);
        }
    }

    std::FILE* file_;
    const char* path_;
    cModel& target_;
    bool stop_;
    char line_[kLineSize];
};

}  // namespace

int cModel::Read(const char* path) {
    if (path == nullptr) {
        return 0;
    }
    std::FILE* file = std::fopen(path, "r");
    if (file == nullptr) {
        return 0;
    }
    Clear();
    model = static_cast<kpModel*>(std::calloc(1, sizeof(kpModel)));
    if (model == nullptr) {
        std::fclose(file);
        return 0;
    }
    ClearBounds(mins, maxs);
    Reader(file, path, *this).Run();
    std::fclose(file);
    SetupBones();
    return 1;
}
