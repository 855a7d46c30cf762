/* A bone: names, bind pose and its position and rotation key lists. */
#include <stdlib.h>
#include <string.h>

#include "kp_local.h"

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
