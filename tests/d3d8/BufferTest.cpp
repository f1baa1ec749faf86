#include <cstring>
#include <vector>

#include "kaD3DDeviceTest.h"
#include "kaD3DIndexBuffer.h"
#include "kaD3DVertexBuffer.h"
#include "kaResult.h"

namespace {

class BufferTest : public kaD3DDeviceTest {
protected:
    kaVertexBuffer* MakeVertexBuffer(unsigned format, unsigned count) {
        kaVertexBuffer* buffer = nullptr;
        EXPECT_EQ(mDevice->CreateVertexBuffer(&buffer, format, count, D3DUSAGE_WRITEONLY), KA_OK);
        return buffer;
    }

    // The bytes of the whole platform buffer.
    static std::vector<unsigned char> Contents(kaVertexBuffer* buffer) {
        IDirect3DVertexBuffer8* platform =
            static_cast<kaD3DVertexBuffer*>(buffer)->getPlatformBuffer();
        D3DVERTEXBUFFER_DESC desc;
        platform->GetDesc(&desc);
        std::vector<unsigned char> bytes(desc.Size);
        BYTE* data = nullptr;
        if (SUCCEEDED(platform->Lock(0, 0, &data, D3DLOCK_READONLY))) {
            std::memcpy(bytes.data(), data, bytes.size());
            platform->Unlock();
        }
        return bytes;
    }

