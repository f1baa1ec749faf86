#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "kaBufferLock.h"
#include "kaVertexBytes.h"
#include "kaVertexBuffer.h"
#include "kaVertexLayout.h"

class kaRecordingDevice;

// A vertex buffer of the recording device, backed by ordinary memory.  The
// writers lay vertices out byte for byte as the Direct3D 8 device does: one
// cursor per component, colours packed A8R8G8B8, matrix indices lowest byte
// first.  Unlike the real buffer, every write is checked: a write while
// unlocked, outside the locked vertices or larger than the component the
// format gives is not stored and is reported to the device's misuse list.
// Lock, Unlock and Release are recorded on the device as "VertexBuffer.Lock",
// "VertexBuffer.Unlock" and "VertexBuffer.Release" with the buffer first.
class kaRecordingVertexBuffer final : public kaVertexBuffer {
public:
    using Component = kaVertexLayout::Component;

    kaRecordingVertexBuffer(kaRecordingDevice& device, unsigned vertexFormat,
                            unsigned vertexCount, unsigned usage);
    kaRecordingVertexBuffer(const kaRecordingVertexBuffer&) = delete;
    kaRecordingVertexBuffer& operator=(const kaRecordingVertexBuffer&) = delete;

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
    void Specular4ub(unsigned char r, unsigned char g, unsigned char b,
                     unsigned char a) override;
    void TexCoord1f(unsigned set, float s) override;
    void TexCoord2f(unsigned set, float s, float t) override;
    void TexCoord3f(unsigned set, float s, float t, float r) override;
    void TexCoord4f(unsigned set, float s, float t, float r, float q) override;
    int Lock(unsigned firstVertex, unsigned vertexCount, unsigned lockFlags) override;
    int Unlock() override;
    unsigned getVertexFormat() override;
    unsigned getVertexSize() override;

    // The whole buffer, vertexCount() x vertex size bytes, zero where nothing
    // was written.
    const std::vector<uint8_t>& data() const { return mVertices.bytes; }
    const kaVertexBytes& vertices() const { return mVertices; }
    unsigned vertexCount() const { return mLock.capacity(); }
    unsigned vertexFormat() const { return mFormat; }
    unsigned usage() const { return mUsage; }
    const kaVertexLayout& layout() const { return mVertices.layout; }
    bool isLocked() const { return mLock.isLocked(); }
    unsigned lockCount() const { return mLock.lockCount(); }
    unsigned unlockCount() const { return mLock.unlockCount(); }
    // Next vertex (from the start of the locked range) that the component's
    // writers fill.
    unsigned cursor(Component component) const { return mCursor[component]; }
    // Float `index` of a component of a vertex (counted from the buffer's
    // start), and the 32-bit word of a colour or matrix-index component.
    // Both throw std::out_of_range outside the buffer or the component.
    float floatAt(unsigned vertex, Component component, unsigned index = 0) const {
        return mVertices.floatAt(vertex, component, index);
    }
    uint32_t wordAt(unsigned vertex, Component component) const {
        return mVertices.wordAt(vertex, component);
    }

private:
    friend class kaRecordingDevice;
    ~kaRecordingVertexBuffer() = default;

    void Write(Component component, const void* bytes, unsigned size);
    void WriteFloats(Component component, std::initializer_list<float> values);
    void WriteWord(Component component, uint32_t word);
    void WriteColor(Component component, float r, float g, float b, float a);
    void WriteTexCoords(unsigned set, std::initializer_list<float> values);

    kaRecordingDevice& mDevice;
    unsigned mFormat;
    unsigned mUsage;
    kaVertexBytes mVertices;
    kaBufferLock mLock;
    unsigned mCursor[kaVertexLayout::COMPONENT_COUNT] = {};
};
