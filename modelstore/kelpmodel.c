/*
 * Kelpmodel: every list hangs off a caller-owned record and grows in fixed
 * steps; nothing here keeps global state. Names are fixed-width fields that
 * may hold no terminating zero, so every read of one is bounded by the field.
 */
#include <stdlib.h>
#include <string.h>

#include "kelpmodel.h"

/* Growth steps, in elements. Lists grow linearly, never by doubling. */
enum {
    KP_MESH_STEP = 8,
    KP_MATERIAL_STEP = 8,
    KP_BONE_STEP = 32,
    KP_VERTEX_STEP = 256,
    KP_NORMAL_STEP = 256,
    KP_TRIANGLE_STEP = 256,
    KP_KEY_STEP = 32
};

/* Width of every name field, and of the texture file name fields, in bytes. */
#define KP_NAME_WIDTH 32
#define KP_FILE_NAME_WIDTH 256

/* Tests swap the allocator to reach the out-of-memory path. */
#ifdef KP_REALLOC
void* KP_REALLOC(void* list, size_t size);
#else
#define KP_REALLOC realloc
#endif

/* Makes room for one more element in a list of `count` elements. Returns the
 * list, grown by `step` (and `*capacity` raised) when count has reached
 * capacity. Returns null when the grown capacity would pass `limit` or memory
 * cannot be had; the list and `*capacity` are then untouched. */
static void* kp_list_reserve(void* list, size_t elementSize, long count, long* capacity, long step,
                             long limit) {
    if (count < *capacity) {
        return list;
    }
    if (*capacity > limit - step) {
        return NULL;
    }
    size_t grown = (size_t)(*capacity + step);
    if (grown > SIZE_MAX / elementSize) {
        return NULL;
    }
    /* realloc keeps the first `count` elements and frees the old list. */
    void* bigger = KP_REALLOC(list, grown * elementSize);
    if (bigger == NULL) {
        return NULL;
    }
    *capacity = (long)grown;
    return bigger;
}

/* The low 8 bits of `value` read as a two's-complement signed byte. */
static int8_t kp_low_byte_signed(int value) {
    unsigned low = (unsigned)value & 0xFFu;
    return (int8_t)(low >= 0x80u ? (int)low - 0x100 : (int)low);
}

/* Copies a zero-terminated string into a field of `width` bytes like strncpy:
 * zero-padded, and unterminated when the string fills the field. */
static void kp_name_set(char* field, size_t width, const char* source) {
    size_t used = strnlen(source, width);
    memcpy(field, source, used);
    memset(field + used, 0, width - used);
}

/* Copies a field's string into `buffer` like strncpy with bound `length`, but
 * never reads past the field, which may hold no terminating zero. A length of
 * zero or less copies nothing. */
static void kp_name_get(const char* field, size_t width, char* buffer, int length) {
    if (length <= 0) {
        return;
    }
    size_t bound = (size_t)length;
    size_t used = strnlen(field, width);
    if (used > bound) {
        used = bound;
    }
    memcpy(buffer, field, used);
    memset(buffer + used, 0, bound - used);
}

/* 1 when the field's string (at most `width` bytes) equals `name` exactly. */
static int kp_name_equals(const char* field, size_t width, const char* name) {
    size_t used = strnlen(field, width);
    /* strncmp stops at a shorter name's zero, so name[used] is in bounds. */
    return strncmp(field, name, used) == 0 && name[used] == '\0';
}

/* Model: its three lists, frame numbers and placement. */

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

/* A mesh and its vertex, normal and triangle lists (16-bit counts). */

void kpMesh_Destroy(kpMesh* mesh) {
    free(mesh->vertices);
    free(mesh->triangles);
    free(mesh->normals);
    memset(mesh, 0, sizeof *mesh);
}

void kpMesh_SetFlags(kpMesh* mesh, int flags) {
    mesh->flags = (uint8_t)flags;
}

int kpMesh_GetFlags(const kpMesh* mesh) {
    return mesh->flags;
}

void kpMesh_SetName(kpMesh* mesh, const char* name) {
    kp_name_set(mesh->name, KP_NAME_WIDTH, name);
}

void kpMesh_GetName(const kpMesh* mesh, char* buffer, int length) {
    kp_name_get(mesh->name, KP_NAME_WIDTH, buffer, length);
}

