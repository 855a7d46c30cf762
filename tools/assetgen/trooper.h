// The player's soldier: skeleton, mesh and animation.
#ifndef ASSETGEN_TROOPER_H
#define ASSETGEN_TROOPER_H

#include "model_data.h"
#include "skeleton.h"

namespace assetgen {

// Bone order in the file; parents come first.
enum TrooperBone {
    kPelvis,
    kSpine,
    kChest,
    kNeck,
    kHead,
    kRUpperArm,
    kRForearm,
    kRHand,
    kLUpperArm,
    kLForearm,
    kLHand,
    kRThigh,
    kRShin,
    kRFoot,
    kLThigh,
    kLShin,
    kLFoot,
    kRifle,
    kTrooperBoneCount
};

// Body measures shared by the mesh and the animation (model units).
constexpr double kThigh = 54, kShin = 50, kAnkleHeight = 8;
constexpr double kUpperArm = 40, kForearm = 38, kGripDrop = 7;
constexpr double kHeelBack = 10, kToeFront = 28;  // sole ends from the ankle
constexpr double kGround = -120;                  // feet of the upright figure
constexpr double kCrouchGround = -40;             // the game lowers a crouch by 80

Skeleton trooper_skeleton();
void build_trooper_mesh(const Skeleton& skel, Model& model);
// Fills every bone's keys for frames 1 to 600 and returns the largest
// distance by which a foot or hand missed its target.
double animate_trooper(const Skeleton& skel, Model& model);
Model make_trooper();

}  // namespace assetgen

#endif
