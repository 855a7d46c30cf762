#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "model/model.h"
#include "model_files.h"

namespace {

const float kTol = 1e-5f;
const float kS = std::sqrt(0.5f);

// Hip: a root at (10, 0, 0) turned 90 degrees about z, with keys at frames
// 10 and 20. Leg: Hip's keyless child at (0, 5, 0). Three vertices: one on
// Hip, one on Leg, one on no bone.
const char kSkeleton[] =
    "Frames: 30\n"
    "Frame: 0\n"
    "Meshes: 1\n"
    "\"Body\" 0 0\n"
    "3\n"
    "0 10 1 0 0 0 0\n"
    "0 6 0 0 0 0 1\n"
    "0 7 8 9 0 0 -1\n"
    "0\n"
    "0\n"
    "Bones: 2\n"
    "\"Hip\"\n"
    "\"\"\n"
    "0 10 0 0 0 0 1.5707963\n"
    "2\n"
    "10 0 0 0\n"
    "20 2 4 6\n"
    "2\n"
    "10 0 0 0\n"
    "20 0 0 1.5707963\n"
    "\"Leg\"\n"
    "\"Hip\"\n"
    "0 0 5 0 0 0 0\n"
    "0\n"
    "0\n";

// Expects the 3x4 matrix m to be a turn of `degrees` about z moved by t.
void expect_z_turn(const float m[3][4], float degrees, float tx, float ty, float tz) {
    const float a = degrees * 3.14159265f / 180;
    const float want[3][4] = {
        {std::cos(a), -std::sin(a), 0, tx}, {std::sin(a), std::cos(a), 0, ty}, {0, 0, 1, tz}};
    for (int r = 0; r < 3; r++) {
        for (int c = 0; c < 4; c++) {
            EXPECT_NEAR(m[r][c], want[r][c], kTol) << "row " << r << " column " << c;
        }
    }
}

void expect_same(const float a[3][4], const float b[3][4]) {
    for (int r = 0; r < 3; r++) {
        for (int c = 0; c < 4; c++) {
            EXPECT_EQ(a[r][c], b[r][c]) << "row " << r << " column " << c;
        }
    }
}

// Model-space position of a bound vertex under its bone's final matrix.
void posed(const cModel& m, int vertex, int bone, float out[3]) {
    float p[3];
    vertex_position(kpModel_GetMeshAt(m.model, 0), vertex, p);
    const float(*f)[4] = m.xforms[bone].final;
    for (int r = 0; r < 3; r++) {
        out[r] = f[r][0] * p[0] + f[r][1] * p[1] + f[r][2] * p[2] + f[r][3];
    }
}

class Skeleton : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(m.Read(files.Write("s.txt", kSkeleton).c_str()), 1); }
    ModelFiles files;
    cModel m;
};

}  // namespace

TEST_F(Skeleton, SetupMovesBoundVerticesIntoBoneSpaceAndBackInBindPose) {
    expect_z_turn(m.xforms[0].absolute, 90, 10, 0, 0);
    // Leg: Hip's turn applied to (0, 5, 0), plus Hip's (10, 0, 0).
    expect_z_turn(m.xforms[1].absolute, 90, 5, 0, 0);
    expect_same(m.xforms[1].final, m.xforms[1].absolute);

    kpMesh* mesh = kpModel_GetMeshAt(m.model, 0);
    float p[3];
    vertex_position(mesh, 0, p);  // (10, 1, 0) - (10, 0, 0), turned back
    EXPECT_NEAR(p[0], 1, kTol);
    EXPECT_NEAR(p[1], 0, kTol);
    vertex_position(mesh, 1, p);  // (6, 0, 0) - (5, 0, 0), turned back
    EXPECT_NEAR(p[0], 0, kTol);
    EXPECT_NEAR(p[1], -1, kTol);
    vertex_position(mesh, 2, p);  // unbound: as read
    EXPECT_EQ(p[0], 7.0f);
    EXPECT_EQ(p[2], 9.0f);

    float back[3];
    posed(m, 0, 0, back);
    EXPECT_NEAR(back[0], 10, kTol);
    EXPECT_NEAR(back[1], 1, kTol);
    posed(m, 1, 1, back);
    EXPECT_NEAR(back[0], 6, kTol);
    EXPECT_NEAR(back[1], 0, kTol);
    // Bounds come from the positions as read, before set-up.
    EXPECT_EQ(m.maxs[0], 10.0f);
}

TEST_F(Skeleton, HalfwayBetweenKeysTakesMeanPositionAndHalfwayTurn) {
    m.AdvanceFrame(15);
    EXPECT_EQ(m.frame, 15.0f);
    // Key offset (1, 2, 3) in Hip's bind frame; key turn 45 on top of 90.
    expect_z_turn(m.xforms[0].relativeFinal, 135, 8, 1, 3);
    expect_z_turn(m.xforms[0].final, 135, 8, 1, 3);
    // The keyless child keeps its bind pose although its parent moved.
    expect_same(m.xforms[1].final, m.xforms[1].absolute);
}

