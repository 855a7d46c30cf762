// Any valid layer plays: random layers (fixed seed) go through the
// generators and the physics, and the stage check's verdict on the drop-in
// is what the physics does. Each shipped stage is crossed by its key script.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "headless.h"
#include "key_script.h"
#include "level/level.h"
#include "model/model.h"
#include "shell/physics.h"

namespace {

// Ground of varying height with gaps, loose ledges and up to nine bridge
// cells; now and then the first columns empty, so that some drop-ins miss.
std::string random_layer(std::mt19937& rng) {
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    std::string rows[kMapRows];
    std::fill(rows, rows + kMapRows, std::string(kMapColumns, '0'));
    for (int c = 0, top = 6 + pick(8); c < kMapColumns; ++c) {
        top = pick(6) == 0 ? std::clamp(top + pick(5) - 2, 2, kMapRows - 1) : top;
        for (int r = top; r < kMapRows && pick(9) != 0; ++r)
            rows[r][c] = r == top ? '1' : '5';
    }
    for (int n = pick(20), w = 1 + pick(6); n > 0; --n)
        rows[pick(kMapRows)].replace(pick(kMapColumns - 6), w, w, '1');
    for (int n = pick(10); n > 0; --n)
        rows[pick(kMapRows)][pick(kMapColumns)] = '9';
    std::string text;
    const bool bare = pick(4) == 0;
    for (std::string& row : rows)
        text += (bare ? row.replace(0, 5, 5, '0') : row) + "\n";
    return text;
}

void keep_fault(void* context, int, int, const char* what) {
    *static_cast<std::string*>(context) += what;
}

void start_on(const StageFile& stage, unsigned int seed) {
    clear_level();
    use_stage(stage);
    std::srand(seed);
    generate_wall();
    generate_trees();
    generate_bridges();
    restart_player();
}

}  // namespace

TEST(AnyStage, RandomLayersGenerateAndPlayAndTheDropInCheckAgreesWithThePhysics) {
    std::mt19937 rng(7);
    int caught = 0, lost = 0;
    for (int n = 0; n < 40; ++n) {
        const std::string text = random_layer(rng);
        StageFile stage;
        std::string faults;
        parse_stage(reinterpret_cast<const unsigned char*>(text.data()), text.size(), &stage,
                    keep_fault, &faults);
        const int cells = static_cast<int>(std::count(text.begin(), text.end(), '9'));
        if (cells > kBridgePieces)
            continue;  // refused, not a stage
        ASSERT_TRUE(faults.empty() || faults.rfind("nothing below the start", 0) == 0) << faults;
        start_on(stage, static_cast<unsigned int>(n));
        ASSERT_EQ(bridgecount, cells) << text;
        ASSERT_EQ(bridges[cells][2], 0) << "a piece past the placed ones stands";
        bool landed = false;
        for (int s = 0; s < 400; ++s) {
            physics(StepInput{});
            landed = landed || (jump == 0 && fall == 0);
        }
        EXPECT_EQ(landed, faults.empty()) << text;
        (landed ? caught : lost) += 1;
        for (int s = 0; s < 300; ++s)  // the probes over this layer, under the sanitizers
            physics(StepInput{static_cast<std::uint16_t>(kStepRight | (s % 90 < 4 ? kStepJump : 0)),
                              0, 0});
    }
    EXPECT_GE(caught, 10);
    EXPECT_GE(lost, 3);
}

// Standing on the last two columns when the script ends.
TEST(ShippedStages, EachKeyScriptCrossesItsStageToTheRightEnd) {
    ASSERT_EQ(ludz.Read(VELLIN_ASSETS_DIR "/trooper.txt"), 1);
    for (const std::string name : {"jungle", "steps", "bridges", "warren"}) {
        const std::string base = VELLIN_ASSETS_DIR "/stages/" + name;
        StageFile stage;
        ASSERT_TRUE(read_stage_file((base + ".stage").c_str(), &stage, stderr)) << name;
        std::ifstream keys(base + ".keys");
        KeyScript script;
        std::string error;
        ASSERT_TRUE(parse_key_script(std::string(std::istreambuf_iterator<char>(keys), {}), &script,
                                     &error))
            << name << error;
        start_on(stage, script.seed);
        for (const StepInput& in : demo_from_script(script).steps)
            physics(in);
        EXPECT_GT(ludz.pos[0], kCellWidth * (kMapColumns - 2)) << name;
        EXPECT_TRUE(jump == 0 && fall == 0) << name << " y " << ludz.pos[1];
    }
}
