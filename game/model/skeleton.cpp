// Bone set-up and key-frame animation of cModel.
#include <cstdlib>
#include <cstring>

#include "model/mathlib.h"
#include "model/model.h"
#include "model/skeleton.h"

namespace {

void copy_matrix(const float from[3][4], float to[3][4]) {
    std::memcpy(to, from, sizeof(float[3][4]));
}

// Bind and key rotations are stored in radians; AngleMatrix takes degrees.
void degrees(const float radians[3], float out[3]) {
    const float kHalfTurn = 180.0f;
    const float kPi = 3.1415927f;
    for (int i = 0; i < 3; i++) {
        out[i] = radians[i] * kHalfTurn / kPi;
    }
}

// Position for `frame`: interpolated between the keys around it, else the
// nearest end key. No keys at all gives no offset.
void key_position(kpBone* bone, float frame, float out[3]) {
    out[0] = out[1] = out[2] = 0.0f;
    const int count = kpBone_GetPositionKeyCount(bone);
    if (count <= 0) {
        return;
    }
    int next = 0;
    // Written as !(>=) so that a NaN frame or time scans on, as the key test
    // "time >= frame" fails for it.
    while (next < count && !(kpBone_GetPositionKeyAt(bone, next)->time >= frame)) {
        next++;
    }
    if (next == count) {
        const kpPositionKey* last = kpBone_GetPositionKeyAt(bone, count - 1);
        for (int i = 0; i < 3; i++) {
            out[i] = last->key[i];
        }
        return;
    }
    const kpPositionKey* n = kpBone_GetPositionKeyAt(bone, next);
    if (next == 0) {
        for (int i = 0; i < 3; i++) {
            out[i] = n->key[i];
        }
        return;
    }
    const kpPositionKey* p = kpBone_GetPositionKeyAt(bone, next - 1);
    const float t = (frame - p->time) / (n->time - p->time);
    for (int i = 0; i < 3; i++) {
        const float from = p->key[i];
        out[i] = from + t * (n->key[i] - from);
    }
}

// Rotation for `frame` into the rotation part of m; column 3 is left for the
// caller to fill.
// No keys at all gives no rotation.
void key_rotation(kpBone* bone, float frame, float m[3][4]) {
    const int count = kpBone_GetRotationKeyCount(bone);
    if (count <= 0) {
        for (int r = 0; r < 3; r++) {
            for (int c = 0; c < 3; c++) {
                m[r][c] = r == c ? 1.0f : 0.0f;
            }
        }
        return;
    }
    int next = 0;
    while (next < count && !(kpBone_GetRotationKeyAt(bone, next)->time >= frame)) {
        next++;
    }
    const kpRotationKey* only = nullptr;
    if (next == count) {
        only = kpBone_GetRotationKeyAt(bone, count - 1);
    } else if (next == 0) {
        only = kpBone_GetRotationKeyAt(bone, 0);
    }
    if (only != nullptr) {
        const float radians[3] = {only->key[0], only->key[1], only->key[2]};
        float angles[3];
        degrees(radians, angles);
        AngleMatrix(angles, m);
        return;
    }
    const kpRotationKey* p = kpBone_GetRotationKeyAt(bone, next - 1);
    const kpRotationKey* n = kpBone_GetRotationKeyAt(bone, next);
    const float t = (frame - p->time) / (n->time - p->time);
    const float a0[3] = {p->key[0], p->key[1], p->key[2]};
    const float a1[3] = {n->key[0], n->key[1], n->key[2]};
    float q0[4], q1[4], q[4];
    AngleQuaternion(a0, q0);
    AngleQuaternion(a1, q1);
    QuaternionSlerp(q0, q1, t, q);
    QuaternionMatrix(q, m);
}

}  // namespace

int bone_parent(kpModel* model, int index) {
    const kpBone* bone = kpModel_GetBoneAt(model, index);
    // Copied so that a parent name filling all 32 bytes still ends in a zero.
    char parent[sizeof bone->parentName + 1];
    std::memcpy(parent, bone->parentName, sizeof bone->parentName);
    parent[sizeof bone->parentName] = '\0';
    const int found = kpModel_FindBoneByName(model, parent);
    return found >= 0 && found < index ? found : -1;
}

int bone_count(const cModel& m) {
    return m.model != nullptr && m.xforms != nullptr ? kpModel_GetBoneCount(m.model) : 0;
}

void cModel::SetupBones() {
    if (model == nullptr) {
        return;
    }
    const int n = kpModel_GetBoneCount(model);
    if (xforms == nullptr) {
        // At least one record, so that a model without bones still counts as
        // set up; a failed allocation leaves every vertex unbound.
        xforms = static_cast<BONEXFORM*>(std::calloc(n > 0 ? n : 1, sizeof(BONEXFORM)));
    }
    const int bones = bone_count(*this);
    for (int i = 0; i < bones; i++) {
        kpBone* b = kpModel_GetBoneAt(model, i);
        float radians[3], angles[3], position[3];
        kpBone_GetRotation(b, radians);
        kpBone_GetPosition(b, position);
        degrees(radians, angles);
        BONEXFORM& x = xforms[i];
        AngleMatrix(angles, x.relative);
        for (int r = 0; r < 3; r++) {
            x.relative[r][3] = position[r];
        }
        const int p = bone_parent(model, i);
        if (p < 0) {
            copy_matrix(x.relative, x.absolute);
        } else {
            R_ConcatTransforms(xforms[p].absolute, x.relative, x.absolute);
        }
        copy_matrix(x.absolute, x.final);
    }

    const int meshes = kpModel_GetMeshCount(model);
    for (int i = 0; i < meshes; i++) {
        kpMesh* mesh = kpModel_GetMeshAt(model, i);
        const int vertices = kpMesh_GetVertexCount(mesh);
        for (int j = 0; j < vertices; j++) {
            kpVertex* v = kpMesh_GetVertexAt(mesh, j);
            const int bone = kpVertex_GetBoneIndex(v);
            if (bone < 0 || bone >= bones) {
                continue;
            }
            const float(*a)[4] = xforms[bone].absolute;
            float local[3], out[3];
            kpVertex_GetVertex(v, local);
            for (int r = 0; r < 3; r++) {
                local[r] -= a[r][3];
            }
            VectorIRotate(local, a, out);
            kpVertex_SetVertex(v, out);
        }
    }
    frame = static_cast<float>(model->frame);
}

void cModel::AdvanceFrame(float delta) {
    if (model == nullptr) {
        return;
    }
    frame += delta;
    if (frame > static_cast<float>(model->totalFrames)) {
        frame = 0.0f;
    }
    const int bones = bone_count(*this);
    for (int i = 0; i < bones; i++) {
        kpBone* b = kpModel_GetBoneAt(model, i);
        BONEXFORM& x = xforms[i];
        if (kpBone_GetPositionKeyCount(b) <= 0 && kpBone_GetRotationKeyCount(b) <= 0) {
            copy_matrix(x.absolute, x.final);
            continue;
        }
        float m[3][4];
        float position[3];
        key_position(b, frame, position);
        key_rotation(b, frame, m);
        for (int r = 0; r < 3; r++) {
            m[r][3] = position[r];
        }
        R_ConcatTransforms(x.relative, m, x.relativeFinal);
        const int p = bone_parent(model, i);
        if (p < 0) {
            copy_matrix(x.relativeFinal, x.final);
        } else {
            R_ConcatTransforms(xforms[p].final, x.relativeFinal, x.final);
        }
    }
}
