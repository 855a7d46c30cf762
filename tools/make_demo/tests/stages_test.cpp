// Any valid layer plays: random layers (fixed seed) go through the
// generators and the physics, and the stage check's verdict on the drop-in
// is what the physics does. And each shipped stage is crossed, start to
// right end, by its key script.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
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

constexpr int kDropSteps = 400;  // the lowest ledge is reached in about 150
constexpr int kRunSteps = 300;
constexpr float kRightEnd = kCellWidth * (kMapColumns - 2);  // the last two columns

std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Ground of varying height with gaps, loose ledges and up to nine bridge
// cells; the first columns now and then left empty, so that some drop-ins
// miss.
std::string random_layer(std::mt19937& rng) {
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    std::string rows[kMapRows];
    for (std::string& row : rows)
        row.assign(kMapColumns, '0');
    int top = 6 + pick(8);
    for (int c = 0; c < kMapColumns; ++c) {
        if (pick(6) == 0)
            top = std::clamp(top + pick(5) - 2, 2, kMapRows - 1);
        if (pick(9) == 0)
            continue;
        rows[top][c] = '1';
        for (int r = top + 1; r < kMapRows; ++r)
            rows[r][c] = '5';
    }
    for (int n = pick(20); n > 0; --n) {
        const int r = pick(kMapRows), c = pick(kMapColumns - 6), w = 1 + pick(6);
        rows[r].replace(c, w, w, '1');
    }
    for (int n = pick(10); n > 0; --n)
        rows[pick(kMapRows)][pick(kMapColumns)] = '9';
    if (pick(4) == 0) {
        for (std::string& row : rows)
            row.replace(0, 5, 5, '0');
    }
    std::string text;
    for (std::string& row : rows)
        text += row + "\n";
    return text;
}

void keep_fault(void* context, int, int, const char* what) {
    *static_cast<std::string*>(context) += std::string(what) + "\n";
}

// The stage generated as start-up generates it, the player at the drop-in.
void start_on(const StageFile& stage, unsigned int seed) {
    clear_level();
    use_stage(stage);
    std::srand(seed);
    generate_wall();
    generate_trees();
    generate_bridges();
    restart_player();
}

bool standing() {
    return jump == 0 && fall == 0;
}

}  // namespace

TEST(AnyStage, RandomLayersGenerateAndPlayAndTheDropInCheckAgreesWithThePhysics) {
    std::mt19937 rng(7);
    int caught = 0, lost = 0, refused = 0;
    for (int n = 0; n < 40; ++n) {
        const std::string text = random_layer(rng);
        StageFile stage;
        std::string faults;
        parse_stage(reinterpret_cast<const unsigned char*>(text.data()), text.size(), &stage,
                    keep_fault, &faults);
        if (faults.find("bridges") != std::string::npos) {
            ++refused;  // more bridge cells than pieces: not a stage
            continue;
        }
        const bool drop_in = faults.empty();
        ASSERT_TRUE(drop_in || faults.rfind("nothing below the start", 0) == 0) << faults;
        const int cells = static_cast<int>(std::count(text.begin(), text.end(), '9'));
        start_on(stage, static_cast<unsigned int>(n));
        ASSERT_EQ(bridgecount, cells) << text;
        ASSERT_EQ(bridges[cells][2], 0) << "a piece past the placed ones stands";
        bool landed = false;
        for (int s = 0; s < kDropSteps; ++s) {
            physics(StepInput{});
            landed = landed || standing();
        }
        EXPECT_EQ(landed, drop_in) << text;
        (drop_in ? caught : lost) += 1;
        for (int s = 0; s < kRunSteps; ++s) {
            const std::uint16_t keys = kStepRight | (s % 90 < 4 ? kStepJump : 0);
            physics(StepInput{keys, 0, 0});
        }
        ASSERT_TRUE(std::isfinite(ludz.pos[0]) && std::isfinite(ludz.pos[1]));
    }
    EXPECT_GE(caught, 10);
    EXPECT_GE(lost, 3);
    EXPECT_GE(refused, 1);
}

TEST(ShippedStages, EachKeyScriptCrossesItsStageToTheRightEnd) {
    const char* kStages[] = {"steps", "bridges", "warren"};
    ASSERT_EQ(ludz.Read(VELLIN_ASSETS_DIR "/trooper.txt"), 1);
    for (const char* name : kStages) {
        const std::string base = std::string(VELLIN_ASSETS_DIR "/stages/") + name;
        StageFile stage;
        ASSERT_TRUE(read_stage_file((base + ".stage").c_str(), &stage, stderr)) << name;
        KeyScript script;
        std::string error;
        ASSERT_TRUE(parse_key_script(slurp(base + ".keys"), &script, &error)) << name << error;
        start_on(stage, script.seed);
        for (const StepInput& in : demo_from_script(script).steps)
            physics(in);
        EXPECT_GT(ludz.pos[0], kRightEnd) << name;
        EXPECT_LT(ludz.pos[0], kCellWidth * kMapColumns) << name;
        EXPECT_TRUE(standing()) << name << " y " << ludz.pos[1];
    }
}
