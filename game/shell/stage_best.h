// Each stage's best time, as the Stages screen lists it.
#ifndef VELLIN_STAGE_BEST_H
#define VELLIN_STAGE_BEST_H

#include <cstddef>

#include "level/level.h"

// The best time of a valid stage ("1:04.416") into `out`: what replaying its
// best run from the records folder gives on the stage's own layer. The stage
// in play is generated again afterwards when it is another one, so this is
// for when a list opens, never per frame. False when there is no best run
// or it does not finish; a damaged one is set aside, as time trial does.
bool stage_best_time(const StageEntry& stage, char* out, std::size_t size);

#endif
