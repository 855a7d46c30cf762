// Helpers shared by bone set-up, animation and drawing.
#ifndef VELLIN_MODEL_SKELETON_H
#define VELLIN_MODEL_SKELETON_H

#include "model/model.h"

// Number of bones that have matrices: 0 while the model or xforms is missing.
// A vertex bone index outside [0, bone_count) follows no bone.
int bone_count(const cModel& m);

#endif
