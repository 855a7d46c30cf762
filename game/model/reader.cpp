// cModel::Read: the text model file reader.
//
// The file comes from outside the program, so every line is bounded (255
// characters a read), every list ends at end of file whatever its count says,
// and indices that would reach outside a list are refused here or guarded
// where they are used.

#include <SOIL/SOIL.h>

#include <algorithm>
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "model/mathlib.h"
#include "model/model.h"
#include "model/read_fields.h"
#include "model/read_report.h"

namespace {

const int kLineSize = 256;   // a read takes at most 255 characters
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

// Whether an image file decodes, said for a report sink (no GL context needed).
const char* image_problem(const char* file_name) {
    int width, height, channels;
    unsigned char* pixels = SOIL_load_image(file_name, &width, &height, &channels, SOIL_LOAD_AUTO);
    if (pixels == nullptr) {
        return SOIL_last_result();
    }
    SOIL_free_image_data(pixels);
    return nullptr;
}

class Reader {
  public:
    Reader(std::FILE* file, const char* path, cModel& target, ReadReport& report)
        : file_(file),
          path_(path),
          target_(target),
          report_(report),
          stop_(false),
          line_no_(0),
          line_ended_(true),
          continued_(false),
          section_line_(0),
          section_count_(0),
          block_(0),
          section_(""),
          section_one_("") {
        line_[0] = '\0';
    }

    // Top-level loop: keyword lines start sections, anything else is skipped.
    void Run() {
        bool seen[3] = {false, false, false};
        while (!stop_ && Next()) {
            if (line_[0] == '/' && line_[1] == '/') {
                continue;
            }
            int value;
            bool keyword = false;
            if (Keyword("Frames:", &value, &keyword)) {
                kpModel_SetTotalFrames(target_.model, value);
            }
            if (Keyword("Frame:", &value, &keyword)) {
                kpModel_SetFrame(target_.model, value);
            }
            // Each section leaves its last line in line_, which the later
            // keywords are tested against; a set stop flag reads no blocks.
            if (Keyword("Meshes:", &value, &keyword)) {
                Section(value, &seen[0], "meshes", "mesh");
                for (int i = 0; i < value && !stop_; i++) {
                    block_ = i + 1;
                    ReadMesh();
                }
            }
            if (Keyword("Materials:", &value, &keyword)) {
                Section(value, &seen[1], "materials", "material");
                for (int i = 0; i < value && !stop_; i++) {
                    block_ = i + 1;
                    ReadMaterial();
                }
            }
            if (Keyword("Bones:", &value, &keyword)) {
                Section(value, &seen[2], "bones", "bone");
                for (int i = 0; i < value && !stop_; i++) {
                    block_ = i + 1;
                    ReadBone();
                }
            }
            // The rest of an overlong line has been reported with its start.
            if (!keyword && !continued_ && !blank_line(line_)) {
                Note("line ignored: neither a comment nor a keyword at the start of the line");
            }
        }
        if (std::ferror(file_)) {
            Stop("read error; the rest of the file is dropped");
        }
        if (!stop_) {
            report_.Finish(target_.model);
        }
    }

  private:
    // Reports go to the sink only until reading stops: what the reader does
    // after that follows from the first fault, not from the file.
    void Note(const char* format, ...) __attribute__((format(printf, 2, 3))) {
        va_list args;
        va_start(args, format);
        if (!stop_) {
            report_.SayV(line_no_, format, args);
        }
        va_end(args);
    }

    void NoteAt(int line, const char* what) {
        if (!stop_) {
            report_.Say(line, "%s", what);
        }
    }

    void StopAt(int line, const char* format, ...) __attribute__((format(printf, 3, 4))) {
        va_list args;
        va_start(args, format);
        if (!stop_) {
            report_.StopV(line, format, args);
        }
        va_end(args);
        stop_ = true;
    }

    void Stop(const char* what) { StopAt(line_no_, "%s", what); }

    void Expected(const char* what) { StopAt(line_no_, "expected %s; reading stops", what); }

    void Rest(const char* rest) {
        if (!stop_) {
            report_.Rest(line_no_, rest);
        }
    }

    void Kept(const char* what, int read, int kept, const char* bits) {
        if (!stop_) {
            report_.Kept(line_no_, what, read, kept, bits);
        }
    }

