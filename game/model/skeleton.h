// Helpers shared by bone set-up, animation and drawing.
#ifndef VELLIN_MODEL_SKELETON_H
#define VELLIN_MODEL_SKELETON_H

#include "model/model.h"

// Index of bone `index`'s parent, or -1 for a root. A parent that is the bone
// itself or comes later in the list has no pose yet when the bone needs it,
// so such a bone is treated as a root.
int bone_parent(kpModel* model, int index);

// Number of bones that have matrices: 0 while the model or xforms is missing.
// A vertex bone index outside [0, bone_count) follows no bone.
int bone_count(const cModel& m);

#endif
