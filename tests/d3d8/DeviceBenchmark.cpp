// Benchmarks of the device's hot paths; run by hand, they print their figures.
#include <cstdio>
#include <cstring>
#include <vector>

#include "kaD3DDeviceTest.h"
#include "kaBestTime.h"
#include "kaResult.h"

namespace {

class DeviceBenchmark : public kaD3DDeviceTest {};

TEST_F(DeviceBenchmark, RedundantComparedSetter) {
    constexpr int kCalls = 10000000;
    Counting().Reset();
    const double seconds = kaBestTime(5, [&] {
        for (int i = 0; i < kCalls; ++i) mDevice->setRenderState(D3DRS_CULLMODE, D3DCULL_CCW);
    });
    EXPECT_EQ(Counting().getTotal(), 0u);
    std::printf("redundant setRenderState: %.2f ns per call, %u platform calls\n",
                seconds * 1e9 / kCalls, Counting().getTotal());
}

TEST_F(DeviceBenchmark, FillingABumpMappedBufferThroughTheWriters) {
    constexpr unsigned kVertices = 30000;
    constexpr unsigned kFloats = 14;  // position, set 0 (2), sets 1 to 3 (3 each)
    std::vector<float> source(kVertices * kFloats);
    for (size_t i = 0; i < source.size(); ++i) source[i] = static_cast<float>(i) * 0.5f;
    kaVertexBuffer* buffer = nullptr;
    ASSERT_EQ(mDevice->CreateVertexBuffer(&buffer, 0x540402, kVertices,
                                          D3DUSAGE_WRITEONLY | D3DUSAGE_DYNAMIC),
              KA_OK);
    ASSERT_EQ(buffer->getVertexSize(), kFloats * sizeof(float));
    // The platform buffer for the plain copy: same size, same usage.
    IDirect3DVertexBuffer8* platform = nullptr;
    ASSERT_TRUE(SUCCEEDED(Real()->CreateVertexBuffer(kVertices * kFloats * sizeof(float),
                                                     D3DUSAGE_WRITEONLY | D3DUSAGE_DYNAMIC,
                                                     0x540402, D3DPOOL_DEFAULT, &platform)));

    // The timer is coarse under Wine, so each figure is the best of five
    // timings of 100 fills, each fill between its own lock and unlock.
    constexpr int kFills = 100;
    const double writers = kaBestTime(5, [&] {
        for (int fill = 0; fill < kFills; ++fill) {
            buffer->Lock(0, 0, D3DLOCK_DISCARD);
            const float* s = source.data();
            for (unsigned v = 0; v < kVertices; ++v, s += kFloats) {
                buffer->Vertex3f(s[0], s[1], s[2]);
                buffer->TexCoord2f(0, s[3], s[4]);
                buffer->TexCoord3f(1, s[5], s[6], s[7]);
                buffer->TexCoord3f(2, s[8], s[9], s[10]);
                buffer->TexCoord3f(3, s[11], s[12], s[13]);
            }
            buffer->Unlock();
        }
    }) / kFills;
    const double copy = kaBestTime(5, [&] {
        for (int fill = 0; fill < kFills; ++fill) {
            BYTE* data = nullptr;
            platform->Lock(0, 0, &data, D3DLOCK_DISCARD);
            std::memcpy(data, source.data(), source.size() * sizeof(float));
            platform->Unlock();
        }
    }) / kFills;
    std::printf("30000 vertices of 0x540402: writers %.1f us, plain copy %.1f us, ratio %.2f\n",
                writers * 1e6, copy * 1e6, writers / copy);
    platform->Release();
    buffer->Release();
}

}  // namespace
