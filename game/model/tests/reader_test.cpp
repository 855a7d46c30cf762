#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "model/model.h"
#include "model_files.h"

namespace {

const char kWellFormed[] =
    "// Reader test model\n"
    "Frames: 30\n"
    "Frame: 2\n"
    "\n"
    "Meshes: 2\n"
    "\"Body\" 300 200\n"
    "3\n"
    "257 0 0 0 0.25 0.5 -1\n"
    "0 0 3 0 0.5 0.75 0\n"
    "0 4 0 -2 1 1 -1\n"
    "2\n"
    "0 0 2\n"
    "3 0 4\n"
    "1\n"
    "70000 0 1 2 0 1 1 258\n"
    "\"Arm\" 1 -1\n"
    "1\n"
    "0 -7 1 9 0 0 1\n"
    "1\n"
    "0 0 0\n"
    "0\n"
    "Materials: 1\n"
    "\"Skin\"\n"
    "0.1 0.2 0.3 1\n"
    "0.4 0.5 0.6 1\n"
    "0.7 0.8 0.9 1\n"
    "0 0 0 1\n"
    "20\n"
    "0.5\n"
    "\"nosuch.png\"\n"
    "\"alpha.png\"\n"
    "Bones: 2\n"
    "\"Root\"\n"
    "\"\"\n"
    "-5 0 0 0 0 0 0\n"
    "1\n"
    "0 1 2 3\n"
    "1\n"
    "0 0 0 0.5\n"
    "\"Child\"\n"
    "\"Root\"\n"
    "7 0 0 0 0 0 0\n"
    "0\n"
    "0\n";

std::string mesh_name(kpMesh* mesh) {
    char name[33] = {};
    kpMesh_GetName(mesh, name, 32);
    return name;
}

std::string bone_name(kpBone* bone) {
    char name[33] = {};
    kpBone_GetName(bone, name, 32);
    return name;
}

// A mesh block of one unbound vertex, no normals and no triangles.
std::string small_mesh(const std::string& name) {
    return "\"" + name + "\" 0 0\n1\n0 1 2 3 0 0 -1\n0\n0\n";
}

const char kOneBone[] = "Bones: 1\n\"B\"\n\"\"\n0 0 0 0 0 0 0\n0\n0\n";

}  // namespace

