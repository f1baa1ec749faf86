#include "kaRecordingVertexBuffer.h"

#include <cstring>
#include <string>

#include "kaRecordingDevice.h"
#include "kaResult.h"

namespace {

// channel * 255, truncated toward zero and cut to 8 bits.  Values beyond the
// range of an int give 0, as the processor's truncating conversion does.
uint32_t ChannelByte(float channel) {
    const double scaled = channel * 255.0;
    if (!(scaled > -2147483649.0 && scaled < 2147483648.0)) return 0;
    return static_cast<uint32_t>(static_cast<int>(scaled)) & 0xFF;
}

uint32_t PackBytes(uint32_t low, uint32_t second, uint32_t third, uint32_t high) {
    return high << 24 | third << 16 | second << 8 | low;
}

}  // namespace

kaRecordingVertexBuffer::kaRecordingVertexBuffer(kaRecordingDevice& device,
                                                 unsigned vertexFormat, unsigned vertexCount,
                                                 unsigned usage)
    : mDevice(device),
      mFormat(vertexFormat),
      mUsage(usage),
      mVertices{kaVertexLayout::FromFormat(vertexFormat), {}},
      mLock(vertexCount) {
    mVertices.bytes.assign(static_cast<size_t>(vertexCount) * mVertices.layout.vertexSize, 0);
}

int kaRecordingVertexBuffer::Release() {
    return mDevice.ReleaseResource("VertexBuffer.Release", this);
}

void kaRecordingVertexBuffer::Write(Component component, const void* bytes, unsigned size) {
    const unsigned vertex = mCursor[component]++;
    const char* fault = nullptr;
    if (!mLock.isLocked()) {
        fault = " written while unlocked";
    } else if (size > mVertices.layout.size[component]) {
        fault = " written with more bytes than the format gives it";
    } else if (vertex >= mLock.count()) {
        fault = " written past the locked vertices";
    }
    if (fault != nullptr) {
        mDevice.noteMisuse(std::string("vertex buffer: ") + kaVertexBytes::ComponentName(component) +
                           fault);
        return;
    }
    const kaVertexLayout& layout = mVertices.layout;
    const size_t at = static_cast<size_t>(mLock.first() + vertex) * layout.vertexSize +
                      layout.offset[component];
    std::memcpy(mVertices.bytes.data() + at, bytes, size);
}

void kaRecordingVertexBuffer::WriteFloats(Component component,
                                          std::initializer_list<float> values) {
    Write(component, values.begin(), static_cast<unsigned>(values.size() * sizeof(float)));
}

void kaRecordingVertexBuffer::WriteWord(Component component, uint32_t word) {
    Write(component, &word, sizeof word);
}

void kaRecordingVertexBuffer::WriteColor(Component component, float r, float g, float b,
                                         float a) {
    WriteWord(component, PackBytes(ChannelByte(b), ChannelByte(g), ChannelByte(r),
                                   ChannelByte(a)));
}

void kaRecordingVertexBuffer::WriteTexCoords(unsigned set, std::initializer_list<float> values) {
    if (set >= 4) {
        mDevice.noteMisuse("vertex buffer: texture set " + std::to_string(set) +
                           " has no writer");
        return;
    }
    WriteFloats(static_cast<Component>(kaVertexLayout::TEXCOORD0 + set), values);
}

void kaRecordingVertexBuffer::Vertex3f(float x, float y, float z) {
    WriteFloats(kaVertexLayout::POSITION, {x, y, z});
}

void kaRecordingVertexBuffer::Normal3f(float x, float y, float z) {
    WriteFloats(kaVertexLayout::NORMAL, {x, y, z});
}

void kaRecordingVertexBuffer::PointSize1f(float size) {
    WriteFloats(kaVertexLayout::POINT_SIZE, {size});
}

void kaRecordingVertexBuffer::Weight1f(float w0) {
    WriteFloats(kaVertexLayout::WEIGHTS, {w0});
}

void kaRecordingVertexBuffer::Weight2f(float w0, float w1) {
    WriteFloats(kaVertexLayout::WEIGHTS, {w0, w1});
}

