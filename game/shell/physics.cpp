// One fixed step of 1/120 s for the player and the camera. Every speed here is
// in world units per step; frames are the player model's animation frames.
#include "shell/physics.h"
#include "shell/window.h"

#include <allegro.h>

#include <cmath>
#include <cstdint>

#include "demo/demo.h"
#include "level/level.h"
#include "model/model.h"
#include "model/trooper_frames.h"
#include "shell/audio.h"
#include "shell/shell.h"

namespace {

using namespace trooper_frames;

constexpr float kWalkSpeed = 0.25f;         // walking and air drift, units per step
constexpr float kTakeOffSpeed = -1.2f;      // upward, so negative fallspeed
constexpr float kGravity = 0.02f;           // units per step per step
constexpr float kFallLimit = 1.2f;          // fastest fall, units per step
constexpr float kCrouchDrop = kCellHeight;  // crouch and drop-through offset, one map row
constexpr double kFreeCameraSpeed = 1.6;    // units per step
constexpr float kFacingLeft = 0.0f;         // rot[1], radians
constexpr float kFacingRight = 3.1415927f;

constexpr float kStartZ = 5.0f;  // just in front of the cliff face
constexpr float kStartFallSpeed = 0.1f;

constexpr float kFollowHeight = 80.0f;
constexpr float kFollowDistance = -100.0f;
constexpr float kFollowRoll = 1.0f;  // degrees
constexpr int kPitchOffset = 90;     // pitch = mouse_y - 90, degrees

// Degrees through Allegro's sine table (256 angle units per turn). The angle is
// reduced to one turn first: ftofix saturates past 32767 units (about 128 turns
// of accumulated yaw) and writes allegro_errno.
double table_angle(float degrees) {
    return std::fmod(static_cast<double>(degrees), 360.0) / 360.0 * 256.0;
}
double fsin(float degrees) {
    return fixtof(fixsin(ftofix(table_angle(degrees))));
}
double fcos(float degrees) {
    return fixtof(fixcos(ftofix(table_angle(degrees))));
}

std::uint16_t step_keys;  // the keys of the step being run

bool held(StepKey k) {
    return (step_keys & k) != 0;
}

void set_frame(float n) {
    ludz.AdvanceFrame(n - ludz.frame);
}
// Avoids re-posing the skeleton when the frame is already right.
void hold_frame(float n) {
    if (ludz.frame != n) {
        set_frame(n);
    }
}
void enter_cycle(const Cycle& c) {
    if (ludz.frame > c.high || ludz.frame < c.low) {
        set_frame(c.restart);
    }
}

void free_camera(const StepInput& in) {
    mx = in.mickey_x;
    camang[0] = static_cast<float>(in.mouse_y - kPitchOffset);
    camang[1] += static_cast<float>(mx);
    const float pitch = camang[0];
    const float yaw = camang[1];
    if (held(kStepBack)) {
        campos[2] += fsin(yaw - 90) * fsin(pitch + 90) * kFreeCameraSpeed;
        campos[0] += fcos(yaw - 90) * fsin(pitch + 90) * kFreeCameraSpeed;
        campos[1] -= fcos(pitch - 90) * kFreeCameraSpeed;
    }
    if (held(kStepForward)) {
        campos[2] -= fsin(yaw - 90) * fsin(pitch + 90) * kFreeCameraSpeed;
        campos[0] -= fcos(yaw - 90) * fsin(pitch + 90) * kFreeCameraSpeed;
        campos[1] += fcos(pitch - 90) * kFreeCameraSpeed;
    }
    if (held(kStepStrafeRight)) {
        campos[2] -= fsin(yaw) * kFreeCameraSpeed;
        campos[0] -= fcos(yaw) * kFreeCameraSpeed;
    }
    if (held(kStepStrafeLeft)) {
        campos[2] += fsin(yaw) * kFreeCameraSpeed;
        campos[0] += fcos(yaw) * kFreeCameraSpeed;
    }
}

// Walking on the ground; in the air or crouched, steering a drift that only
// landing stops (left wins over right).
void move_horizontally() {
    const bool free = fall == 0 && down == 0 && jump == 0;
    if (free) {
        if (held(kStepLeft)) {
            ludz.pos[0] -= kWalkSpeed;
            ludz.rot[1] = kFacingLeft;
            direction = -1;
        }
        if (held(kStepRight)) {
            ludz.pos[0] += kWalkSpeed;
            ludz.rot[1] = kFacingRight;
            direction = 1;
        }
        if (!held(kStepLeft) && !held(kStepRight)) {
            direction = 0;
        }
        return;
    }
    if (held(kStepRight)) {
        direction = 1;
        ludz.rot[1] = kFacingRight;
    }
    if (held(kStepLeft)) {
        direction = -1;
        ludz.rot[1] = kFacingLeft;
    }
    ludz.pos[0] += static_cast<float>(direction) * kWalkSpeed;
}

void start_jump() {
    if (jump == 0 && held(kStepJump) && fall == 0 && down == 0 && !held(kStepDown)) {
        ludz.fallspeed = kTakeOffSpeed;
        jump = 2;
        set_frame(kJumpFirst);
    }
}

// While rising the jump goes on through any support the probe reports.
void step_jump() {
    ludz.fallspeed += kGravity;
    if (ludz.Grounded()) {
        hold_frame(kStandFrame);
        if (ludz.fallspeed > 0.0f) {
            ludz.fallspeed = 0.0f;
            jump = 0;
        }
    }
    ludz.AdvanceFrame(kJumpFrameStep);
    if (ludz.frame > kJumpHigh) {
        ludz.AdvanceFrame(-kJumpLength);
    }
    if (ludz.frame < kJumpLow) {
        set_frame(kJumpFirst);
    }
    if (ludz.fallspeed > kFallLimit) {
        ludz.fallspeed = kFallLimit;
    }
}

void step_fall() {
    fall = 1;
    hold_frame(kFallFrame);
    ludz.fallspeed += kGravity;
    if (ludz.fallspeed > kFallLimit) {
        ludz.fallspeed = kFallLimit;
    }
}

// Down + X drops through a ledge, but a bridge deck is not a ledge to drop
// through: there it only crouches, as Down alone does. The deck is judged at
// the upright feet, whether or not the player crouches in this step.
bool may_drop_through() {
    const float upright = ludz.pos[1] + (down == 1 ? kCrouchDrop : 0.0f);
    return !on_bridge(ludz.pos[0], upright - kFootDrop);
}

void drop_through() {
    down = 0;
    fall = 1;
    hold_frame(kDropFrame);
}

// The horizontal move itself happened in move_horizontally.
void step_walk() {
    if (down == 1) {
        ludz.pos[1] += kCrouchDrop;
        down = 0;
    }
    ludz.rot[1] = held(kStepLeft) ? kFacingLeft : kFacingRight;
    if (held(kStepUp)) {
        enter_cycle(kWalkUpCycle);
    }
    if (held(kStepDown)) {
        if (held(kStepJump) && may_drop_through()) {
            ludz.pos[1] -= kCrouchDrop;
            drop_through();
        } else {
            enter_cycle(kWalkDownCycle);
        }
    }
    if (!held(kStepUp) && !held(kStepDown)) {
        enter_cycle(held(kStepAim) ? kWalkZCycle : kWalkCycle);
    }
    ludz.AdvanceFrame(1.0f);
}

// A drop from the crouch keeps the crouch's 10 units of depth.
void step_stand_still() {
    hold_frame(kStandFrame);
    if (held(kStepUp)) {
        hold_frame(kStandUpFrame);
    }
    if (held(kStepDown)) {
        if (down == 0) {
            ludz.pos[1] -= kCrouchDrop;
        }
        down = 1;
        hold_frame(kCrouchFrame);
        if (held(kStepJump) && may_drop_through()) {
            drop_through();
        }
    } else if (down == 1) {
        ludz.pos[1] += kCrouchDrop;
        down = 0;
    }
}

void step_stand() {
    fall = 0;
    if (held(kStepLeft) || held(kStepRight)) {
        step_walk();
    } else {
        step_stand_still();
    }
    if (ludz.fallspeed > 0.0f) {
        ludz.fallspeed = 0.0f;
        jump = 0;
    }
}

}  // namespace

