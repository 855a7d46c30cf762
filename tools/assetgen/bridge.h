// The bridge piece read eight times by the game.
#ifndef ASSETGEN_BRIDGE_H
#define ASSETGEN_BRIDGE_H

#include "model_data.h"

namespace assetgen {

constexpr double kDeckTop = 40;  // top edge of the bridge's map cell

Model make_bridge();

}  // namespace assetgen

#endif
