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

// The values are copied as bit patterns, without a round trip through the
// floating-point unit.
void kaD3DVertexBuffer::Store(unsigned component, float a) {
    std::memcpy(Next(component), &a, sizeof a);
}

void kaD3DVertexBuffer::Store(unsigned component, float a, float b) {
    unsigned char* p = Next(component);
    std::memcpy(p, &a, sizeof a);
    std::memcpy(p + 4, &b, sizeof b);
}

void kaD3DVertexBuffer::Store(unsigned component, float a, float b, float c) {
    unsigned char* p = Next(component);
    std::memcpy(p, &a, sizeof a);
    std::memcpy(p + 4, &b, sizeof b);
    std::memcpy(p + 8, &c, sizeof c);
}

void kaD3DVertexBuffer::Store(unsigned component, float a, float b, float c, float d) {
    unsigned char* p = Next(component);
    std::memcpy(p, &a, sizeof a);
    std::memcpy(p + 4, &b, sizeof b);
    std::memcpy(p + 8, &c, sizeof c);
    std::memcpy(p + 12, &d, sizeof d);
}

void kaD3DVertexBuffer::StoreWord(unsigned component, uint32_t word) {
    std::memcpy(Next(component), &word, sizeof word);
}

void kaD3DVertexBuffer::Vertex3f(float x, float y, float z) {
    Store(L::POSITION, x, y, z);
}

void kaD3DVertexBuffer::Normal3f(float x, float y, float z) {
    Store(L::NORMAL, x, y, z);
}

void kaD3DVertexBuffer::PointSize1f(float size) { Store(L::POINT_SIZE, size); }

void kaD3DVertexBuffer::Weight1f(float w0) { Store(L::WEIGHTS, w0); }

void kaD3DVertexBuffer::Weight2f(float w0, float w1) {
    Store(L::WEIGHTS, w0, w1);
}

void kaD3DVertexBuffer::Weight3f(float w0, float w1, float w2) {
    Store(L::WEIGHTS, w0, w1, w2);
}

void kaD3DVertexBuffer::Weight4f(float w0, float w1, float w2, float w3) {
    Store(L::WEIGHTS, w0, w1, w2, w3);
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
    Store(TexCoordComponent(set), s);
}

void kaD3DVertexBuffer::TexCoord2f(unsigned set, float s, float t) {
    Store(TexCoordComponent(set), s, t);
}

void kaD3DVertexBuffer::TexCoord3f(unsigned set, float s, float t, float r) {
    Store(TexCoordComponent(set), s, t, r);
}

void kaD3DVertexBuffer::TexCoord4f(unsigned set, float s, float t, float r, float q) {
    Store(TexCoordComponent(set), s, t, r, q);
}
