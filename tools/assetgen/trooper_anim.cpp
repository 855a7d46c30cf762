// The soldier's animation. Every key is a whole pose solved from where the
// feet and hands must be: feet follow the ground (which slides backwards at
// the walking speed), hands hold the rifle, and the arms and legs reach for
// them with a two-bone solver.
#include <algorithm>
#include <cmath>

#include "model/trooper_frames.h"
#include "trooper.h"

namespace assetgen {
namespace {

using namespace trooper_frames;

// 0.25 world units per step at scale 0.125: the ground passes under a
// planted foot at 2 model units per frame.
constexpr double kWalkSpeed = 2.0;
// The stride fits one turn of a walking cycle, the same length for all four.
constexpr int kCyclePeriod = cycle_period(kWalkCycle);
static_assert(cycle_period(kWalkZCycle) == kCyclePeriod &&
                  cycle_period(kWalkUpCycle) == kCyclePeriod &&
                  cycle_period(kWalkDownCycle) == kCyclePeriod,
              "one stride for every walking cycle");
constexpr double kStride = kWalkSpeed * kCyclePeriod;

double smooth(double t) {
    t = std::clamp(t, 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

struct Foot {
    Vec3 ankle;
    double pitch = 0;  // turn about z; positive lifts the heel
};

enum class Grip { kLowReady, kAim, kTuck };

struct Body {
    Vec3 pelvis;  // pelvis origin in model space
    double pelvisPitch = 0, pelvisYaw = 0;
    double spinePitch = 0, chestPitch = 0, chestYaw = 0, neckPitch = 0, headPitch = 0;
    Foot feet[2];  // right, left
    Vec3 kneePole[2] = {{-1, 0, 0}, {-1, 0, 0}};
    Grip grip = Grip::kLowReady;
    double aimPitch = 0;  // rifle elevation when aiming, radians up
    double spin = 0;      // somersault turn of the whole body about `pivot`
    Vec3 pivot;
};

struct Gait {
    double pelvisY, bob, lean, spineLean, chestLean, neckPitch, headPitch;
    double duty = 0.56;  // share of the cycle a foot is planted
    double shift = 6;    // stance centre behind the hip
    double lift = 18;    // swing foot clearance
    double yaw = 0.10;   // hip swing
    Grip grip = Grip::kLowReady;
    double aimPitch = 0;
    double ground = kGround;
};

// Ankle and pitch of a planted foot. The sole rolls heel to toe: while the
// toes are up the heel point stays on the ground, while the heel is up the
// toe point does, so the contact never slides against the ground.
Foot planted(double footprint, double pitch, double ground, double z) {
    Foot f;
    f.pitch = pitch;
    if (pitch < 0) {
        Vec3 heel{footprint + kHeelBack, ground, z};
        f.ankle = heel + rotZ(pitch) * Vec3{-kHeelBack, kAnkleHeight, 0};
    } else if (pitch > 0) {
        Vec3 toe{footprint - kToeFront, ground, z};
        f.ankle = toe + rotZ(pitch) * Vec3{kToeFront, kAnkleHeight, 0};
    } else {
        f.ankle = {footprint, ground + kAnkleHeight, z};
    }
    return f;
}

Foot gait_foot(const Gait& g, double psi, double z) {
    const double heelPitch = -0.3, toePitch = 0.55;
    const double firstFootprint = -kStride * g.duty / 2 + g.shift;
    auto stance = [&](double p) {
        double pitch = 0;
        if (p < 0.08)
            pitch = heelPitch * (1 - smooth(p / 0.08));
        else if (p > g.duty - 0.2)
            pitch = toePitch * smooth((p - (g.duty - 0.2)) / 0.2);
        return planted(firstFootprint + kStride * p, pitch, g.ground, z);
    };
    if (psi < g.duty)
        return stance(psi);
    double s = (psi - g.duty) / (1 - g.duty);
    Foot from = stance(g.duty), to = stance(0);
    double e = 0.5 - 0.5 * std::cos(kPi * s);
    Foot f;
    f.ankle = lerp(from.ankle, to.ankle, e);
    f.ankle.y += g.lift * std::sin(kPi * std::pow(s, 0.8));
    f.pitch = from.pitch + (to.pitch - from.pitch) * e;
    return f;
}

Body walk_body(const Gait& g, double phase) {
    Body b;
    b.pelvis = {0, g.pelvisY - g.bob * std::cos(4 * kPi * (phase - 0.04)), 0};
    b.pelvisPitch = g.lean;
    b.pelvisYaw = -g.yaw * std::cos(2 * kPi * phase);
    b.chestYaw = -b.pelvisYaw;
    b.spinePitch = g.spineLean;
    b.chestPitch = g.chestLean;
    b.neckPitch = g.neckPitch;
    b.headPitch = g.headPitch;
    b.feet[0] = gait_foot(g, std::fmod(phase + 0.5, 1.0), -12);
    b.feet[1] = gait_foot(g, phase, 12);
    b.grip = g.grip;
    b.aimPitch = g.aimPitch;
    return b;
}

Gait normal_gait() {
    return Gait{-13, 3, 0.06, 0.03, 0.0, 0.0, 0.0};
}

Gait aim_gait() {
    Gait g{-13, 3, 0.06, 0.04, 0.02, 0.05, 0.12};
    g.grip = Grip::kAim;
    return g;
}

Gait up_gait() {
    Gait g{-13, 3, 0.02, -0.06, -0.08, -0.2, -0.3};
    g.grip = Grip::kAim;
    g.aimPitch = 1.0;
    return g;
}

Gait crouch_gait() {
    Gait g{-40, 2, 0.35, 0.12, 0.05, -0.2, -0.25};
    g.grip = Grip::kAim;
    g.lift = 16;
    return g;
}

Body stand_body(bool lookUp) {
    Body b;
    b.pelvis = {0, -4, 0};
    b.pelvisPitch = 0.02;
    b.feet[0] = planted(9, 0, kGround, -13);
    b.feet[1] = planted(-7, 0, kGround, 13);
    if (lookUp) {
        b.spinePitch = -0.06;
        b.chestPitch = -0.08;
        b.neckPitch = -0.2;
        b.headPitch = -0.3;
        b.grip = Grip::kAim;
        b.aimPitch = 1.0;
    }
    return b;
}

// Kneeling on the right knee, aiming; the game lowers the figure by 80
// model units, so the ground is at y = -40 here.
Body crouch_body() {
    Body b;
    b.pelvis = {12, 33, 0};
    b.pelvisPitch = 0.08;
    b.spinePitch = 0.06;
    b.chestPitch = 0.02;
    b.neckPitch = 0.0;
    b.headPitch = 0.08;
    b.feet[0].ankle = {59, kCrouchGround + 28, -13};
    b.feet[0].pitch = 1.0;
    b.kneePole[0] = {-0.6, -0.8, 0};
    b.feet[1] = planted(-36, 0, kCrouchGround, 13);
    b.kneePole[1] = {-1, 0.3, 0};
    b.grip = Grip::kAim;
    return b;
}

// Tucked somersault; one full turn per jump loop (50 steps at the jump's two
// frames per step).
Body jump_body(double phase) {
    Body b;
    b.pelvis = {0, 0, 0};
    b.pelvisPitch = 0.35;
    b.spinePitch = 0.25;
    b.chestPitch = 0.1;
    b.neckPitch = -0.2;
    b.headPitch = -0.2;
    b.feet[0] = {{12, -54, -12}, 0.6};
    b.feet[1] = {{4, -50, 12}, 0.5};
    b.kneePole[0] = {-1, 0.6, 0};
    b.kneePole[1] = {-1, 0.6, 0};
    b.grip = Grip::kTuck;
    b.spin = 2 * kPi * phase;
    b.pivot = {-8, 4, 0};
    return b;
}

class Poser {
  public:
    explicit Poser(const Skeleton& s) : s_(s) {}

    Pose pose(const Body& b) {
        Pose p = s_.rest_pose();
        p.offset[kPelvis] = b.pelvis - s_.bone(kPelvis).bind;
        p.rot[kPelvis] = rotY(b.pelvisYaw) * rotZ(b.pelvisPitch);
        p.rot[kSpine] = rotZ(b.spinePitch);
        p.rot[kChest] = rotY(b.chestYaw) * rotZ(b.chestPitch);
        p.rot[kNeck] = rotZ(b.neckPitch);
        p.rot[kHead] = rotZ(b.headPitch);
        WorldPose w = s_.solve(p);

        const int thighs[2] = {kRThigh, kLThigh};
        for (int side = 0; side < 2; ++side) {
            int thigh = thighs[side];
            Mat3 upper, lower;
            miss_ = std::max(miss_, solve_two_bone(w.pos[thigh], b.feet[side].ankle, kThigh, kShin,
                                                   b.kneePole[side], 1, upper, lower));
            p.rot[thigh] = w.rot[kPelvis].transposed() * upper;
            p.rot[thigh + 1] = upper.transposed() * lower;
            p.rot[thigh + 2] = lower.transposed() * rotZ(b.feet[side].pitch);
        }

        // The rifle: where it sits, then both hands on it.
        const Mat3& chest = w.rot[kChest];
        Vec3 chestPos = w.pos[kChest];
        Mat3 rifleRot;
        Vec3 rifleAt;
        if (b.grip == Grip::kAim) {
            rifleRot = rotZ(-b.aimPitch);
            // Raised, the stock slides forward and out so it clears the helmet.
            double up = std::sin(b.aimPitch);
            Vec3 butt = chestPos + chest * Vec3{-4 - 12 * up, 34 - 8 * up, -14 - 6 * up};
            rifleAt = butt - rifleRot * Vec3{42, 6.5, 0};
        } else if (b.grip == Grip::kTuck) {
            rifleRot = chest * rotZ(0.15);
            rifleAt = chestPos + chest * Vec3{-26, 2, -8};
        } else {
            rifleRot = chest * rotZ(0.5);
            rifleAt = chestPos + chest * Vec3{-20, -12, -9};
        }
        Vec3 rightWrist = rifleAt + rifleRot * Vec3{0, kGripDrop, 0};
        Mat3 rightHand = rifleRot;
        // Aiming high the support hand slides back along the handguard.
        double raised = b.grip == Grip::kAim ? std::sin(b.aimPitch) : 0;
        Vec3 leftWrist = rifleAt + rifleRot * Vec3{-24 + 9 * raised, 3, 4};
        Mat3 leftHand = rifleRot * rotZ(-kPi / 2);
        arm(p, w, kRUpperArm, rightWrist, rightHand, {1, -0.6, -0.7});
        arm(p, w, kLUpperArm, leftWrist, leftHand, {0.3, -1, 0.6});

        if (b.spin != 0) {
            // Turn the whole figure rigidly about the pivot.
            Mat3 turn = rotZ(b.spin);
            p.rot[kPelvis] = turn * p.rot[kPelvis];
            p.offset[kPelvis] = b.pivot + turn * (b.pelvis - b.pivot) - s_.bone(kPelvis).bind;
        }
        return p;
    }

    double miss() const { return miss_; }

  private:
    void arm(Pose& p, const WorldPose& w, int upperBone, const Vec3& wrist, const Mat3& hand,
             const Vec3& pole) {
        Mat3 upper, lower;
        miss_ = std::max(miss_, solve_two_bone(w.pos[upperBone], wrist, kUpperArm, kForearm, pole,
                                               -1, upper, lower));
        p.rot[upperBone] = w.rot[kChest].transposed() * upper;
        p.rot[upperBone + 1] = upper.transposed() * lower;
        p.rot[upperBone + 2] = lower.transposed() * hand;
    }

    const Skeleton& s_;
    double miss_ = 0;
};

// Keys for one walk loop whose shown frames are first .. first + period - 1:
// one key before it (so entering it does not blend from the previous range),
// every fourth frame, and its last shown frame.
void walk_keys(Poser& poser, std::vector<Bone>& bones, const Gait& g, int first) {
    std::vector<int> times = {first - 1};
    for (int t = first; t < first + kCyclePeriod - 1; t += 4)
        times.push_back(t);
    times.push_back(first + kCyclePeriod - 1);
    for (int t : times) {
        double phase = std::fmod(static_cast<double>(t - first) / kCyclePeriod + 1.0, 1.0);
        add_keys(bones, poser.pose(walk_body(g, phase)), t);
    }
}

}  // namespace

double animate_trooper(const Skeleton& skel, Model& model) {
    Poser poser(skel);
    std::vector<Bone>& bones = model.bones;
    walk_keys(poser, bones, aim_gait(), first_shown(kWalkZCycle));
    walk_keys(poser, bones, up_gait(), first_shown(kWalkUpCycle));
    walk_keys(poser, bones, crouch_gait(), first_shown(kWalkDownCycle));
    walk_keys(poser, bones, normal_gait(), first_shown(kWalkCycle));
    // Each held pose: a key the frame before it, so a jump to it does not blend
    // from the walk below, and one the frame before the next pose.
    Pose stand = poser.pose(stand_body(false));
    for (int t : {kStandFrame - 1, kStandFrame, kStandUpFrame - 1})
        add_keys(bones, stand, t);
    Pose up = poser.pose(stand_body(true));
    for (int t : {kStandUpFrame, kCrouchFrame - 1})
        add_keys(bones, up, t);
    Pose crouch = poser.pose(crouch_body());
    for (int t : {kCrouchFrame, kJumpFirst - 1})
        add_keys(bones, crouch, t);
    // Jump loop: keys every fourth shown frame and on the last.
    for (int t = kJumpFirst; t <= kJumpHigh; t += (t < kJumpHigh - 2 ? 4 : 2))
        add_keys(bones, poser.pose(jump_body(static_cast<double>(t - kJumpFirst) / kJumpLength)),
                 t);
    return poser.miss();
}

}  // namespace assetgen
