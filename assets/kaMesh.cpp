#include "kaMesh.h"

#include <cmath>

#include "kaDeviceGlobal.h"
#include "kaMessageBox.h"
#include "kaRenderDevice.h"
#include "kaResult.h"
#include "kaTDMReader.h"

namespace {

void Cross(const float* a, const float* b, float* out) {
    out[0] = a[1] * b[2] - a[2] * b[1];
    out[1] = a[2] * b[0] - a[0] * b[2];
    out[2] = a[0] * b[1] - a[1] * b[0];
}

void Normalise(float* v) {
    const float length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    if (length > 0) {
        const float scale = 1 / length;
        for (int i = 0; i < 3; ++i) v[i] *= scale;
    }
}

}  // namespace

kaMesh::kaMesh()
    : vertexCount(0), coordCount(0), faceCount(0), material(0), refresh(1), buffer(nullptr) {}

kaMesh::~kaMesh() { Release(); }

void kaMesh::Create(const kaTDMMesh& record) {
    name = record.name;
    vertexCount = record.vertexCount;
    faceCount = record.faceCount;
    positions.assign(size_t(vertexCount) * 3, 0.0f);
    normals.assign(size_t(vertexCount) * 3, 0.0f);
    for (uint32_t v = 0; v < vertexCount; ++v) {
        for (int axis = 0; axis < 3; ++axis) {
            positions[3 * v + axis] = record.vertices[v].position[axis];
            normals[3 * v + axis] = record.vertices[v].normal[axis];
        }
    }
    faces.resize(size_t(faceCount) * 3);
    for (uint32_t f = 0; f < faceCount; ++f) {
        for (int c = 0; c < 3; ++c) faces[3 * f + c] = record.faces[f].vertex[c];
    }
    coordCount = record.coordCount;
    if (coordCount != 0) {
        coords = record.coords;
        faceCoords.resize(size_t(faceCount) * 3);
        for (uint32_t f = 0; f < faceCount; ++f) {
            for (int c = 0; c < 3; ++c) faceCoords[3 * f + c] = record.faces[f].coord[c];
        }
    }
    material = record.material;
    if (CreateBuffer() != KA_OK) {
        WarningBox("Failed", "Creating vertex buffer for %s", name.c_str());
    } else {
        FillBuffer();
    }
    refresh = 1;
}

int kaMesh::CreateBuffer() {
    if (gDevice == nullptr ||
        gDevice->CreateVertexBuffer(&buffer, kVertexFormat, 3 * faceCount, kBufferUsage) != KA_OK) {
        buffer = nullptr;
        return KA_ERR_INITFAILED;
    }
    return KA_OK;
}

int kaMesh::FillBuffer() {
    // A refused lock writes nothing, as a refused refill does, and leaves the
    // mesh marked for refresh, so the renderer's next refill writes its
    // positions and frames; texture set 0 stays unwritten.
    const int locked = buffer->Lock(0, 0, 0);
    if (locked != KA_OK) return locked;
    for (size_t corner = 0; corner < faces.size(); ++corner) {
        if (coordCount != 0) {
            const float* uv = &coords[2 * size_t(faceCoords[corner])];
            buffer->TexCoord2f(0, uv[0], uv[1]);
        }
        const float* p = &positions[3 * size_t(faces[corner])];
        buffer->Vertex3f(p[0], p[1], p[2]);
    }
    buffer->Unlock();
    return KA_OK;
}

std::vector<uint32_t> kaMesh::ChooseFaces() const {
    const uint32_t unset = UINT32_MAX;
    std::vector<uint32_t> chosen(vertexCount, unset);
    for (uint32_t f = 0; f < faceCount; ++f) {
        for (int c = 0; c < 3; ++c) {
            uint32_t& face = chosen[faces[3 * f + c]];
            if (face == unset) face = f;
        }
    }
    for (uint32_t& face : chosen) {
        if (face == unset) face = faceCount - 1;
    }
    return chosen;
}

void kaMesh::ComputeTangentFrames() {
    if (coordCount == 0) return;
    frames.resize(vertexCount);
    const std::vector<uint32_t> chosen = ChooseFaces();
    static const uint32_t kNoFace[3] = {0, 0, 0};
    for (uint32_t v = 0; v < vertexCount; ++v) {
        const bool hasFace = faceCount != 0;
        frames[v] = FrameFor(v, hasFace ? &faces[3 * size_t(chosen[v])] : kNoFace,
                             hasFace ? &faceCoords[3 * size_t(chosen[v])] : kNoFace);
    }
}

kaTangentFrame kaMesh::FrameFor(uint32_t vertex, const uint32_t* corners,
                                const uint32_t* cornerCoords) const {
    const float* n = &normals[3 * size_t(vertex)];
    const float* a[3];
    float u[3], w[3];
    for (int c = 0; c < 3; ++c) {
        a[c] = &positions[3 * size_t(corners[c])];
        u[c] = coords[2 * size_t(cornerCoords[c])] + 10.0f;
        w[c] = coords[2 * size_t(cornerCoords[c]) + 1] + 10.0f;
    }
    float e1[3], e2[3], t[3];
    for (int i = 0; i < 3; ++i) {
        e1[i] = a[1][i] - a[0][i];
        e2[i] = a[2][i] - a[0][i];
    }
    if (u[1] != u[0] && u[2] != u[0]) {
        const float k1 = -u[0] / (u[1] - u[0]);
        const float k2 = -u[0] / (u[2] - u[0]);
        for (int i = 0; i < 3; ++i)
            t[i] = k1 * k2 < 0 ? k1 * e1[i] - k2 * e2[i] : k1 * e2[i] - k2 * e1[i];
    } else {
        for (int i = 0; i < 3; ++i) t[i] = a[2][i];
    }
    kaTangentFrame frame;
    Cross(n, t, frame.tangent);
    Cross(n, frame.tangent, frame.binormal);
    if ((u[1] - u[2]) * (w[0] - w[2]) < (u[0] - u[2]) * (w[1] - w[2])) {
        for (float& b : frame.binormal) b = -b;
    }
    Normalise(frame.tangent);
    Normalise(frame.binormal);
    for (int i = 0; i < 3; ++i) frame.normal[i] = n[i];
    return frame;
}

void kaMesh::Release() {
    name.clear();
    faces.clear();
    faceCoords.clear();
    positions.clear();
    coords.clear();
    normals.clear();
    frames.clear();
    vertexCount = coordCount = faceCount = 0;
    if (buffer != nullptr) buffer->Release();
    buffer = nullptr;
    refresh = 1;
}
