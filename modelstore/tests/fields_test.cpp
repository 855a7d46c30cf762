// Initial values of new elements, narrow fields and which field each Set fills.
#include "model_fixture.h"

namespace {
bool all_zero(const void* bytes, size_t size) {
    const unsigned char* p = static_cast<const unsigned char*>(bytes);
    for (size_t i = 0; i < size; i++) {
        if (p[i] != 0) {
            return false;
        }
    }
    return true;
}
}  // namespace

TEST_F(ModelTest, NewElementsStartWithTheirInitialValues) {
    kpMesh* mesh = kpModel_GetMeshAt(&model, kpModel_AddMesh(&model));
    EXPECT_EQ(kpMesh_GetMaterialIndex(mesh), -1);
    EXPECT_EQ(kpMesh_GetFlags(mesh), 0);
    EXPECT_EQ(field(mesh->name[0]), '\0');
    EXPECT_EQ(field(mesh->vertices), nullptr);

    kpVertex* vertex = kpMesh_GetVertexAt(mesh, kpMesh_AddVertex(mesh));
    EXPECT_EQ(kpVertex_GetBoneIndex(vertex), -1);
    EXPECT_TRUE(all_zero(vertex, offsetof(kpVertex, boneIndex)));

    kpTriangle* triangle = kpMesh_GetTriangleAt(mesh, kpMesh_AddTriangle(mesh));
    float normal[3];
    std::memcpy(normal, triangle->normal, sizeof normal);
    EXPECT_EQ(normal[0], 0.0f);
    EXPECT_EQ(normal[1], 0.0f);
    EXPECT_EQ(normal[2], 1.0f);
    EXPECT_EQ(kpTriangle_GetSmoothingGroup(triangle), 1);
    EXPECT_EQ(kpTriangle_GetFlags(triangle), 0);
    EXPECT_TRUE(all_zero(triangle, offsetof(kpTriangle, normal)));

    kpMesh_AddVertexNormal(mesh);
    kpMesh_GetVertexNormalAt(mesh, 0, normal);
    EXPECT_EQ(normal[0], 0.0f);
    EXPECT_EQ(normal[1], 0.0f);
    EXPECT_EQ(normal[2], 0.0f);

    kpMaterial* material = kpModel_GetMaterialAt(&model, kpModel_AddMaterial(&model));
    EXPECT_EQ(kpMaterial_GetTransparency(material), 1.0f);
    EXPECT_TRUE(all_zero(material, offsetof(kpMaterial, transparency)));
    EXPECT_TRUE(all_zero(material->diffuseTexture,
                         sizeof(kpMaterial) - offsetof(kpMaterial, diffuseTexture)));

    kpBone* bone = kpModel_GetBoneAt(&model, kpModel_AddBone(&model));
    EXPECT_TRUE(all_zero(bone, sizeof *bone));
}

TEST_F(ModelTest, NarrowFieldsKeepTheirLowBitsAndSignExtend) {
    kpMesh* mesh = kpModel_GetMeshAt(&model, kpModel_AddMesh(&model));
    kpVertex* vertex = kpMesh_GetVertexAt(mesh, kpMesh_AddVertex(mesh));
    EXPECT_EQ(kpVertex_SetBoneIndex(vertex, 200), -1);
    EXPECT_EQ(kpVertex_GetBoneIndex(vertex), -56);
    EXPECT_EQ(field(vertex->boneIndex), -56);
    EXPECT_EQ(kpVertex_SetBoneIndex(vertex, 127), -56);
    EXPECT_EQ(kpVertex_SetBoneIndex(vertex, 0x1FF), 127);
    EXPECT_EQ(kpVertex_GetBoneIndex(vertex), -1);

    kpMesh_SetMaterialIndex(mesh, 128);
    EXPECT_EQ(kpMesh_GetMaterialIndex(mesh), -128);
    kpMesh_SetMaterialIndex(mesh, 3);
    EXPECT_EQ(kpMesh_GetMaterialIndex(mesh), 3);

    kpMesh_SetFlags(mesh, 0x1AB);
    EXPECT_EQ(kpMesh_GetFlags(mesh), 0xAB);
    kpVertex_SetFlags(vertex, 300);
    EXPECT_EQ(kpVertex_GetFlags(vertex), 44);
    kpTriangle* triangle = kpMesh_GetTriangleAt(mesh, kpMesh_AddTriangle(mesh));
    kpTriangle_SetFlags(triangle, 0x12345);
    EXPECT_EQ(kpTriangle_GetFlags(triangle), 0x2345);
    kpTriangle_SetSmoothingGroup(triangle, 258);
    EXPECT_EQ(kpTriangle_GetSmoothingGroup(triangle), 2);
    kpBone* bone = kpModel_GetBoneAt(&model, kpModel_AddBone(&model));
    kpBone_SetFlags(bone, -7);
    EXPECT_EQ(kpBone_GetFlags(bone), -7);
}

