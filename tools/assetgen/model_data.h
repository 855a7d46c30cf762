// In-memory form of a text model file, as the generator builds it.
#ifndef ASSETGEN_MODEL_DATA_H
#define ASSETGEN_MODEL_DATA_H

#include <string>
#include <vector>

#include "vecmath.h"

namespace assetgen {

// The generator writes these unqualified; the functions come along by lookup.
using vecmath::kPi;
using vecmath::Mat3;
using vecmath::rotX;
using vecmath::rotY;
using vecmath::rotZ;
using vecmath::Vec3;

struct Vertex {
    Vec3 pos;
    Vec3 normal;
    double u = 0, v = 0;
    int bone = -1;
};

struct Triangle {
    int a, b, c;  // counter-clockwise seen from outside
};

struct Mesh {
    std::string name;
    int material = 0;
    std::vector<Vertex> vertices;  // normal i belongs to vertex i
    std::vector<Triangle> triangles;
};

struct Material {
    std::string name;
    std::string texture;
    double ambient[4] = {0.2, 0.2, 0.2, 1};
    double diffuse[4] = {0.8, 0.8, 0.8, 1};
    double specular[4] = {0, 0, 0, 1};
    double emissive[4] = {0, 0, 0, 1};
    double shininess = 0;
};

struct Key {
    double time;
    Vec3 value;
};

struct Bone {
    std::string name;
    std::string parent;  // empty for the root
    Vec3 position;       // bind position relative to the parent
    Vec3 rotation;       // bind rotation, radians
    std::vector<Key> positionKeys;
    std::vector<Key> rotationKeys;
};

struct Model {
    int frames = 0;
    int startFrame = 0;
    std::vector<Mesh> meshes;
    std::vector<Material> materials;
    std::vector<Bone> bones;

    int triangleCount() const {
        int n = 0;
        for (const Mesh& m : meshes)
            n += static_cast<int>(m.triangles.size());
        return n;
    }
};

// Writes the model in the game's text model format. Returns false on I/O error.
bool write_model(const Model& model, const std::string& path, const std::string& comment);

}  // namespace assetgen

#endif
