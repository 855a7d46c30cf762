// The game's model objects, defined here where the class is complete. Player
// first, so that they are constructed in that order and destroyed in the
// reverse.
#include "model/model.h"
#include "state/state.h"

cModel ludz;
cModel bridge[kBridgeSlots];
