#pragma once

#include <string>
#include <vector>

#include "kaByteWriter.h"

// Writes TDM and TDA files byte for byte for the reader tests.
namespace kaTestModels {

struct Vertex {
    float position[3] = {0, 0, 0};
    float normal[3] = {0, 0, 1};
    unsigned kind = 0;
    unsigned bone = 0;
    std::vector<std::pair<unsigned, float>> influences;
};

struct Mesh {
    std::string name = "mesh";
    int material = -1;  // -1: no material byte
    std::vector<Vertex> vertices;
    std::vector<float> coords;  // u, v pairs
    std::vector<unsigned> faces;  // 6 per face: vertex indices, coordinate indices
};

struct Material {
    std::string name = "material";
    std::vector<std::string> textures;
};

struct Bone {
    std::string name;
    int parent;
};

inline std::string Tdm(const std::vector<Material>& materials, const std::vector<Mesh>& meshes,
                       const std::vector<Bone>& bones, const std::string& name = "model") {
    kaByteWriter w;
    w.text("TDMU_MESH").u8(2).u8(2).shortString(name);
    w.u16(materials.size()).u16(meshes.size()).u16(bones.size());
    for (const Material& m : materials) {
        w.shortString(m.name).u8(1).zeros(48).floats({0.25f, 0.75f}).u8(m.textures.size());
        for (const std::string& t : m.textures) w.u8(0).shortString(t);
    }
    for (const Mesh& mesh : meshes) {
        w.shortString(mesh.name).zeros(64);
        if (mesh.material < 0) w.u8(0);
        else w.u8(1).u16(mesh.material);
        w.u32(mesh.vertices.size()).u32(mesh.coords.size() / 2).u32(mesh.faces.size() / 6);
        for (const Vertex& v : mesh.vertices) {
            for (float p : v.position) w.f32(p);
            for (float n : v.normal) w.f32(n);
            w.u8(v.kind);
            if (v.kind == 1) w.u16(v.bone);
            if (v.kind == 2) {
                w.u16(v.influences.size());
                for (const auto& influence : v.influences) w.u16(influence.first).f32(influence.second);
            }
        }
        for (float c : mesh.coords) w.f32(c);
        for (unsigned i : mesh.faces) w.u32(i);
    }
    for (const Bone& b : bones) w.shortString(b.name).u16(b.parent & 0xFFFF).zeros(24);
    return w.bytes();
}

// One triangle with coordinates, the smallest complete mesh.
inline Mesh Triangle(int material = -1) {
    Mesh mesh;
    mesh.material = material;
    mesh.vertices.resize(3);
    mesh.vertices[1].position[0] = 1;
    mesh.vertices[2].position[1] = 1;
    mesh.coords = {0, 0, 1, 0, 0, 1};
    mesh.faces = {0, 1, 2, 0, 1, 2};
    return mesh;
}

constexpr int kDefaultCount = 0x10000;

struct Track {
    std::string name;
    int keys;
};

inline std::string Tda(float duration, int frames, const std::vector<Track>& tracks,
                       unsigned version1 = 1, unsigned version2 = 2, int trackCount = kDefaultCount) {
    kaByteWriter w;
    w.text("TDMU_ANIM").u8(version1).u8(version2).shortString("clip");
    w.f32(duration).u32(0xCAFEF00D).u32(frames);
    w.u16((trackCount == kDefaultCount ? int(tracks.size()) : trackCount) & 0xFFFF);
    for (const Track& t : tracks) {
        w.shortString(t.name).u32(t.keys);
        for (int k = 0; k < t.keys; ++k) w.f32(99.0f).floats({float(k), 1, 2, 0.5f, 0.25f, 0.125f});
    }
    return w.bytes();
}

}  // namespace kaTestModels
