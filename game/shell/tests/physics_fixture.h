// Shared set-up for the physics tests: a hand-built stage, the player read from
// a small test model, and helpers that hold keys and run steps.
//
// The stage, filled by hand (not by generate_wall):
//   upper platform U: map row 6, columns 1..20 (x 20..420, top y = -60), level 1,
//     its rock at level 1 from grid row 24 down to the bottom;
//   lower platform L: map row 10, columns 5..10 (x 100..220, top y = -100),
//     level 2, its rock at level 2 from grid row 40 down, inside U's rock.
// Dropping through U over L lands on L, as lower, further extruded ledges do.
#ifndef VELLIN_PHYSICS_FIXTURE_H
#define VELLIN_PHYSICS_FIXTURE_H

#include <allegro.h>
#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>

#include "level/level.h"
#include "shell/physics.h"
#include "model/model.h"
#include "model/trooper_frames.h"
#include "state/state.h"
#include "shell/shell.h"

constexpr float kPi = 3.1415927f;
constexpr float kStandX = 60.0f;   // on U, away from its edges
constexpr float kStandY = -46.0f;  // probe point 15 below lies just under U's top
constexpr float kOverLowerX = 150.0f;

class Physics : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { loaded_ = ludz.Read(VELLIN_PHYSICS_DATA "/physics_player.txt"); }

    void SetUp() override {
        ASSERT_EQ(loaded_, 1) << "test player model not read";
        build_stage();
        for (int k = 0; k < KEY_MAX; ++k) {
            key[k] = 0;
        }
        mouse_y = 0;
        jump = down = fall = direction = debcam = 0;
        std::memset(campos, 0, sizeof campos);
        std::memset(camang, 0, sizeof camang);
        ludz.pos[0] = kStandX;
        ludz.pos[1] = kStandY;
        ludz.pos[2] = 5.0f;
        ludz.rot[0] = ludz.rot[2] = 0.0f;
        ludz.rot[1] = kPi;
        ludz.fallspeed = 0.0f;
        ludz.scale = kModelScale;
        ludz.AdvanceFrame(trooper_frames::kStandFrame - ludz.frame);
        ASSERT_EQ(ludz.frame, trooper_frames::kStandFrame);
    }

    static void build_stage() {
        std::memset(extrusion, 0, sizeof extrusion);
        std::memset(plats, 0, sizeof plats);
        std::memset(bridges, 0, sizeof bridges);
        plats[0][0] = 6;
        plats[0][1] = 1;
        plats[0][2] = 20;
        plats[1][0] = 10;
        plats[1][1] = 5;
        plats[1][2] = 6;
        platcount = 2;
        fill(24, 8, 167, 1);
        fill(40, 40, 87, 2);
    }

    // Sets grid rows first_row..79, columns first..last, to level.
    static void fill(int first_row, int first, int last, int level) {
        for (int i = first_row; i < kGridRows; ++i) {
            for (int j = first; j <= last; ++j) {
                extrusion[i][j] = level;
            }
        }
    }

    static void hold(std::initializer_list<int> keys) {
        for (int k : keys) {
            key[k] = 1;
        }
    }
    static void release_all() {
        for (int k = 0; k < KEY_MAX; ++k) {
            key[k] = 0;
        }
    }
    static void step(int n = 1) {
        for (int i = 0; i < n; ++i) {
            physics();
        }
    }

    static int loaded_;
};

inline int Physics::loaded_ = 0;

#endif
