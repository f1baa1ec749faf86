#include "kaD3DVertexBuffer.h"

#include <cstring>
#include <new>

#include "kaPackedColor.h"
#include "kaResult.h"

using L = kaVertexLayout;

int kaD3DVertexBuffer::Create(IDirect3DDevice8* device, unsigned vertexFormat,
                              unsigned vertexCount, unsigned usage, kaD3DVertexBuffer** out) {
    const kaVertexLayout layout = kaVertexLayout::FromFormat(vertexFormat);
    if (layout.vertexSize != 0 && vertexCount > 0xFFFFFFFFu / layout.vertexSize) {
        return KA_ERR_INVALIDARG;
    }
    kaD3DVertexBuffer* buffer = new (std::nothrow) kaD3DVertexBuffer(layout, vertexFormat);
    if (!buffer) return KA_ERR_OUTOFMEMORY;
    if (FAILED(device->CreateVertexBuffer(vertexCount * layout.vertexSize, usage, vertexFormat,
                                          D3DPOOL_DEFAULT, &buffer->mBuffer))) {
        delete buffer;
        return KA_ERR_PLATFORM;
    }
    *out = buffer;
    return KA_OK;
}

kaD3DVertexBuffer::kaD3DVertexBuffer(const kaVertexLayout& layout, uint32_t vertexFormat)
    : mVertexSize(layout.vertexSize), mCursor(), mOffset(), mVertexFormat(vertexFormat),
      mBuffer(nullptr), mData(nullptr) {
    std::memcpy(mOffset, layout.offset, sizeof mOffset);
}

kaD3DVertexBuffer::~kaD3DVertexBuffer() = default;

int kaD3DVertexBuffer::Release() {
    if (mBuffer) {
        if (mData) mBuffer->Unlock();
        mBuffer->Release();
    }
    delete this;
    return KA_OK;
}

int kaD3DVertexBuffer::Lock(unsigned firstVertex, unsigned vertexCount, unsigned lockFlags) {
    BYTE* data = nullptr;
    if (FAILED(mBuffer->Lock(firstVertex * mVertexSize, vertexCount * mVertexSize, &data,
                             lockFlags))) {
        mData = nullptr;
        return KA_ERR_PLATFORM;
    }
    mData = data;
    std::memset(mCursor, 0, sizeof mCursor);
    return KA_OK;
}

int kaD3DVertexBuffer::Unlock() {
    if (FAILED(mBuffer->Unlock())) return KA_ERR_PLATFORM;
    mData = nullptr;
    return KA_OK;
}

unsigned kaD3DVertexBuffer::getVertexFormat() { return mVertexFormat; }
unsigned kaD3DVertexBuffer::getVertexSize() { return mVertexSize; }

void kaD3DVertexBuffer::StoreFloats(unsigned component, const float* values, unsigned count) {
    std::memcpy(Next(component), values, count * sizeof(float));
}

void kaD3DVertexBuffer::StoreWord(unsigned component, uint32_t word) {
    std::memcpy(Next(component), &word, sizeof word);
}

void kaD3DVertexBuffer::Vertex3f(float x, float y, float z) {
    const float v[3] = {x, y, z};
    StoreFloats(L::POSITION, v, 3);
}

void kaD3DVertexBuffer::Normal3f(float x, float y, float z) {
    const float v[3] = {x, y, z};
    StoreFloats(L::NORMAL, v, 3);
}

void kaD3DVertexBuffer::PointSize1f(float size) { StoreFloats(L::POINT_SIZE, &size, 1); }

void kaD3DVertexBuffer::Weight1f(float w0) { StoreFloats(L::WEIGHTS, &w0, 1); }

void kaD3DVertexBuffer::Weight2f(float w0, float w1) {
    const float v[2] = {w0, w1};
    StoreFloats(L::WEIGHTS, v, 2);
}

void kaD3DVertexBuffer::Weight3f(float w0, float w1, float w2) {
    const float v[3] = {w0, w1, w2};
    StoreFloats(L::WEIGHTS, v, 3);
}

void kaD3DVertexBuffer::Weight4f(float w0, float w1, float w2, float w3) {
    const float v[4] = {w0, w1, w2, w3};
    StoreFloats(L::WEIGHTS, v, 4);
}

void kaD3DVertexBuffer::MatrixIndex1ub(unsigned char i0) { MatrixIndex4ub(i0, 0, 0, 0); }

void kaD3DVertexBuffer::MatrixIndex2ub(unsigned char i0, unsigned char i1) {
    MatrixIndex4ub(i0, i1, 0, 0);
}

void kaD3DVertexBuffer::MatrixIndex3ub(unsigned char i0, unsigned char i1, unsigned char i2) {
    MatrixIndex4ub(i0, i1, i2, 0);
}

void kaD3DVertexBuffer::MatrixIndex4ub(unsigned char i0, unsigned char i1, unsigned char i2,
                                       unsigned char i3) {
    StoreWord(L::MATRIX_INDICES, uint32_t{i0} | uint32_t{i1} << 8 | uint32_t{i2} << 16 |
                                     uint32_t{i3} << 24);
}

void kaD3DVertexBuffer::Diffuse3f(float r, float g, float b) { Diffuse4f(r, g, b, 1.0f); }

void kaD3DVertexBuffer::Diffuse4f(float r, float g, float b, float a) {
    StoreWord(L::DIFFUSE, kaPackedColor::FromFloats(r, g, b, a));
}

void kaD3DVertexBuffer::Diffuse3ub(unsigned char r, unsigned char g, unsigned char b) {
    Diffuse4ub(r, g, b, 255);
}

void kaD3DVertexBuffer::Diffuse4ub(unsigned char r, unsigned char g, unsigned char b,
                                   unsigned char a) {
    StoreWord(L::DIFFUSE, kaPackedColor::FromBytes(r, g, b, a));
}

void kaD3DVertexBuffer::Specular3f(float r, float g, float b) { Specular4f(r, g, b, 1.0f); }

void kaD3DVertexBuffer::Specular4f(float r, float g, float b, float a) {
    StoreWord(L::SPECULAR, kaPackedColor::FromFloats(r, g, b, a));
}

void kaD3DVertexBuffer::Specular3ub(unsigned char r, unsigned char g, unsigned char b) {
    Specular4ub(r, g, b, 255);
}

void kaD3DVertexBuffer::Specular4ub(unsigned char r, unsigned char g, unsigned char b,
                                    unsigned char a) {
    StoreWord(L::SPECULAR, kaPackedColor::FromBytes(r, g, b, a));
}

void kaD3DVertexBuffer::TexCoord1f(unsigned set, float s) {
    StoreFloats(TexCoordComponent(set), &s, 1);
}

void kaD3DVertexBuffer::TexCoord2f(unsigned set, float s, float t) {
    const float v[2] = {s, t};
    StoreFloats(TexCoordComponent(set), v, 2);
}

void kaD3DVertexBuffer::TexCoord3f(unsigned set, float s, float t, float r) {
    const float v[3] = {s, t, r};
    StoreFloats(TexCoordComponent(set), v, 3);
}

void kaD3DVertexBuffer::TexCoord4f(unsigned set, float s, float t, float r, float q) {
    const float v[4] = {s, t, r, q};
    StoreFloats(TexCoordComponent(set), v, 4);
}
