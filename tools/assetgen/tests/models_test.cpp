// trooper.txt and bridge.txt read back through cModel::Read (with their
// textures, hence the GL context) and posed at every frame the game shows.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

#include "bridge.h"
#include "gl_context.h"
#include "model/model.h"
#include "model/trooper_frames.h"
#include "trooper.h"

namespace {

using namespace trooper_frames;

struct Posed {
    float x, y, z;
    int bone;
    int mesh;
};

// Vertices where the current pose draws them (model space, before placing).
std::vector<Posed> posed(const cModel& m) {
    std::vector<Posed> out;
    for (int i = 0; i < kpModel_GetMeshCount(m.model); ++i) {
        kpMesh* mesh = kpModel_GetMeshAt(m.model, i);
        for (int v = 0; v < kpMesh_GetVertexCount(mesh); ++v) {
            const kpVertex* vx = kpMesh_GetVertexAt(mesh, v);
            float p[3] = {vx->vertex[0], vx->vertex[1], vx->vertex[2]};
            float q[3] = {p[0], p[1], p[2]};
            if (vx->boneIndex >= 0) {
                const float(*f)[4] = m.xforms[vx->boneIndex].final;
                for (int r = 0; r < 3; ++r)
                    q[r] = f[r][0] * p[0] + f[r][1] * p[1] + f[r][2] * p[2] + f[r][3];
            }
            out.push_back({q[0], q[1], q[2], vx->boneIndex, i});
        }
    }
    return out;
}

void set_frame(cModel& m, float frame) {
    m.AdvanceFrame(frame - m.frame);
}

float min_y(const std::vector<Posed>& v) {
    float y = 1e9f;
    for (const Posed& p : v)
        y = std::min(y, p.y);
    return y;
}

float max_y(const std::vector<Posed>& v) {
    float y = -1e9f;
    for (const Posed& p : v)
        y = std::max(y, p.y);
    return y;
}

// Every frame the game leaves the player on at the end of a step (a drop with
// a walking key down moves one past the drop frame).
std::vector<int> shown_frames() {
    std::vector<int> f;
    for (int i = first_shown(kWalkZCycle); i <= last_shown(kWalkCycle); ++i)
        f.push_back(i);
    for (int i : {kStandFrame, kStandUpFrame, kCrouchFrame, kFallFrame, kDropFrame, kDropFrame + 1})
        f.push_back(i);
    for (int i = kJumpFirst; i <= kJumpHigh; i += kJumpFrameStep)
        f.push_back(i);
    return f;
}

class Models : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { ctx_ = std::make_unique<GlContext>(); }
    static void TearDownTestSuite() { ctx_.reset(); }
    static std::unique_ptr<GlContext> ctx_;
};
std::unique_ptr<GlContext> Models::ctx_;

