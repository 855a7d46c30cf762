// The sounds that real physics steps start on the generated stage: the
// opening drop, a walk over both bridges, a jump from standing and one from
// walking, and a crouch. No device: the rules are asked around each step.
// generate_wall expects zeroed arrays, so this runs in its own process.
#include <gtest/gtest.h>

#include <vector>

#include "level/level.h"
#include "model/model.h"
#include "shell/audio.h"
#include "shell/physics.h"
#include "sound/sound.h"
#include "state/state.h"

namespace {

// Bridge pieces cover x 480..560 and 660..740 on row 8 (tile layer), edges
// included.
bool over_bridge_span(float x) {
    return (x >= 480.0f && x <= 560.0f) || (x >= 660.0f && x <= 740.0f);
}
// Steps between footsteps: the loop is 119 frames with feet at 0 and 60.
constexpr int kShortestPace = 59;
constexpr int kLongestPace = 60;

struct Heard {
    int step;
    SoundSet set;
    float x;
};

class StepSounds : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        ASSERT_EQ(ludz.Read(VELLIN_PHYSICS_DATA "/physics_player.txt"), 1);
        generate_wall();
        generate_bridges();
        place_player_at_start();
    }

    // Runs `n` steps (or until `until` holds) with `keys` held; records the sounds.
    template <class Until>
    void run(std::uint16_t keys, int n, Until until) {
        for (int i = 0; i < n && !until(); ++i) {
            const PlayerSound before = player_sound_state();
            physics(StepInput{keys, 0, 0});
            const SoundSet set = step_sounds(before, player_sound_state());
            if (set != 0) {
                heard.push_back({steps, set, ludz.pos[0]});
            }
            ++steps;
        }
    }
    void run(std::uint16_t keys, int n) {
        run(keys, n, [] { return false; });
    }
    std::vector<Heard> take() {
        std::vector<Heard> h;
        h.swap(heard);
        return h;
    }

    static int steps;
    static std::vector<Heard> heard;
};
int StepSounds::steps;
std::vector<Heard> StepSounds::heard;

constexpr SoundSet kStep = sound_bit(kSoundStepRock) | sound_bit(kSoundStepPlank);

// The tests run in order, each from where the last left the player.
TEST_F(StepSounds, OpeningDropEndsWithOneLanding) {
    run(0, 400, [] { return jump == 0; });
    run(0, 10);
    const std::vector<Heard> h = take();
    ASSERT_EQ(h.size(), 1u);
    EXPECT_EQ(h[0].set, sound_bit(kSoundLand));
}

// Planks on the bridges, rock elsewhere, and a steady pace across the joints
// between bridge pieces and ledges: no landing there, no stumble.
TEST_F(StepSounds, WalkOverTheBridgesSteadyPlankOnBridgesRockElsewhere) {
    run(kStepRight, 10000, [] { return ludz.pos[0] >= 850.0f; });
    const std::vector<Heard> h = take();
    int plank = 0, rock = 0;
    for (std::size_t i = 0; i < h.size(); ++i) {
        SCOPED_TRACE(h[i].x);
        ASSERT_TRUE(h[i].set == sound_bit(kSoundStepRock) ||
                    h[i].set == sound_bit(kSoundStepPlank));
        const bool on_plank = h[i].set == sound_bit(kSoundStepPlank);
        EXPECT_EQ(on_plank, over_bridge_span(h[i].x));
        plank += on_plank;
        rock += !on_plank;
        if (i > 0) {
            EXPECT_GE(h[i].step - h[i - 1].step, kShortestPace);
            EXPECT_LE(h[i].step - h[i - 1].step, kLongestPace);
        }
    }
    // 790 units at 0.25 a step, two feet per 119 steps: about 53 footsteps,
    // 160 units (640 steps) of them on planks: 10 or 11.
    EXPECT_GE(rock + plank, 52);
    EXPECT_GE(plank, 10);
    RecordProperty("rock_steps", rock);
    RecordProperty("plank_steps", plank);
}

TEST_F(StepSounds, JumpFromStandingThenLanding) {
    run(0, 5);
    take();
    run(kStepJump, 1);
    run(0, 400, [] { return jump == 0; });
    run(0, 10);
    const std::vector<Heard> h = take();
    ASSERT_EQ(h.size(), 2u);
    EXPECT_EQ(h[0].set, sound_bit(kSoundJump));
    EXPECT_EQ(h[1].set, sound_bit(kSoundLand));
    EXPECT_GT(h[1].step - h[0].step, 100);  // about 120 steps in the air
}

// Landing while walking: the landing is the foot's sound, so the walk's
// next footstep comes a pace later, not on the next step.
TEST_F(StepSounds, JumpWhileWalkingLandsWithoutADoubleStep) {
    run(kStepLeft, 3);
    take();
    run(kStepLeft | kStepJump, 1);
    run(kStepLeft, 400, [] { return jump == 0; });
    run(kStepLeft, 70);
    const std::vector<Heard> h = take();
    ASSERT_GE(h.size(), 3u);
    EXPECT_EQ(h[0].set, sound_bit(kSoundJump));
    EXPECT_EQ(h[1].set, sound_bit(kSoundLand));
    EXPECT_EQ(h[2].set & kStep, h[2].set);
    EXPECT_GE(h[2].step - h[1].step, kShortestPace);
}

TEST_F(StepSounds, CrouchRustlesOnceAndStandingUpIsQuiet) {
    run(0, 5);
    take();
    run(kStepDown, 30);
    run(0, 30);
    const std::vector<Heard> h = take();
    ASSERT_EQ(h.size(), 1u);
    EXPECT_EQ(h[0].set, sound_bit(kSoundCrouch));
}

}  // namespace