void follow_camera(float x) {
    campos[0] = -x;
    campos[1] = kFollowHeight;
    campos[2] = kFollowDistance;
    camang[0] = 0.0f;
    camang[1] = 0.0f;
    camang[2] = kFollowRoll;
}

StepInput sample_input() {
    poll_pad();
    int mickey_x = 0, row = 0;
    if (debcam == 1) {
        get_mouse_mickeys(&mx, &my);
        mickey_x = mx;
        // The pitch follows the row of the 640 by 480 picture, so that a demo
        // steers the same at any window scale and in full screen.
        row = demo_pointer_row(static_cast<int>((mouse_y - picture_top) / line_scale));
    }
    StepInput in = step_input(key, pad, mickey_x, row);
    in.keys |= take_step_presses();  // a tap since the last step holds for this one
    return in;
}

void physics() {
    physics(sample_input());
}

void place_player_at_start() {
    ludz.pos[0] = kDropInX;
    ludz.pos[1] = kDropInY;
    ludz.pos[2] = kStartZ;
    ludz.rot[0] = ludz.rot[2] = 0.0f;
    ludz.rot[1] = kFacingRight;
    ludz.fallspeed = kStartFallSpeed;
    ludz.scale = kModelScale;
    jump = 1;
}

namespace {

// The step itself, without its sounds.
void step(const StepInput& in) {
    step_keys = in.keys;
    if (debcam == 1) {
        free_camera(in);
    } else {
        follow_camera(ludz.pos[0]);
    }

    if (held(kStepCamera)) {
        debcam ^= 1;
    }
    if (held(kStepReset)) {
        ludz.pos[1] = 0.0f;
    }
    if (held(kStepRestart)) {
        // As the game opened: no crouch, fall or drift left over, the frame
        // the model file starts on, and the opening drop.
        place_player_at_start();
        down = fall = direction = 0;
        if (ludz.model != nullptr) {
            hold_frame(static_cast<float>(ludz.model->frame));
        }
    }

    move_horizontally();
    start_jump();

    // Grounded() is asked exactly once per step.
    if (jump != 0) {
        step_jump();
    } else if (ludz.Grounded() == 0) {
        step_fall();
    } else {
        step_stand();
    }

    ludz.pos[1] -= ludz.fallspeed;
    ludz.pos[2] = level_depth(ludz.Extruded()) + kLevelDepth / 2;
}

}  // namespace

