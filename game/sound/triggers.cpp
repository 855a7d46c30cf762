// The rules that turn a physics step into sounds.
#include "sound/sound.h"

#include "model/trooper_frames.h"

namespace {

using namespace trooper_frames;

// The generated walk puts the left heel down at the start of its loop and the
// right half a loop later (tools/assetgen/trooper_anim.cpp): the first frame
// each cycle shows, and the first whole frame past the half (60 of 119).
constexpr Cycle kWalkingCycles[] = {kWalkCycle, kWalkZCycle, kWalkUpCycle, kWalkDownCycle};
constexpr int kFootDownOffsets[] = {0, (cycle_period(kWalkCycle) + 1) / 2};

bool on_foot(const PlayerSound& p) {
    return p.jump == 0 && p.fall == 0;
}

bool foot_down(float frame) {
    for (const Cycle& c : kWalkingCycles)
        for (int offset : kFootDownOffsets)
            if (frame == static_cast<float>(first_shown(c) + offset))
                return true;
    return false;
}

}  // namespace

const char* const sound_files[kSoundCount] = {"step_rock.wav", "step_plank.wav", "jump.wav",
                                              "land.wav",      "crouch.wav",     "jungle.wav"};

SoundSet step_sounds(const PlayerSound& before, const PlayerSound& after) {
    SoundSet set = 0;
    // Walking advances the frame every step. The first step after a landing
    // leaves the jump cycle for the walk: the landing sound covers that foot.
    if (on_foot(before) && on_foot(after) && before.frame < static_cast<float>(kJumpFirst) &&
        after.frame != before.frame && foot_down(after.frame)) {
        set |= sound_bit(after.on_plank ? kSoundStepPlank : kSoundStepRock);
    }
    if (before.jump == 0 && after.jump != 0) {
        set |= sound_bit(kSoundJump);
    }
    if (!on_foot(before) && on_foot(after)) {
        set |= sound_bit(kSoundLand);
    }
    if (before.down == 0 && after.down != 0) {
        set |= sound_bit(kSoundCrouch);
    }
    return set;
}
