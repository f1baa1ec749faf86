#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "kaRecordingDevice.h"

namespace {

using L = kaVertexLayout;

class RecordingBufferTest : public ::testing::Test {
protected:
    kaRecordingVertexBuffer* MakeVertexBuffer(unsigned format, unsigned count) {
        kaVertexBuffer* buffer = nullptr;
        EXPECT_EQ(device.CreateVertexBuffer(&buffer, format, count, 0x008), 0);
        return device.recorded(buffer);
    }
    kaRecordingIndexBuffer* MakeIndexBuffer(unsigned count) {
        kaIndexBuffer* buffer = nullptr;
        EXPECT_EQ(device.CreateIndexBuffer(&buffer, count, 0), 0);
        return device.recorded(buffer);
    }
    static std::vector<uint8_t> Bytes(const kaRecordingVertexBuffer& buffer, size_t at,
                                      size_t count) {
        return {buffer.data().begin() + at, buffer.data().begin() + at + count};
    }

    kaRecordingDevice device;
};

TEST_F(RecordingBufferTest, ColouredTexturedVertexByteForByte) {
    kaRecordingVertexBuffer* vb = MakeVertexBuffer(0x142, 2);
    ASSERT_NE(vb, nullptr);
    EXPECT_EQ(vb->getVertexSize(), 24u);
    ASSERT_EQ(vb->Lock(0, 0, 0), 0);
    vb->Vertex3f(1.0f, 2.0f, 3.0f);
    vb->Diffuse4ub(1, 2, 3, 4);
    vb->TexCoord2f(0, 0.25f, 0.75f);
    vb->Diffuse3f(1.0f, 0.5f, 0.0f);  // vertex 1
    ASSERT_EQ(vb->Unlock(), 0);

    EXPECT_EQ(Bytes(*vb, 12, 4), (std::vector<uint8_t>{3, 2, 1, 4}));
    EXPECT_EQ(vb->floatAt(0, L::POSITION, 2), 3.0f);
    EXPECT_EQ(vb->floatAt(0, L::TEXCOORD0, 0), 0.25f);
    EXPECT_EQ(vb->floatAt(0, L::TEXCOORD0, 1), 0.75f);
    EXPECT_EQ(vb->wordAt(1, L::DIFFUSE), 0xFFFF7F00u);
    EXPECT_TRUE(device.misuse().empty());
}

TEST_F(RecordingBufferTest, FloatColoursTruncateAndKeepTheLowByte) {
    kaRecordingVertexBuffer* vb = MakeVertexBuffer(0x002 | 0x040 | 0x080, 4);
    ASSERT_EQ(vb->Lock(0, 0, 0), 0);
    vb->Diffuse4f(0.999f, 1.5f, -0.5f, 0.0f);  // 254, 382 -> 0x7E, -127 -> 0x81
    vb->Diffuse4f(1e30f, 0.0f, 0.0f, 1.0f);     // beyond an int: 0
    vb->Specular3ub(0x10, 0x20, 0x30);
    vb->Specular4f(0.0f, 0.0f, 1.0f, 0.5f);
    EXPECT_EQ(vb->wordAt(0, L::DIFFUSE), 0x00FE7E81u);
    EXPECT_EQ(vb->wordAt(1, L::DIFFUSE), 0xFF000000u);
    EXPECT_EQ(vb->wordAt(0, L::SPECULAR), 0xFF102030u);
    EXPECT_EQ(vb->wordAt(1, L::SPECULAR), 0x7F0000FFu);
}

TEST_F(RecordingBufferTest, MatrixIndicesLowestByteFirstAfterTheWeights) {
    // Position, three betas of which the last holds the matrix indices.
    kaRecordingVertexBuffer* vb = MakeVertexBuffer(0x00A | 0x1000, 2);
    ASSERT_EQ(vb->Lock(0, 0, 0), 0);
    vb->Weight2f(0.25f, 0.75f);
    vb->MatrixIndex2ub(7, 9);
    vb->MatrixIndex4ub(1, 2, 3, 4);
    EXPECT_EQ(vb->getVertexSize(), 24u);
    EXPECT_EQ(Bytes(*vb, 20, 4), (std::vector<uint8_t>{7, 9, 0, 0}));
    EXPECT_EQ(vb->wordAt(1, L::MATRIX_INDICES), 0x04030201u);
    EXPECT_EQ(vb->floatAt(0, L::WEIGHTS, 1), 0.75f);
}

TEST_F(RecordingBufferTest, ComponentPassesEqualVertexByVertex) {
    const unsigned format = 0x002 | 0x010 | 0x040 | 0x100;
    kaRecordingVertexBuffer* byVertex = MakeVertexBuffer(format, 4);
    kaRecordingVertexBuffer* byComponent = MakeVertexBuffer(format, 4);
    ASSERT_EQ(byVertex->Lock(0, 0, 0), 0);
    ASSERT_EQ(byComponent->Lock(0, 0, 0), 0);
    for (int v = 0; v < 4; ++v) {
        byVertex->Vertex3f(v, v + 0.5f, -v);
        byVertex->Normal3f(0, 0, v);
        byVertex->Diffuse4ub(v, 2 * v, 3 * v, 255);
        byVertex->TexCoord2f(0, v * 0.25f, 1.0f);
    }
    for (int v = 0; v < 4; ++v) byComponent->Vertex3f(v, v + 0.5f, -v);
    for (int v = 0; v < 4; ++v) byComponent->TexCoord2f(0, v * 0.25f, 1.0f);
    for (int v = 0; v < 4; ++v) byComponent->Diffuse4ub(v, 2 * v, 3 * v, 255);
    for (int v = 0; v < 4; ++v) byComponent->Normal3f(0, 0, v);
    EXPECT_EQ(byVertex->data(), byComponent->data());
    EXPECT_NE(byVertex->data(), std::vector<uint8_t>(byVertex->data().size()));
}

TEST_F(RecordingBufferTest, EveryLockStartsAllCursorsAgainInsideItsRange) {
    kaRecordingVertexBuffer* vb = MakeVertexBuffer(0x002 | 0x020 | 0x540000 | 0x400, 6);
    EXPECT_EQ(vb->getVertexSize(), 60u);
    ASSERT_EQ(vb->Lock(0, 0, 0), 0);
    vb->PointSize1f(1.0f);
    vb->PointSize1f(2.0f);
    vb->TexCoord3f(2, 1.0f, 2.0f, 3.0f);
    ASSERT_EQ(vb->Unlock(), 0);
    EXPECT_EQ(vb->cursor(L::POINT_SIZE), 2u) << "unlocking keeps the cursors";

    ASSERT_EQ(vb->Lock(3, 2, 0), 0);
    EXPECT_EQ(vb->cursor(L::POINT_SIZE), 0u);
    vb->PointSize1f(9.0f);
    vb->TexCoord3f(2, 7.0f, 8.0f, 9.0f);
    EXPECT_EQ(vb->floatAt(3, L::POINT_SIZE), 9.0f);
    EXPECT_EQ(vb->floatAt(1, L::POINT_SIZE), 2.0f);
    EXPECT_EQ(vb->floatAt(3, L::TEXCOORD2, 2), 9.0f);
    EXPECT_EQ(vb->layout().offset[L::TEXCOORD2], 36u);
    EXPECT_EQ(vb->lockCount(), 2u);
    EXPECT_EQ(vb->unlockCount(), 1u);
    EXPECT_TRUE(vb->isLocked());
}

TEST_F(RecordingBufferTest, WritesOutsideTheLockAreReportedNotStored) {
    kaRecordingVertexBuffer* vb = MakeVertexBuffer(0x142, 3);
    vb->Vertex3f(1, 1, 1);  // never locked
    ASSERT_EQ(vb->Lock(1, 1, 0), 0);
    vb->Vertex3f(2, 2, 2);
    vb->Vertex3f(3, 3, 3);   // past the one locked vertex
    vb->Normal3f(0, 0, 1);   // the format has no normal
    vb->TexCoord3f(0, 1, 2, 3);  // the set holds two floats
    vb->TexCoord1f(4, 1);    // no fifth set
    EXPECT_EQ(device.misuseCount(), 5u);
    EXPECT_EQ(vb->floatAt(1, L::POSITION), 2.0f);
    EXPECT_EQ(vb->floatAt(2, L::POSITION), 0.0f);
    EXPECT_EQ(vb->floatAt(0, L::POSITION), 0.0f);
    EXPECT_EQ(vb->floatAt(1, L::DIFFUSE), 0.0f) << "the normal must not spill into the colour";
    EXPECT_THROW(vb->floatAt(3, L::POSITION), std::out_of_range);
    EXPECT_THROW(vb->floatAt(0, L::TEXCOORD0, 2), std::out_of_range);
    EXPECT_EQ(vb->Lock(2, 2, 0), 1) << "a range beyond the buffer";
    EXPECT_FALSE(vb->isLocked());
}

TEST_F(RecordingBufferTest, IndicesFollowTheCursorInsideTheLockedRange) {
    kaRecordingIndexBuffer* ib = MakeIndexBuffer(8);
    ASSERT_EQ(ib->Lock(0, 0, 0), 0);
    ib->AddIndex(10);
    ib->AddIndex(11);
    unsigned short more[] = {20, 21, 22};
    ib->AddIndexArray(more, 3);
    EXPECT_EQ(ib->indices(), (std::vector<uint16_t>{10, 11, 20, 21, 22, 0, 0, 0}));
    ASSERT_EQ(ib->Unlock(), 0);
    EXPECT_EQ(ib->cursor(), 0u);

    ASSERT_EQ(ib->Lock(6, 2, 0), 0);
    ib->AddIndex(5);
    ib->AddIndexArray(more, 2);  // one too many
    EXPECT_EQ(ib->indices()[6], 5);
    EXPECT_EQ(ib->indices()[7], 0);
    EXPECT_EQ(device.misuseCount(), 1u);
    EXPECT_EQ(ib->Unlock(), 0);
    EXPECT_EQ(ib->Unlock(), 1) << "an unlock without a lock";
}

TEST_F(RecordingBufferTest, InjectedLockFailureLeavesTheBufferUnlocked) {
    kaRecordingVertexBuffer* vb = MakeVertexBuffer(0x142, 1);
    device.failNext("VertexBuffer.Lock", 1);
    EXPECT_EQ(vb->Lock(0, 0, 0), 1);
    EXPECT_FALSE(vb->isLocked());
    EXPECT_EQ(vb->Lock(0, 0, 0), 0) << "only the next call fails";
    const kaDeviceCall* lock = device.lastCall("VertexBuffer.Lock");
    ASSERT_NE(lock, nullptr);
    EXPECT_EQ(lock->p(0), static_cast<const void*>(vb));
    EXPECT_EQ(device.count("VertexBuffer.Lock"), 2u);
}

TEST_F(RecordingBufferTest, BuffersOfNoBytesOrWithoutOutputAreRefused) {
    kaVertexBuffer* vb = nullptr;
    EXPECT_EQ(device.CreateVertexBuffer(&vb, 0x142, 0, 0), 1);
    EXPECT_EQ(device.CreateVertexBuffer(&vb, 0, 10, 0), 1);
    EXPECT_EQ(device.CreateVertexBuffer(nullptr, 0x142, 10, 0), 2);
    EXPECT_EQ(device.CreateVertexBuffer(&vb, 0x142, 0xFFFFFFFFu, 0), 1);
    EXPECT_EQ(vb, nullptr);
    EXPECT_EQ(device.liveResourceCount(), 0u);
}

}  // namespace