    // Whether the line is `word` in the first column followed by a whole
    // number, as "Word: %d" reads it. A number out of range makes the line
    // malformed, and a malformed top-level line is ignored; `*keyword` says
    // that the line has been reported for.
    bool Keyword(const char* word, int* value, bool* keyword) {
        const size_t length = std::strlen(word);
        if (std::strncmp(line_, word, length) != 0) {
            return false;
        }
        Fields fields(line_ + length);
        if (!fields.Int(value).ok()) {
            if (fields.wide() != nullptr) {
                OutOfRange(fields, false);
                *keyword = true;
            }
            return false;
        }
        *keyword = true;
        Rest(fields.rest());
        return true;
    }

    void OutOfRange(const Fields& fields, bool stops) {
        if (!stop_) {
            report_.OutOfRange(line_no_, fields.wide(), fields.wide_length(), stops);
        }
    }

    // True when every field of the line parsed; the text after them is
    // reported. Otherwise the line is malformed and reading stops.
    bool Parsed(const Fields& fields, const char* what) {
        if (fields.ok()) {
            Rest(fields.rest());
            return true;
        }
        if (fields.wide() != nullptr) {
            OutOfRange(fields, true);
            stop_ = true;
        } else {
            Expected(what);
        }
        return false;
    }

    void Section(int count, bool* seen, const char* name, const char* one) {
        if (count < 0) {
            Note("negative count %d reads no %s", count, name);
        }
        if (*seen) {
            Note("a second %s section: its %s are added after the first one's", name, name);
        }
        *seen = true;
        section_line_ = line_no_;
        section_count_ = count;
        section_ = name;
        section_one_ = one;
    }

    // False at end of file; the line is then empty. Lines are counted as the
    // file has them, so the pieces of an overlong line share its number.
    bool Next() {
        if (std::fgets(line_, kLineSize, file_) == nullptr) {
            line_[0] = '\0';
            return false;
        }
        continued_ = !line_ended_;
        if (line_ended_) {
            line_no_++;
        }
        const size_t length = std::strlen(line_);
        bool ended = length < kLineSize - 1 || line_[length - 1] == '\n';
        if (!ended && report_.on()) {
            const int c = std::fgetc(file_);
            ended = c == EOF;
            if (c != EOF) {
                std::ungetc(c, file_);
            }
        }
        if (!ended && line_ended_) {
            Note("line longer than 255 characters; read as several lines");
        }
        line_ended_ = ended;
        return true;
    }

    // Next line of a block; at end of file the block is cut short.
    bool NextInBlock() {
        if (Next()) {
            return true;
        }
        StopAt(section_line_, "promises %d %s but the file ends inside %s %d; reading stops",
               section_count_, section_, section_one_, block_);
        return false;
    }

    // Next record line of a list whose count line was `count_line`.
    bool NextRecord(int count_line, int count, int read, const char* what) {
        if (Next()) {
            return true;
        }
        StopAt(count_line, "promises %d %s but the file ends after %d; reading stops", count, what,
               read);
        return false;
    }

    // Reads a count line; sets the stop flag when it is missing or bad.
    bool ReadCount(const char* what, int* count) {
        if (!NextInBlock()) {
            return false;
        }
        if (!Parsed(Fields(line_).Int(count), what)) {
            return false;
        }
        if (*count < 0) {
            Note("negative count %d reads nothing", *count);
        }
        return true;
    }

    // Takes a quoted name from the current line and reports the liberties
    // taken with it; null when the line holds none.
    const char* Name(char* name, bool need_close) {
        const char* rest = parse_name(line_, name, need_close);
        if (rest == nullptr || !report_.on()) {
            return rest;
        }
        const size_t length = std::strcspn(line_ + 1, "\"");
        if (length > kNameSize - 1) {
            Note("name cut to %d characters: \"%s\"", kNameSize - 1, name);
        }
        if (line_[1 + length] != '"') {
            Note("name has no closing quote; it runs to the end of the line, line end included");
        }
        return rest;
    }

    bool ReadName(const char* what, char* name) {
        if (!NextInBlock()) {
            return false;
        }
        const char* rest = Name(name, false);
        if (rest == nullptr) {
            Expected(what);
            return false;
        }
        Rest(rest);
        return true;
    }

    // A line that must be present but may hold no name; the empty name then.
    bool ReadOptionalName(const char* what, const char* otherwise, char* name) {
        if (!NextInBlock()) {
            return false;
        }
        const char* rest = Name(name, false);
        if (rest != nullptr) {
            Rest(rest);
        } else {
            name[0] = '\0';
            if (!empty_name_line(line_)) {
                Note("%s line holds no quoted name; %s", what, otherwise);
            }
        }
        return true;
    }

