#include "kaWritableVertexBuffer.h"

#include <cstring>

#include "kaPackedColor.h"

using L = kaVertexLayout;

kaWritableVertexBuffer::kaWritableVertexBuffer(const kaVertexLayout& layout,
                                               uint32_t vertexFormat, unsigned vertexCount)
    : mVertexSize(layout.vertexSize), mCursor(), mOffset(), mVertexFormat(vertexFormat),
      mVertexCount(vertexCount), mLockedBytes(0), mData(nullptr) {
    std::memcpy(mOffset, layout.offset, sizeof mOffset);
}

bool kaWritableVertexBuffer::LockRange(unsigned first, unsigned* count) const {
    if (first > mVertexCount) return false;
    if (*count == 0) *count = mVertexCount - first;
    return *count <= mVertexCount - first;
}

void kaWritableVertexBuffer::StartWriting(unsigned char* data, unsigned vertexCount) {
    mData = data;
    mLockedBytes = uint64_t(mVertexSize) * vertexCount;
    std::memset(mCursor, 0, sizeof mCursor);
}

unsigned kaWritableVertexBuffer::getVertexFormat() { return mVertexFormat; }
unsigned kaWritableVertexBuffer::getVertexSize() { return mVertexSize; }

unsigned char* kaWritableVertexBuffer::Next(unsigned component, size_t bytes) {
    const uint64_t at = uint64_t(mVertexSize) * mCursor[component]++ + mOffset[component];
    if (mData == nullptr || at + bytes > mLockedBytes) return nullptr;
    return mData + at;
}

// The values are copied as bit patterns, without a round trip through the
// floating-point unit.
void kaWritableVertexBuffer::Store(unsigned component, std::initializer_list<float> values) {
    const size_t bytes = values.size() * sizeof(float);
    if (unsigned char* p = Next(component, bytes)) std::memcpy(p, values.begin(), bytes);
}

void kaWritableVertexBuffer::StoreWord(unsigned component, uint32_t word) {
    if (unsigned char* p = Next(component, sizeof word)) std::memcpy(p, &word, sizeof word);
}

void kaWritableVertexBuffer::Vertex3f(float x, float y, float z) {
    Store(L::POSITION, {x, y, z});
}

void kaWritableVertexBuffer::Normal3f(float x, float y, float z) {
    Store(L::NORMAL, {x, y, z});
}

void kaWritableVertexBuffer::PointSize1f(float size) { Store(L::POINT_SIZE, {size}); }

void kaWritableVertexBuffer::Weight1f(float w0) { Store(L::WEIGHTS, {w0}); }

void kaWritableVertexBuffer::Weight2f(float w0, float w1) {
    Store(L::WEIGHTS, {w0, w1});
}

void kaWritableVertexBuffer::Weight3f(float w0, float w1, float w2) {
    Store(L::WEIGHTS, {w0, w1, w2});
}

void kaWritableVertexBuffer::Weight4f(float w0, float w1, float w2, float w3) {
    Store(L::WEIGHTS, {w0, w1, w2, w3});
}

void kaWritableVertexBuffer::MatrixIndex1ub(unsigned char i0) { MatrixIndex4ub(i0, 0, 0, 0); }

void kaWritableVertexBuffer::MatrixIndex2ub(unsigned char i0, unsigned char i1) {
    MatrixIndex4ub(i0, i1, 0, 0);
}

void kaWritableVertexBuffer::MatrixIndex3ub(unsigned char i0, unsigned char i1, unsigned char i2) {
    MatrixIndex4ub(i0, i1, i2, 0);
}

void kaWritableVertexBuffer::MatrixIndex4ub(unsigned char i0, unsigned char i1, unsigned char i2,
                                       unsigned char i3) {
    StoreWord(L::MATRIX_INDICES, uint32_t{i0} | uint32_t{i1} << 8 | uint32_t{i2} << 16 |
                                     uint32_t{i3} << 24);
}

void kaWritableVertexBuffer::Diffuse3f(float r, float g, float b) { Diffuse4f(r, g, b, 1.0f); }

void kaWritableVertexBuffer::Diffuse4f(float r, float g, float b, float a) {
    StoreWord(L::DIFFUSE, kaPackedColor::FromFloats(r, g, b, a));
}

void kaWritableVertexBuffer::Diffuse3ub(unsigned char r, unsigned char g, unsigned char b) {
    Diffuse4ub(r, g, b, 255);
}

void kaWritableVertexBuffer::Diffuse4ub(unsigned char r, unsigned char g, unsigned char b,
                                   unsigned char a) {
    StoreWord(L::DIFFUSE, kaPackedColor::FromBytes(r, g, b, a));
}

void kaWritableVertexBuffer::Specular3f(float r, float g, float b) { Specular4f(r, g, b, 1.0f); }

void kaWritableVertexBuffer::Specular4f(float r, float g, float b, float a) {
    StoreWord(L::SPECULAR, kaPackedColor::FromFloats(r, g, b, a));
}

void kaWritableVertexBuffer::Specular3ub(unsigned char r, unsigned char g, unsigned char b) {
    Specular4ub(r, g, b, 255);
}

void kaWritableVertexBuffer::Specular4ub(unsigned char r, unsigned char g, unsigned char b,
                                    unsigned char a) {
    StoreWord(L::SPECULAR, kaPackedColor::FromBytes(r, g, b, a));
}

void kaWritableVertexBuffer::TexCoord1f(unsigned set, float s) {
    Store(TexCoordComponent(set), {s});
}

void kaWritableVertexBuffer::TexCoord2f(unsigned set, float s, float t) {
    Store(TexCoordComponent(set), {s, t});
}

void kaWritableVertexBuffer::TexCoord3f(unsigned set, float s, float t, float r) {
    Store(TexCoordComponent(set), {s, t, r});
}

void kaWritableVertexBuffer::TexCoord4f(unsigned set, float s, float t, float r, float q) {
    Store(TexCoordComponent(set), {s, t, r, q});
}