TEST_F(ModelTest, FrameSettersReturnThePreviousValue) {
    EXPECT_EQ(kpModel_SetFrame(&model, 12), 0);
    EXPECT_EQ(kpModel_SetFrame(&model, 5), 12);
    EXPECT_EQ(kpModel_GetFrame(&model), 5);
    EXPECT_EQ(kpModel_SetTotalFrames(&model, 40), 0);
    EXPECT_EQ(kpModel_SetTotalFrames(&model, 41), 40);
    EXPECT_EQ(field(model.totalFrames), 41);
}

// Callers read these fields straight through the record, so each Set must
// land in its own field and nowhere else.
TEST_F(ModelTest, SettersFillTheFieldsCallersReadDirectly) {
    kpMaterial* material = kpModel_GetMaterialAt(&model, kpModel_AddMaterial(&model));
    const float ambient[4] = {0.1f, 0.2f, 0.3f, 0.4f}, diffuse[4] = {1, 2, 3, 4};
    const float specular[4] = {5, 6, 7, 8}, emissive[4] = {9, 10, 11, 12};
    kpMaterial_SetAmbient(material, ambient);
    kpMaterial_SetDiffuse(material, diffuse);
    kpMaterial_SetSpecular(material, specular);
    kpMaterial_SetEmissive(material, emissive);
    kpMaterial_SetShininess(material, 32.0f);
    float colors[4][4];
    std::memcpy(colors, material->ambient, sizeof colors);
    EXPECT_EQ(colors[0][3], 0.4f);
    EXPECT_EQ(colors[1][0], 1.0f);
    EXPECT_EQ(colors[2][1], 6.0f);
    EXPECT_EQ(colors[3][3], 12.0f);
    EXPECT_EQ(kpMaterial_GetShininess(material), 32.0f);
    EXPECT_EQ(kpMaterial_GetTransparency(material), 1.0f);

    kpBone* bone = kpModel_GetBoneAt(&model, kpModel_AddBone(&model));
    const float position[3] = {1, 2, 3}, rotation[3] = {0.5f, -0.5f, 1.5f};
    kpBone_SetPosition(bone, position);
    kpBone_SetRotation(bone, rotation);
    float pose[6];
    std::memcpy(pose, bone->position, sizeof pose);
    EXPECT_EQ(pose[2], 3.0f);
    EXPECT_EQ(pose[3], 0.5f);
    EXPECT_EQ(pose[5], 1.5f);
    EXPECT_EQ(field(bone->positionKeyCount), 0);

    kpMesh* mesh = kpModel_GetMeshAt(&model, kpModel_AddMesh(&model));
    kpVertex* vertex = kpMesh_GetVertexAt(mesh, kpMesh_AddVertex(mesh));
    const float uv[2] = {0.25f, 0.75f};
    kpVertex_SetTexCoords(vertex, uv);
    kpVertex_SetVertex(vertex, position);
    float stored[5];
    std::memcpy(stored, vertex->vertex, sizeof stored);
    EXPECT_EQ(stored[2], 3.0f);
    EXPECT_EQ(stored[3], 0.25f);
    EXPECT_EQ(stored[4], 0.75f);
    EXPECT_EQ(kpVertex_GetBoneIndex(vertex), -1);

    kpTriangle* triangle = kpMesh_GetTriangleAt(mesh, kpMesh_AddTriangle(mesh));
    const uint16_t corners[3] = {7, 8, 65535}, normals[3] = {1, 2, 3};
    kpTriangle_SetVertexIndices(triangle, corners);
    kpTriangle_SetNormalIndices(triangle, normals);
    uint16_t out[3];
    kpTriangle_GetVertexIndices(triangle, out);
    EXPECT_EQ(out[2], 65535);
    kpTriangle_GetNormalIndices(triangle, out);
    EXPECT_EQ(out[0], 1);
    EXPECT_EQ(kpTriangle_GetSmoothingGroup(triangle), 1);

    kpMesh_AddVertexNormal(mesh);
    kpMesh_AddVertexNormal(mesh);
    kpMesh_SetVertexNormalAt(mesh, 1, rotation);
    float normal[3];
    kpMesh_GetVertexNormalAt(mesh, 0, normal);
    EXPECT_EQ(normal[0], 0.0f);
    kpMesh_GetVertexNormalAt(mesh, 1, normal);
    EXPECT_EQ(normal[1], -0.5f);

    kpModel_SetPosition(&model, position);
    kpModel_SetRotation(&model, rotation);
    float placement[3];
    kpModel_GetRotation(&model, placement);
    EXPECT_EQ(placement[2], 1.5f);
    kpModel_GetPosition(&model, placement);
    EXPECT_EQ(placement[0], 1.0f);
}