TEST(ModelReader, WellFormedModelReadsBackFieldByField) {
    ModelFiles files;
    cModel m;
    m.texture = 99;
    ASSERT_EQ(m.Read(files.Write("model.txt", kWellFormed).c_str()), 1);
    ASSERT_NE(m.model, nullptr);
    ASSERT_NE(m.xforms, nullptr);
    EXPECT_EQ(m.model->totalFrames, 30);
    EXPECT_EQ(m.model->frame, 2);
    EXPECT_EQ(m.frame, 2.0f);
    EXPECT_EQ(m.texture, 0u);  // the image does not exist

    EXPECT_EQ(m.mins[0], -7.0f);
    EXPECT_EQ(m.mins[1], 0.0f);
    EXPECT_EQ(m.mins[2], -2.0f);
    EXPECT_EQ(m.maxs[0], 4.0f);
    EXPECT_EQ(m.maxs[1], 3.0f);
    EXPECT_EQ(m.maxs[2], 9.0f);

    ASSERT_EQ(kpModel_GetMeshCount(m.model), 2);
    kpMesh* body = kpModel_GetMeshAt(m.model, 0);
    EXPECT_EQ(mesh_name(body), "Body");
    EXPECT_EQ(kpMesh_GetFlags(body), 44);           // 300 cut to 8 bits
    EXPECT_EQ(kpMesh_GetMaterialIndex(body), -56);  // 200 as signed 8 bits
    ASSERT_EQ(kpMesh_GetVertexCount(body), 3);
    kpVertex* v0 = kpMesh_GetVertexAt(body, 0);
    EXPECT_EQ(kpVertex_GetFlags(v0), 1);
    EXPECT_EQ(kpVertex_GetBoneIndex(v0), -1);
    float uv[2], p[3];
    kpVertex_GetTexCoords(v0, uv);
    EXPECT_EQ(uv[0], 0.25f);
    EXPECT_EQ(uv[1], 0.5f);
    vertex_position(body, 1, p);
    EXPECT_EQ(p[1], 3.0f);
    EXPECT_EQ(kpVertex_GetBoneIndex(kpMesh_GetVertexAt(body, 1)), 0);

    ASSERT_EQ(kpMesh_GetVertexNormalCount(body), 2);
    float n[3];
    kpMesh_GetVertexNormalAt(body, 0, n);
    EXPECT_FLOAT_EQ(n[2], 1.0f);
    kpMesh_GetVertexNormalAt(body, 1, n);
    EXPECT_FLOAT_EQ(n[0], 0.6f);
    EXPECT_FLOAT_EQ(n[2], 0.8f);

    ASSERT_EQ(kpMesh_GetTriangleCount(body), 1);
    kpTriangle* t = kpMesh_GetTriangleAt(body, 0);
    EXPECT_EQ(kpTriangle_GetFlags(t), 70000 & 0xFFFF);
    EXPECT_EQ(kpTriangle_GetSmoothingGroup(t), 2);
    uint16_t vi[3], ni[3];
    kpTriangle_GetVertexIndices(t, vi);
    kpTriangle_GetNormalIndices(t, ni);
    EXPECT_EQ(vi[0], 0);
    EXPECT_EQ(vi[2], 2);
    EXPECT_EQ(ni[1], 1);
    // -((P0 - P1) x (P2 - P1)) normalised, P0 (0,0,0), P1 (0,3,0), P2 (4,0,-2).
    float face[3];
    std::memcpy(face, reinterpret_cast<const char*>(t) + offsetof(kpTriangle, normal), sizeof face);
    EXPECT_NEAR(face[0], -1 / std::sqrt(5.0f), 1e-6f);
    EXPECT_NEAR(face[1], 0.0f, 1e-6f);
    EXPECT_NEAR(face[2], -2 / std::sqrt(5.0f), 1e-6f);

    kpMesh* arm = kpModel_GetMeshAt(m.model, 1);
    EXPECT_EQ(mesh_name(arm), "Arm");
    EXPECT_EQ(kpMesh_GetMaterialIndex(arm), -1);
    kpMesh_GetVertexNormalAt(arm, 0, n);  // a zero normal stays zero
    EXPECT_EQ(n[0], 0.0f);
    EXPECT_EQ(n[1], 0.0f);
    EXPECT_EQ(n[2], 0.0f);
    EXPECT_EQ(kpMesh_GetTriangleCount(arm), 0);

    ASSERT_EQ(kpModel_GetMaterialCount(m.model), 1);
    kpMaterial* mat = kpModel_GetMaterialAt(m.model, 0);
    char text[257] = {};
    kpMaterial_GetName(mat, text, 32);
    EXPECT_STREQ(text, "Skin");
    float color[4];
    kpMaterial_GetDiffuse(mat, color);
    EXPECT_FLOAT_EQ(color[0], 0.4f);
    kpMaterial_GetSpecular(mat, color);
    EXPECT_FLOAT_EQ(color[2], 0.9f);
    EXPECT_EQ(kpMaterial_GetShininess(mat), 20.0f);
    EXPECT_EQ(kpMaterial_GetTransparency(mat), 1.0f);  // 0.5 in the file
    kpMaterial_GetDiffuseTexture(mat, text, 256);
    EXPECT_STREQ(text, "nosuch.png");
    kpMaterial_GetAlphaTexture(mat, text, 256);
    EXPECT_STREQ(text, "alpha.png");

    ASSERT_EQ(kpModel_GetBoneCount(m.model), 2);
    kpBone* root = kpModel_GetBoneAt(m.model, 0);
    kpBone* child = kpModel_GetBoneAt(m.model, 1);
    EXPECT_EQ(bone_name(root), "Root");
    EXPECT_EQ(root->parentName[0], '\0');
    EXPECT_EQ(kpBone_GetFlags(root), -5);
    EXPECT_EQ(bone_name(child), "Child");
    EXPECT_STREQ(child->parentName, "Root");
    ASSERT_EQ(kpBone_GetPositionKeyCount(root), 1);
    EXPECT_EQ(kpBone_GetPositionKeyAt(root, 0)->key[2], 3.0f);
    ASSERT_EQ(kpBone_GetRotationKeyCount(root), 1);
    EXPECT_EQ(kpBone_GetRotationKeyAt(root, 0)->key[2], 0.5f);
    EXPECT_EQ(kpBone_GetPositionKeyCount(child), 0);
}

TEST(ModelReader, CommentsAndBlankLinesGiveEmptyModel) {
    ModelFiles files;
    cModel m;
    m.frame = 5;
    ASSERT_EQ(m.Read(files.Write("m.txt", "// a comment\n\n//Meshes: 3\n   \nhello\n").c_str()), 1);
    ASSERT_NE(m.model, nullptr);
    EXPECT_EQ(kpModel_GetMeshCount(m.model), 0);
    EXPECT_EQ(kpModel_GetMaterialCount(m.model), 0);
    EXPECT_EQ(kpModel_GetBoneCount(m.model), 0);
    EXPECT_EQ(m.frame, 0.0f);
}

TEST(ModelReader, KeywordNeedsFirstColumnButNoBlankAfterColon) {
    ModelFiles files;
    cModel m;
    ASSERT_EQ(m.Read(files.Write("a.txt", "Frames:30\nFrame:\t4\n").c_str()), 1);
    EXPECT_EQ(m.model->totalFrames, 30);
    EXPECT_EQ(m.model->frame, 4);
    ASSERT_EQ(m.Read(files.Write("b.txt", " Frames: 30\nframes: 9\nFrames 8\n").c_str()), 1);
    EXPECT_EQ(m.model->totalFrames, 0);
}

