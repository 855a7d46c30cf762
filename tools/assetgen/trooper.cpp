#include "trooper.h"

#include "atlas.h"
#include "mesh_builder.h"
#include "model/trooper_frames.h"

namespace assetgen {
namespace {

// Basis whose lathe axis (local y) points along world -x (forward), with
// local x up: used for boots, barrels and scopes.
Mat3 forward_axis() {
    return Mat3::fromColumns({0, 1, 0}, {-1, 0, 0}, {0, 0, 1});
}

// Ring described by its lower and upper edge (local x) and half-width.
Ring span(double along, double bottom, double top, double halfWidth) {
    return Ring{along, (top - bottom) / 2, halfWidth, (top + bottom) / 2, 0};
}

void add_torso(const Skeleton& s, Mesh& m) {
    Placement origin = place({0, 0, 0});
    add_lathe(m, kPelvis, origin,
              {{-20, 0, 0},
               {-19, 7, 10},
               {-14, 12.5, 17},
               {-4, 14, 19},
               {6, 14, 18.5},
               {12, 13, 17.5},
               {13, 0, 0}},
              12, 0.9, atlas::kPelvis);
    add_lathe(m, kPelvis, origin, {{3, 15.2, 19.6}, {12, 15.2, 19.6}}, 14, 0.9, atlas::kBelt);
    for (double z : {-11.0, 11.0})
        add_rounded_box(m, kPelvis, origin, {-19, 0, z - 4}, {-13, 10, z + 4}, 2, 8, atlas::kPouch);
    add_rounded_box(m, kPelvis, origin, {14, 1, -8}, {20, 11, 8}, 2, 8, atlas::kPouch);

    add_lathe(m, kSpine, origin,
              {{6, 0, 0, -1},
               {6, 12.5, 16.5, -1},
               {20, 14, 17.5, -1},
               {34, 15, 18.5, -1},
               {46, 15, 19, -1},
               {47, 0, 0, -1}},
              12, 0.9, atlas::kAbdomen);

    add_lathe(m, kChest, origin,
              {{38, 0, 0, -1},
               {38, 15, 19, -1},
               {46, 17.5, 21, -2},
               {60, 18.5, 22, -3},
               {72, 17, 21, -2},
               {80, 13, 17, -1},
               {84, 8, 9},
               {85, 0, 0}},
              14, 0.8, atlas::kChest);
    add_rounded_box(m, kChest, origin, {15, 42, -15}, {30, 80, 15}, 4, 10, atlas::kPack);
    add_lathe(m, kChest, place({25, 85, 0}, Mat3::fromColumns({1, 0, 0}, {0, 0, 1}, {0, -1, 0})),
              {{-17, 0, 0}, {-17, 5.5, 5.5}, {17, 5.5, 5.5}, {17, 0, 0}}, 10, 1.0, atlas::kPouch);
    add_rounded_box(m, kChest, origin, {-23, 48, -13}, {-16, 62, -1}, 2, 8, atlas::kPouch);
    add_rounded_box(m, kChest, origin, {-23, 48, 1}, {-16, 62, 13}, 2, 8, atlas::kPouch);

    add_lathe(m, kNeck, origin, {{78, 0, 0}, {78, 7, 7}, {95, 6.5, 6.5}, {95, 0, 0}}, 10, 1.0,
              atlas::kNeck);

    add_ellipsoid(m, kHead, place({-2, 101, 0}), {12, 14, 11}, 12, 8, atlas::kFace);
    std::vector<Ring> helmet;
    helmet.push_back({98.5, 19.5, 17.5, 1});  // flared rim
    for (int i = 0; i <= 6; ++i) {
        double lat = (-12 + 102.0 * i / 6) * kPi / 180;
        if (i == 6)
            lat = kPi / 2;
        double c = i == 6 ? 0 : std::cos(lat);
        helmet.push_back({103 + 17.5 * std::sin(lat), 18.5 * c, 16.5 * c, 1});
    }
    add_lathe(m, kHead, origin, helmet, 16, 1.0, atlas::kHelmet);
    add_ellipsoid(m, kHead, place({-13.5, 101.5, 0}), {5, 4.5, 11.5}, 12, 6, atlas::kVisor);
    for (double z : {-12.0, 12.0})
        add_ellipsoid(m, kHead, place({2, 99, z}), {5, 6, 3}, 8, 5, atlas::kPad);
    (void)s;
}

void add_arm(const Skeleton& s, Mesh& m, int upper, int fore, int hand, double side) {
    Vec3 shoulder = s.bind_world(upper);
    Placement at = place({0, 0, shoulder.z});
    add_ellipsoid(m, upper, place(shoulder + Vec3{0, 3, side * 2}), {11.5, 9, 10}, 12, 6,
                  atlas::kShoulder);
    add_lathe(m, upper, at, {{80, 0, 0}, {79, 7, 7}, {62, 8, 7.5}, {42, 6.8, 6.5}, {35, 0, 0}}, 10,
              1.0, atlas::kSleeve);
    Vec3 elbow = s.bind_world(fore);
    add_ellipsoid(m, fore, place(elbow + Vec3{2, 0, 0}), {6.5, 7, 7}, 10, 6, atlas::kPad);
    add_lathe(m, fore, at, {{38, 0, 0}, {36, 6.5, 6.5}, {18, 6.8, 6.6}, {1, 5.2, 5}, {-1, 0, 0}},
              10, 1.0, atlas::kSleeve);
    Vec3 wrist = s.bind_world(hand);
    add_ellipsoid(m, hand, place(wrist + Vec3{-1, -kGripDrop, 0}), {5, 8, 4.2}, 8, 6,
                  atlas::kGlove);
}

void add_leg(const Skeleton& s, Mesh& m, int thigh, int shin, int foot) {
    Vec3 hip = s.bind_world(thigh);
    Placement at = place(hip);
    add_lathe(m, thigh, at,
              {{4, 0, 0},
               {2, 11, 10.5},
               {-18, 11.5, 10.5},
               {-42, 8.8, 8.2},
               {-55, 7.6, 7.4},
               {-57, 0, 0}},
              12, 1.0, atlas::kTrousers);
    Vec3 knee = s.bind_world(shin);
    add_ellipsoid(m, shin, place(knee + Vec3{-6, -2, 0}), {5.5, 9, 8}, 10, 6, atlas::kPad);
    at = place(knee);
    add_lathe(m, shin, at, {{2, 0, 0}, {0, 8, 8}, {-18, 8, 7.8}, {-30, 6.8, 6.6}, {-32, 0, 0}}, 12,
              1.0, atlas::kTrousers);
    add_lathe(m, shin, at, {{-27, 0, 0}, {-27, 8, 8}, {-48, 7.4, 7.4}, {-51, 0, 0}}, 12, 1.0,
              atlas::kBoot);
    Vec3 ankle = s.bind_world(foot);
    add_lathe(m, foot, place(ankle + Vec3{kHeelBack, 0, 0}, forward_axis()),
              {span(0, -6, 3, 0), span(0, -kAnkleHeight, 4, 5.5), span(3, -kAnkleHeight, 6, 6.5),
               span(14, -kAnkleHeight, 7, 7), span(24, -kAnkleHeight, 3, 7),
               span(33, -kAnkleHeight, -1, 6.5), span(kHeelBack + kToeFront, -7, -3, 5),
               span(kHeelBack + kToeFront, -5, -5, 0)},
              12, 0.6, atlas::kBoot);
}

void add_rifle(const Skeleton& s, Mesh& m) {
    Vec3 o = s.bind_world(kRifle);  // the grip, under the receiver
    Placement at = place(o);
    add_rounded_box(m, kRifle, at, {-22, 3, -3}, {10, 14, 3}, 2, 8, atlas::kGunMetal);
    add_rounded_box(m, kRifle, at, {-46, 4.5, -3.6}, {-22, 13, 3.6}, 2, 8, atlas::kGunMetal);
    add_lathe(
        m, kRifle, place(o + Vec3{-46, 9, 0}, forward_axis()),
        {{0, 0, 0}, {0, 1.9, 1.9}, {22, 1.7, 1.7}, {22, 2.6, 2.6}, {28, 2.6, 2.6}, {28, 0, 0}}, 8,
        1.0, atlas::kGunMetal);
    add_lathe(m, kRifle, place(o + Vec3{2, 18, 0}, forward_axis()),
              {{0, 0, 0}, {0, 3.2, 3.2}, {3, 2.6, 2.6}, {13, 2.6, 2.6}, {16, 3.4, 3.4}, {16, 0, 0}},
              8, 1.0, atlas::kGunMetal);
    add_rounded_box(m, kRifle, at, {-7, 13, -1.5}, {-3, 16, 1.5}, 1, 6, atlas::kGunMetal);
    add_rounded_box(m, kRifle, at, {10, 1, -2.6}, {42, 12, 2.6}, 2.5, 8, atlas::kGunStock);
    add_rounded_box(m, kRifle, at, {-15, -13, -2.4}, {-7, 4, 2.4}, 1.5, 8, atlas::kGunStock);
    add_rounded_box(m, kRifle, at, {-2, -9, -2.4}, {5, 4, 2.4}, 1.5, 8, atlas::kGunStock);
}

}  // namespace

Skeleton trooper_skeleton() {
    Skeleton s;
    s.add("pelvis", "", {0, 0, 0});
    s.add("spine", "pelvis", {0, 12, 0});
    s.add("chest", "spine", {0, 28, 0});
    s.add("neck", "chest", {0, 40, 0});
    s.add("head", "neck", {0, 10, 0});
    s.add("r_upperarm", "chest", {0, 36, -24});
    s.add("r_forearm", "r_upperarm", {0, -kUpperArm, 0});
    s.add("r_hand", "r_forearm", {0, -kForearm, 0});
    s.add("l_upperarm", "chest", {0, 36, 24});
    s.add("l_forearm", "l_upperarm", {0, -kUpperArm, 0});
    s.add("l_hand", "l_forearm", {0, -kForearm, 0});
    s.add("r_thigh", "pelvis", {0, -8, -13});
    s.add("r_shin", "r_thigh", {0, -kThigh, 0});
    s.add("r_foot", "r_shin", {0, -kShin, 0});
    s.add("l_thigh", "pelvis", {0, -8, 13});
    s.add("l_shin", "l_thigh", {0, -kThigh, 0});
    s.add("l_foot", "l_shin", {0, -kShin, 0});
    s.add("rifle", "r_hand", {0, -kGripDrop, 0});
    return s;
}

void build_trooper_mesh(const Skeleton& s, Model& model) {
    Mesh body;
    body.name = "body";
    add_torso(s, body);
    add_arm(s, body, kRUpperArm, kRForearm, kRHand, -1);
    add_arm(s, body, kLUpperArm, kLForearm, kLHand, 1);
    add_leg(s, body, kRThigh, kRShin, kRFoot);
    add_leg(s, body, kLThigh, kLShin, kLFoot);
    Mesh rifle;
    rifle.name = "rifle";
    add_rifle(s, rifle);
    model.meshes.push_back(body);
    model.meshes.push_back(rifle);
}

Model make_trooper() {
    Skeleton skel = trooper_skeleton();
    Model model;
    model.frames = 610;
    model.startFrame = trooper_frames::kStandFrame;
    build_trooper_mesh(skel, model);
    Material mat;
    mat.name = "trooper";
    mat.texture = "trooper.png";
    model.materials.push_back(mat);
    for (int i = 0; i < skel.size(); ++i) {
        const BoneDef& b = skel.bone(i);
        Bone bone;
        bone.name = b.name;
        bone.parent = b.parent < 0 ? "" : skel.bone(b.parent).name;
        bone.position = b.bind;
        model.bones.push_back(bone);
    }
    animate_trooper(skel, model);
    return model;
}

}  // namespace assetgen
