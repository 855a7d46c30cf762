/*
 * Kelpmodel: in-memory store for skinned models (meshes, vertices, vertex
 * normals, triangles, materials, bones and their position and rotation keys).
 *
 * Ownership: the caller allocates each kpModel record, fills it with zeros
 * (the empty model) and frees it. The library owns only the lists hanging off
 * a model: it grows them in fixed steps and frees them in kpModel_Destroy,
 * which leaves the record all zero and reusable. Pointers returned by the
 * ...At functions point into those lists and stay valid until the next Add on
 * the same list (growth may move it) or until the owner is destroyed.
 *
 * Arguments are not checked: a null record, an index outside its list or a
 * null array is outside the interface. Add functions return the new element's
 * index, or -1 when the list cannot grow (a mesh list already holding 65,280
 * entries, or memory that cannot be had); the list is then left as it was.
 *
 * The records are byte-packed and shared with the callers, who read some
 * fields straight through the returned pointers: their layout is an ABI.
 */
#ifndef KELPMODEL_H
#define KELPMODEL_H

#include <stddef.h>
#include <stdint.h>

#if defined(KELPMODEL_BUILD)
#define KPAPI __attribute__((visibility("default")))
#else
#define KPAPI
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Largest number of vertices, normals or triangles in one mesh: 16-bit
 * capacities grow in steps of 256, and the step after this would not fit. */
#define KP_MAX_MESH_LIST 65280

#pragma pack(push, 1)

typedef struct kpPositionKey {
    float time;   /* in frames */
    float key[3]; /* position offset x, y, z */
} kpPositionKey;

typedef struct kpRotationKey {
    float time;   /* in frames */
    float key[3]; /* angles in radians about x, y, z */
} kpRotationKey;

typedef struct kpVertex {
    uint8_t flags;
    float vertex[3];
    float texCoords[2];
    int8_t boneIndex; /* -1: follows no bone */
} kpVertex;

typedef struct kpTriangle {
    uint16_t flags;
    uint16_t vertexIndices[3];
    uint16_t normalIndices[3];
    float normal[3]; /* face normal, written by the caller */
    uint8_t smoothingGroup;
} kpTriangle;

typedef struct kpMesh {
    uint8_t flags;
    char name[32];
    int8_t materialIndex; /* -1: no material */
    uint16_t vertexCount;
    uint16_t vertexCapacity;
    kpVertex* vertices;
    uint16_t normalCount;
    uint16_t normalCapacity;
    float (*normals)[3];
    uint16_t triangleCount;
    uint16_t triangleCapacity;
    kpTriangle* triangles;
} kpMesh;

typedef struct kpMaterial {
    int32_t flags;
    char name[32];
    float ambient[4];
    float diffuse[4];
    float specular[4];
    float emissive[4];
    float shininess;
    float transparency;
    char diffuseTexture[256];
    char alphaTexture[256];
    int32_t reserved;
} kpMaterial;

typedef struct kpBone {
    int32_t flags;
    char name[32];
    char parentName[32]; /* empty for a root bone */
    float position[3];   /* bind position relative to the parent */
    float rotation[3];   /* bind rotation, radians about x, y, z */
    int32_t positionKeyCount;
    int32_t positionKeyCapacity;
    kpPositionKey* positionKeys;
    int32_t rotationKeyCount;
    int32_t rotationKeyCapacity;
    kpRotationKey* rotationKeys;
} kpBone;

typedef struct kpModel {
    int32_t meshCount;
    int32_t meshCapacity;
    kpMesh* meshes;
    int32_t materialCount;
    int32_t materialCapacity;
    kpMaterial* materials;
    int32_t boneCount;
    int32_t boneCapacity;
    kpBone* bones;
    int32_t frame;       /* starting animation frame */
    int32_t totalFrames; /* number of animation frames */
    float position[3];
    float rotation[3];
} kpModel;

#pragma pack(pop)

#ifdef __cplusplus
#define KP_STATIC_ASSERT(cond, msg) static_assert(cond, msg)
#else
#define KP_STATIC_ASSERT(cond, msg) _Static_assert(cond, msg)
#endif