TEST(ModelReader, MissingFileReturnsZeroAndKeepsModel) {
    ModelFiles files;
    cModel m;
    ASSERT_EQ(m.Read(files.Write("m.txt", std::string("Meshes: 1\n") + small_mesh("Kept")).c_str()),
              1);
    kpModel* before = m.model;
    m.texture = 7;
    EXPECT_EQ(m.Read(files.Path("absent.txt").c_str()), 0);
    EXPECT_EQ(m.model, before);
    EXPECT_EQ(kpModel_GetMeshCount(m.model), 1);
    EXPECT_EQ(m.texture, 7u);

    cModel empty;
    EXPECT_EQ(empty.Read(files.Path("absent.txt").c_str()), 0);
    EXPECT_EQ(empty.model, nullptr);
    EXPECT_EQ(empty.xforms, nullptr);
}

TEST(ModelReader, ReaderStopsAtMeshNameWithLeadingBlank) {
    ModelFiles files;
    cModel m;
    const std::string text =
        "Meshes: 2\n" + small_mesh("First") + " \"Second\" 0 0\n1\n" + kOneBone;
    ASSERT_EQ(m.Read(files.Write("m.txt", text).c_str()), 1);
    // The second mesh was added before its header failed and stays empty.
    ASSERT_EQ(kpModel_GetMeshCount(m.model), 2);
    EXPECT_EQ(mesh_name(kpModel_GetMeshAt(m.model, 0)), "First");
    EXPECT_EQ(mesh_name(kpModel_GetMeshAt(m.model, 1)), "");
    EXPECT_EQ(kpMesh_GetVertexCount(kpModel_GetMeshAt(m.model, 1)), 0);
    EXPECT_EQ(kpModel_GetBoneCount(m.model), 0);
}

TEST(ModelReader, MeshHeaderNeedsClosingQuoteAndBothNumbers) {
    ModelFiles files;
    for (const char* header : {"\"Open 0 0\n", "\"Name\" 0\n", "\"\" 0 0\n", "Name 0 0\n"}) {
        cModel m;
        const std::string text = std::string("Meshes: 1\n") + header + "0\n0\n0\n" + kOneBone;
        ASSERT_EQ(m.Read(files.Write("m.txt", text).c_str()), 1);
        EXPECT_EQ(kpModel_GetBoneCount(m.model), 0) << header;
    }
}

TEST(ModelReader, AlphaNameMayBeEmptyButDiffuseNameMayNot) {
    ModelFiles files;
    const std::string head = "Materials: 1\n\"M\"\n1 1 1 1\n1 1 1 1\n1 1 1 1\n1 1 1 1\n5\n0.5\n";
    cModel m;
    ASSERT_EQ(m.Read(files.Write("a.txt", head + "\"d.png\"\n\"\"\n" + kOneBone).c_str()), 1);
    char alpha[8] = "x";
    kpMaterial_GetAlphaTexture(kpModel_GetMaterialAt(m.model, 0), alpha, 8);
    EXPECT_STREQ(alpha, "");
    EXPECT_EQ(kpModel_GetBoneCount(m.model), 1);

    // Any other content of the alpha line also stores the empty name.
    ASSERT_EQ(m.Read(files.Write("b.txt", head + "\"d.png\"\n\n" + kOneBone).c_str()), 1);
    EXPECT_EQ(kpModel_GetBoneCount(m.model), 1);

    ASSERT_EQ(m.Read(files.Write("c.txt", head + "\"\"\n\"\"\n" + kOneBone).c_str()), 1);
    EXPECT_EQ(kpModel_GetMaterialCount(m.model), 1);
    EXPECT_EQ(kpModel_GetBoneCount(m.model), 0);
}

TEST(ModelReader, BadLineInMaterialEndsSectionKeepingWhatWasSet) {
    ModelFiles files;
    const char* lines[] = {"\"M\"\n", "1 1 1 1\n", "1 1 1 1\n",   "1 1 1 1\n",  "1 1 1 1\n",
                           "5\n",     "0.5\n",     "\"d.png\"\n", "\"a.png\"\n"};
    // Break each of the nine lines in turn (the ninth cannot be malformed,
    // only missing).
    for (int bad = 0; bad < 8; bad++) {
        std::string text = "Materials: 2\n";
        for (int i = 0; i < 9; i++) {
            text += i == bad ? std::string("x\n") : std::string(lines[i]);
        }
        cModel m;
        ASSERT_EQ(m.Read(files.Write("m.txt", text + kOneBone).c_str()), 1);
        EXPECT_EQ(kpModel_GetMaterialCount(m.model), 1) << "line " << bad;
        EXPECT_EQ(kpModel_GetBoneCount(m.model), 0) << "line " << bad;
        float color[4];
        kpMaterial_GetAmbient(kpModel_GetMaterialAt(m.model, 0), color);
        EXPECT_EQ(color[0], bad > 1 ? 1.0f : 0.0f) << "line " << bad;
    }
}