// Structure shared by both files: counts as generated, valid indices,
// parents first, keys of both kinds in increasing time order.
void check_structure(cModel& m, const assetgen::Model& expected, int textureSize) {
    ASSERT_NE(m.model, nullptr);
    ASSERT_EQ(kpModel_GetMeshCount(m.model), static_cast<int>(expected.meshes.size()));
    int triangles = 0;
    const int bones = kpModel_GetBoneCount(m.model);
    EXPECT_EQ(bones, static_cast<int>(expected.bones.size()));
    for (int i = 0; i < kpModel_GetMeshCount(m.model); ++i) {
        kpMesh* mesh = kpModel_GetMeshAt(m.model, i);
        const assetgen::Mesh& want = expected.meshes[i];
        EXPECT_EQ(kpMesh_GetVertexCount(mesh), static_cast<int>(want.vertices.size()));
        EXPECT_EQ(kpMesh_GetVertexNormalCount(mesh), static_cast<int>(want.vertices.size()));
        EXPECT_EQ(kpMesh_GetTriangleCount(mesh), static_cast<int>(want.triangles.size()));
        EXPECT_EQ(kpMesh_GetMaterialIndex(mesh), 0);
        triangles += kpMesh_GetTriangleCount(mesh);
        for (int v = 0; v < kpMesh_GetVertexCount(mesh); ++v) {
            int b = kpMesh_GetVertexAt(mesh, v)->boneIndex;
            ASSERT_TRUE(b >= 0 && b < bones) << "vertex " << v << " bone " << b;
            float n[3];
            kpMesh_GetVertexNormalAt(mesh, v, n);
            EXPECT_NEAR(n[0] * n[0] + n[1] * n[1] + n[2] * n[2], 1.0f, 1e-3f) << "normal " << v;
        }
        for (int t = 0; t < kpMesh_GetTriangleCount(mesh); ++t) {
            uint16_t vi[3], ni[3];
            kpTriangle_GetVertexIndices(kpMesh_GetTriangleAt(mesh, t), vi);
            kpTriangle_GetNormalIndices(kpMesh_GetTriangleAt(mesh, t), ni);
            for (int k = 0; k < 3; ++k) {
                ASSERT_LT(vi[k], kpMesh_GetVertexCount(mesh));
                ASSERT_LT(ni[k], kpMesh_GetVertexNormalCount(mesh));
            }
        }
    }
    EXPECT_EQ(triangles, expected.triangleCount());
    for (int i = 0; i < bones; ++i) {
        kpBone* b = kpModel_GetBoneAt(m.model, i);
        int parent = kpModel_FindBoneByName(m.model, b->parentName);
        if (i == 0)
            EXPECT_EQ(parent, -1);
        else
            EXPECT_TRUE(parent >= 0 && parent < i) << b->name << " parent " << b->parentName;
        EXPECT_EQ(kpBone_GetPositionKeyCount(b) > 0, kpBone_GetRotationKeyCount(b) > 0) << b->name;
        for (int k = 1; k < kpBone_GetPositionKeyCount(b); ++k)
            EXPECT_LT(kpBone_GetPositionKeyAt(b, k - 1)->time, kpBone_GetPositionKeyAt(b, k)->time)
                << b->name << " position key " << k;
        for (int k = 1; k < kpBone_GetRotationKeyCount(b); ++k)
            EXPECT_LT(kpBone_GetRotationKeyAt(b, k - 1)->time, kpBone_GetRotationKeyAt(b, k)->time)
                << b->name << " rotation key " << k;
    }
    ASSERT_EQ(kpModel_GetMaterialCount(m.model), 1);
    ASSERT_NE(m.texture, 0u) << "texture did not load";
    glBindTexture(GL_TEXTURE_2D, m.texture);
    GLint w = 0, h = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &w);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &h);
    EXPECT_EQ(w, textureSize);
    EXPECT_EQ(h, textureSize);
}

TEST_F(Models, TrooperReadsBackAsGenerated) {
    cModel m;
    ASSERT_EQ(m.Read("trooper.txt"), 1);
    assetgen::Model expected = assetgen::make_trooper();
    check_structure(m, expected, 256);
    EXPECT_GE(kpModel_GetBoneCount(m.model), 12);
    EXPECT_GE(expected.triangleCount(), 400);
    EXPECT_GE(kpModel_GetTotalFrames(m.model), kJumpHigh);
    // Every bone is animated, so none is left behind when its parent moves.
    for (int i = 0; i < kpModel_GetBoneCount(m.model); ++i)
        EXPECT_GT(kpBone_GetPositionKeyCount(kpModel_GetBoneAt(m.model, i)), 0);
}

TEST_F(Models, TrooperPosesAreFiniteAtEveryShownFrame) {
    cModel m;
    ASSERT_EQ(m.Read("trooper.txt"), 1);
    for (int f : shown_frames()) {
        set_frame(m, static_cast<float>(f));
        for (int b = 0; b < kpModel_GetBoneCount(m.model); ++b)
            for (int r = 0; r < 3; ++r)
                for (int c = 0; c < 4; ++c)
                    ASSERT_TRUE(std::isfinite(m.xforms[b].final[r][c])) << "frame " << f;
        // The figure stays in one piece: nothing flies off.
        for (const Posed& p : posed(m))
            ASSERT_LT(std::fabs(p.x) + std::fabs(p.y) + std::fabs(p.z), 400.0f) << "frame " << f;
    }
    // The jump's last step runs past its last frame and the game then steps
    // back a loop: the model must hold that frame rather than reset to 0.
    set_frame(m, kJumpHigh);
    m.AdvanceFrame(kJumpFrameStep);
    EXPECT_EQ(m.frame, static_cast<float>(kJumpHigh + kJumpFrameStep));
}