#define KP_PTR sizeof(void*)
KP_STATIC_ASSERT(sizeof(kpPositionKey) == 16, "kpPositionKey layout");
KP_STATIC_ASSERT(sizeof(kpRotationKey) == 16, "kpRotationKey layout");
KP_STATIC_ASSERT(sizeof(kpVertex) == 22, "kpVertex layout");
KP_STATIC_ASSERT(offsetof(kpVertex, boneIndex) == 21, "kpVertex.boneIndex offset");
KP_STATIC_ASSERT(sizeof(kpTriangle) == 27, "kpTriangle layout");
KP_STATIC_ASSERT(offsetof(kpTriangle, normal) == 14, "kpTriangle.normal offset");
KP_STATIC_ASSERT(sizeof(kpMesh) == 46 + 3 * KP_PTR, "kpMesh layout");
KP_STATIC_ASSERT(offsetof(kpMesh, materialIndex) == 33, "kpMesh.materialIndex offset");
KP_STATIC_ASSERT(offsetof(kpMesh, vertices) == 38, "kpMesh.vertices offset");
KP_STATIC_ASSERT(sizeof(kpMaterial) == 624, "kpMaterial layout");
KP_STATIC_ASSERT(offsetof(kpMaterial, diffuseTexture) == 108, "kpMaterial.diffuseTexture offset");
KP_STATIC_ASSERT(sizeof(kpBone) == 108 + 2 * KP_PTR, "kpBone layout");
KP_STATIC_ASSERT(offsetof(kpBone, parentName) == 36, "kpBone.parentName offset");
KP_STATIC_ASSERT(offsetof(kpBone, positionKeyCount) == 92, "kpBone.positionKeyCount offset");
KP_STATIC_ASSERT(sizeof(kpModel) == 56 + 3 * KP_PTR, "kpModel layout");
KP_STATIC_ASSERT(offsetof(kpModel, frame) == 24 + 3 * KP_PTR, "kpModel.frame offset");
#undef KP_PTR
#undef KP_STATIC_ASSERT

/* Model. Find functions return the first index whose name equals `name`
 * exactly (case-sensitive), or -1. A name field filled to its width without a
 * terminating zero compares as the string of that many characters. */
KPAPI void kpModel_Destroy(kpModel* model);
KPAPI int kpModel_GetMeshCount(const kpModel* model);
KPAPI int kpModel_AddMesh(kpModel* model);
KPAPI kpMesh* kpModel_GetMeshAt(kpModel* model, int index);
KPAPI int kpModel_FindMeshByName(const kpModel* model, const char* name);
KPAPI int kpModel_GetMaterialCount(const kpModel* model);
KPAPI int kpModel_AddMaterial(kpModel* model);
KPAPI kpMaterial* kpModel_GetMaterialAt(kpModel* model, int index);
KPAPI int kpModel_FindMaterialByName(const kpModel* model, const char* name);
KPAPI int kpModel_GetBoneCount(const kpModel* model);
KPAPI int kpModel_AddBone(kpModel* model);
KPAPI kpBone* kpModel_GetBoneAt(kpModel* model, int index);
KPAPI int kpModel_FindBoneByName(const kpModel* model, const char* name);
KPAPI int kpModel_SetFrame(kpModel* model, int frame); /* returns the old value */
KPAPI int kpModel_GetFrame(const kpModel* model);
KPAPI int kpModel_SetTotalFrames(kpModel* model, int totalFrames); /* returns the old value */
KPAPI int kpModel_GetTotalFrames(const kpModel* model);
KPAPI void kpModel_SetPosition(kpModel* model, const float position[3]);
KPAPI void kpModel_GetPosition(const kpModel* model, float position[3]);
KPAPI void kpModel_SetRotation(kpModel* model, const float rotation[3]);
KPAPI void kpModel_GetRotation(const kpModel* model, float rotation[3]);

/* Mesh. String Set/Get copy like strncpy: bounded by the field (Set) or by
 * `length` (Get), zero-padded, with no terminating zero when the string fills
 * the bound. Get never reads past the field, and a length of 0 or less copies
 * nothing. The same holds for the material and bone names. */
KPAPI void kpMesh_Destroy(kpMesh* mesh);
KPAPI void kpMesh_SetFlags(kpMesh* mesh, int flags); /* low 8 bits */
KPAPI int kpMesh_GetFlags(const kpMesh* mesh);
KPAPI void kpMesh_SetName(kpMesh* mesh, const char* name);
KPAPI void kpMesh_GetName(const kpMesh* mesh, char* buffer, int length);
KPAPI void kpMesh_SetMaterialIndex(kpMesh* mesh, int index); /* low 8 bits, signed */
KPAPI int kpMesh_GetMaterialIndex(const kpMesh* mesh);
KPAPI int kpMesh_GetVertexCount(const kpMesh* mesh);
KPAPI int kpMesh_AddVertex(kpMesh* mesh);
KPAPI kpVertex* kpMesh_GetVertexAt(kpMesh* mesh, int index);
KPAPI int kpMesh_GetTriangleCount(const kpMesh* mesh);
KPAPI int kpMesh_AddTriangle(kpMesh* mesh);
KPAPI kpTriangle* kpMesh_GetTriangleAt(kpMesh* mesh, int index);
KPAPI int kpMesh_GetVertexNormalCount(const kpMesh* mesh);
KPAPI int kpMesh_AddVertexNormal(kpMesh* mesh);
KPAPI void kpMesh_SetVertexNormalAt(kpMesh* mesh, int index, const float normal[3]);
KPAPI void kpMesh_GetVertexNormalAt(const kpMesh* mesh, int index, float normal[3]);