TEST(ModelReader, BadRecordLineEndsListButBlockGoesOn) {
    ModelFiles files;
    const std::string text =
        "Meshes: 2\n"
        "\"A\" 0 0\n"
        "3\n"
        "0 1 1 1 0 0 -1\n"
        "0 2 2 2 0 0\n"  // one field short
        "1\n"            // read as the normal count
        "0 1 0\n"
        "1\n"
        "0 0 0 0 0 0 0 1\n" +
        small_mesh("B") + kOneBone;
    cModel m;
    ASSERT_EQ(m.Read(files.Write("m.txt", text).c_str()), 1);
    ASSERT_EQ(kpModel_GetMeshCount(m.model), 1);
    kpMesh* a = kpModel_GetMeshAt(m.model, 0);
    EXPECT_EQ(kpMesh_GetVertexCount(a), 1);
    EXPECT_EQ(kpMesh_GetVertexNormalCount(a), 1);
    EXPECT_EQ(kpMesh_GetTriangleCount(a), 1);
    EXPECT_EQ(kpModel_GetBoneCount(m.model), 0);

    // Bad normal, triangle, position key and rotation key lines the same way.
    const std::string bad_normal = "Meshes: 1\n\"A\" 0 0\n0\n2\n0 1\n0\n" + std::string(kOneBone);
    ASSERT_EQ(m.Read(files.Write("n.txt", bad_normal).c_str()), 1);
    EXPECT_EQ(kpMesh_GetVertexNormalCount(kpModel_GetMeshAt(m.model, 0)), 0);
    EXPECT_EQ(kpMesh_GetTriangleCount(kpModel_GetMeshAt(m.model, 0)), 0);
    EXPECT_EQ(kpModel_GetBoneCount(m.model), 0);

    const std::string bad_key =
        "Bones: 2\n\"B\"\n\"\"\n0 0 0 0 0 0 0\n2\n0 1 1 1\nkey\n1\n5 0 0 0\n" +
        std::string("\"C\"\n\"\"\n0 0 0 0 0 0 0\n0\n0\n");
    ASSERT_EQ(m.Read(files.Write("k.txt", bad_key).c_str()), 1);
    ASSERT_EQ(kpModel_GetBoneCount(m.model), 1);
    kpBone* b = kpModel_GetBoneAt(m.model, 0);
    EXPECT_EQ(kpBone_GetPositionKeyCount(b), 1);
    // "key" was the bad line; "1" is the rotation key count.
    EXPECT_EQ(kpBone_GetRotationKeyCount(b), 1);
    EXPECT_EQ(kpBone_GetRotationKeyAt(b, 0)->time, 5.0f);

    const std::string bad_rot = "Bones: 2\n\"B\"\n\"\"\n0 0 0 0 0 0 0\n0\n2\n1 0 0 0\n1 0\n" +
                                std::string("\"C\"\n\"\"\n0 0 0 0 0 0 0\n0\n0\n");
    ASSERT_EQ(m.Read(files.Write("r.txt", bad_rot).c_str()), 1);
    ASSERT_EQ(kpModel_GetBoneCount(m.model), 1);
    EXPECT_EQ(kpBone_GetRotationKeyCount(kpModel_GetBoneAt(m.model, 0)), 1);
}

TEST(ModelReader, BadBoneHeaderLineEndsSection) {
    ModelFiles files;
    const char* lines[] = {"\"B\"\n", "\"\"\n", "0 0 0 0 0 0 0\n", "0\n", "0\n"};
    // The parent line may hold anything; the others must parse.
    for (int bad : {0, 2, 3, 4}) {
        std::string text = "Bones: 2\n";
        for (int i = 0; i < 5; i++) {
            text += i == bad ? std::string("?\n") : std::string(lines[i]);
        }
        text += "\"Next\"\n\"\"\n0 0 0 0 0 0 0\n0\n0\nFrames: 9\n";
        cModel m;
        ASSERT_EQ(m.Read(files.Write("m.txt", text).c_str()), 1);
        EXPECT_EQ(kpModel_GetBoneCount(m.model), 1) << "line " << bad;
        EXPECT_EQ(m.model->totalFrames, 0) << "line " << bad;
    }
}

TEST(ModelReader, TruncatedFileAtEveryByteReadsWhatItHas) {
    ModelFiles files;
    const std::string full = kWellFormed;
    for (size_t length = 0; length <= full.size(); length++) {
        cModel m;
        ASSERT_EQ(m.Read(files.Write("t.txt", full.substr(0, length)).c_str()), 1) << length;
        EXPECT_LE(kpModel_GetMeshCount(m.model), 2);
        EXPECT_LE(kpModel_GetMaterialCount(m.model), 1);
        EXPECT_LE(kpModel_GetBoneCount(m.model), 2);
        m.AdvanceFrame(1.5f);
    }
    // Cut right after the last key count of each section's final block.
    cModel m;
    const size_t mats = full.find("Materials:");
    ASSERT_EQ(m.Read(files.Write("t.txt", full.substr(0, mats)).c_str()), 1);
    EXPECT_EQ(kpModel_GetMeshCount(m.model), 2);
    EXPECT_EQ(kpModel_GetMaterialCount(m.model), 0);
    const size_t bones = full.find("Bones:");
    ASSERT_EQ(m.Read(files.Write("t.txt", full.substr(0, bones + 9)).c_str()), 1);
    EXPECT_EQ(kpModel_GetMaterialCount(m.model), 1);
    EXPECT_EQ(kpModel_GetBoneCount(m.model), 1);  // added, then its name line was missing
}

