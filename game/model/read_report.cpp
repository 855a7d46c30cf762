#include "model/read_report.h"

#include <climits>
#include <cstdio>
#include <cstring>

namespace {

const int kMessageSize = 256;
const int kNameBuffer = 33;  // a 32-byte name field and its terminating zero
const int kShownRest = 24;   // characters of ignored text quoted in a report

}  // namespace

void ReadReport::Say(int line, const char* format, ...) {
    va_list args;
    va_start(args, format);
    SayV(line, format, args);
    va_end(args);
}

void ReadReport::SayV(int line, const char* format, va_list args) {
    EmitV(line, false, format, args);
}

void ReadReport::StopV(int line, const char* format, va_list args) {
    EmitV(line, true, format, args);
}

void ReadReport::Emit(int line, bool stops, const char* format, ...) {
    va_list args;
    va_start(args, format);
    EmitV(line, stops, format, args);
    va_end(args);
}

void ReadReport::EmitV(int line, bool stops, const char* format, va_list args) {
    const bool keep = stops && stop_line_ == 0;
    if (!on() && !keep) {
        return;
    }
    char message[kMessageSize];
    std::vsnprintf(message, sizeof message, format, args);
    if (keep) {
        stop_line_ = line > 0 ? line : 1;  // a read error before the first line
        std::snprintf(stop_what_, sizeof stop_what_, "%s", message);
    }
    if (on()) {
        sink_(context_, line, message);
    }
}

void ReadReport::Kept(int line, const char* what, int read, int kept, const char* bits) {
    if (read != kept) {
        Say(line, "%s %d is kept as %d (%s)", what, read, kept, bits);
    }
}

void ReadReport::Rest(int line, const char* rest) {
    if (!on()) {
        return;
    }
    rest += std::strspn(rest, " \t\r\n\v\f");
    size_t length = std::strcspn(rest, "\r\n");
    while (length > 0 && (rest[length - 1] == ' ' || rest[length - 1] == '\t')) {
        length--;
    }
    if (length > 0) {
        const int shown = length > kShownRest ? kShownRest : static_cast<int>(length);
        Say(line, "text after the last field is ignored: \"%.*s\"%s", shown, rest,
            length > kShownRest ? "..." : "");
    }
}

void ReadReport::OutOfRange(int line, const char* number, int length, bool stops) {
    // A long number shows its two ends: the digits that matter may be last.
    const int head = length > kShownRest ? kShownRest / 2 : length;
    const int tail = length > kShownRest ? kShownRest / 2 : 0;
    Emit(line, stops, "number \"%.*s%s%.*s\" is out of range (an int holds %d to %d); %s", head,
         number, tail > 0 ? "..." : "", tail, number + length - tail, INT_MIN, INT_MAX,
         stops ? "reading stops" : "the line is ignored");
}

void ReadReport::VertexBone(int line, int bone) {
    if (on() && bone != -1) {
        vertex_bones_.push_back({line, bone});
    }
}

void ReadReport::MeshMaterial(int line, int material) {
    if (on() && material != -1) {
        mesh_materials_.push_back({line, material});
    }
}

void ReadReport::MaterialTexture(int line) {
    if (on()) {
        texture_lines_.push_back(line);
    }
}

void ReadReport::Bone(int name_line, int parent_line) {
    if (on()) {
        bones_.push_back({name_line, parent_line});
    }
}

void ReadReport::Finish(kpModel* model) {
    if (!on()) {
        return;
    }
    const int bones = kpModel_GetBoneCount(model);
    for (const Ref& ref : vertex_bones_) {
        if (ref.index < 0 || ref.index >= bones) {
            Say(ref.line, "bone index %d names no bone (the model has %d); the vertex follows none",
                ref.index, bones);
        }
    }
    const int materials = kpModel_GetMaterialCount(model);
    for (const Ref& ref : mesh_materials_) {
        if (ref.index < 0 || ref.index >= materials) {
            Say(ref.line, "material index %d names no material (the model has %d)", ref.index,
                materials);
        }
    }
    const bool all_bones = static_cast<int>(bones_.size()) == bones;
    for (int i = 0; all_bones && i < bones; i++) {
        kpBone* bone = kpModel_GetBoneAt(model, i);
        char name[kNameBuffer] = {}, parent[kNameBuffer] = {};
        kpBone_GetName(bone, name, kNameBuffer - 1);
        kpBone_GetParentName(bone, parent, kNameBuffer - 1);
        const int first = kpModel_FindBoneByName(model, name);
        if (first >= 0 && first < i) {
            Say(bones_[i].name,
                "bone name \"%s\" repeats line %d's; a parent of that name means "
                "the first",
                name, bones_[first].name);
        }
        if (parent[0] == '\0') {
            continue;
        }
        const int p = kpModel_FindBoneByName(model, parent);
        if (p < 0) {
            Say(bones_[i].parent, "parent \"%s\" names no bone; the bone is a root", parent);
        } else if (p == i) {
            Say(bones_[i].parent, "the bone is its own parent; it is treated as a root");
        } else if (p > i) {
            Say(bones_[i].parent,
                "parent \"%s\" comes later, at line %d; the bone is treated as a "
                "root",
                parent, bones_[p].name);
        }
    }
    const int textures = static_cast<int>(texture_lines_.size());
    if (materials < 2 || textures != materials) {
        return;
    }
    char last[kNameBuffer] = {};
    kpMaterial_GetDiffuseTexture(kpModel_GetMaterialAt(model, materials - 1), last,
                                 kNameBuffer - 1);
    for (int i = 0; i + 1 < materials; i++) {
        char texture[kNameBuffer] = {};
        kpMaterial_GetDiffuseTexture(kpModel_GetMaterialAt(model, i), texture, kNameBuffer - 1);
        if (std::strcmp(texture, last) != 0) {
            Say(texture_lines_[i],
                "texture \"%s\" is not drawn: the model is drawn with its last "
                "material's texture",
                texture);
        }
    }
}
