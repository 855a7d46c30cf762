#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "level/level.h"
#include "model/model.h"
#include "state/state.h"

namespace {

// One platform of two cells at map row 2, columns 3 and 4 (x 60 to 100, top
// at y = -20), whose first cell is extruded to level 2; one bridge at row 1,
// column 10 (x 200 to 220, top at y = -10).
class Probes : public ::testing::Test {
  protected:
    void SetUp() override {
        std::memset(extrusion, 0, sizeof extrusion);
        std::memset(plats, 0, sizeof plats);
        std::memset(bridges, 0, sizeof bridges);
        platcount = 1;
        plats[0][0] = 2;
        plats[0][1] = 3;
        plats[0][2] = 2;
        extrusion[8][24] = 2;
        bridges[0][0] = 1;
        bridges[0][1] = 10;
        bridges[0][2] = 1;
        down = 0;
    }
    void TearDown() override {
        platcount = 0;
        down = 0;
        std::memset(extrusion, 0, sizeof extrusion);
        std::memset(bridges, 0, sizeof bridges);
    }
    int grounded_at(float x, float y) {
        m.pos[0] = x;
        m.pos[1] = y;
        return m.Grounded();
    }
    int extruded_at(float x, float y) {
        m.pos[0] = x;
        m.pos[1] = y;
        return m.Extruded();
    }
    cModel m;  // empty: the probes do not look at the model data
};

}  // namespace

TEST_F(Probes, GroundedOnPlatformHasStrictEdges) {
    EXPECT_EQ(grounded_at(70, -6), 1);
    EXPECT_EQ(grounded_at(60, -6), 0);  // left edge, x = 20c
    EXPECT_EQ(grounded_at(60.01f, -6), 1);
    EXPECT_EQ(grounded_at(100, -6), 0);  // right edge
    EXPECT_EQ(grounded_at(99.99f, -6), 1);
    EXPECT_EQ(grounded_at(70, -5), 0);  // probe exactly on the top edge
    EXPECT_EQ(grounded_at(70, 10), 0);
}

TEST_F(Probes, GroundedOnPlatformNeedsProbeLessExtrudedThanFirstCell) {
    // Extruded samples row trunc((y - 12.5) / 2.5): y = -6 gives row 7.
    extrusion[7][28] = 2;
    EXPECT_EQ(grounded_at(70, -6), 0);
    extrusion[7][28] = 1;
    EXPECT_EQ(grounded_at(70, -6), 1);
}

TEST_F(Probes, GroundedOnBridgeOnlyWhenStandingFlagSet) {
    EXPECT_EQ(grounded_at(210, 4), 1);
    EXPECT_EQ(grounded_at(199.75f, 4), 0);
    EXPECT_EQ(grounded_at(220.25f, 4), 0);
    EXPECT_EQ(grounded_at(210, 5), 0);  // h = -10, on the top edge
    bridges[0][2] = 0;
    EXPECT_EQ(grounded_at(210, 4), 0);
    // Only slots 0 to 7 are bridges that can be stood on.
    bridges[8][0] = 1;
    bridges[8][1] = 10;
    bridges[8][2] = 1;
    EXPECT_EQ(grounded_at(210, 4), 0);
}

// A joint with the next piece or a ledge must hold, so a deck's edges do.
TEST_F(Probes, BridgeHoldsOnItsEdges) {
    EXPECT_EQ(grounded_at(200, 4), 1);
    EXPECT_EQ(grounded_at(220, 4), 1);
}

// The deck holds feet down to one map row under its top (h = -20), not in
// the air below.
TEST_F(Probes, BridgeDeckIsOneRowThick) {
    EXPECT_EQ(grounded_at(210, -4.9f), 1);
    EXPECT_EQ(grounded_at(210, -5), 0);
    EXPECT_EQ(grounded_at(210, -16), 0);
    EXPECT_EQ(grounded_at(210, -400), 0);
}

// Below the grid the grid probe says -1; a ledge must not read that as
// open air in front of its rock and hold there.
TEST_F(Probes, NoLedgeHoldsBelowTheGrid) {
    EXPECT_EQ(extruded_at(70, -190), -1);
    EXPECT_EQ(grounded_at(70, -190), 0);
    EXPECT_EQ(grounded_at(70, -1000), 0);
    EXPECT_EQ(grounded_at(70, -186), 1);  // the grid's last row, in front of the rock
}

TEST_F(Probes, GroundedAlwaysWhileDown) {
    down = 1;
    EXPECT_EQ(grounded_at(500, 300), 1);
    EXPECT_EQ(grounded_at(-50, 0), 1);
}

TEST_F(Probes, ExtrudedSamplesGridAndCutsTowardZero) {
    extrusion[7][0] = 3;
    extrusion[2][0] = 4;
    extrusion[7][799] = 5;
    EXPECT_EQ(extruded_at(-1, -5), 3);  // x / 2.5 = -0.4 cuts to column 0
    EXPECT_EQ(extruded_at(1997.5f, -5), 5);
    EXPECT_EQ(extruded_at(2000, -5), -1);  // column 800
    EXPECT_EQ(extruded_at(-2.5f, -5), -1);
    EXPECT_EQ(extruded_at(0, 20), -1);    // row -3
    EXPECT_EQ(extruded_at(0, -200), -1);  // row 85
    EXPECT_EQ(extruded_at(NAN, -5), -1);
    EXPECT_EQ(extruded_at(1e30f, -5), -1);
    down = 1;
    EXPECT_EQ(extruded_at(-1, -5), 4);  // the origin's own row
}
