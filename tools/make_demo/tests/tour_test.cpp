// The tour demo shipped with the game: it is what make_demo makes of its key
// script, and played on the stage it walks the route the script describes.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "headless.h"
#include "key_script.h"
#include "shell/physics.h"
#include "model/model.h"
#include "shell/shell.h"

namespace {

std::string slurp(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

constexpr float kFoot = 15.0f;  // the ground probe's drop below the player's origin
// Platform tops (y of the map row's upper edge) and the stretches they span.
constexpr float kRow6 = -60.0f, kRow8 = -80.0f, kRow10 = -100.0f;
constexpr float kSecondBridgeEnd = 740.0f;
constexpr float kLedge71Left = 1420.0f, kLedge71Right = 1460.0f;

bool stands_on(float top) {
    const float feet = ludz.pos[1] - kFoot;
    return jump == 0 && fall == 0 && feet < top && feet > top - 1.2f;
}

}  // namespace

TEST(TourDemo, IsMadeFromItsKeyScript) {
    KeyScript script;
    std::string error;
    ASSERT_TRUE(parse_key_script(slurp(VELLIN_ASSETS_DIR "/demos/tour.keys"), &script, &error))
        << error;
    const std::vector<unsigned char> made = encode_demo(demo_from_script(script));
    EXPECT_EQ(std::string(made.begin(), made.end()), slurp(VELLIN_ASSETS_DIR "/demos/tour.demo"))
        << "run: make_demo assets/demos/tour.keys assets/demos/tour.demo";
}

TEST(TourDemo, DropsThroughJumpsCrossesBothBridgesAndEndsOnTheLedgeAtColumn71) {
    Demo demo;
    ASSERT_TRUE(load_demo(VELLIN_ASSETS_DIR "/demos/tour.demo", &demo));
    ASSERT_TRUE(start_headless(demo.seed, VELLIN_ASSETS_DIR "/trooper.txt"));
    bool crouched = false, on_row10 = false, over_bridges = false, on_row6 = false;
    int jumps = 0;
    for (const StepInput& in : demo.steps) {
        const int jumping = jump;
        physics(in);
        jumps += jumping == 0 && jump == 2;
        crouched = crouched || down == 1;
        on_row10 = on_row10 || stands_on(kRow10);
        over_bridges = over_bridges || (ludz.pos[0] > kSecondBridgeEnd && stands_on(kRow8));
        on_row6 = on_row6 || stands_on(kRow6);
    }
    EXPECT_TRUE(crouched);
    EXPECT_TRUE(on_row10) << "never dropped through to the ledge below";
    EXPECT_TRUE(over_bridges);
    EXPECT_TRUE(on_row6) << "never climbed to the higher ledge";
    EXPECT_EQ(jumps, 4);
    EXPECT_TRUE(stands_on(kRow8)) << "y " << ludz.pos[1];
    EXPECT_GT(ludz.pos[0], kLedge71Left);
    EXPECT_LT(ludz.pos[0], kLedge71Right);
    EXPECT_EQ(down, 0);
    EXPECT_EQ(ludz.frame, 483.0f) << "standing";
    EXPECT_EQ(ludz.rot[1], 3.1415927f) << "facing right";
}
