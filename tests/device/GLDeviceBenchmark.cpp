// Benchmarks of the OpenGL device's hot paths; run by hand, they print their
// figures (gl_device_bench, with SDL_VIDEODRIVER=offscreen for no display).
#include <cstdio>

#include "kaConformanceTest.h"
#include "kaDeviceNumbers.h"
#include "kaBestTime.h"
#include "kaResult.h"

namespace {

class GLDeviceBenchmark : public kaConformanceTest {};

TEST_F(GLDeviceBenchmark, RedundantComparedSetter) {
    constexpr int kCalls = 10000000;
    const double seconds = kaBestTime(5, [&] {
        for (int i = 0; i < kCalls; ++i) mDevice->setRenderState(KA_RS_CULLMODE, KA_CULL_CCW);
    });
    std::printf("redundant setRenderState: %.2f ns per call\n", seconds * 1e9 / kCalls);
}

// Small coloured quads in pixel space, each with its own world matrix, as
// the overlay and the sprites draw them; the frame is read back to finish it.
TEST_F(GLDeviceBenchmark, DrawThroughput) {
    kaVertexBuffer* quad = nullptr;
    ASSERT_EQ(mDevice->CreateVertexBuffer(&quad, 0x142, 4, 0), KA_OK);
    ASSERT_EQ(quad->Lock(0, 0, 0), KA_OK);
    const float corners[4][2] = {{0, 0}, {8, 0}, {0, 8}, {8, 8}};
    for (const auto& c : corners) {
        quad->Vertex3f(c[0], c[1], 0.75f);
        quad->Diffuse3ub(255, 128, 0);
        quad->TexCoord2f(0, 0, 0);
    }
    ASSERT_EQ(quad->Unlock(), KA_OK);
    mDevice->setRenderState(KA_RS_LIGHTING, 0);
    mDevice->setRenderState(KA_RS_ZENABLE, 0);
    mDevice->setTextureState(0, KA_TSS_COLOROP, KA_TOP_SELECTARG1);
    mDevice->setTextureState(0, KA_TSS_COLORARG1, KA_TA_DIFFUSE);
    mDevice->LoadIdentity(KA_TS_PROJECTION);
    mDevice->OrthoLH(KA_TS_PROJECTION, kWidth, kHeight, 0.0f, 1.0f);
    constexpr int kDraws = 20000;
    const double seconds = kaBestTime(3, [&] {
        mDevice->BeginRender();
        for (int i = 0; i < kDraws; ++i) {
            mDevice->LoadIdentity(KA_TS_WORLD);
            mDevice->Translate(KA_TS_WORLD, float(i % 32) * 8, float(i / 32 % 32) * 8, 0);
            mDevice->setVertexFormat(0x142);
            mDevice->setVertexBuffer(quad);
            mDevice->DrawPrimitive(KA_PT_TRIANGLESTRIP, 0, 2);
        }
        mDevice->EndRender();
        PresentFrame();
    });
    std::printf("%d quads with a new world matrix each: %.1f ms, %.0f draws per second\n", kDraws,
                seconds * 1e3, kDraws / seconds);
    quad->Release();
}

}  // namespace
