/* A mesh and its vertex, normal and triangle lists (16-bit counts). */
#include <stdlib.h>
#include <string.h>

#include "kp_local.h"

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