    bool ReadColor(const char* what, float* color) {
        if (!NextInBlock()) {
            return false;
        }
        return Parsed(
            Fields(line_).Float(&color[0]).Float(&color[1]).Float(&color[2]).Float(&color[3]),
            what);
    }

    bool ReadFloat(const char* what, float* value) {
        if (!NextInBlock()) {
            return false;
        }
        return Parsed(Fields(line_).Float(value), what);
    }

    // A record line that is bad or missing (or a list that cannot grow) ends
    // its list and sets the stop flag; the caller goes on with the block.
    void ReadVertices(int mesh_index, int count) {
        const int count_line = line_no_;
        for (int j = 0; j < count; j++) {
            int flags, bone;
            float position[3], uv[2];
            if (!NextRecord(count_line, count, j, "vertices")) {
                return;
            }
            Fields fields(line_);
            fields.Int(&flags).Float(&position[0]).Float(&position[1]).Float(&position[2]);
            fields.Float(&uv[0]).Float(&uv[1]).Int(&bone);
            if (!Parsed(fields, "a vertex line: flags x y z u v bone")) {
                return;
            }
            kpMesh* mesh = kpModel_GetMeshAt(target_.model, mesh_index);
            const int index = kpMesh_AddVertex(mesh);
            if (index < 0) {
                Stop("the mesh's vertex list cannot grow; reading stops");
                return;
            }
            kpVertex* vertex = kpMesh_GetVertexAt(mesh, index);
            kpVertex_SetFlags(vertex, flags);
            kpVertex_SetVertex(vertex, position);
            kpVertex_SetTexCoords(vertex, uv);
            kpVertex_SetBoneIndex(vertex, bone);
            AddPointToBounds(position, target_.mins, target_.maxs);
            if (report_.on()) {
                Kept("vertex flags", flags, kpVertex_GetFlags(vertex), "8 bits");
                Kept("bone index", bone, kpVertex_GetBoneIndex(vertex), "signed 8 bits");
                report_.VertexBone(line_no_, kpVertex_GetBoneIndex(vertex));
            }
        }
    }

    void ReadNormals(int mesh_index, int count) {
        const int count_line = line_no_;
        for (int j = 0; j < count; j++) {
            float normal[3];
            if (!NextRecord(count_line, count, j, "normals")) {
                return;
            }
            if (!Parsed(Fields(line_).Float(&normal[0]).Float(&normal[1]).Float(&normal[2]),
                        "a normal line: x y z")) {
                return;
            }
            kpMesh* mesh = kpModel_GetMeshAt(target_.model, mesh_index);
            VectorNormalize(normal);
            const int index = kpMesh_AddVertexNormal(mesh);
            if (index < 0) {
                Stop("the mesh's normal list cannot grow; reading stops");
                return;
            }
            kpMesh_SetVertexNormalAt(mesh, index, normal);
            if (normal[0] == 0.0f && normal[1] == 0.0f && normal[2] == 0.0f) {
                Note("zero normal: it cannot be scaled to unit length and stays zero");
            }
        }
    }