TEST(ModelReader, OverlongLineIsReadAsSeveralLines) {
    ModelFiles files;
    // 255 characters, then the rest of the same line is taken as a line.
    const std::string text = "//" + std::string(253, 'x') + "Frames: 7\nFrame: 3\n";
    cModel m;
    ASSERT_EQ(m.Read(files.Write("m.txt", text).c_str()), 1);
    EXPECT_EQ(m.model->totalFrames, 7);
    EXPECT_EQ(m.model->frame, 3);
    // One character less and the keyword stays inside the comment.
    const std::string inside = "//" + std::string(252, 'x') + "Frames: 7\n";
    ASSERT_EQ(m.Read(files.Write("n.txt", inside).c_str()), 1);
    EXPECT_EQ(m.model->totalFrames, 0);
}

TEST(ModelReader, OverlongNamesAreCutTo31Characters) {
    ModelFiles files;
    const std::string longname(40, 'n');
    const std::string cut(31, 'n');
    const std::string text = "Meshes: 1\n" + small_mesh(longname) + "Materials: 1\n\"" + longname +
                             "\"\n1 1 1 1\n1 1 1 1\n1 1 1 1\n1 1 1 1\n5\n1\n\"" + longname +
                             "\"\n\"" + longname + "\"\nBones: 1\n\"" + longname + "\"\n\"" +
                             longname + "\"\n0 0 0 0 0 0 0\n0\n0\n";
    cModel m;
    ASSERT_EQ(m.Read(files.Write("m.txt", text).c_str()), 1);
    ASSERT_EQ(kpModel_GetBoneCount(m.model), 1);
    EXPECT_EQ(mesh_name(kpModel_GetMeshAt(m.model, 0)), cut);
    kpMaterial* mat = kpModel_GetMaterialAt(m.model, 0);
    char buffer[257] = {};
    kpMaterial_GetName(mat, buffer, 32);
    EXPECT_EQ(std::string(buffer), cut);
    kpMaterial_GetDiffuseTexture(mat, buffer, 256);
    EXPECT_EQ(std::string(buffer), cut);
    kpMaterial_GetAlphaTexture(mat, buffer, 256);
    EXPECT_EQ(std::string(buffer), cut);
    kpBone* b = kpModel_GetBoneAt(m.model, 0);
    EXPECT_EQ(bone_name(b), cut);
    EXPECT_EQ(std::string(b->parentName), cut);
}

TEST(ModelReader, TriangleIndexOutsideItsListIsABadLine) {
    ModelFiles files;
    const std::string head =
        "Meshes: 2\n\"A\" 0 0\n2\n0 0 0 0 0 0 -1\n0 1 0 0 0 0 -1\n1\n0 0 1\n2\n";
    for (const char* bad : {"0 0 1 2 0 0 0 1\n", "0 0 1 -1 0 0 0 1\n", "0 0 1 1 0 0 1 1\n",
                            "0 0 1 1 0 -1 0 1\n", "0 65536 1 1 0 0 0 1\n"}) {
        const std::string text = head + "0 0 1 1 0 0 0 1\n" + bad + small_mesh("B");
        cModel m;
        ASSERT_EQ(m.Read(files.Write("m.txt", text).c_str()), 1);
        EXPECT_EQ(kpModel_GetMeshCount(m.model), 1) << bad;
        EXPECT_EQ(kpMesh_GetTriangleCount(kpModel_GetMeshAt(m.model, 0)), 1) << bad;
    }
}

TEST(ModelReader, FullVertexListEndsReadLikeBadLine) {
    ModelFiles files;
    std::string text = "Meshes: 1\n\"Big\" 0 0\n65281\n";
    text.reserve(text.size() + 65281 * 16 + 64);
    for (int i = 0; i < 65281; i++) {
        text += "0 1 2 3 0 0 -1\n";
    }
    text += "0\n0\n";
    text += kOneBone;
    cModel m;
    ASSERT_EQ(m.Read(files.Write("m.txt", text).c_str()), 1);
    EXPECT_EQ(kpMesh_GetVertexCount(kpModel_GetMeshAt(m.model, 0)), KP_MAX_MESH_LIST);
    EXPECT_EQ(kpModel_GetBoneCount(m.model), 0);
}

