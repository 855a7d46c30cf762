// Destroying models, meshes and bones, and reusing them afterwards.
#include "model_fixture.h"

namespace {
// A model with a mesh of every kind of element, a material and a keyed bone.
void fill(kpModel* model) {
    const float zero[3] = {0, 0, 0};
    for (int m = 0; m < 9; m++) {
        kpMesh* mesh = kpModel_GetMeshAt(model, kpModel_AddMesh(model));
        for (int i = 0; i < 300; i++) {
            kpMesh_AddVertex(mesh);
            kpMesh_AddVertexNormal(mesh);
            kpMesh_AddTriangle(mesh);
        }
    }
    kpModel_AddMaterial(model);
    for (int b = 0; b < 33; b++) {
        kpBone* bone = kpModel_GetBoneAt(model, kpModel_AddBone(model));
        for (int k = 0; k < 40; k++) {
            kpBone_AddPositionKey(bone, float(k), zero);
            kpBone_AddRotationKey(bone, float(k), zero);
        }
    }
    kpModel_SetFrame(model, 3);
    kpModel_SetTotalFrames(model, 60);
}
}  // namespace

TEST_F(ModelTest, DestroyEmptiesTheRecordForReuse) {
    kpModel zero;
    std::memset(&zero, 0, sizeof zero);
    kpModel_Destroy(&model);
    EXPECT_EQ(std::memcmp(&model, &zero, sizeof zero), 0);

    for (int round = 0; round < 2; round++) {
        fill(&model);
        const float placed[3] = {4, 5, 6};
        kpModel_SetPosition(&model, placed);
        kpModel_Destroy(&model);
        EXPECT_EQ(std::memcmp(&model, &zero, sizeof zero), 0) << "round " << round;
    }
    EXPECT_EQ(kpModel_AddMesh(&model), 0);
    EXPECT_EQ(field(model.meshCapacity), 8);
    EXPECT_EQ(field(kpModel_GetMeshAt(&model, 0)->materialIndex), -1);
}

TEST_F(ModelTest, MeshDestroyZeroesTheMeshAndItCanFillAgain) {
    fill(&model);
    kpMesh* mesh = kpModel_GetMeshAt(&model, 4);
    kpMesh_SetName(mesh, "torso");
    kpMesh_Destroy(mesh);
    kpMesh zero;
    std::memset(&zero, 0, sizeof zero);
    EXPECT_EQ(std::memcmp(mesh, &zero, sizeof zero), 0);
    EXPECT_EQ(kpMesh_AddVertex(mesh), 0);
    EXPECT_EQ(field(mesh->vertexCapacity), 256);
    EXPECT_EQ(kpModel_GetMeshCount(&model), 9);
}

TEST_F(ModelTest, BoneDestroyStartsFreshKeyLists) {
    fill(&model);
    kpBone* bone = kpModel_GetBoneAt(&model, 32);
    kpBone_SetName(bone, "hand");
    kpBone_Destroy(bone);
    EXPECT_EQ(field(bone->positionKeys), nullptr);
    EXPECT_EQ(field(bone->rotationKeys), nullptr);
    EXPECT_EQ(kpBone_GetPositionKeyCount(bone), 0);
    EXPECT_EQ(kpBone_GetRotationKeyCount(bone), 0);
    EXPECT_EQ(field(bone->positionKeyCapacity), 0);
    EXPECT_STREQ(bone->name, "hand");

    const float angles[3] = {0.1f, 0.2f, 0.3f};
    EXPECT_EQ(kpBone_AddRotationKey(bone, 2.0f, angles), 0);
    EXPECT_EQ(field(bone->rotationKeyCapacity), 32);
    EXPECT_EQ(field(kpBone_GetRotationKeyAt(bone, 0)->key[2]), 0.3f);
    EXPECT_EQ(kpBone_AddPositionKey(bone, 1.0f, angles), 0);
}
