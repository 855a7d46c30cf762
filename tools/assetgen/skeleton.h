// Bone hierarchy with unrotated bind frames, forward kinematics matching the
// game's posing, and the two-bone reach solver used for arms and legs.
#ifndef ASSETGEN_SKELETON_H
#define ASSETGEN_SKELETON_H

#include <string>
#include <vector>

#include "model_data.h"

namespace assetgen {

struct BoneDef {
    std::string name;
    int parent;  // -1 for the root; always below the bone's own index
    Vec3 bind;   // offset from the parent's origin, in the parent's axes
};

// Local animation state of every bone: a turn about the bone's bind axes and
// an offset from its bind position (what the game's keys hold).
struct Pose {
    std::vector<Mat3> rot;
    std::vector<Vec3> offset;
};

struct WorldPose {
    std::vector<Mat3> rot;
    std::vector<Vec3> pos;
};

class Skeleton {
  public:
    int add(const std::string& name, const std::string& parent, const Vec3& bind);
    int find(const std::string& name) const;
    int size() const { return static_cast<int>(bones_.size()); }
    const BoneDef& bone(int i) const { return bones_[i]; }
    Vec3 bind_world(int i) const;  // bone origin in the bind pose

    Pose rest_pose() const;
    WorldPose solve(const Pose& pose) const;
    // Sets `bone`'s local rotation so that its world rotation becomes `world`.
    void set_world_rotation(Pose& pose, const WorldPose& wp, int bone, const Mat3& world) const;

  private:
    std::vector<BoneDef> bones_;
};

// Two-bone chain from `root` reaching for `target`. `pole` says which way the
// middle joint points; `bendSign` is +1 when the lower bone folds towards the
// upper bone's local +x (knees), -1 towards -x (elbows). Bind frames hang
// the chain straight down (-y). Returns how far the target stayed out of reach.
double solve_two_bone(const Vec3& root, const Vec3& target, double upper, double lower,
                      const Vec3& pole, int bendSign, Mat3& upperWorld, Mat3& lowerWorld);

// Adds one key per bone at `time` from a pose.
void add_keys(std::vector<Bone>& bones, const Pose& pose, double time);

}  // namespace assetgen

#endif
