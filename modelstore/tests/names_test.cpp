// Bounded name copies in both directions, and the Find rules.
#include <string>

#include "model_fixture.h"

namespace {
const std::string kForty = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abcd";
const char kSentinel = '#';
}  // namespace

TEST_F(ModelTest, SetNameKeepsTheFirst32CharactersWithoutTerminator) {
    kpMesh* mesh = kpModel_GetMeshAt(&model, kpModel_AddMesh(&model));
    kpMesh_SetName(mesh, kForty.c_str());
    EXPECT_EQ(std::string(mesh->name, 32), kForty.substr(0, 32));
    EXPECT_EQ(kpMesh_GetMaterialIndex(mesh), -1);

    // A shorter name afterwards zero-fills the rest of the field.
    kpMesh_SetName(mesh, "arm");
    EXPECT_EQ(std::string(mesh->name, 32), std::string("arm") + std::string(29, '\0'));

    kpBone* bone = kpModel_GetBoneAt(&model, kpModel_AddBone(&model));
    kpBone_SetName(bone, kForty.c_str());
    EXPECT_EQ(field(bone->parentName[0]), '\0');
    kpBone_SetParentName(bone, kForty.c_str());
    EXPECT_EQ(std::string(bone->parentName, 32), kForty.substr(0, 32));
    EXPECT_EQ(field(bone->position[0]), 0.0f);

    kpMaterial* material = kpModel_GetMaterialAt(&model, kpModel_AddMaterial(&model));
    const std::string longFile(300, 'f');
    kpMaterial_SetDiffuseTexture(material, longFile.c_str());
    EXPECT_EQ(std::string(material->diffuseTexture, 256), longFile.substr(0, 256));
    EXPECT_EQ(field(material->alphaTexture[0]), '\0');
    kpMaterial_SetAlphaTexture(material, longFile.c_str());
    EXPECT_EQ(field(material->reserved), 0);
}

TEST_F(ModelTest, GetNameFillsExactlyTheGivenLength) {
    kpMesh* mesh = kpModel_GetMeshAt(&model, kpModel_AddMesh(&model));
    kpMesh_SetName(mesh, "legs");
    char buffer[16];
    std::memset(buffer, kSentinel, sizeof buffer);
    kpMesh_GetName(mesh, buffer, 8);
    EXPECT_EQ(std::string(buffer, 9), std::string("legs\0\0\0\0#", 9));

    std::memset(buffer, kSentinel, sizeof buffer);
    kpMesh_GetName(mesh, buffer, 3);
    EXPECT_EQ(std::string(buffer, 4), "leg#");

    std::memset(buffer, kSentinel, sizeof buffer);
    kpMesh_GetName(mesh, buffer, 0);
    kpMesh_GetName(mesh, buffer, -5);
    EXPECT_EQ(buffer[0], kSentinel);
}

// A full field has no terminating zero; reading it must stop at the field.
TEST_F(ModelTest, GetNameOfAFullFieldStopsAtTheField) {
    kpMesh* mesh = kpModel_GetMeshAt(&model, kpModel_AddMesh(&model));
    kpMesh_SetName(mesh, kForty.c_str());
    char buffer[64];
    std::memset(buffer, kSentinel, sizeof buffer);
    kpMesh_GetName(mesh, buffer, 64);
    EXPECT_EQ(std::string(buffer, 64), kForty.substr(0, 32) + std::string(32, '\0'));

    kpMaterial* material = kpModel_GetMaterialAt(&model, kpModel_AddMaterial(&model));
    kpMaterial_SetDiffuseTexture(material, std::string(256, 'd').c_str());
    kpMaterial_SetAlphaTexture(material, "alpha.png");
    char file[300];
    kpMaterial_GetDiffuseTexture(material, file, 300);
    EXPECT_EQ(std::string(file, 300), std::string(256, 'd') + std::string(44, '\0'));
    kpMaterial_GetAlphaTexture(material, file, 300);
    EXPECT_STREQ(file, "alpha.png");
    kpMaterial_SetName(material, "skin");
    kpMaterial_GetName(material, file, 5);
    EXPECT_STREQ(file, "skin");

    kpBone* bone = kpModel_GetBoneAt(&model, kpModel_AddBone(&model));
    kpBone_SetName(bone, "hip");
    kpBone_SetParentName(bone, "root");
    kpBone_GetParentName(bone, file, 32);
    EXPECT_STREQ(file, "root");
    kpBone_GetName(bone, file, 32);
    EXPECT_STREQ(file, "hip");
}

TEST_F(ModelTest, FindOnAnEmptyModelAnswersMinusOne) {
    EXPECT_EQ(kpModel_GetMeshCount(&model), 0);
    EXPECT_EQ(kpModel_GetMaterialCount(&model), 0);
    EXPECT_EQ(kpModel_GetBoneCount(&model), 0);
    EXPECT_EQ(kpModel_FindMeshByName(&model, ""), -1);
    EXPECT_EQ(kpModel_FindMaterialByName(&model, "skin"), -1);
    EXPECT_EQ(kpModel_FindBoneByName(&model, ""), -1);
}

TEST_F(ModelTest, FindMatchesWholeNamesCaseSensitivelyFromTheStart) {
    const char* names[] = {"Spine", "spine", "", "Spine", "Spine1"};
    for (const char* name : names) {
        kpBone_SetName(kpModel_GetBoneAt(&model, kpModel_AddBone(&model)), name);
        kpMesh_SetName(kpModel_GetMeshAt(&model, kpModel_AddMesh(&model)), name);
        kpMaterial_SetName(kpModel_GetMaterialAt(&model, kpModel_AddMaterial(&model)), name);
    }
    EXPECT_EQ(kpModel_FindBoneByName(&model, "Spine"), 0);
    EXPECT_EQ(kpModel_FindBoneByName(&model, "spine"), 1);
    EXPECT_EQ(kpModel_FindBoneByName(&model, "SPINE"), -1);
    EXPECT_EQ(kpModel_FindBoneByName(&model, ""), 2);
    EXPECT_EQ(kpModel_FindBoneByName(&model, "Spine1"), 4);
    EXPECT_EQ(kpModel_FindBoneByName(&model, "Spin"), -1);
    EXPECT_EQ(kpModel_FindMeshByName(&model, "Spine1"), 4);
    EXPECT_EQ(kpModel_FindMeshByName(&model, "spine"), 1);
    EXPECT_EQ(kpModel_FindMaterialByName(&model, ""), 2);
    EXPECT_EQ(kpModel_FindMaterialByName(&model, "Spine12"), -1);

    // Callers look parents up by the address of a bone's parentName field.
    kpBone* child = kpModel_GetBoneAt(&model, kpModel_AddBone(&model));
    kpBone_SetParentName(child, "Spine1");
    EXPECT_EQ(kpModel_FindBoneByName(&model, child->parentName), 4);
}

TEST_F(ModelTest, FindComparesAFullFieldWithoutReadingPastIt) {
    kpMesh* mesh = kpModel_GetMeshAt(&model, kpModel_AddMesh(&model));
    kpMesh_SetName(mesh, kForty.c_str());
    EXPECT_EQ(kpModel_FindMeshByName(&model, kForty.substr(0, 32).c_str()), 0);
    EXPECT_EQ(kpModel_FindMeshByName(&model, kForty.c_str()), -1);
    EXPECT_EQ(kpModel_FindMeshByName(&model, kForty.substr(0, 31).c_str()), -1);
}