TEST_F(Skeleton, FrameAtOrBeforeFirstKeyAndAfterLastKeyTakesEndValues) {
    m.AdvanceFrame(10);
    expect_z_turn(m.xforms[0].final, 90, 10, 0, 0);
    m.AdvanceFrame(-100);
    EXPECT_EQ(m.frame, -90.0f);
    expect_z_turn(m.xforms[0].final, 90, 10, 0, 0);
    m.AdvanceFrame(115);
    EXPECT_EQ(m.frame, 25.0f);
    // Last key: offset (2, 4, 6) turned by 90 is (-4, 2, 6), plus (10, 0, 0).
    expect_z_turn(m.xforms[0].final, 180, 6, 2, 6);
    m.AdvanceFrame(-5);  // exactly the last key
    expect_z_turn(m.xforms[0].final, 180, 6, 2, 6);
}

TEST_F(Skeleton, FrameWrapsToZeroOnlyPastTheLastFrame) {
    m.frame = 29.5f;
    m.AdvanceFrame(1);
    EXPECT_EQ(m.frame, 0.0f);
    m.frame = 29.5f;
    m.AdvanceFrame(0.5f);
    EXPECT_EQ(m.frame, 30.0f);
    m.AdvanceFrame(0);
    EXPECT_EQ(m.frame, 30.0f);
    m.frame = 10;
    m.AdvanceFrame(-100);
    EXPECT_EQ(m.frame, -90.0f);

    cModel still;
    ASSERT_EQ(still.Read(files.Write("z.txt", "Frame: 3\n").c_str()), 1);
    EXPECT_EQ(still.frame, 3.0f);
    still.AdvanceFrame(0.25f);
    EXPECT_EQ(still.frame, 0.0f);
}

TEST(SkeletonGuards, KeysOfOneKindGiveNoOffsetOrNoTurn) {
    ModelFiles files;
    const char text[] =
        "Frames: 10\nBones: 2\n"
        "\"PosOnly\"\n\"\"\n0 0 0 0 0 0 1.5707963\n1\n0 1 0 0\n0\n"
        "\"RotOnly\"\n\"\"\n0 3 0 0 0 0 0\n0\n1\n0 0 0 1.5707963\n";
    cModel m;
    ASSERT_EQ(m.Read(files.Write("k.txt", text).c_str()), 1);
    m.AdvanceFrame(4);
    expect_z_turn(m.xforms[0].final, 90, 0, 1, 0);
    expect_z_turn(m.xforms[1].final, 90, 3, 0, 0);
}

TEST(SkeletonGuards, ParentThatIsSelfOrLaterMakesARoot) {
    ModelFiles files;
    const char text[] =
        "Bones: 3\n"
        "\"Selfish\"\n\"Selfish\"\n0 1 0 0 0 0 0\n0\n0\n"
        "\"Early\"\n\"Late\"\n0 2 0 0 0 0 0\n0\n0\n"
        "\"Late\"\n\"\"\n0 100 0 0 0 0 0\n0\n0\n";
    cModel m;
    ASSERT_EQ(m.Read(files.Write("p.txt", text).c_str()), 1);
    ASSERT_EQ(kpModel_GetBoneCount(m.model), 3);
    expect_z_turn(m.xforms[0].absolute, 0, 1, 0, 0);
    expect_z_turn(m.xforms[1].absolute, 0, 2, 0, 0);
    expect_z_turn(m.xforms[2].absolute, 0, 100, 0, 0);
    m.AdvanceFrame(1);
    expect_z_turn(m.xforms[1].final, 0, 2, 0, 0);
}

TEST(SkeletonGuards, VertexBoneIndexOutsideBonesFollowsNoBone) {
    ModelFiles files;
    const char text[] =
        "Meshes: 1\n\"A\" 0 0\n3\n0 1 2 3 0 0 1\n0 4 5 6 0 0 -3\n0 7 8 9 0 0 0\n0\n0\n"
        "Bones: 1\n\"B\"\n\"\"\n0 50 0 0 0 0 0\n0\n0\n";
    cModel m;
    ASSERT_EQ(m.Read(files.Write("v.txt", text).c_str()), 1);
    kpMesh* mesh = kpModel_GetMeshAt(m.model, 0);
    float p[3];
    vertex_position(mesh, 0, p);
    EXPECT_EQ(p[0], 1.0f);
    vertex_position(mesh, 1, p);
    EXPECT_EQ(p[0], 4.0f);
    vertex_position(mesh, 2, p);  // the one valid binding moves into bone space
    EXPECT_EQ(p[0], 7.0f - 50.0f);
}

TEST(SkeletonGuards, EmptyModelIgnoresAnimation) {
    cModel m;
    m.frame = 4;
    m.AdvanceFrame(3);
    EXPECT_EQ(m.frame, 4.0f);
    EXPECT_EQ(m.xforms, nullptr);
    m.Clear();
    EXPECT_EQ(m.model, nullptr);
}