void kpMesh_SetMaterialIndex(kpMesh* mesh, int index) {
    mesh->materialIndex = kp_low_byte_signed(index);
}

int kpMesh_GetMaterialIndex(const kpMesh* mesh) {
    return mesh->materialIndex;
}

int kpMesh_GetVertexCount(const kpMesh* mesh) {
    return mesh->vertexCount;
}

int kpMesh_AddVertex(kpMesh* mesh) {
    long capacity = mesh->vertexCapacity;
    kpVertex* vertices = kp_list_reserve(mesh->vertices, sizeof(kpVertex), mesh->vertexCount,
                                         &capacity, KP_VERTEX_STEP, KP_MAX_MESH_LIST);
    if (vertices == NULL) {
        return -1;
    }
    mesh->vertices = vertices;
    mesh->vertexCapacity = (uint16_t)capacity;
    kpVertex* vertex = &vertices[mesh->vertexCount];
    memset(vertex, 0, sizeof *vertex);
    vertex->boneIndex = -1;
    return mesh->vertexCount++;
}

kpVertex* kpMesh_GetVertexAt(kpMesh* mesh, int index) {
    return &mesh->vertices[index];
}

int kpMesh_GetTriangleCount(const kpMesh* mesh) {
    return mesh->triangleCount;
}

int kpMesh_AddTriangle(kpMesh* mesh) {
    long capacity = mesh->triangleCapacity;
    kpTriangle* triangles =
        kp_list_reserve(mesh->triangles, sizeof(kpTriangle), mesh->triangleCount, &capacity,
                        KP_TRIANGLE_STEP, KP_MAX_MESH_LIST);
    if (triangles == NULL) {
        return -1;
    }
    mesh->triangles = triangles;
    mesh->triangleCapacity = (uint16_t)capacity;
    static const float kFacingViewer[3] = {0.0f, 0.0f, 1.0f};
    kpTriangle* triangle = &triangles[mesh->triangleCount];
    memset(triangle, 0, sizeof *triangle);
    memcpy(triangle->normal, kFacingViewer, sizeof triangle->normal);
    triangle->smoothingGroup = 1;
    return mesh->triangleCount++;
}

kpTriangle* kpMesh_GetTriangleAt(kpMesh* mesh, int index) {
    return &mesh->triangles[index];
}

int kpMesh_GetVertexNormalCount(const kpMesh* mesh) {
    return mesh->normalCount;
}

int kpMesh_AddVertexNormal(kpMesh* mesh) {
    long capacity = mesh->normalCapacity;
    float(*normals)[3] = kp_list_reserve(mesh->normals, sizeof *normals, mesh->normalCount,
                                         &capacity, KP_NORMAL_STEP, KP_MAX_MESH_LIST);
    if (normals == NULL) {
        return -1;
    }
    mesh->normals = normals;
    mesh->normalCapacity = (uint16_t)capacity;
    memset(normals[mesh->normalCount], 0, sizeof *normals);
    return mesh->normalCount++;
}

void kpMesh_SetVertexNormalAt(kpMesh* mesh, int index, const float normal[3]) {
    memcpy(mesh->normals[index], normal, sizeof mesh->normals[index]);
}

void kpMesh_GetVertexNormalAt(const kpMesh* mesh, int index, float normal[3]) {
    memcpy(normal, mesh->normals[index], sizeof mesh->normals[index]);
}

/* A vertex: position, texture coordinates and the bone it follows. */

void kpVertex_SetFlags(kpVertex* vertex, int flags) {
    vertex->flags = (uint8_t)flags;
}

int kpVertex_GetFlags(const kpVertex* vertex) {
    return vertex->flags;
}

void kpVertex_SetVertex(kpVertex* vertex, const float position[3]) {
    memcpy(vertex->vertex, position, sizeof vertex->vertex);
}

void kpVertex_GetVertex(const kpVertex* vertex, float position[3]) {
    memcpy(position, vertex->vertex, sizeof vertex->vertex);
}

void kpVertex_SetTexCoords(kpVertex* vertex, const float texCoords[2]) {
    memcpy(vertex->texCoords, texCoords, sizeof vertex->texCoords);
}

void kpVertex_GetTexCoords(const kpVertex* vertex, float texCoords[2]) {
    memcpy(texCoords, vertex->texCoords, sizeof vertex->texCoords);
}