void kaRecordingVertexBuffer::Weight3f(float w0, float w1, float w2) {
    WriteFloats(kaVertexLayout::WEIGHTS, {w0, w1, w2});
}

void kaRecordingVertexBuffer::Weight4f(float w0, float w1, float w2, float w3) {
    WriteFloats(kaVertexLayout::WEIGHTS, {w0, w1, w2, w3});
}

void kaRecordingVertexBuffer::MatrixIndex1ub(unsigned char i0) {
    MatrixIndex4ub(i0, 0, 0, 0);
}

void kaRecordingVertexBuffer::MatrixIndex2ub(unsigned char i0, unsigned char i1) {
    MatrixIndex4ub(i0, i1, 0, 0);
}

void kaRecordingVertexBuffer::MatrixIndex3ub(unsigned char i0, unsigned char i1,
                                             unsigned char i2) {
    MatrixIndex4ub(i0, i1, i2, 0);
}

void kaRecordingVertexBuffer::MatrixIndex4ub(unsigned char i0, unsigned char i1,
                                             unsigned char i2, unsigned char i3) {
    WriteWord(kaVertexLayout::MATRIX_INDICES, PackBytes(i0, i1, i2, i3));
}

void kaRecordingVertexBuffer::Diffuse3f(float r, float g, float b) {
    WriteColor(kaVertexLayout::DIFFUSE, r, g, b, 1.0f);
}

void kaRecordingVertexBuffer::Diffuse4f(float r, float g, float b, float a) {
    WriteColor(kaVertexLayout::DIFFUSE, r, g, b, a);
}

void kaRecordingVertexBuffer::Diffuse3ub(unsigned char r, unsigned char g, unsigned char b) {
    Diffuse4ub(r, g, b, 255);
}

void kaRecordingVertexBuffer::Diffuse4ub(unsigned char r, unsigned char g, unsigned char b,
                                         unsigned char a) {
    WriteWord(kaVertexLayout::DIFFUSE, PackBytes(b, g, r, a));
}

void kaRecordingVertexBuffer::Specular3f(float r, float g, float b) {
    WriteColor(kaVertexLayout::SPECULAR, r, g, b, 1.0f);
}

void kaRecordingVertexBuffer::Specular4f(float r, float g, float b, float a) {
    WriteColor(kaVertexLayout::SPECULAR, r, g, b, a);
}

void kaRecordingVertexBuffer::Specular3ub(unsigned char r, unsigned char g, unsigned char b) {
    Specular4ub(r, g, b, 255);
}

void kaRecordingVertexBuffer::Specular4ub(unsigned char r, unsigned char g, unsigned char b,
                                          unsigned char a) {
    WriteWord(kaVertexLayout::SPECULAR, PackBytes(b, g, r, a));
}

void kaRecordingVertexBuffer::TexCoord1f(unsigned set, float s) {
    WriteTexCoords(set, {s});
}

void kaRecordingVertexBuffer::TexCoord2f(unsigned set, float s, float t) {
    WriteTexCoords(set, {s, t});
}

void kaRecordingVertexBuffer::TexCoord3f(unsigned set, float s, float t, float r) {
    WriteTexCoords(set, {s, t, r});
}

void kaRecordingVertexBuffer::TexCoord4f(unsigned set, float s, float t, float r, float q) {
    WriteTexCoords(set, {s, t, r, q});
}

int kaRecordingVertexBuffer::Lock(unsigned firstVertex, unsigned vertexCount,
                                  unsigned lockFlags) {
    const int result = mLock.Lock(mDevice,
                                  kaDeviceCall("VertexBuffer.Lock")
                                      << this << firstVertex << vertexCount << lockFlags,
                                  firstVertex, vertexCount);
    if (result == KA_OK) {
        for (unsigned& cursor : mCursor) cursor = 0;
    }
    return result;
}

int kaRecordingVertexBuffer::Unlock() {
    return mLock.Unlock(mDevice, kaDeviceCall("VertexBuffer.Unlock") << this);
}

unsigned kaRecordingVertexBuffer::getVertexFormat() { return mFormat; }

unsigned kaRecordingVertexBuffer::getVertexSize() { return mVertices.layout.vertexSize; }