TEST(ModelReader, RepeatedSectionFillsItsOwnElements) {
    ModelFiles files;
    const std::string text = "Meshes: 1\n" + small_mesh("First") + "Meshes: 1\n" +
                             small_mesh("Second") + kOneBone +
                             "Bones: 1\n\"Again\"\n\"\"\n0 0 0 0 0 0 0\n0\n0\n";
    cModel m;
    ASSERT_EQ(m.Read(files.Write("m.txt", text).c_str()), 1);
    ASSERT_EQ(kpModel_GetMeshCount(m.model), 2);
    EXPECT_EQ(mesh_name(kpModel_GetMeshAt(m.model, 0)), "First");
    EXPECT_EQ(mesh_name(kpModel_GetMeshAt(m.model, 1)), "Second");
    EXPECT_EQ(kpMesh_GetVertexCount(kpModel_GetMeshAt(m.model, 0)), 1);
    EXPECT_EQ(kpMesh_GetVertexCount(kpModel_GetMeshAt(m.model, 1)), 1);
    ASSERT_EQ(kpModel_GetBoneCount(m.model), 2);
    EXPECT_EQ(bone_name(kpModel_GetBoneAt(m.model, 0)), "B");
    EXPECT_EQ(bone_name(kpModel_GetBoneAt(m.model, 1)), "Again");
}

TEST(ModelReader, HugeAndNegativeCountsEndAtEndOfFile) {
    ModelFiles files;
    cModel m;
    ASSERT_EQ(m.Read(files
                         .Write("a.txt",
                                "Meshes: 2000000000\n\"A\" 0 0\n2000000000\n"
                                "0 1 2 3 0 0 -1\n")
                         .c_str()),
              1);
    ASSERT_EQ(kpModel_GetMeshCount(m.model), 1);
    EXPECT_EQ(kpMesh_GetVertexCount(kpModel_GetMeshAt(m.model, 0)), 1);

    ASSERT_EQ(m.Read(files
                         .Write("b.txt",
                                "Bones: 2147483647\n\"A\"\n\"\"\n0 0 0 0 0 0 0\n"
                                "99999999999\n1 0 0 0\n")
                         .c_str()),
              1);
    ASSERT_EQ(kpModel_GetBoneCount(m.model), 1);

    // A negative count reads no records; the section's last line is the
    // keyword line, and reading goes on at the top level.
    ASSERT_EQ(
        m.Read(
            files.Write("c.txt", "Meshes: -5\nFrames: 12\nMaterials: -1\n" + std::string(kOneBone))
                .c_str()),
        1);
    EXPECT_EQ(kpModel_GetMeshCount(m.model), 0);
    EXPECT_EQ(m.model->totalFrames, 12);
    EXPECT_EQ(kpModel_GetBoneCount(m.model), 1);
    ASSERT_EQ(
        m.Read(files.Write("d.txt", "Meshes: 1\n\"A\" 0 0\n-3\n-3\n-3\n" + std::string(kOneBone))
                   .c_str()),
        1);
    EXPECT_EQ(kpMesh_GetVertexCount(kpModel_GetMeshAt(m.model, 0)), 0);
    EXPECT_EQ(kpModel_GetBoneCount(m.model), 1);
}

TEST(ModelReader, NonFiniteNumbersAreStoredWithoutHarm) {
    ModelFiles files;
    const std::string text =
        "Frames: 10\nMeshes: 1\n\"A\" 0 0\n2\n0 nan inf -inf 0 0 0\n0 1 2 3 nan 0 0\n"
        "1\nnan 0 inf\n1\n0 0 1 1 0 0 0 1\n"
        "Bones: 1\n\"B\"\n\"\"\n0 nan 0 0 inf 0 0\n2\n0 nan 0 0\nnan 1 1 1\n1\ninf 1 1 1\n";
    cModel m;
    ASSERT_EQ(m.Read(files.Write("m.txt", text).c_str()), 1);
    EXPECT_EQ(kpMesh_GetVertexCount(kpModel_GetMeshAt(m.model, 0)), 2);
    // NaN fails both bound tests; infinities are taken like any value.
    EXPECT_EQ(m.mins[0], 1.0f);
    EXPECT_EQ(m.maxs[1], INFINITY);
    EXPECT_EQ(m.mins[2], -INFINITY);
    EXPECT_EQ(kpBone_GetPositionKeyCount(kpModel_GetBoneAt(m.model, 0)), 2);
    m.AdvanceFrame(0.5f);
    EXPECT_EQ(m.frame, 0.5f);
    m.AdvanceFrame(NAN);  // fails the wrap test, so it stays
    EXPECT_TRUE(std::isnan(m.frame));
    m.AdvanceFrame(1.0f);
}

TEST(ModelReader, EightReadsOfOneFileAreIndependent) {
    ModelFiles files;
    const std::string path = files.Write("bridge.txt", kWellFormed);
    cModel copies[8];
    for (cModel& c : copies) {
        ASSERT_EQ(c.Read(path.c_str()), 1);
    }
    copies[3].AdvanceFrame(5);
    copies[3].pos[0] = 100;
    for (int i = 0; i < 8; i++) {
        EXPECT_NE(copies[i].model, i > 0 ? copies[i - 1].model : nullptr);
        EXPECT_EQ(copies[i].frame, i == 3 ? 7.0f : 2.0f);
        EXPECT_EQ(kpModel_GetMeshCount(copies[i].model), 2);
    }
}

