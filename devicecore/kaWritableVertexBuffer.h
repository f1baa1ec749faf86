#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>

#include "kaLinkedResource.h"
#include "kaVertexBuffer.h"
#include "kaVertexLayout.h"

// The immediate-mode writers of a vertex buffer, shared by every device.  The
// layout of the vertex format is worked out once at creation; each writer
// then stores its component at pointer + vertexSize x cursor + offset and
// advances that component's cursor, without looking at the format.  A
// device's buffer provides the memory between its Lock and Unlock and hands
// it over with StartWriting.  A write that would reach past the locked
// vertices, or that comes while nothing is locked, is dropped.
class kaWritableVertexBuffer : public kaVertexBuffer, public kaLinkedResource {
public:
    void Vertex3f(float x, float y, float z) final;
    void Normal3f(float x, float y, float z) final;
    void PointSize1f(float size) final;
    void Weight1f(float w0) final;
    void Weight2f(float w0, float w1) final;
    void Weight3f(float w0, float w1, float w2) final;
    void Weight4f(float w0, float w1, float w2, float w3) final;
    void MatrixIndex1ub(unsigned char i0) final;
    void MatrixIndex2ub(unsigned char i0, unsigned char i1) final;
    void MatrixIndex3ub(unsigned char i0, unsigned char i1, unsigned char i2) final;
    void MatrixIndex4ub(unsigned char i0, unsigned char i1, unsigned char i2,
                        unsigned char i3) final;
    void Diffuse3f(float r, float g, float b) final;
    void Diffuse4f(float r, float g, float b, float a) final;
    void Diffuse3ub(unsigned char r, unsigned char g, unsigned char b) final;
    void Diffuse4ub(unsigned char r, unsigned char g, unsigned char b, unsigned char a) final;
    void Specular3f(float r, float g, float b) final;
    void Specular4f(float r, float g, float b, float a) final;
    void Specular3ub(unsigned char r, unsigned char g, unsigned char b) final;
    void Specular4ub(unsigned char r, unsigned char g, unsigned char b, unsigned char a) final;
    void TexCoord1f(unsigned set, float s) final;
    void TexCoord2f(unsigned set, float s, float t) final;
    void TexCoord3f(unsigned set, float s, float t, float r) final;
    void TexCoord4f(unsigned set, float s, float t, float r, float q) final;
    unsigned getVertexFormat() final;
    unsigned getVertexSize() final;
    unsigned getVertexCount() const { return mVertexCount; }

    // True when vertexCount vertices of the layout take more than 32 bits of bytes.
    static bool TooLarge(const kaVertexLayout& layout, unsigned vertexCount) {
        return layout.vertexSize != 0 && vertexCount > 0xFFFFFFFFu / layout.vertexSize;
    }

protected:
    kaWritableVertexBuffer(const kaVertexLayout& layout, uint32_t vertexFormat,
                           unsigned vertexCount);
    ~kaWritableVertexBuffer() = default;

    // The range a Lock asks for, made whole: a count of 0 runs to the end of
    // the buffer.  False for a range that leaves the buffer.
    bool LockRange(unsigned first, unsigned* count) const;
    // The writers now store into data (the first locked vertex), at most
    // vertexCount vertices; every cursor starts at 0.
    void StartWriting(unsigned char* data, unsigned vertexCount);
    void StopWriting() { mData = nullptr; }
    bool isWriting() const { return mData != nullptr; }
    const uint32_t* getOffsets() const { return mOffset; }

private:
    static constexpr unsigned kComponents = kaVertexLayout::COMPONENT_COUNT;

    // Address of the next value of a component, `bytes` long; advances its
    // cursor.  Null when those bytes do not lie wholly in the locked vertices.
    unsigned char* Next(unsigned component, size_t bytes);
    void Store(unsigned component, std::initializer_list<float> values);
    void StoreWord(unsigned component, uint32_t word);
    // Texture sets 0 to 3; the set number is masked so it cannot leave the cursor table.
    static unsigned TexCoordComponent(unsigned set) {
        return kaVertexLayout::TEXCOORD0 + (set & 3u);
    }

    uint32_t mVertexSize;
    uint32_t mCursor[kComponents];
    uint32_t mOffset[kComponents];
    uint32_t mVertexFormat;
    uint32_t mVertexCount;
    uint64_t mLockedBytes;
    unsigned char* mData;
};