int kpVertex_SetBoneIndex(kpVertex* vertex, int index) {
    int old = vertex->boneIndex;
    vertex->boneIndex = kp_low_byte_signed(index);
    return old;
}

int kpVertex_GetBoneIndex(const kpVertex* vertex) {
    return vertex->boneIndex;
}

/* A triangle: corner indices, smoothing group and flags. The face normal has
 * no accessor; callers write it through the triangle pointer. */

void kpTriangle_SetFlags(kpTriangle* triangle, int flags) {
    triangle->flags = (uint16_t)flags;
}

int kpTriangle_GetFlags(const kpTriangle* triangle) {
    return triangle->flags;
}

void kpTriangle_SetVertexIndices(kpTriangle* triangle, const uint16_t indices[3]) {
    memcpy(triangle->vertexIndices, indices, sizeof triangle->vertexIndices);
}

void kpTriangle_GetVertexIndices(const kpTriangle* triangle, uint16_t indices[3]) {
    memcpy(indices, triangle->vertexIndices, sizeof triangle->vertexIndices);
}

void kpTriangle_SetNormalIndices(kpTriangle* triangle, const uint16_t indices[3]) {
    memcpy(triangle->normalIndices, indices, sizeof triangle->normalIndices);
}

void kpTriangle_GetNormalIndices(const kpTriangle* triangle, uint16_t indices[3]) {
    memcpy(indices, triangle->normalIndices, sizeof triangle->normalIndices);
}

void kpTriangle_SetSmoothingGroup(kpTriangle* triangle, int group) {
    triangle->smoothingGroup = (uint8_t)group;
}

int kpTriangle_GetSmoothingGroup(const kpTriangle* triangle) {
    return triangle->smoothingGroup;
}

/* A material: name, four colours (r, g, b, a), shininess, opacity and two
 * texture file names. `flags` and `reserved` stay zero. */

void kpMaterial_SetName(kpMaterial* material, const char* name) {
    kp_name_set(material->name, KP_NAME_WIDTH, name);
}

void kpMaterial_GetName(const kpMaterial* material, char* buffer, int length) {
    kp_name_get(material->name, KP_NAME_WIDTH, buffer, length);
}

void kpMaterial_SetAmbient(kpMaterial* material, const float color[4]) {
    memcpy(material->ambient, color, sizeof material->ambient);
}

void kpMaterial_GetAmbient(const kpMaterial* material, float color[4]) {
    memcpy(color, material->ambient, sizeof material->ambient);
}

void kpMaterial_SetDiffuse(kpMaterial* material, const float color[4]) {
    memcpy(material->diffuse, color, sizeof material->diffuse);
}

void kpMaterial_GetDiffuse(const kpMaterial* material, float color[4]) {
    memcpy(color, material->diffuse, sizeof material->diffuse);
}

void kpMaterial_SetSpecular(kpMaterial* material, const float color[4]) {
    memcpy(material->specular, color, sizeof material->specular);
}

void kpMaterial_GetSpecular(const kpMaterial* material, float color[4]) {
    memcpy(color, material->specular, sizeof material->specular);
}

void kpMaterial_SetEmissive(kpMaterial* material, const float color[4]) {
    memcpy(material->emissive, color, sizeof material->emissive);
}

void kpMaterial_GetEmissive(const kpMaterial* material, float color[4]) {
    memcpy(color, material->emissive, sizeof material->emissive);
}

void kpMaterial_SetShininess(kpMaterial* material, float shininess) {
    material->shininess = shininess;
}

float kpMaterial_GetShininess(const kpMaterial* material) {
    return material->shininess;
}

void kpMaterial_SetTransparency(kpMaterial* material, float transparency) {
    material->transparency = transparency;
}

float kpMaterial_GetTransparency(const kpMaterial* material) {
    return material->transparency;
}

void kpMaterial_SetDiffuseTexture(kpMaterial* material, const char* fileName) {
    kp_name_set(material->diffuseTexture, KP_FILE_NAME_WIDTH, fileName);
}

void kpMaterial_GetDiffuseTexture(const kpMaterial* material, char* buffer, int length) {
    kp_name_get(material->diffuseTexture, KP_FILE_NAME_WIDTH, buffer, length);
}

