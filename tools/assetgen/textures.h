// The game's images, painted procedurally.
#ifndef ASSETGEN_TEXTURES_H
#define ASSETGEN_TEXTURES_H

#include "image.h"

namespace assetgen {

Image make_white();         // 8x8 plain white, bound for untextured geometry
Image make_trooper_skin();  // 256x256 atlas laid out in atlas.h
Image make_bridge_wood();   // 128x128: planks, rope, posts

}  // namespace assetgen

#endif
