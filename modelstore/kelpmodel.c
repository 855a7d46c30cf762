/* Placeholder bodies; replaced by the real store. */
#include "kelpmodel.h"

void kpModel_Destroy(kpModel* model) {
    (void)model;
}
int kpModel_GetMeshCount(const kpModel* model) {
    (void)model;
    return 0;
}
int kpModel_AddMesh(kpModel* model) {
    (void)model;
    return 0;
}
kpMesh* kpModel_GetMeshAt(kpModel* model, int index) {
    (void)model;
    (void)index;
    return 0;
}
int kpModel_FindMeshByName(const kpModel* model, const char* name) {
    (void)model;
    (void)name;
    return 0;
}
int kpModel_GetMaterialCount(const kpModel* model) {
    (void)model;
    return 0;
}
int kpModel_AddMaterial(kpModel* model) {
    (void)model;
    return 0;
}
kpMaterial* kpModel_GetMaterialAt(kpModel* model, int index) {
    (void)model;
    (void)index;
    return 0;
}
int kpModel_FindMaterialByName(const kpModel* model, const char* name) {
    (void)model;
    (void)name;
    return 0;
}
int kpModel_GetBoneCount(const kpModel* model) {
    (void)model;
    return 0;
}
int kpModel_AddBone(kpModel* model) {
    (void)model;
    return 0;
}
kpBone* kpModel_GetBoneAt(kpModel* model, int index) {
    (void)model;
    (void)index;
    return 0;
}
int kpModel_FindBoneByName(const kpModel* model, const char* name) {
    (void)model;
    (void)name;
    return 0;
}
int kpModel_SetFrame(kpModel* model, int frame) {
    (void)model;
    (void)frame;
    return 0;
}
int kpModel_GetFrame(const kpModel* model) {
    (void)model;
    return 0;
}
int kpModel_SetTotalFrames(kpModel* model, int totalFrames) {
    (void)model;
    (void)totalFrames;
    return 0;
}
int kpModel_GetTotalFrames(const kpModel* model) {
    (void)model;
    return 0;
}
void kpModel_SetPosition(kpModel* model, const float position[3]) {
    (void)model;
    (void)position;
}
void kpModel_GetPosition(const kpModel* model, float position[3]) {
    (void)model;
    (void)position;
}
void kpModel_SetRotation(kpModel* model, const float rotation[3]) {
    (void)model;
    (void)rotation;
}
void kpModel_GetRotation(const kpModel* model, float rotation[3]) {
    (void)model;
    (void)rotation;
}
void kpMesh_Destroy(kpMesh* mesh) {
    (void)mesh;
}
void kpMesh_SetFlags(kpMesh* mesh, int flags) {
    (void)mesh;
    (void)flags;
}
int kpMesh_GetFlags(const kpMesh* mesh) {
    (void)mesh;
    return 0;
}
void kpMesh_SetName(kpMesh* mesh, const char* name) {
    (void)mesh;
    (void)name;
}
void kpMesh_GetName(const kpMesh* mesh, char* buffer, int length) {
    (void)mesh;
    (void)buffer;
    (void)length;
}
void kpMesh_SetMaterialIndex(kpMesh* mesh, int index) {
    (void)mesh;
    (void)index;
}
int kpMesh_GetMaterialIndex(const kpMesh* mesh) {
    (void)mesh;
    return 0;
}
int kpMesh_GetVertexCount(const kpMesh* mesh) {
    (void)mesh;
    return 0;
}
int kpMesh_AddVertex(kpMesh* mesh) {
    (void)mesh;
    return 0;
}
kpVertex* kpMesh_GetVertexAt(kpMesh* mesh, int index) {
    (void)mesh;
    (void)index;
    return 0;
}
int kpMesh_GetTriangleCount(const kpMesh* mesh) {
    (void)mesh;
    return 0;
}
int kpMesh_AddTriangle(kpMesh* mesh) {
    (void)mesh;
    return 0;
}
kpTriangle* kpMesh_GetTriangleAt(kpMesh* mesh, int index) {
    (void)mesh;
    (void)index;
    return 0;
}
int kpMesh_GetVertexNormalCount(const kpMesh* mesh) {
    (void)mesh;
    return 0;
}
int kpMesh_AddVertexNormal(kpMesh* mesh) {
    (void)mesh;
    return 0;
}
void kpMesh_SetVertexNormalAt(kpMesh* mesh, int index, const float normal[3]) {
    (void)mesh;
    (void)index;
    (void)normal;
}
void kpMesh_GetVertexNormalAt(const kpMesh* mesh, int index, float normal[3]) {
    (void)mesh;
    (void)index;
    (void)normal;
}
void kpVertex_SetFlags(kpVertex* vertex, int flags) {
    (void)vertex;
    (void)flags;
}
int kpVertex_GetFlags(const kpVertex* vertex) {
    (void)vertex;
    return 0;
}
void kpVertex_SetVertex(kpVertex* vertex, const float position[3]) {
    (void)vertex;
    (void)position;
}
void kpVertex_GetVertex(const kpVertex* vertex, float position[3]) {
    (void)vertex;
    (void)position;
}
void kpVertex_SetTexCoords(kpVertex* vertex, const float texCoords[2]) {
    (void)vertex;
    (void)texCoords;
}
void kpVertex_GetTexCoords(const kpVertex* vertex, float texCoords[2]) {
    (void)vertex;
    (void)texCoords;
}
int kpVertex_SetBoneIndex(kpVertex* vertex, int index) {
    (void)vertex;
    (void)index;
    return 0;
}
int kpVertex_GetBoneIndex(const kpVertex* vertex) {
    (void)vertex;
    return 0;
}
void kpTriangle_SetFlags(kpTriangle* triangle, int flags) {
    (void)triangle;
    (void)flags;
}
int kpTriangle_GetFlags(const kpTriangle* triangle) {
    (void)triangle;
    return 0;
}
void kpTriangle_SetVertexIndices(kpTriangle* triangle, const uint16_t indices[3]) {
    (void)triangle;
    (void)indices;
}
void kpTriangle_GetVertexIndices(const kpTriangle* triangle, uint16_t indices[3]) {
    (void)triangle;
    (void)indices;
}
void kpTriangle_SetNormalIndices(kpTriangle* triangle, const uint16_t indices[3]) {
    (void)triangle;
    (void)indices;
}
void kpTriangle_GetNormalIndices(const kpTriangle* triangle, uint16_t indices[3]) {
    (void)triangle;
    (void)indices;
}
void kpTriangle_SetSmoothingGroup(kpTriangle* triangle, int group) {
    (void)triangle;
    (void)group;
}
int kpTriangle_GetSmoothingGroup(const kpTriangle* triangle) {
    (void)triangle;
    return 0;
}
void kpMaterial_SetName(kpMaterial* material, const char* name) {
    (void)material;
    (void)name;
}
void kpMaterial_GetName(const kpMaterial* material, char* buffer, int length) {
    (void)material;
    (void)buffer;
    (void)length;
}
void kpMaterial_SetAmbient(kpMaterial* material, const float color[4]) {
    (void)material;
    (void)color;
}
void kpMaterial_GetAmbient(const kpMaterial* material, float color[4]) {
    (void)material;
    (void)color;
}
void kpMaterial_SetDiffuse(kpMaterial* material, const float color[4]) {
    (void)material;
    (void)color;
}
void kpMaterial_GetDiffuse(const kpMaterial* material, float color[4]) {
    (void)material;
    (void)color;
}
void kpMaterial_SetSpecular(kpMaterial* material, const float color[4]) {
    (void)material;
    (void)color;
}
void kpMaterial_GetSpecular(const kpMaterial* material, float color[4]) {
    (void)material;
    (void)color;
}
void kpMaterial_SetEmissive(kpMaterial* material, const float color[4]) {
    (void)material;
    (void)color;
}
void kpMaterial_GetEmissive(const kpMaterial* material, float color[4]) {
    (void)material;
    (void)color;
}
void kpMaterial_SetShininess(kpMaterial* material, float shininess) {
    (void)material;
    (void)shininess;
}
float kpMaterial_GetShininess(const kpMaterial* material) {
    (void)material;
    return 0;
}
void kpMaterial_SetTransparency(kpMaterial* material, float transparency) {
    (void)material;
    (void)transparency;
}
float kpMaterial_GetTransparency(const kpMaterial* material) {
    (void)material;
    return 0;
}
void kpMaterial_SetDiffuseTexture(kpMaterial* material, const char* fileName) {
    (void)material;
    (void)fileName;
}
void kpMaterial_GetDiffuseTexture(const kpMaterial* material, char* buffer, int length) {
    (void)material;
    (void)buffer;
    (void)length;
}
void kpMaterial_SetAlphaTexture(kpMaterial* material, const char* fileName) {
    (void)material;
    (void)fileName;
}
void kpMaterial_GetAlphaTexture(const kpMaterial* material, char* buffer, int length) {
    (void)material;
    (void)buffer;
    (void)length;
}
void kpBone_Destroy(kpBone* bone) {
    (void)bone;
}
void kpBone_SetFlags(kpBone* bone, int flags) {
    (void)bone;
    (void)flags;
}
int kpBone_GetFlags(const kpBone* bone) {
    (void)bone;
    return 0;
}
void kpBone_SetName(kpBone* bone, const char* name) {
    (void)bone;
    (void)name;
}
void kpBone_GetName(const kpBone* bone, char* buffer, int length) {
    (void)bone;
    (void)buffer;
    (void)length;
}
void kpBone_SetParentName(kpBone* bone, const char* name) {
    (void)bone;
    (void)name;
}
void kpBone_GetParentName(const kpBone* bone, char* buffer, int length) {
    (void)bone;
    (void)buffer;
    (void)length;
}
void kpBone_SetPosition(kpBone* bone, const float position[3]) {
    (void)bone;
    (void)position;
}
void kpBone_GetPosition(const kpBone* bone, float position[3]) {
    (void)bone;
    (void)position;
}
void kpBone_SetRotation(kpBone* bone, const float rotation[3]) {
    (void)bone;
    (void)rotation;
}
void kpBone_GetRotation(const kpBone* bone, float rotation[3]) {
    (void)bone;
    (void)rotation;
}
int kpBone_GetPositionKeyCount(const kpBone* bone) {
    (void)bone;
    return 0;
}
int kpBone_AddPositionKey(kpBone* bone, float time, const float position[3]) {
    (void)bone;
    (void)time;
    (void)position;
    return 0;
}
kpPositionKey* kpBone_GetPositionKeyAt(kpBone* bone, int index) {
    (void)bone;
    (void)index;
    return 0;
}
int kpBone_GetRotationKeyCount(const kpBone* bone) {
    (void)bone;
    return 0;
}
int kpBone_AddRotationKey(kpBone* bone, float time, const float angles[3]) {
    (void)bone;
    (void)time;
    (void)angles;
    return 0;
}
kpRotationKey* kpBone_GetRotationKeyAt(kpBone* bone, int index) {
    (void)bone;
    (void)index;
    return 0;
}
