/* Builds a small model through the header compiled as C. */
#include <string.h>

#include <kelpmodel.h>

#include "c_usage.h"

int kp_c_usage_checks(void) {
    kpModel model;
    memset(&model, 0, sizeof model);
    int failures = 0;
    kpMesh* mesh = kpModel_GetMeshAt(&model, kpModel_AddMesh(&model));
    kpMesh_SetName(mesh, "hull");
    kpVertex* vertex = kpMesh_GetVertexAt(mesh, kpMesh_AddVertex(mesh));
    const float position[3] = {1.0f, 2.0f, 3.0f};
    kpVertex_SetVertex(vertex, position);
    failures += kpVertex_SetBoneIndex(vertex, 200) != -1;
    failures += kpVertex_GetBoneIndex(vertex) != -56;
    failures += kpModel_FindMeshByName(&model, "hull") != 0;
    failures += sizeof(kpVertex) != 22 || sizeof(kpMaterial) != 624;
    kpModel_Destroy(&model);
    failures += model.meshes != NULL || model.meshCount != 0;
    return failures;
}