// Names come from model files: whatever they hold, the report stays one line,
// and the eight reads of one bridge file give one line, not eight.
TEST(DataFileReport, IsOneLineWhateverTheNameAndNotRepeated) {
    const std::string long_name(3000, 'a');
    testing::internal::CaptureStderr();
    report_data_file("bad\nname.png", "No such file or directory");
    report_data_file("bad\nname.png", "No such file or directory");
    report_data_file(long_name.c_str(), "No such file or directory");
    const std::string out = testing::internal::GetCapturedStderr();
    const size_t first_end = out.find('\n');
    ASSERT_NE(first_end, std::string::npos);
    EXPECT_EQ(out.substr(0, first_end + 1), "vellin: bad?name.png: No such file or directory\n");
    const std::string second = out.substr(first_end + 1);
    EXPECT_EQ(second.compare(0, 12, "vellin: aaaa"), 0);
    EXPECT_EQ(second.find('\n'), second.size() - 1);  // cut, but still a whole line
}

// The player's one line for a model cut short, naming the file and the line,
// or for one that holds nothing; a whole file says nothing.
TEST(DataFileReport, ReadCutShortSaysWhereItStopped) {
    ModelFiles files;
    const std::string cut = files.Write("cut.txt", "Frames: 1\nMeshes: 1\n\"m\" 0 -1\nthree\n");
    const std::string empty = files.Write("empty.txt", "");
    const std::string comments = files.Write("comments.txt", "// nothing yet\nFrames: 3\n");
    const std::string none = " holds no model (neither a mesh nor a bone)\n";
    const std::pair<std::string, std::string> rows[] = {
        {cut, "vellin: " + cut +
                  ":4: expected the vertex count; reading stops (the model keeps what came "
                  "before)\n"},
        {empty, "vellin: " + empty + ":" + none},
        {comments, "vellin: " + comments + ":" + none},
        {files.Write("whole.txt", kWellFormed), ""},
    };
    cModel m;
    for (const auto& [path, said] : rows) {
        ASSERT_EQ(m.Read(path.c_str()), 1);
        testing::internal::CaptureStderr();
        report_read_stop(path.c_str());
        EXPECT_EQ(testing::internal::GetCapturedStderr(), said) << path;
    }
}

namespace {

const long long kNoRecord = LLONG_MIN;  // the line was refused: nothing stored

kpMesh* only_mesh(const cModel& m) {
    return kpModel_GetMeshCount(m.model) == 1 ? kpModel_GetMeshAt(m.model, 0) : nullptr;
}

kpVertex* only_vertex(const cModel& m) {
    kpMesh* mesh = only_mesh(m);
    return mesh && kpMesh_GetVertexCount(mesh) == 1 ? kpMesh_GetVertexAt(mesh, 0) : nullptr;
}

kpTriangle* only_triangle(const cModel& m) {
    kpMesh* mesh = only_mesh(m);
    return mesh && kpMesh_GetTriangleCount(mesh) == 1 ? kpMesh_GetTriangleAt(mesh, 0) : nullptr;
}

kpBone* named_bone(const cModel& m) {
    kpBone* bone = kpModel_GetBoneCount(m.model) == 1 ? kpModel_GetBoneAt(m.model, 0) : nullptr;
    return bone && bone_name(bone) == "B" ? bone : nullptr;
}

// A field holding the number N, the file around it, what the model keeps of
// an N in range, how to read that back, and what it reads when the line is
// refused (a count then reads as 0).
struct IntField {
    const char* name;
    std::string before, after;
    long long (*keep)(long long n);
    long long (*stored)(const cModel& m);
    long long refused = kNoRecord;
};

void collect(void* context, int line, const char* what) {
    static_cast<std::vector<std::string>*>(context)->push_back(std::to_string(line) + ": " + what);
}

}  // namespace