void kpMaterial_SetAlphaTexture(kpMaterial* material, const char* fileName) {
    kp_name_set(material->alphaTexture, KP_FILE_NAME_WIDTH, fileName);
}

void kpMaterial_GetAlphaTexture(const kpMaterial* material, char* buffer, int length) {
    kp_name_get(material->alphaTexture, KP_FILE_NAME_WIDTH, buffer, length);
}

/* A bone: names, bind pose and its position and rotation key lists. */

/* Counts and capacities go back to zero with the lists, so a destroyed bone
 * starts fresh lists instead of writing through a null pointer. */
void kpBone_Destroy(kpBone* bone) {
    free(bone->positionKeys);
    bone->positionKeys = NULL;
    bone->positionKeyCount = 0;
    bone->positionKeyCapacity = 0;
    free(bone->rotationKeys);
    bone->rotationKeys = NULL;
    bone->rotationKeyCount = 0;
    bone->rotationKeyCapacity = 0;
}

void kpBone_SetFlags(kpBone* bone, int flags) {
    bone->flags = flags;
}

int kpBone_GetFlags(const kpBone* bone) {
    return bone->flags;
}

void kpBone_SetName(kpBone* bone, const char* name) {
    kp_name_set(bone->name, KP_NAME_WIDTH, name);
}

void kpBone_GetName(const kpBone* bone, char* buffer, int length) {
    kp_name_get(bone->name, KP_NAME_WIDTH, buffer, length);
}

void kpBone_SetParentName(kpBone* bone, const char* name) {
    kp_name_set(bone->parentName, KP_NAME_WIDTH, name);
}

void kpBone_GetParentName(const kpBone* bone, char* buffer, int length) {
    kp_name_get(bone->parentName, KP_NAME_WIDTH, buffer, length);
}

void kpBone_SetPosition(kpBone* bone, const float position[3]) {
    memcpy(bone->position, position, sizeof bone->position);
}

void kpBone_GetPosition(const kpBone* bone, float position[3]) {
    memcpy(position, bone->position, sizeof bone->position);
}

void kpBone_SetRotation(kpBone* bone, const float rotation[3]) {
    memcpy(bone->rotation, rotation, sizeof bone->rotation);
}

void kpBone_GetRotation(const kpBone* bone, float rotation[3]) {
    memcpy(rotation, bone->rotation, sizeof bone->rotation);
}

int kpBone_GetPositionKeyCount(const kpBone* bone) {
    return bone->positionKeyCount;
}

int kpBone_AddPositionKey(kpBone* bone, float time, const float position[3]) {
    long capacity = bone->positionKeyCapacity;
    kpPositionKey* keys =
        kp_list_reserve(bone->positionKeys, sizeof(kpPositionKey), bone->positionKeyCount,
                        &capacity, KP_KEY_STEP, INT32_MAX);
    if (keys == NULL) {
        return -1;
    }
    bone->positionKeys = keys;
    bone->positionKeyCapacity = (int32_t)capacity;
    kpPositionKey* key = &keys[bone->positionKeyCount];
    key->time = time;
    memcpy(key->key, position, sizeof key->key);
    return bone->positionKeyCount++;
}

kpPositionKey* kpBone_GetPositionKeyAt(kpBone* bone, int index) {
    return &bone->positionKeys[index];
}

int kpBone_GetRotationKeyCount(const kpBone* bone) {
    return bone->rotationKeyCount;
}

int kpBone_AddRotationKey(kpBone* bone, float time, const float angles[3]) {
    long capacity = bone->rotationKeyCapacity;
    kpRotationKey* keys =
        kp_list_reserve(bone->rotationKeys, sizeof(kpRotationKey), bone->rotationKeyCount,
                        &capacity, KP_KEY_STEP, INT32_MAX);
    if (keys == NULL) {
        return -1;
    }
    bone->rotationKeys = keys;
    bone->rotationKeyCapacity = (int32_t)capacity;
    kpRotationKey* key = &keys[bone->rotationKeyCount];
    key->time = time;
    memcpy(key->key, angles, sizeof key->key);
    return bone->rotationKeyCount++;
}

kpRotationKey* kpBone_GetRotationKeyAt(kpBone* bone, int index) {
    return &bone->rotationKeys[index];
}