void physics(const StepInput& in) {
    const PlayerSound before = player_sound_state();
    step(in);
    play_step_sounds(before);
}

PlayerState save_player() {
    PlayerState s;
    for (int i = 0; i < 3; ++i) {
        s.pos[i] = ludz.pos[i];
        s.rot[i] = ludz.rot[i];
        s.campos[i] = campos[i];
        s.camang[i] = camang[i];
    }
    s.frame = ludz.frame;
    s.fallspeed = ludz.fallspeed;
    s.scale = ludz.scale;
    s.jump = jump;
    s.down = down;
    s.fall = fall;
    s.direction = direction;
    s.debcam = debcam;
    s.mx = mx;
    return s;
}

void restore_player(const PlayerState& s) {
    for (int i = 0; i < 3; ++i) {
        ludz.pos[i] = s.pos[i];
        ludz.rot[i] = s.rot[i];
        campos[i] = s.campos[i];
        camang[i] = s.camang[i];
    }
    ludz.fallspeed = s.fallspeed;
    ludz.scale = s.scale;
    jump = s.jump;
    down = s.down;
    fall = s.fall;
    direction = s.direction;
    debcam = s.debcam;
    mx = s.mx;
    // Assigned, not advanced by the difference: that sum need not give the
    // same float back, and the next steps must see exactly this frame.
    ludz.frame = s.frame;
    ludz.AdvanceFrame(0.0f);
}

PlayerState opening_state() {
    const PlayerState now = save_player();
    place_player_at_start();
    PlayerState s = save_player();
    s.frame = ludz.model != nullptr ? static_cast<float>(ludz.model->frame) : 0.0f;
    s.down = s.fall = s.direction = s.debcam = s.mx = 0;
    for (int i = 0; i < 3; ++i) {
        s.campos[i] = s.camang[i] = 0.0f;
    }
    restore_player(now);
    return s;
}

void step_other(PlayerState* state, const StepInput& in) {
    const PlayerState player = save_player();
    restore_player(*state);
    step(in);
    *state = save_player();
    restore_player(player);
}