// Each kind of whole-number field at int's ends and just past them: in range
// the number is stored (in the bits its record keeps); past them the line is
// malformed and the report quotes the number as the file writes it.
TEST(ModelReader, WholeNumbersKeepTheirValueOrAreRefusedAtIntsEnds) {
    const std::string tri = "Meshes: 1\n\"A\" 0 0\n1\n0 0 0 0 0 0 -1\n1\n0 0 1\n1\n";
    const std::string bone = "Bones: 1\n\"B\"\n\"\"\n";
    auto same = [](long long n) { return n; };
    auto one_if_positive = [](long long n) { return n > 0 ? 1LL : 0LL; };
    auto low8 = [](long long n) { return n & 0xff; };
    auto signed8 = [](long long n) { return static_cast<long long>(static_cast<int8_t>(n)); };
    auto refused = [](long long) { return kNoRecord; };
    const IntField fields[] = {
        {"frame count", "Frames: ", "\n", same,
         [](const cModel& m) -> long long { return kpModel_GetTotalFrames(m.model); }, 0},
        {"starting frame", "Frame:", "\n", same,
         [](const cModel& m) -> long long { return kpModel_GetFrame(m.model); }, 0},
        {"section count", "Bones: ", "\n\"B\"\n\"\"\n0 0 0 0 0 0 0\n0\n0\n",
         // The one block, then one that the file ends in.
         [](long long n) { return n > 0 ? 2LL : 0LL; },
         [](const cModel& m) -> long long { return kpModel_GetBoneCount(m.model); }, 0},
        {"mesh flags", "Meshes: 1\n\"A\" ", " 0\n0\n0\n0\n", low8,
         [](const cModel& m) -> long long {
             kpMesh* mesh = only_mesh(m);
             return mesh && mesh_name(mesh) == "A" ? kpMesh_GetFlags(mesh) : kNoRecord;
         }},
        {"material index", "Meshes: 1\n\"A\" 0 ", "\n0\n0\n0\n", signed8,
         [](const cModel& m) -> long long {
             kpMesh* mesh = only_mesh(m);
             return mesh && mesh_name(mesh) == "A" ? kpMesh_GetMaterialIndex(mesh) : kNoRecord;
         }},
        {"record count", "Meshes: 1\n\"A\" 0 0\n", "\n0 1 2 3 0 0 -1\n", one_if_positive,
         [](const cModel& m) -> long long { return kpMesh_GetVertexCount(only_mesh(m)); }, 0},
        {"vertex flags", "Meshes: 1\n\"A\" 0 0\n1\n", " 1 2 3 0 0 -1\n0\n0\n", low8,
         [](const cModel& m) -> long long {
             kpVertex* v = only_vertex(m);
             return v ? kpVertex_GetFlags(v) : kNoRecord;
         }},
        {"bone index", "Meshes: 1\n\"A\" 0 0\n1\n0 1 2 3 0 0 ", "\n0\n0\n", signed8,
         [](const cModel& m) -> long long {
             kpVertex* v = only_vertex(m);
             return v ? kpVertex_GetBoneIndex(v) : kNoRecord;
         }},
        {"triangle flags", tri, " 0 0 0 0 0 0 0\n", [](long long n) { return n & 0xffff; },
         [](const cModel& m) -> long long {
             kpTriangle* t = only_triangle(m);
             return t ? kpTriangle_GetFlags(t) : kNoRecord;
         }},
        // Any index but 0 names no vertex of this mesh: refused in range too.
        {"triangle index", tri + "0 0 0 ", " 0 0 0 0\n", refused,
         [](const cModel& m) -> long long { return only_triangle(m) ? 0 : kNoRecord; }},
        {"smoothing group", tri + "0 0 0 0 0 0 0 ", "\n", low8,
         [](const cModel& m) -> long long {
             kpTriangle* t = only_triangle(m);
             return t ? kpTriangle_GetSmoothingGroup(t) : kNoRecord;
         }},
        {"bone flags", bone, " 0 0 0 0 0 0\n1\n0 1 2 3\n1\n0 1 2 3\n", same,
         [](const cModel& m) -> long long {
             kpBone* b = named_bone(m);
             return b && kpBone_GetRotationKeyCount(b) == 1 ? kpBone_GetFlags(b) : kNoRecord;
         }},
        {"key count", bone + "0 0 0 0 0 0 0\n", "\n0 1 2 3\n", one_if_positive,
         [](const cModel& m) -> long long {
             kpBone* b = named_bone(m);
             return b ? kpBone_GetPositionKeyCount(b) : kNoRecord;
         },
         0},
    };
    struct Number {
        const char* text;
        long long value;
        bool in_range;
    };
    const Number numbers[] = {
        {"2147483647", INT_MAX, true},
        {"-2147483648", INT_MIN, true},
        {"+002147483647", INT_MAX, true},
        {"2147483648", 0, false},
        {"-2147483649", 0, false},
        {"99999999999", 0, false},
        {"-0000000000002147483649", 0, false},
    };
    ModelFiles files;
    for (const IntField& field : fields) {
        const int line =
            1 + static_cast<int>(std::count(field.before.begin(), field.before.end(), '\n'));
        for (const Number& number : numbers) {
            SCOPED_TRACE(std::string(field.name) + " " + number.text);
            std::vector<std::string> reports;
            cModel m;
            const std::string path = files.Write("m.txt", field.before + number.text + field.after);
            ASSERT_EQ(m.Read(path.c_str(), collect, &reports), 1);
            const std::string quoted = std::to_string(line) + ": number \"" + number.text + "\"";
            bool quotes_it = false;
            for (const std::string& r : reports) {
                quotes_it = quotes_it || r.compare(0, quoted.size(), quoted) == 0;
            }
            if (number.in_range) {
                EXPECT_EQ(field.stored(m), field.keep(number.value));
                EXPECT_FALSE(quotes_it);
            } else {
                EXPECT_EQ(field.stored(m), field.refused);
                EXPECT_TRUE(quotes_it) << (reports.empty() ? "no report" : reports[0]);
            }
        }
    }
}
