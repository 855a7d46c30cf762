// List growth: fixed steps, kept contents, the 16-bit ceiling.
#include <climits>
#include <string>

#include "model_fixture.h"

TEST_F(ModelTest, MeshListGrowsByEightAndKeepsEarlierMeshes) {
    EXPECT_EQ(kpModel_AddMesh(&model), 0);
    EXPECT_EQ(field(model.meshCapacity), 8);
    kpMesh_SetName(kpModel_GetMeshAt(&model, 0), "mesh0");
    for (int i = 1; i < 8; i++) {
        ASSERT_EQ(kpModel_AddMesh(&model), i);
        kpMesh_SetName(kpModel_GetMeshAt(&model, i), ("mesh" + std::to_string(i)).c_str());
    }
    EXPECT_EQ(field(model.meshCapacity), 8);
    EXPECT_EQ(kpModel_AddMesh(&model), 8);
    EXPECT_EQ(field(model.meshCapacity), 16);
    EXPECT_EQ(kpModel_GetMeshCount(&model), 9);
    for (int i = 0; i < 8; i++) {
        EXPECT_STREQ(kpModel_GetMeshAt(&model, i)->name, ("mesh" + std::to_string(i)).c_str());
    }
}

TEST_F(ModelTest, MaterialBoneAndKeyListsGrowInTheirOwnSteps) {
    for (int i = 0; i < 9; i++) {
        ASSERT_EQ(kpModel_AddMaterial(&model), i);
    }
    EXPECT_EQ(field(model.materialCapacity), 16);
    for (int i = 0; i < 32; i++) {
        ASSERT_EQ(kpModel_AddBone(&model), i);
    }
    EXPECT_EQ(field(model.boneCapacity), 32);
    EXPECT_EQ(kpModel_AddBone(&model), 32);
    EXPECT_EQ(field(model.boneCapacity), 64);

    kpBone* bone = kpModel_GetBoneAt(&model, 3);
    for (int i = 0; i < 33; i++) {
        const float at[3] = {float(i), 2.0f * i, -1.0f};
        ASSERT_EQ(kpBone_AddPositionKey(bone, 0.5f * i, at), i);
        ASSERT_EQ(kpBone_AddRotationKey(bone, 0.25f * i, at), i);
    }
    EXPECT_EQ(field(bone->positionKeyCapacity), 64);
    EXPECT_EQ(field(bone->rotationKeyCapacity), 64);
    EXPECT_EQ(kpBone_GetPositionKeyCount(bone), 33);
    kpPositionKey* early = kpBone_GetPositionKeyAt(bone, 31);
    EXPECT_EQ(field(early->time), 15.5f);
    EXPECT_EQ(field(early->key[1]), 62.0f);
    EXPECT_EQ(field(kpBone_GetRotationKeyAt(bone, 32)->time), 8.0f);
}

TEST_F(ModelTest, MeshElementListsGrowBy256AndKeepContents) {
    kpMesh* mesh = kpModel_GetMeshAt(&model, kpModel_AddMesh(&model));
    const float first[3] = {1.5f, -2.0f, 3.25f};
    for (int i = 0; i < 256; i++) {
        ASSERT_EQ(kpMesh_AddVertex(mesh), i);
        ASSERT_EQ(kpMesh_AddVertexNormal(mesh), i);
        ASSERT_EQ(kpMesh_AddTriangle(mesh), i);
    }
    kpVertex_SetVertex(kpMesh_GetVertexAt(mesh, 0), first);
    kpMesh_SetVertexNormalAt(mesh, 255, first);
    kpTriangle_SetSmoothingGroup(kpMesh_GetTriangleAt(mesh, 100), 7);
    EXPECT_EQ(field(mesh->vertexCapacity), 256);

    EXPECT_EQ(kpMesh_AddVertex(mesh), 256);
    EXPECT_EQ(kpMesh_AddVertexNormal(mesh), 256);
    EXPECT_EQ(kpMesh_AddTriangle(mesh), 256);
    EXPECT_EQ(field(mesh->vertexCapacity), 512);
    EXPECT_EQ(field(mesh->normalCapacity), 512);
    EXPECT_EQ(field(mesh->triangleCapacity), 512);
    EXPECT_EQ(kpMesh_GetVertexCount(mesh), 257);

    float out[3];
    kpVertex_GetVertex(kpMesh_GetVertexAt(mesh, 0), out);
    EXPECT_EQ(out[2], 3.25f);
    kpMesh_GetVertexNormalAt(mesh, 255, out);
    EXPECT_EQ(out[0], 1.5f);
    EXPECT_EQ(kpTriangle_GetSmoothingGroup(kpMesh_GetTriangleAt(mesh, 100)), 7);
}

// 65,280 is the last multiple of 256 that a 16-bit capacity holds.
TEST_F(ModelTest, MeshElementListsRefuseToGrowPast65280) {
    kpMesh* mesh = kpModel_GetMeshAt(&model, kpModel_AddMesh(&model));
    for (int i = 0; i < KP_MAX_MESH_LIST; i++) {
        ASSERT_EQ(kpMesh_AddVertex(mesh), i);
        ASSERT_EQ(kpMesh_AddVertexNormal(mesh), i);
        ASSERT_EQ(kpMesh_AddTriangle(mesh), i);
    }
    kpVertex* vertices = mesh->vertices;
    EXPECT_EQ(kpMesh_AddVertex(mesh), -1);
    EXPECT_EQ(kpMesh_AddVertexNormal(mesh), -1);
    EXPECT_EQ(kpMesh_AddTriangle(mesh), -1);
    EXPECT_EQ(kpMesh_GetVertexCount(mesh), 65280);
    EXPECT_EQ(kpMesh_GetVertexNormalCount(mesh), 65280);
    EXPECT_EQ(kpMesh_GetTriangleCount(mesh), 65280);
    EXPECT_EQ(field(mesh->vertexCapacity), 65280);
    EXPECT_EQ(field(mesh->normalCapacity), 65280);
    EXPECT_EQ(field(mesh->triangleCapacity), 65280);
    EXPECT_EQ(field(mesh->vertices), vertices);
    EXPECT_EQ(kpVertex_GetBoneIndex(kpMesh_GetVertexAt(mesh, 65279)), -1);
}

// A 32-bit list whose capacity cannot take one more step is left alone.
TEST(ListLimits, FullInt32ListsRefuseToGrow) {
    kpBone keysFull;
    std::memset(&keysFull, 0, sizeof keysFull);
    kpPositionKey onlyKey[1];
    keysFull.positionKeyCount = keysFull.positionKeyCapacity = INT32_MAX - 3;
    keysFull.positionKeys = onlyKey;
    const float at[3] = {1, 2, 3};
    EXPECT_EQ(kpBone_AddPositionKey(&keysFull, 1.0f, at), -1);
    EXPECT_EQ(field(keysFull.positionKeyCount), INT32_MAX - 3);
    EXPECT_EQ(field(keysFull.positionKeyCapacity), INT32_MAX - 3);
    EXPECT_EQ(field(keysFull.positionKeys), onlyKey);

    kpModel meshesFull;
    std::memset(&meshesFull, 0, sizeof meshesFull);
    kpMesh onlyMesh[1];
    meshesFull.meshCount = meshesFull.meshCapacity = INT32_MAX - 7;
    meshesFull.meshes = onlyMesh;
    EXPECT_EQ(kpModel_AddMesh(&meshesFull), -1);
    EXPECT_EQ(field(meshesFull.meshCapacity), INT32_MAX - 7);
    EXPECT_EQ(field(meshesFull.meshes), onlyMesh);
}
