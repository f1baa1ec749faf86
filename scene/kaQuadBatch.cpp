#include "kaQuadBatch.h"

#include "kaDeviceGlobal.h"
#include "kaList.h"
#include "kaRenderDevice.h"
#include "kaResult.h"

kaQuadBatch::kaQuadBatch() : capacity(0), vertexBuffer(nullptr), indexBuffer(nullptr) {}

kaQuadBatch::~kaQuadBatch() { Release(); }

int kaQuadBatch::Init(unsigned quadCapacity) {
    Release();
    if (gDevice == nullptr || quadCapacity == 0 || quadCapacity > kMaxCapacity) return 1;
    capacity = quadCapacity;
    if (gDevice->CreateVertexBuffer(&vertexBuffer, kVertexFormat, 4 * capacity, 0) != KA_OK) {
        vertexBuffer = nullptr;
        return 1;
    }
    if (gDevice->CreateIndexBuffer(&indexBuffer, 6 * capacity, 0) != KA_OK) {
        indexBuffer = nullptr;
        return 1;
    }
    FillIndices();
    return 0;
}

void kaQuadBatch::FillIndices() {
    indexBuffer->Lock(0, 0, 0);
    for (unsigned q = 0; q < capacity; ++q) {
        unsigned short quad[6] = {0, 1, 2, 1, 3, 2};
        for (unsigned short& index : quad) index = static_cast<unsigned short>(index + 4 * q);
        indexBuffer->AddIndexArray(quad, 6);
    }
    indexBuffer->Unlock();
}

void kaQuadBatch::Release() {
    if (indexBuffer != nullptr) indexBuffer->Release();
    if (vertexBuffer != nullptr) vertexBuffer->Release();
    indexBuffer = nullptr;
    vertexBuffer = nullptr;
    capacity = 0;
}

unsigned kaQuadBatch::DrawableCount(const kaList& list) const {
    return list.getCount() < capacity ? list.getCount() : capacity;
}

void kaQuadBatch::WriteVertex(float x, float y, float z, uint32_t colour, float u, float v) {
    vertexBuffer->Vertex3f(x, y, z);
    vertexBuffer->Diffuse4ub(static_cast<unsigned char>(colour >> 16),
                             static_cast<unsigned char>(colour >> 8),
                             static_cast<unsigned char>(colour),
                             static_cast<unsigned char>(colour >> 24));
    vertexBuffer->TexCoord2f(0, u, v);
}

void kaQuadBatch::Bind() const {
    gDevice->setIndexBuffer(indexBuffer);
    gDevice->setVertexBuffer(vertexBuffer);
    gDevice->setVertexFormat(vertexBuffer->getVertexFormat());
}
