// cModel::Draw: immediate-mode drawing of the posed, placed model.
#include <GL/gl.h>

#include <cmath>

#include "model/mathlib.h"
#include "model/model.h"
#include "model/skeleton.h"
#include "state/state.h"

// Every mesh is drawn with the model's one texture; vertex normals are turned
// by the bone only (neither scaled nor turned by rot).
void cModel::Draw() const {
    if (model == nullptr) {
        return;
    }
    const int bones = bone_count(*this);
    // rot is the same for every vertex: take its cosines and sines once.
    double c[3], s[3];
    for (int r = 0; r < 3; r++) {
        c[r] = std::cos(double(rot[r]));
        s[r] = std::sin(double(rot[r]));
    }
    glBindTexture(GL_TEXTURE_2D, texture);
    const int meshes = kpModel_GetMeshCount(model);
    for (int i = 0; i < meshes; i++) {
        kpMesh* mesh = kpModel_GetMeshAt(model, i);
        const int vertex_count = kpMesh_GetVertexCount(mesh);
        const int normal_count = kpMesh_GetVertexNormalCount(mesh);
        glBegin(GL_TRIANGLES);
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
        const int triangles = kpMesh_GetTriangleCount(mesh);
        for (int j = 0; j < triangles; j++) {
            const kpTriangle* triangle = kpMesh_GetTriangleAt(mesh, j);
            uint16_t vi[3], ni[3];
            kpTriangle_GetVertexIndices(triangle, vi);
            kpTriangle_GetNormalIndices(triangle, ni);
            // The reader refuses such triangles; this keeps a store filled
            // some other way from reaching outside its lists.
            bool valid = true;
            for (int k = 0; k < 3; k++) {
                valid = valid && vi[k] < vertex_count && ni[k] < normal_count;
            }
            if (!valid) {
                continue;
            }
            for (int k = 0; k < 3; k++) {
                const kpVertex* v = kpMesh_GetVertexAt(mesh, vi[k]);
                float position[3], normal[3], uv[2], p[3], n[3];
                kpVertex_GetVertex(v, position);
                kpVertex_GetTexCoords(v, uv);
                kpMesh_GetVertexNormalAt(mesh, ni[k], normal);
                const int bone = kpVertex_GetBoneIndex(v);
                if (bone >= 0 && bone < bones) {
                    const float(*f)[4] = xforms[bone].final;
                    VectorRotate(position, f, p);
                    VectorRotate(normal, f, n);
                    for (int r = 0; r < 3; r++) {
                        p[r] += f[r][3];
                    }
                } else {
                    for (int r = 0; r < 3; r++) {
                        p[r] = position[r];
                        n[r] = normal[r];
                    }
                }
                for (int r = 0; r < 3; r++) {
                    p[r] *= scale;
                }
                RotateBy(&p[1], &p[2], c[0], s[0]);
                RotateBy(&p[0], &p[2], c[1], s[1]);
                RotateBy(&p[0], &p[1], c[2], s[2]);
                for (int r = 0; r < 3; r++) {
                    p[r] += pos[r];
                }
                glTexCoord2f(uv[0], uv[1]);
                glNormal3fv(n);
                glVertex3fv(p);
            }
        }
        glEnd();
    }
    glBindTexture(GL_TEXTURE_2D, white);
}
