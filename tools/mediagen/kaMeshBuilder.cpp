#include "kaMeshBuilder.h"

#include <cmath>

kaVec3 Cross(kaVec3 a, kaVec3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

float Dot(kaVec3 a, kaVec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

kaVec3 Normalised(kaVec3 v) {
    const float length = std::sqrt(Dot(v, v));
    return length > 0.0f ? v * (1.0f / length) : v;
}

uint32_t kaMeshBuilder::Vertex(kaVec3 position, kaVec3 normal, float u, float v) {
    kaVertexSpec vertex;
    vertex.position = position;
    vertex.normal = normal;
    mMesh.vertices.push_back(vertex);
    mMesh.coords.push_back(u);
    mMesh.coords.push_back(v);
    return uint32_t(mMesh.vertices.size() - 1);
}

void kaMeshBuilder::Triangle(uint32_t a, uint32_t b, uint32_t c) {
    const kaVertexSpec* v = mMesh.vertices.data();
    const kaVec3 facing = Cross(v[b].position - v[a].position, v[c].position - v[a].position);
    const kaVec3 normal = v[a].normal + v[b].normal + v[c].normal;
    if (Dot(facing, normal) < 0.0f) std::swap(b, c);
    mMesh.faces.push_back({a, b, c, a, b, c});
}

void kaMeshBuilder::Panel(kaVec3 origin, kaVec3 edgeU, kaVec3 edgeV, float repeatsU,
                          float repeatsV, bool back) {
    const kaVec3 normal = Normalised(Cross(edgeU, edgeV)) * (back ? -1.0f : 1.0f);
    const uint32_t a = Vertex(origin, normal, 0.0f, repeatsV);
    const uint32_t b = Vertex(origin + edgeU, normal, repeatsU, repeatsV);
    const uint32_t c = Vertex(origin + edgeU + edgeV, normal, repeatsU, 0.0f);
    const uint32_t d = Vertex(origin + edgeV, normal, 0.0f, 0.0f);
    Triangle(a, b, c);
    Triangle(a, c, d);
}

void kaMeshBuilder::Box(kaVec3 lo, kaVec3 hi, float tile, bool inward) {
    const kaVec3 size = hi - lo;
    const float tx = size.x / tile, ty = size.y / tile, tz = size.z / tile;
    // Each face: a corner and two edges whose cross product points outward.
    const kaVec3 x{size.x, 0, 0}, y{0, size.y, 0}, z{0, 0, size.z};
    struct Face {
        kaVec3 origin, u, v;
        float ru, rv;
    };
    const Face faces[6] = {
        {lo, y, x, ty, tx},                  // bottom, facing -z
        {lo + z, x, y, tx, ty},              // top, facing +z
        {lo, x, z, tx, tz},                  // front, facing -y
        {lo + y + x, x * -1.0f, z, tx, tz},  // back, facing +y
        {lo + y, y * -1.0f, z, ty, tz},      // left, facing -x
        {lo + x, y, z, ty, tz},              // right, facing +x
    };
    for (const Face& f : faces) Panel(f.origin, f.u, f.v, f.ru, f.rv, inward);
}

void kaMeshBuilder::Ellipsoid(kaVec3 centre, kaVec3 axisU, kaVec3 axisV, kaVec3 axisW, int rings,
                              int segments) {
    const float pi = 3.14159265f;
    // Normals of an ellipsoid: the gradient, each axis divided by its squared length.
    const kaVec3 gu = axisU * (1.0f / Dot(axisU, axisU));
    const kaVec3 gv = axisV * (1.0f / Dot(axisV, axisV));
    const kaVec3 gw = axisW * (1.0f / Dot(axisW, axisW));
    const uint32_t first = vertexCount();
    for (int r = 0; r <= rings; ++r) {
        const float theta = pi * float(r) / float(rings);
        const float st = std::sin(theta), ct = std::cos(theta);
        for (int s = 0; s <= segments; ++s) {
            const float phi = 2.0f * pi * float(s) / float(segments);
            const float a = st * std::cos(phi), b = st * std::sin(phi);
            const kaVec3 position = centre + axisU * a + axisV * b + axisW * ct;
            const kaVec3 normal = Normalised(gu * a + gv * b + gw * ct);
            Vertex(position, normal, float(s) / float(segments), float(r) / float(rings));
        }
    }
    const uint32_t row = uint32_t(segments + 1);
    for (int r = 0; r < rings; ++r) {
        for (int s = 0; s < segments; ++s) {
            const uint32_t a = first + uint32_t(r) * row + uint32_t(s);
            const uint32_t b = a + 1, c = a + row, d = c + 1;
            if (r != 0) Triangle(a, c, b);
            if (r != rings - 1) Triangle(b, c, d);
        }
    }
}
