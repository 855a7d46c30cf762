/* The model record: its three lists, frame numbers and placement. */
#include <stdlib.h>
#include <string.h>

#include "kp_local.h"

void kpModel_Destroy(kpModel* model) {
    if (model->meshes != NULL) {
        for (int i = 0; i < model->meshCount; i++) {
            kpMesh_Destroy(&model->meshes[i]);
        }
        free(model->meshes);
    }
    /* Materials own no memory. */
    free(model->materials);
    if (model->bones != NULL) {
        for (int i = 0; i < model->boneCount; i++) {
            kpBone_Destroy(&model->bones[i]);
        }
        free(model->bones);
    }
    memset(model, 0, sizeof *model);
}

int kpModel_GetMeshCount(const kpModel* model) {
    return model->meshCount;
}

int kpModel_AddMesh(kpModel* model) {
    long capacity = model->meshCapacity;
    kpMesh* meshes = kp_list_reserve(model->meshes, sizeof(kpMesh), model->meshCount, &capacity,
                                     KP_MESH_STEP, INT32_MAX);
    if (meshes == NULL) {
        return -1;
    }
    model->meshes = meshes;
    model->meshCapacity = (int32_t)capacity;
    kpMesh* mesh = &meshes[model->meshCount];
    memset(mesh, 0, sizeof *mesh);
    mesh->materialIndex = -1;
    return model->meshCount++;
}

kpMesh* kpModel_GetMeshAt(kpModel* model, int index) {
    return &model->meshes[index];
}

int kpModel_FindMeshByName(const kpModel* model, const char* name) {
    if (model->meshes == NULL) {
        return -1;
    }
    for (int i = 0; i < model->meshCount; i++) {
        if (kp_name_equals(model->meshes[i].name, KP_NAME_WIDTH, name)) {
            return i;
        }
    }
    return -1;
}

int kpModel_GetMaterialCount(const kpModel* model) {
    return model->materialCount;
}

int kpModel_AddMaterial(kpModel* model) {
    long capacity = model->materialCapacity;
    kpMaterial* materials =
        kp_list_reserve(model->materials, sizeof(kpMaterial), model->materialCount, &capacity,
                        KP_MATERIAL_STEP, INT32_MAX);
    if (materials == NULL) {
        return -1;
    }
    model->materials = materials;
    model->materialCapacity = (int32_t)capacity;
    kpMaterial* material = &materials[model->materialCount];
    memset(material, 0, sizeof *material);
    material->transparency = 1.0f;
    return model->materialCount++;
}

kpMaterial* kpModel_GetMaterialAt(kpModel* model, int index) {
    return &model->materials[index];
}

int kpModel_FindMaterialByName(const kpModel* model, const char* name) {
    if (model->materials == NULL) {
        return -1;
    }
    for (int i = 0; i < model->materialCount; i++) {
        if (kp_name_equals(model->materials[i].name, KP_NAME_WIDTH, name)) {
            return i;
        }
    }
    return -1;
}

int kpModel_GetBoneCount(const kpModel* model) {
    return model->boneCount;
}

int kpModel_AddBone(kpModel* model) {
    long capacity = model->boneCapacity;
    kpBone* bones = kp_list_reserve(model->bones, sizeof(kpBone), model->boneCount, &capacity,
                                    KP_BONE_STEP, INT32_MAX);
    if (bones == NULL) {
        return -1;
    }
    model->bones = bones;
    model->boneCapacity = (int32_t)capacity;
    memset(&bones[model->boneCount], 0, sizeof(kpBone));
    return model->boneCount++;
}

kpBone* kpModel_GetBoneAt(kpModel* model, int index) {
    return &model->bones[index];
}

int kpModel_FindBoneByName(const kpModel* model, const char* name) {
    if (model->bones == NULL) {
        return -1;
    }
    for (int i = 0; i < model->boneCount; i++) {
        if (kp_name_equals(model->bones[i].name, KP_NAME_WIDTH, name)) {
            return i;
        }
    }
    return -1;
}

int kpModel_SetFrame(kpModel* model, int frame) {
    int old = model->frame;
    model->frame = frame;
    return old;
}

int kpModel_GetFrame(const kpModel* model) {
    return model->frame;
}

int kpModel_SetTotalFrames(kpModel* model, int totalFrames) {
    int old = model->totalFrames;
    model->totalFrames = totalFrames;
    return old;
}

int kpModel_GetTotalFrames(const kpModel* model) {
    return model->totalFrames;
}

void kpModel_SetPosition(kpModel* model, const float position[3]) {
    memcpy(model->position, position, sizeof model->position);
}

void kpModel_GetPosition(const kpModel* model, float position[3]) {
    memcpy(position, model->position, sizeof model->position);
}

void kpModel_SetRotation(kpModel* model, const float rotation[3]) {
    memcpy(model->rotation, rotation, sizeof model->rotation);
}

void kpModel_GetRotation(const kpModel* model, float rotation[3]) {
    memcpy(rotation, model->rotation, sizeof model->rotation);
}
