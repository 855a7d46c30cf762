// Growth when memory cannot be had: the Add answers -1 and the list is left
// as it was. The library sources are built into this test with an allocator
// that can be told to fail.
#include <cstdlib>

#include "model_fixture.h"

namespace {
bool fail_next = false;
}

extern "C" void* kp_test_realloc(void* list, size_t size) {
    if (fail_next) {
        fail_next = false;
        return nullptr;
    }
    return std::realloc(list, size);
}

TEST(AllocationFailure, AddLeavesTheListAsItWas) {
    kpModel model;
    std::memset(&model, 0, sizeof model);
    fail_next = true;
    EXPECT_EQ(kpModel_AddMesh(&model), -1);
    EXPECT_EQ(field(model.meshCount), 0);
    EXPECT_EQ(field(model.meshCapacity), 0);
    EXPECT_EQ(field(model.meshes), nullptr);

    for (int i = 0; i < 8; i++) {
        ASSERT_EQ(kpModel_AddMesh(&model), i);
    }
    kpMesh* meshes = model.meshes;
    kpMesh_SetName(&meshes[7], "last");
    fail_next = true;
    EXPECT_EQ(kpModel_AddMesh(&model), -1);
    EXPECT_EQ(field(model.meshCount), 8);
    EXPECT_EQ(field(model.meshCapacity), 8);
    EXPECT_EQ(field(model.meshes), meshes);
    EXPECT_EQ(kpModel_FindMeshByName(&model, "last"), 7);
    EXPECT_EQ(kpModel_AddMesh(&model), 8);

    kpMesh* mesh = kpModel_GetMeshAt(&model, 0);
    for (int i = 0; i < 256; i++) {
        ASSERT_EQ(kpMesh_AddTriangle(mesh), i);
    }
    fail_next = true;
    EXPECT_EQ(kpMesh_AddTriangle(mesh), -1);
    EXPECT_EQ(field(mesh->triangleCount), 256);
    EXPECT_EQ(field(mesh->triangleCapacity), 256);
    fail_next = true;
    EXPECT_EQ(kpMesh_AddVertex(mesh), -1);
    EXPECT_EQ(field(mesh->vertices), nullptr);

    kpBone* bone = kpModel_GetBoneAt(&model, kpModel_AddBone(&model));
    const float key[3] = {1, 2, 3};
    fail_next = true;
    EXPECT_EQ(kpBone_AddRotationKey(bone, 0.0f, key), -1);
    EXPECT_EQ(field(bone->rotationKeyCapacity), 0);
    EXPECT_EQ(kpBone_AddRotationKey(bone, 0.0f, key), 0);
    kpModel_Destroy(&model);
}
