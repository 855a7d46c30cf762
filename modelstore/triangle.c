/* A triangle: corner indices, smoothing group and flags. The face normal has
 * no accessor; callers write it through the triangle pointer. */
#include <string.h>

#include "kp_local.h"

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