TEST_F(Models, TrooperStandsOnTheGroundAndFacesLeft) {
    cModel m;
    ASSERT_EQ(m.Read("trooper.txt"), 1);
    for (int f : {kStandFrame, kStandUpFrame}) {
        set_frame(m, static_cast<float>(f));
        std::vector<Posed> v = posed(m);
        EXPECT_NEAR(min_y(v), -120.0f, 2.0f) << "frame " << f;
        RecordProperty("feet_" + std::to_string(f), std::to_string(min_y(v)));
    }
    set_frame(m, kStandFrame);
    std::vector<Posed> v = posed(m);
    EXPECT_NEAR(max_y(v) - min_y(v), 240.0f, 12.0f);
    RecordProperty("height_stand", std::to_string(max_y(v) - min_y(v)));
    // Rifle muzzle and boot toes point to -x.
    float rifleMin = 0, rifleMax = 0, footMin = 0;
    for (const Posed& p : v) {
        if (p.bone == assetgen::kRifle) {
            rifleMin = std::min(rifleMin, p.x);
            rifleMax = std::max(rifleMax, p.x);
        }
        if (p.bone == assetgen::kLFoot || p.bone == assetgen::kRFoot)
            footMin = std::min(footMin, p.x);
    }
    EXPECT_LT(rifleMin, -45.0f);
    EXPECT_LT(rifleMin, -rifleMax);
    EXPECT_LT(footMin, -20.0f);
    // Crouching: the game lowers the origin by 80 model units.
    set_frame(m, kCrouchFrame);
    EXPECT_NEAR(min_y(posed(m)), -40.0f, 2.0f);
    RecordProperty("feet_crouch", std::to_string(min_y(posed(m))));
}

// The ground under a walking figure slides back at 2 model units a frame
// (0.25 world units a step at scale 0.125): a boot vertex resting on the
// ground must move with it, neither skating nor sinking.
TEST_F(Models, WalkingFeetDoNotSlide) {
    cModel m;
    ASSERT_EQ(m.Read("trooper.txt"), 1);
    for (const Cycle& c : {kWalkZCycle, kWalkUpCycle, kWalkDownCycle, kWalkCycle}) {
        const int s = first_shown(c);
        double worst = 0;
        int planted = 0;
        for (int f = s; f < last_shown(c); ++f) {
            set_frame(m, static_cast<float>(f));
            std::vector<Posed> a = posed(m);
            set_frame(m, static_cast<float>(f + 1));
            std::vector<Posed> b = posed(m);
            EXPECT_GT(min_y(a), -121.5f) << "frame " << f << " sinks";
            EXPECT_LT(min_y(a), -118.5f) << "frame " << f << " floats";
            for (size_t i = 0; i < a.size(); ++i) {
                if (a[i].y < -119.5f && b[i].y < -119.5f) {
                    ++planted;
                    worst = std::max(worst, std::fabs((b[i].x - a[i].x) - 2.0));
                }
            }
        }
        EXPECT_GT(planted, 100) << "cycle from " << s;
        EXPECT_LT(worst, 0.25) << "cycle from " << s << ": planted vertex slides";
        RecordProperty("slide_" + std::to_string(s), std::to_string(worst));
    }
}

// Where the game wraps a loop (a walk's last shown frame to its first, the
// jump's last to its first) the pose changes no more than between neighbouring
// frames.
TEST_F(Models, LoopsWrapSmoothly) {
    cModel m;
    ASSERT_EQ(m.Read("trooper.txt"), 1);
    auto step = [&](float from, float to) {
        set_frame(m, from);
        std::vector<Posed> a = posed(m);
        set_frame(m, to);
        std::vector<Posed> b = posed(m);
        double worst = 0;
        for (size_t i = 0; i < a.size(); ++i)
            worst = std::max(worst, static_cast<double>(std::hypot(b[i].x - a[i].x, b[i].y - a[i].y,
                                                                   b[i].z - a[i].z)));
        return worst;
    };
    struct Loop {
        int first, last, stride;
    };
    std::vector<Loop> loops = {{kJumpFirst, kJumpHigh, kJumpFrameStep}};
    for (const Cycle& c : {kWalkZCycle, kWalkUpCycle, kWalkDownCycle, kWalkCycle})
        loops.push_back({first_shown(c), last_shown(c), 1});
    for (const Loop& l : loops) {
        double normal = 0;
        for (float f = l.first; f < l.last; f += l.stride)
            normal = std::max(normal, step(f, f + l.stride));
        EXPECT_LE(step(l.last, l.first), normal * 1.25 + 0.5) << "loop " << l.first;
    }
}

TEST_F(Models, BridgeReadsBackWithItsDeckOnTheCellTop) {
    cModel m;
    ASSERT_EQ(m.Read("bridge.txt"), 1);
    check_structure(m, assetgen::make_bridge(), 128);
    set_frame(m, 0);
    std::vector<Posed> v = posed(m);
    float deck = -1e9f, minX = 1e9f, maxX = -1e9f;
    for (const Posed& p : v) {
        // The walking surface: deck height, inside the end posts (hand ropes
        // and posts rise far above it).
        if (std::fabs(p.x) < 70 && p.y < 60)
            deck = std::max(deck, p.y);
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
    }
    EXPECT_NEAR(deck, 40.0f, 1.0f);
    RecordProperty("deck_top", std::to_string(deck));
    EXPECT_NEAR(minX, -80.0f, 1.0f);
    EXPECT_NEAR(maxX, 80.0f, 1.0f);
}

}  // namespace
