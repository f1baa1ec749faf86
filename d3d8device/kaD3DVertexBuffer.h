#pragma once

#include <d3d8.h>

#include <cstdint>

#include "kaVertexBuffer.h"
#include "kaVertexLayout.h"

// A platform vertex buffer with immediate-mode writers.  The layout of the
// vertex format is worked out once at creation; each writer then stores its
// component at pointer + vertexSize x cursor + offset and advances that
// component's cursor, without checks and without looking at the format.
class kaD3DVertexBuffer final : public kaVertexBuffer {
public:
    // Makes a buffer for vertexCount vertices in the platform's default pool.
    // Returns 2 for a size that does not fit 32 bits, 4 when the object
    // cannot be allocated, 1 when the platform refuses; *out is set only on success.
    static int Create(IDirect3DDevice8* device, unsigned vertexFormat, unsigned vertexCount,
                      unsigned usage, kaD3DVertexBuffer** out);

    int Release() override;
    void Vertex3f(float x, float y, float z) override;
    void Normal3f(float x, float y, float z) override;
    void PointSize1f(float size) override;
    void Weight1f(float w0) override;
    void Weight2f(float w0, float w1) override;
    void Weight3f(float w0, float w1, float w2) override;
    void Weight4f(float w0, float w1, float w2, float w3) override;
    void MatrixIndex1ub(unsigned char i0) override;
    void MatrixIndex2ub(unsigned char i0, unsigned char i1) override;
    void MatrixIndex3ub(unsigned char i0, unsigned char i1, unsigned char i2) override;
    void MatrixIndex4ub(unsigned char i0, unsigned char i1, unsigned char i2,
                        unsigned char i3) override;
    void Diffuse3f(float r, float g, float b) override;
    void Diffuse4f(float r, float g, float b, float a) override;
    void Diffuse3ub(unsigned char r, unsigned char g, unsigned char b) override;
    void Diffuse4ub(unsigned char r, unsigned char g, unsigned char b, unsigned char a) override;
    void Specular3f(float r, float g, float b) override;
    void Specular4f(float r, float g, float b, float a) override;
    void Specular3ub(unsigned char r, unsigned char g, unsigned char b) override;
    void Specular4ub(unsigned char r, unsigned char g, unsigned char b, unsigned char a) override;
    void TexCoord1f(unsigned set, float s) override;
    void TexCoord2f(unsigned set, float s, float t) override;
    void TexCoord3f(unsigned set, float s, float t, float r) override;
    void TexCoord4f(unsigned set, float s, float t, float r, float q) override;
    int Lock(unsigned firstVertex, unsigned vertexCount, unsigned lockFlags) override;
    int Unlock() override;
    unsigned getVertexFormat() override;
    unsigned getVertexSize() override;

    IDirect3DVertexBuffer8* getPlatformBuffer() const { return mBuffer; }

private:
    static constexpr unsigned kComponents = kaVertexLayout::COMPONENT_COUNT;

    kaD3DVertexBuffer(const kaVertexLayout& layout, uint32_t vertexFormat);
    ~kaD3DVertexBuffer();

    // Address of the next value of a component; advances its cursor.
    unsigned char* Next(unsigned component) {
        return mData + mVertexSize * mCursor[component]++ + mOffset[component];
    }
    void Store(unsigned component, float a);
    void Store(unsigned component, float a, float b);
    void Store(unsigned component, float a, float b, float c);
    void Store(unsigned component, float a, float b, float c, float d);
    void StoreWord(unsigned component, uint32_t word);
    // Texture sets 0 to 3; the set number is masked so it cannot leave the cursor table.
    static unsigned TexCoordComponent(unsigned set) {
        return kaVertexLayout::TEXCOORD0 + (set & 3u);
    }

    uint32_t mVertexSize;
    uint32_t mCursor[kComponents];
    uint32_t mOffset[kComponents];
    uint32_t mVertexFormat;
    IDirect3DVertexBuffer8* mBuffer;
    unsigned char* mData;
};
