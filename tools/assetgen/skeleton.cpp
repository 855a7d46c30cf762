#include "skeleton.h"

#include <algorithm>
#include <cmath>

namespace assetgen {

int Skeleton::add(const std::string& name, const std::string& parent, const Vec3& bind) {
    bones_.push_back({name, parent.empty() ? -1 : find(parent), bind});
    return size() - 1;
}

int Skeleton::find(const std::string& name) const {
    for (int i = 0; i < size(); ++i)
        if (bones_[i].name == name)
            return i;
    return -1;
}

Vec3 Skeleton::bind_world(int i) const {
    Vec3 p;
    for (; i >= 0; i = bones_[i].parent)
        p += bones_[i].bind;
    return p;
}

Pose Skeleton::rest_pose() const {
    Pose p;
    p.rot.assign(bones_.size(), Mat3());
    p.offset.assign(bones_.size(), Vec3());
    return p;
}

WorldPose Skeleton::solve(const Pose& pose) const {
    WorldPose w;
    w.rot.resize(bones_.size());
    w.pos.resize(bones_.size());
    for (int i = 0; i < size(); ++i) {
        const BoneDef& b = bones_[i];
        Vec3 local = b.bind + pose.offset[i];
        if (b.parent < 0) {
            w.rot[i] = pose.rot[i];
            w.pos[i] = local;
        } else {
            w.rot[i] = w.rot[b.parent] * pose.rot[i];
            w.pos[i] = w.pos[b.parent] + w.rot[b.parent] * local;
        }
    }
    return w;
}

void Skeleton::set_world_rotation(Pose& pose, const WorldPose& wp, int bone,
                                  const Mat3& world) const {
    int parent = bones_[bone].parent;
    pose.rot[bone] = parent < 0 ? world : wp.rot[parent].transposed() * world;
}

double solve_two_bone(const Vec3& root, const Vec3& target, double upper, double lower,
                      const Vec3& pole, int bendSign, Mat3& upperWorld, Mat3& lowerWorld) {
    Vec3 d = target - root;
    double dist = length(d);
    const double minReach = std::fabs(upper - lower) + 1e-3;
    const double maxReach = upper + lower - 1e-3;
    double reach = std::clamp(dist, minReach, maxReach);
    double miss = std::fabs(dist - reach);
    Vec3 u = dist > 1e-9 ? d * (1.0 / dist) : Vec3{0, -1, 0};
    Vec3 side = normalized(pole - u * dot(pole, u));
    double cosA = (upper * upper + reach * reach - lower * lower) / (2 * upper * reach);
    double alpha = std::acos(std::clamp(cosA, -1.0, 1.0));
    Vec3 elbow = root + u * (upper * std::cos(alpha)) + side * (upper * std::sin(alpha));
    Vec3 end = root + u * reach;
    Vec3 d1 = normalized(elbow - root);
    Vec3 d2 = normalized(end - elbow);
    Vec3 n = cross(u, side);
    Vec3 fold = normalized(cross(d1, n));  // the side the lower bone turns to
    Vec3 y = -d1;
    Vec3 x = fold * static_cast<double>(bendSign);
    Vec3 z = cross(x, y);
    upperWorld = Mat3::fromColumns(x, y, z);
    double bend = std::acos(std::clamp(dot(d1, d2), -1.0, 1.0));
    lowerWorld = upperWorld * rotZ(bendSign * bend);
    return miss;
}

void add_keys(std::vector<Bone>& bones, const Pose& pose, double time) {
    for (size_t i = 0; i < bones.size(); ++i) {
        bones[i].positionKeys.push_back({time, pose.offset[i]});
        bones[i].rotationKeys.push_back({time, toEuler(pose.rot[i])});
    }
}

}  // namespace assetgen
