// Where each part of the soldier and the bridge sits in its texture. The
// painter and the mesh builders both read these, so they cannot drift apart.
#ifndef ASSETGEN_ATLAS_H
#define ASSETGEN_ATLAS_H

#include "mesh_builder.h"

namespace assetgen {
namespace atlas {

// trooper.png, 256 x 256.
constexpr UvRect kChest{0, 0, 128, 64};
constexpr UvRect kBelt{128, 0, 256, 32};
constexpr UvRect kHelmet{128, 32, 192, 64};
constexpr UvRect kVisor{192, 32, 224, 48};
constexpr UvRect kNeck{192, 48, 224, 64};
constexpr UvRect kFace{224, 32, 256, 64};
constexpr UvRect kSleeve{0, 64, 64, 128};
constexpr UvRect kGlove{64, 64, 96, 96};
constexpr UvRect kShoulder{96, 64, 128, 96};
constexpr UvRect kPad{64, 96, 128, 128};
constexpr UvRect kTrousers{128, 64, 192, 128};
constexpr UvRect kBoot{192, 64, 256, 128};
constexpr UvRect kPack{0, 128, 64, 192};
constexpr UvRect kPouch{64, 128, 128, 160};
constexpr UvRect kAbdomen{64, 160, 128, 192};
constexpr UvRect kGunMetal{128, 128, 256, 160};
constexpr UvRect kGunStock{128, 160, 192, 192};
constexpr UvRect kSole{192, 160, 224, 192};
constexpr UvRect kPelvis{0, 192, 128, 224};

// bridge_wood.png, 128 x 128.
constexpr UvRect kPlank{0, 0, 128, 64, 128};
constexpr UvRect kRope{0, 64, 64, 128, 128};
constexpr UvRect kPost{64, 64, 128, 128, 128};

}  // namespace atlas
}  // namespace assetgen

#endif
