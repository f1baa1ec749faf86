#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// Plain records of a model as the generator builds it, before they are
// written as a TDM file.  Units are millimetres, +z is up.

struct kaVec3 {
    float x, y, z;
};

inline kaVec3 operator+(kaVec3 a, kaVec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline kaVec3 operator-(kaVec3 a, kaVec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline kaVec3 operator*(kaVec3 a, float s) { return {a.x * s, a.y * s, a.z * s}; }

struct kaInfluenceSpec {
    uint16_t bone;
    float weight;
};

// Skin kind 0: no bone, 1: one bone, 2: weighted bones.
struct kaVertexSpec {
    kaVec3 position;
    kaVec3 normal;
    uint8_t skinKind = 0;
    uint16_t bone = 0;
    std::vector<kaInfluenceSpec> influences;
};

// Three vertex indices, then the three texture-coordinate indices of the
// same corners.
using kaFaceSpec = std::array<uint32_t, 6>;

struct kaMeshSpec {
    std::string name;
    uint16_t material = 0;
    std::vector<kaVertexSpec> vertices;
    std::vector<float> coords;  // u, v pairs
    std::vector<kaFaceSpec> faces;
};

struct kaMaterialSpec {
    std::string name;
    kaVec3 diffuse{0.8f, 0.8f, 0.8f};
    std::vector<std::string> textures;  // colour map first, then normal map
};

struct kaBoneSpec {
    std::string name;
    int16_t parent;
    kaVec3 position;  // relative to the parent
    kaVec3 angles;    // rest rotation about x, y, z
};

struct kaModelSpec {
    std::string name;
    std::vector<kaMaterialSpec> materials;
    std::vector<kaMeshSpec> meshes;
    std::vector<kaBoneSpec> bones;
};
