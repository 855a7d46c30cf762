// Which sounds a physics step starts. The rules look only at the player's
// state before and after the step (and at what lies under the feet), so a
// demo replays the same sounds and the rules run without a sound device;
// the shell plays what they name (shell/audio.h).
#ifndef VELLIN_SOUND_H
#define VELLIN_SOUND_H

enum SoundId {
    kSoundStepRock,   // a foot lands on the cliff's ledges
    kSoundStepPlank,  // a foot lands on a bridge piece
    kSoundJump,       // a jump starts
    kSoundLand,       // a jump or fall ends on ground
    kSoundCrouch,     // the player crouches
    kSoundJungle,     // the ambience, looped from start-up
    kSoundCount
};

using SoundSet = unsigned int;  // one bit per SoundId
constexpr SoundSet sound_bit(SoundId id) {
    return 1u << id;
}

// The file each sound is read from, in the data directory.
extern const char* const sound_files[kSoundCount];

// The player as the sound rules see it at the end of a step.
struct PlayerSound {
    int jump, fall, down;  // the physics flags
    float frame;           // animation frame
    float fallspeed;       // units per step, positive downward
    int on_plank;          // 1 while the feet are over a bridge piece
};

// The sounds that the step from `before` to `after` starts.
SoundSet step_sounds(const PlayerSound& before, const PlayerSound& after);

// 1 when the feet of a player with its origin at (x, y) are on a placed
// bridge piece's deck: within its cell, edges included, and less than a map
// row below its top.
int over_bridge(float x, float y);

#endif