    // Indices must name vertices and normals already in this mesh, otherwise
    // the face normal (and later drawing) would read outside the lists.
    void ReadTriangles(int mesh_index, int count) {
        const int count_line = line_no_;
        for (int j = 0; j < count; j++) {
            int flags, v[3], n[3], group;
            if (!NextRecord(count_line, count, j, "triangles")) {
                return;
            }
            Fields fields(line_);
            fields.Int(&flags).Int(&v[0]).Int(&v[1]).Int(&v[2]);
            fields.Int(&n[0]).Int(&n[1]).Int(&n[2]).Int(&group);
            if (!Parsed(fields,
                        "a triangle line: flags, 3 vertex and 3 normal indices, smoothing group")) {
                return;
            }
            kpMesh* mesh = kpModel_GetMeshAt(target_.model, mesh_index);
            const int vertex_count = kpMesh_GetVertexCount(mesh);
            const int normal_count = kpMesh_GetVertexNormalCount(mesh);
            uint16_t vertex_indices[3], normal_indices[3];
            for (int k = 0; k < 3; k++) {
                if (v[k] < 0 || v[k] >= vertex_count) {
                    StopAt(line_no_,
                           "vertex index %d is out of range: the mesh has %d vertices; reading "
                           "stops",
                           v[k], vertex_count);
                    return;
                }
                if (n[k] < 0 || n[k] >= normal_count) {
                    StopAt(line_no_,
                           "normal index %d is out of range: the mesh has %d normals; reading "
                           "stops",
                           n[k], normal_count);
                    return;
                }
                vertex_indices[k] = static_cast<uint16_t>(v[k]);
                normal_indices[k] = static_cast<uint16_t>(n[k]);
            }
            const int index = kpMesh_AddTriangle(mesh);
            if (index < 0) {
                Stop("the mesh's triangle list cannot grow; reading stops");
                return;
            }
            kpTriangle* triangle = kpMesh_GetTriangleAt(mesh, index);
            kpTriangle_SetFlags(triangle, flags);
            kpTriangle_SetVertexIndices(triangle, vertex_indices);
            kpTriangle_SetNormalIndices(triangle, normal_indices);
            kpTriangle_SetSmoothingGroup(triangle, group);
            if (report_.on()) {
                Kept("triangle flags", flags, kpTriangle_GetFlags(triangle), "16 bits");
                Kept("smoothing group", group, kpTriangle_GetSmoothingGroup(triangle), "8 bits");
            }

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
            Stop("the model's mesh list cannot grow; reading stops");
            return;
        }
        char name[kNameSize];
        const char* rest = NextInBlock() ? Name(name, true) : nullptr;
        int flags, material;
        const char* const what = "a mesh header: \"name\" flags material";
        if (rest == nullptr) {
            Expected(what);
            return;
        }
        if (!Parsed(Fields(rest).Int(&flags).Int(&material), what)) {
            return;
        }
        kpMesh* mesh = kpModel_GetMeshAt(target_.model, mesh_index);
        kpMesh_SetName(mesh, name);
        kpMesh_SetFlags(mesh, flags);
        kpMesh_SetMaterialIndex(mesh, material);
        if (report_.on()) {
            Kept("mesh flags", flags, kpMesh_GetFlags(mesh), "8 bits");
            Kept("material index", material, kpMesh_GetMaterialIndex(mesh), "signed 8 bits");
            report_.MeshMaterial(line_no_, kpMesh_GetMaterialIndex(mesh));
        }

        int count;
        if (!ReadCount("the vertex count", &count)) {
            return;
        }
        ReadVertices(mesh_index, count);
        if (!ReadCount("the normal count", &count)) {
            return;
        }
        ReadNormals(mesh_index, count);
        if (!ReadCount("the triangle count", &count)) {
            return;
        }
        ReadTriangles(mesh_index, count);
    }

    // Nine lines; any bad line ends the section, keeping what was set.
    void ReadMaterial() {
        const int index = kpModel_AddMaterial(target_.model);
        if (index < 0) {
            Stop("the model's material list cannot grow; reading stops");
            return;
        }
        kpMaterial* material = kpModel_GetMaterialAt(target_.model, index);
        char name[kNameSize];
        float color[4], value;
        if (!ReadName("the material name in quotes", name)) {
            return;
        }
        kpMaterial_SetName(material, name);
        if (!ReadColor("the ambient colour: r g b a", color)) {
            return;
        }
        kpMaterial_SetAmbient(material, color);
        if (!ReadColor("the diffuse colour: r g b a", color)) {
            return;
        }
        kpMaterial_SetDiffuse(material, color);
        if (!ReadColor("the specular colour: r g b a", color)) {
            return;
        }
        kpMaterial_SetSpecular(material, color);
        if (!ReadColor("the emissive colour: r g b a", color)) {
            return;
        }
        kpMaterial_SetEmissive(material, color);
        if (!ReadFloat("the shininess", &value)) {
            return;
        }
        kpMaterial_SetShininess(material, value);
        if (!ReadFloat("the transparency", &value)) {
            return;
        }
        kpMaterial_SetTransparency(material, kOpaque);
        if (value != kOpaque) {
            Note("transparency %g is ignored: materials are drawn opaque", value);
        }
        if (!ReadName("the diffuse texture file name in quotes", name)) {
            return;
        }
        kpMaterial_SetDiffuseTexture(material, name);
        // The last material's texture is the one the model is drawn with; a
        // failed load gives 0. Earlier textures stay allocated.
        char texture_path[kPathSize];
        beside_model(path_, name, texture_path, kPathSize);
        char named_at[kPathSize + 16];
        std::snprintf(named_at, sizeof named_at, "%s:%d", path_, line_no_);
        target_.texture = load_texture(texture_path, named_at);
        if (report_.on()) {
            report_.MaterialTexture(line_no_);
            const char* problem = image_problem(texture_path);
            if (problem != nullptr) {
                Note("texture \"%s\" cannot be loaded: %s", name, problem);
            }
        }
        if (!ReadOptionalName("alpha texture", "no alpha texture is stored", name)) {
            return;
        }
        kpMaterial_SetAlphaTexture(material, name);
    }