    static std::vector<uint16_t> Contents(kaIndexBuffer* buffer, unsigned count) {
        IDirect3DIndexBuffer8* platform = static_cast<kaD3DIndexBuffer*>(buffer)->getPlatformBuffer();
        std::vector<uint16_t> indices(count);
        BYTE* data = nullptr;
        if (SUCCEEDED(platform->Lock(0, 0, &data, D3DLOCK_READONLY))) {
            std::memcpy(indices.data(), data, count * sizeof(uint16_t));
            platform->Unlock();
        }
        return indices;
    }
};

float FloatAt(const std::vector<unsigned char>& bytes, size_t offset) {
    float value;
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

uint32_t WordAt(const std::vector<unsigned char>& bytes, size_t offset) {
    uint32_t value;
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

TEST_F(BufferTest, ColouredTexturedVertexBytes) {
    kaVertexBuffer* buffer = MakeVertexBuffer(0x142, 2);
    ASSERT_NE(buffer, nullptr);
    EXPECT_EQ(buffer->getVertexSize(), 24u);
    EXPECT_EQ(buffer->getVertexFormat(), 0x142u);
    ASSERT_EQ(buffer->Lock(0, 0, 0), KA_OK);
    buffer->Vertex3f(1.0f, 2.0f, 3.0f);
    buffer->Diffuse4ub(1, 2, 3, 4);
    buffer->TexCoord2f(0, 0.25f, 0.75f);
    buffer->Vertex3f(4.0f, 5.0f, 6.0f);
    buffer->Diffuse3f(1.0f, 0.5f, 0.0f);
    buffer->TexCoord2f(0, 1.0f, 2.0f);
    ASSERT_EQ(buffer->Unlock(), KA_OK);

    const std::vector<unsigned char> bytes = Contents(buffer);
    EXPECT_EQ(FloatAt(bytes, 0), 1.0f);
    EXPECT_EQ(FloatAt(bytes, 8), 3.0f);
    EXPECT_EQ(bytes[12], 3);
    EXPECT_EQ(bytes[13], 2);
    EXPECT_EQ(bytes[14], 1);
    EXPECT_EQ(bytes[15], 4);
    EXPECT_EQ(FloatAt(bytes, 16), 0.25f);
    EXPECT_EQ(FloatAt(bytes, 20), 0.75f);
    EXPECT_EQ(FloatAt(bytes, 24), 4.0f);
    EXPECT_EQ(WordAt(bytes, 24 + 12), 0xFFFF7F00u);
    EXPECT_EQ(FloatAt(bytes, 24 + 20), 2.0f);
    buffer->Release();
}

TEST_F(BufferTest, BumpMappedVertexWithFourTextureSets) {
    kaVertexBuffer* buffer = MakeVertexBuffer(0x540402, 1);
    ASSERT_NE(buffer, nullptr);
    EXPECT_EQ(buffer->getVertexSize(), 56u);
    ASSERT_EQ(buffer->Lock(0, 1, 0), KA_OK);
    buffer->Vertex3f(1, 2, 3);
    buffer->TexCoord2f(0, 4, 5);
    buffer->TexCoord3f(1, 6, 7, 8);
    buffer->TexCoord3f(2, 9, 10, 11);
    buffer->TexCoord3f(3, 12, 13, 14);
    ASSERT_EQ(buffer->Unlock(), KA_OK);
    const std::vector<unsigned char> bytes = Contents(buffer);
    for (int i = 0; i < 14; ++i) EXPECT_EQ(FloatAt(bytes, 4 * i), i + 1.0f) << "float " << i;
    buffer->Release();
}

TEST_F(BufferTest, PassByPassEqualsVertexByVertex) {
    const unsigned format = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_DIFFUSE | D3DFVF_SPECULAR |
                            D3DFVF_TEX1;
    kaVertexBuffer* byVertex = MakeVertexBuffer(format, 4);
    kaVertexBuffer* byPass = MakeVertexBuffer(format, 4);
    ASSERT_TRUE(byVertex && byPass);
    ASSERT_EQ(byVertex->Lock(0, 0, 0), KA_OK);
    for (int v = 0; v < 4; ++v) {
        byVertex->Vertex3f(v, v + 0.5f, -v);
        byVertex->Normal3f(0, 0, v);
        byVertex->Diffuse4f(v / 4.0f, 0.5f, 1.0f, 1.0f);
        byVertex->Specular3ub(v, 2 * v, 3 * v);
        byVertex->TexCoord2f(0, v, -v);
    }
    ASSERT_EQ(byVertex->Unlock(), KA_OK);
    ASSERT_EQ(byPass->Lock(0, 0, 0), KA_OK);
    for (int v = 0; v < 4; ++v) byPass->TexCoord2f(0, v, -v);
    for (int v = 0; v < 4; ++v) byPass->Specular3ub(v, 2 * v, 3 * v);
    for (int v = 0; v < 4; ++v) byPass->Vertex3f(v, v + 0.5f, -v);
    for (int v = 0; v < 4; ++v) byPass->Diffuse4f(v / 4.0f, 0.5f, 1.0f, 1.0f);
    for (int v = 0; v < 4; ++v) byPass->Normal3f(0, 0, v);
    ASSERT_EQ(byPass->Unlock(), KA_OK);
    EXPECT_EQ(Contents(byVertex), Contents(byPass));
    byVertex->Release();
    byPass->Release();
}

TEST_F(BufferTest, SecondLockStartsEveryCursorAgain) {
    const unsigned format = D3DFVF_XYZ | D3DFVF_PSIZE;
    kaVertexBuffer* buffer = MakeVertexBuffer(format, 3);
    ASSERT_NE(buffer, nullptr);
    EXPECT_EQ(buffer->getVertexSize(), 16u);
    ASSERT_EQ(buffer->Lock(0, 0, 0), KA_OK);
    for (int v = 0; v < 3; ++v) {
        buffer->Vertex3f(v, v, v);
        buffer->PointSize1f(v + 1.0f);
    }
    ASSERT_EQ(buffer->Unlock(), KA_OK);
    ASSERT_EQ(buffer->Lock(0, 0, 0), KA_OK);
    buffer->PointSize1f(9.0f);
    buffer->Vertex3f(7, 7, 7);
    ASSERT_EQ(buffer->Unlock(), KA_OK);
    const std::vector<unsigned char> bytes = Contents(buffer);
    EXPECT_EQ(FloatAt(bytes, 12), 9.0f);
    EXPECT_EQ(FloatAt(bytes, 0), 7.0f);
    EXPECT_EQ(FloatAt(bytes, 16 + 12), 2.0f) << "vertex 1 untouched";
    buffer->Release();
}

TEST_F(BufferTest, LockedRangeStartsAtTheFirstVertex) {
    kaVertexBuffer* buffer = MakeVertexBuffer(D3DFVF_XYZ | D3DFVF_TEX1 | D3DFVF_TEXCOORDSIZE1(0), 4);
    ASSERT_NE(buffer, nullptr);
    EXPECT_EQ(buffer->getVertexSize(), 16u) << "size code 3 is one float";
    ASSERT_EQ(buffer->Lock(2, 1, 0), KA_OK);
    buffer->Vertex3f(5, 6, 7);
    buffer->TexCoord1f(0, 8);
    ASSERT_EQ(buffer->Unlock(), KA_OK);
    const std::vector<unsigned char> bytes = Contents(buffer);
    EXPECT_EQ(FloatAt(bytes, 32), 5.0f);
    EXPECT_EQ(FloatAt(bytes, 44), 8.0f);
    buffer->Release();
}

TEST_F(BufferTest, SkinnedVertexWeightsAndMatrixIndices) {
    const unsigned format = D3DFVF_XYZB3 | D3DFVF_LASTBETA_UBYTE4 | D3DFVF_NORMAL;
    kaVertexBuffer* buffer = MakeVertexBuffer(format, 1);
    ASSERT_NE(buffer, nullptr);
    EXPECT_EQ(buffer->getVertexSize(), 12u + 8u + 4u + 12u);
    ASSERT_EQ(buffer->Lock(0, 0, 0), KA_OK);
    buffer->Vertex3f(1, 2, 3);
    buffer->Weight2f(0.25f, 0.75f);
    buffer->MatrixIndex2ub(7, 9);
    buffer->Normal3f(0, 1, 0);
    ASSERT_EQ(buffer->Unlock(), KA_OK);
    const std::vector<unsigned char> bytes = Contents(buffer);
    EXPECT_EQ(FloatAt(bytes, 16), 0.75f);
    EXPECT_EQ(WordAt(bytes, 20), 0x0907u);
    EXPECT_EQ(FloatAt(bytes, 28), 1.0f);
    buffer->Release();
}

TEST_F(BufferTest, IndexArrayFollowsSingleIndices) {
    kaIndexBuffer* buffer = nullptr;
    ASSERT_EQ(mDevice->CreateIndexBuffer(&buffer, 8, D3DUSAGE_WRITEONLY), KA_OK);
    ASSERT_EQ(buffer->Lock(0, 0, 0), KA_OK);
    buffer->AddIndex(10);
    buffer->AddIndex(11);
    unsigned short more[3] = {20, 21, 22};
    buffer->AddIndexArray(more, 3);
    buffer->AddIndex(30);
    ASSERT_EQ(buffer->Unlock(), KA_OK);
    ASSERT_EQ(buffer->Lock(7, 1, 0), KA_OK);
    buffer->AddIndex(99);
    ASSERT_EQ(buffer->Unlock(), KA_OK);
    EXPECT_EQ(Contents(buffer, 8), (std::vector<uint16_t>{10, 11, 20, 21, 22, 30, 0, 99}));
    buffer->Release();
}

TEST_F(BufferTest, CreationFailuresHandOutNothing) {
    kaVertexBuffer* vertices = reinterpret_cast<kaVertexBuffer*>(1);
    EXPECT_EQ(mDevice->CreateVertexBuffer(nullptr, 0x142, 4, 0), KA_ERR_INVALIDARG);
    EXPECT_EQ(mDevice->CreateVertexBuffer(&vertices, 0x142, 0x20000000, 0), KA_ERR_INVALIDARG)
        << "the byte size does not fit 32 bits";
    EXPECT_EQ(mDevice->CreateVertexBuffer(&vertices, 0x142, 0, 0), KA_ERR_PLATFORM);
    EXPECT_EQ(vertices, reinterpret_cast<kaVertexBuffer*>(1));
    kaIndexBuffer* indices = reinterpret_cast<kaIndexBuffer*>(1);
    EXPECT_EQ(mDevice->CreateIndexBuffer(&indices, 0, 0), KA_ERR_PLATFORM);
    EXPECT_EQ(indices, reinterpret_cast<kaIndexBuffer*>(1));
}

}  // namespace
