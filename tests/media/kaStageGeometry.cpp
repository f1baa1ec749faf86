#include "kaStageGeometry.h"

#include <cmath>

#include "kaMeshBuilder.h"
#include "kaTDMReader.h"

bool kaStageGeometry::Load(const std::string& path) {
    kaTDMReader reader;
    if (!reader.Open(path.c_str())) return false;
    mTriangles.clear();
    for (uint16_t m = 0; m < reader.getMeshCount(); ++m) {
        const kaTDMMesh& mesh = reader.getMeshes()[m];
        const auto at = [&mesh](uint32_t i) {
            const float* p = mesh.vertices[i].position;
            return kaVec3{p[0], p[1], p[2]};
        };
        for (const kaTDMFace& face : mesh.faces) mTriangles.push_back({at(face.vertex[0]), at(face.vertex[1]), at(face.vertex[2])});
        for (const kaTDMVertex& v : mesh.vertices) {
            mMinimum = {std::fmin(mMinimum.x, v.position[0]), std::fmin(mMinimum.y, v.position[1]), std::fmin(mMinimum.z, v.position[2])};
            mMaximum = {std::fmax(mMaximum.x, v.position[0]), std::fmax(mMaximum.y, v.position[1]), std::fmax(mMaximum.z, v.position[2])};
        }
    }
    return true;
}

// Moller-Trumbore intersection, both sides counted.
float kaStageGeometry::Distance(const Triangle& t, kaVec3 origin, kaVec3 direction) {
    const kaVec3 e1 = t.b - t.a, e2 = t.c - t.a;
    const kaVec3 p = Cross(direction, e2);
    const float det = Dot(e1, p);
    if (std::fabs(det) < 1e-9f) return -1.0f;
    const float inv = 1.0f / det;
    const kaVec3 s = origin - t.a;
    const float u = Dot(s, p) * inv;
    if (u < 0.0f || u > 1.0f) return -1.0f;
    const kaVec3 q = Cross(s, e1);
    const float v = Dot(direction, q) * inv;
    if (v < 0.0f || u + v > 1.0f) return -1.0f;
    return Dot(e2, q) * inv;
}

kaStageGeometry::Hit kaStageGeometry::Cast(kaVec3 origin, kaVec3 direction) const {
    Hit nearest{-1.0f, false};
    for (const Triangle& t : mTriangles) {
        const float d = Distance(t, origin, direction);
        if (d > 0.0f && (nearest.distance < 0.0f || d < nearest.distance))
            nearest = {d, Dot(Cross(t.b - t.a, t.c - t.a), direction) < 0.0f};
    }
    return nearest;
}

bool kaStageGeometry::Blocks(kaVec3 a, kaVec3 b) const {
    const kaVec3 d = b - a;
    const float length = std::sqrt(Dot(d, d));
    const float hit = Cast(a, d * (1.0f / length)).distance;
    return hit > 0.0f && hit < length;
}

bool kaStageGeometry::Contains(kaVec3 p) const {
    return p.x > mMinimum.x && p.y > mMinimum.y && p.z > mMinimum.z && p.x < mMaximum.x && p.y < mMaximum.y &&
           p.z < mMaximum.z;
}