    bool ReadKeys(int bone_index, bool rotation) {
        const char* what = rotation ? "rotation keys" : "position keys";
        int count;
        if (!ReadCount(rotation ? "the rotation key count" : "the position key count", &count)) {
            return false;
        }
        const int count_line = line_no_;
        float previous = 0.0f;
        for (int j = 0; j < count; j++) {
            float time, key[3];
            if (!NextRecord(count_line, count, j, what)) {
                return true;
            }
            if (!Parsed(Fields(line_).Float(&time).Float(&key[0]).Float(&key[1]).Float(&key[2]),
                        rotation ? "a rotation key line: time x y z"
                                 : "a position key line: time x y z")) {
                return true;
            }
            kpBone* bone = kpModel_GetBoneAt(target_.model, bone_index);
            const int index = rotation ? kpBone_AddRotationKey(bone, time, key)
                                       : kpBone_AddPositionKey(bone, time, key);
            if (index < 0) {
                Stop("the bone's key list cannot grow; reading stops");
                return true;
            }
            if (j > 0 && time < previous) {
                Note(
                    "key time %g comes before the previous key's %g: keys are searched in file "
                    "order",
                    time, previous);
            }
            previous = time;
        }
        return true;
    }

    void ReadBone() {
        const int index = kpModel_AddBone(target_.model);
        if (index < 0) {
            Stop("the model's bone list cannot grow; reading stops");
            return;
        }
        kpBone* bone = kpModel_GetBoneAt(target_.model, index);
        char name[kNameSize];
        if (!ReadName("the bone name in quotes", name)) {
            return;
        }
        kpBone_SetName(bone, name);
        const int name_line = line_no_;
        // Anything but a quoted name (for example "") makes a root bone.
        if (!ReadOptionalName("parent", "the bone is a root", name)) {
            return;
        }
        kpBone_SetParentName(bone, name);
        report_.Bone(name_line, line_no_);
        int flags;
        float position[3], rotation[3];
        if (!NextInBlock()) {
            return;
        }
        Fields fields(line_);
        fields.Int(&flags).Float(&position[0]).Float(&position[1]).Float(&position[2]);
        fields.Float(&rotation[0]).Float(&rotation[1]).Float(&rotation[2]);
        if (!Parsed(fields, "a bind pose: flags x y z rx ry rz")) {
            return;
        }
        kpBone_SetFlags(bone, flags);
        kpBone_SetPosition(bone, position);
        kpBone_SetRotation(bone, rotation);
        if (ReadKeys(index, false)) {
            ReadKeys(index, true);
        }
        bone = kpModel_GetBoneAt(target_.model, index);
        const int positions = kpBone_GetPositionKeyCount(bone);
        const int rotations = kpBone_GetRotationKeyCount(bone);
        if (positions > 0 && rotations == 0) {
            NoteAt(name_line, "the bone has position keys but no rotation keys; it is not turned");
        } else if (rotations > 0 && positions == 0) {
            NoteAt(name_line, "the bone has rotation keys but no position keys; it is not moved");
        }
    }

    std::FILE* file_;
    const char* path_;
    cModel& target_;
    ReadReport& report_;
    bool stop_;
    int line_no_;      // 1-based line of the file that line_ comes from
    bool line_ended_;  // line_ held the end of its line
    bool continued_;   // line_ is a later piece of an overlong line
    int section_line_;
    int section_count_;
    int block_;            // 1-based block within the section being read
    const char* section_;  // its records, plural and singular
    const char* section_one_;
    char line_[kLineSize];
};

}  // namespace

ReadStop read_stop;

int cModel::Read(const char* path, model_report report, void* context) {
    read_stop.line = 0;
    read_stop.nothing = false;
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
    ReadReport sink(report, context);
    Reader(file, path, *this, sink).Run();
    read_stop.line = sink.stop_line();
    std::snprintf(read_stop.what, sizeof read_stop.what, "%s", sink.stop_what());
    read_stop.nothing =
        read_stop.line == 0 && kpModel_GetMeshCount(model) == 0 && kpModel_GetBoneCount(model) == 0;
    std::fclose(file);
    SetupBones();
    return 1;
}