/* Vertex. */
KPAPI void kpVertex_SetFlags(kpVertex* vertex, int flags); /* low 8 bits */
KPAPI int kpVertex_GetFlags(const kpVertex* vertex);
KPAPI void kpVertex_SetVertex(kpVertex* vertex, const float position[3]);
KPAPI void kpVertex_GetVertex(const kpVertex* vertex, float position[3]);
KPAPI void kpVertex_SetTexCoords(kpVertex* vertex, const float texCoords[2]);
KPAPI void kpVertex_GetTexCoords(const kpVertex* vertex, float texCoords[2]);
KPAPI int kpVertex_SetBoneIndex(kpVertex* vertex, int index); /* returns the old value */
KPAPI int kpVertex_GetBoneIndex(const kpVertex* vertex);

/* Triangle. */
KPAPI void kpTriangle_SetFlags(kpTriangle* triangle, int flags); /* low 16 bits */
KPAPI int kpTriangle_GetFlags(const kpTriangle* triangle);
KPAPI void kpTriangle_SetVertexIndices(kpTriangle* triangle, const uint16_t indices[3]);
KPAPI void kpTriangle_GetVertexIndices(const kpTriangle* triangle, uint16_t indices[3]);
KPAPI void kpTriangle_SetNormalIndices(kpTriangle* triangle, const uint16_t indices[3]);
KPAPI void kpTriangle_GetNormalIndices(const kpTriangle* triangle, uint16_t indices[3]);
KPAPI void kpTriangle_SetSmoothingGroup(kpTriangle* triangle, int group); /* low 8 bits */
KPAPI int kpTriangle_GetSmoothingGroup(const kpTriangle* triangle);

/* Material. */
KPAPI void kpMaterial_SetName(kpMaterial* material, const char* name);
KPAPI void kpMaterial_GetName(const kpMaterial* material, char* buffer, int length);
KPAPI void kpMaterial_SetAmbient(kpMaterial* material, const float color[4]);
KPAPI void kpMaterial_GetAmbient(const kpMaterial* material, float color[4]);
KPAPI void kpMaterial_SetDiffuse(kpMaterial* material, const float color[4]);
KPAPI void kpMaterial_GetDiffuse(const kpMaterial* material, float color[4]);
KPAPI void kpMaterial_SetSpecular(kpMaterial* material, const float color[4]);
KPAPI void kpMaterial_GetSpecular(const kpMaterial* material, float color[4]);
KPAPI void kpMaterial_SetEmissive(kpMaterial* material, const float color[4]);
KPAPI void kpMaterial_GetEmissive(const kpMaterial* material, float color[4]);
KPAPI void kpMaterial_SetShininess(kpMaterial* material, float shininess);
KPAPI float kpMaterial_GetShininess(const kpMaterial* material);
KPAPI void kpMaterial_SetTransparency(kpMaterial* material, float transparency);
KPAPI float kpMaterial_GetTransparency(const kpMaterial* material);
KPAPI void kpMaterial_SetDiffuseTexture(kpMaterial* material, const char* fileName);
KPAPI void kpMaterial_GetDiffuseTexture(const kpMaterial* material, char* buffer, int length);
KPAPI void kpMaterial_SetAlphaTexture(kpMaterial* material, const char* fileName);
KPAPI void kpMaterial_GetAlphaTexture(const kpMaterial* material, char* buffer, int length);

/* Bone. kpBone_Destroy frees both key lists and resets their counts and
 * capacities, so the bone can take keys again. */
KPAPI void kpBone_Destroy(kpBone* bone);
KPAPI void kpBone_SetFlags(kpBone* bone, int flags); /* all 32 bits */
KPAPI int kpBone_GetFlags(const kpBone* bone);
KPAPI void kpBone_SetName(kpBone* bone, const char* name);
KPAPI void kpBone_GetName(const kpBone* bone, char* buffer, int length);
KPAPI void kpBone_SetParentName(kpBone* bone, const char* name);
KPAPI void kpBone_GetParentName(const kpBone* bone, char* buffer, int length);
KPAPI void kpBone_SetPosition(kpBone* bone, const float position[3]);
KPAPI void kpBone_GetPosition(const kpBone* bone, float position[3]);
KPAPI void kpBone_SetRotation(kpBone* bone, const float rotation[3]);
KPAPI void kpBone_GetRotation(const kpBone* bone, float rotation[3]);
KPAPI int kpBone_GetPositionKeyCount(const kpBone* bone);
KPAPI int kpBone_AddPositionKey(kpBone* bone, float time, const float position[3]);
KPAPI kpPositionKey* kpBone_GetPositionKeyAt(kpBone* bone, int index);
KPAPI int kpBone_GetRotationKeyCount(const kpBone* bone);
KPAPI int kpBone_AddRotationKey(kpBone* bone, float time, const float angles[3]);
KPAPI kpRotationKey* kpBone_GetRotationKeyAt(kpBone* bone, int index);

#ifdef __cplusplus
}
#endif

#endif /* KELPMODEL_H */
