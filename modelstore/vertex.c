/* A vertex: position, texture coordinates and the bone it follows. */
#include <string.h>

#include "kp_local.h"

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
