#pragma once

#include <cstdint>

#include "kaModelSpec.h"

// Adds closed shapes to a mesh: every vertex gets its own texture
// coordinate, and triangles wind counter-clockwise seen from the side their
// normals point to (the player culls clockwise triangles).
class kaMeshBuilder {
public:
    explicit kaMeshBuilder(kaMeshSpec& mesh) : mMesh(mesh) {}

    // A box from minimum to maximum.  Texture coordinates are the box's own
    // coordinates divided by tile (a texture repeats every tile mm).  With
    // inward set, the faces look into the box (a room seen from inside).
    void Box(kaVec3 minimum, kaVec3 maximum, float tile, bool inward = false);
    // A flat rectangle with corners origin, origin + edgeU, origin + edgeU +
    // edgeV, origin + edgeV, facing along edgeU x edgeV (the other way with
    // back set); the texture spans it repeats times in each direction.
    void Panel(kaVec3 origin, kaVec3 edgeU, kaVec3 edgeV, float repeatsU, float repeatsV,
               bool back = false);
    // An ellipsoid around centre with the three half-axes given as vectors;
    // axisW runs from the south pole (v = 1) to the north pole (v = 0).
    void Ellipsoid(kaVec3 centre, kaVec3 axisU, kaVec3 axisV, kaVec3 axisW, int rings, int segments);

    uint32_t vertexCount() const { return uint32_t(mMesh.vertices.size()); }

private:
    uint32_t Vertex(kaVec3 position, kaVec3 normal, float u, float v);
    // Adds the triangle wound so that it faces along its corners' normals.
    void Triangle(uint32_t a, uint32_t b, uint32_t c);

    kaMeshSpec& mMesh;
};

kaVec3 Cross(kaVec3 a, kaVec3 b);
float Dot(kaVec3 a, kaVec3 b);
kaVec3 Normalised(kaVec3 v);
