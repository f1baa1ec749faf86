// Benchmarks of a device's hot paths through the interface, the same cases
// for both devices; run by hand, they print their figures (device_bench:
// natively on the OpenGL device, with SDL_VIDEODRIVER=offscreen for no
// display; under Windows on the Direct3D device, through scripts/wine-run).
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "kaConformanceTest.h"
#include "kaDeviceNumbers.h"
#include "kaBestTime.h"
#include "kaResult.h"

namespace {

class DeviceBenchmark : public kaConformanceTest {
protected:
    // The quads of the draw cases: 8 x 8 pixels from the origin, coloured
    // (0x142) or as the bump pass takes them (0x540402).
    kaVertexBuffer* Quad(unsigned format) {
        kaVertexBuffer* quad = nullptr;
        EXPECT_EQ(mDevice->CreateVertexBuffer(&quad, format, 4, 0), KA_OK);
        if (quad == nullptr || quad->Lock(0, 0, 0) != KA_OK) return quad;
        const float corners[4][2] = {{0, 0}, {8, 0}, {0, 8}, {8, 8}};
        for (const auto& c : corners) {
            quad->Vertex3f(c[0], c[1], 0.75f);
            if (format == 0x142) quad->Diffuse3ub(255, 128, 0);
            quad->TexCoord2f(0, 0, 0);
            for (unsigned set = 1; format != 0x142 && set < 4; ++set) quad->TexCoord3f(set, 0, 0, 1);
        }
        EXPECT_EQ(quad->Unlock(), KA_OK);
        return quad;
    }

    // Draws kDraws quads between BeginRender and EndRender, `each` before every
    // draw, and reads the frame back to finish it; prints the figures.
    template <typename Each>
    void TimeDraws(const char* what, Each each) {
        constexpr int kDraws = 20000;
        const double seconds = kaBestTime(3, [&] {
            mDevice->BeginRender();
            for (int i = 0; i < kDraws; ++i) {
                each(i);
                mDevice->DrawPrimitive(KA_PT_TRIANGLESTRIP, 0, 2);
            }
            mDevice->EndRender();
            PresentFrame();
        });
        std::printf("%d %s: %.1f ms, %.0f draws per second\n", kDraws, what, seconds * 1e3,
                    kDraws / seconds);
    }
};

std::string MediaShader(const char* name) {
    std::ifstream file(std::string(VX_MEDIA_SHADERS) + "/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

TEST_F(DeviceBenchmark, RedundantComparedSetter) {
    constexpr int kCalls = 10000000;
    const double seconds = kaBestTime(5, [&] {
        for (int i = 0; i < kCalls; ++i) mDevice->setRenderState(KA_RS_CULLMODE, KA_CULL_CCW);
    });
    std::printf("redundant setRenderState: %.2f ns per call\n", seconds * 1e9 / kCalls);
}

// Small coloured quads in pixel space, each with its own world matrix, as
// the overlay and the sprites draw them.
TEST_F(DeviceBenchmark, DrawThroughput) {
    kaVertexBuffer* quad = Quad(0x142);
    ASSERT_NE(quad, nullptr);
    mDevice->setRenderState(KA_RS_LIGHTING, 0);
    mDevice->setRenderState(KA_RS_ZENABLE, 0);
    mDevice->setTextureState(0, KA_TSS_COLOROP, KA_TOP_SELECTARG1);
    mDevice->setTextureState(0, KA_TSS_COLORARG1, KA_TA_DIFFUSE);
    mDevice->LoadIdentity(KA_TS_PROJECTION);
    mDevice->OrthoLH(KA_TS_PROJECTION, kWidth, kHeight, 0.0f, 1.0f);
    TimeDraws("quads with a new world matrix each", [&](int i) {
        mDevice->LoadIdentity(KA_TS_WORLD);
        mDevice->Translate(KA_TS_WORLD, float(i % 32) * 8, float(i / 32 % 32) * 8, 0);
        mDevice->setVertexFormat(0x142);
        mDevice->setVertexBuffer(quad);
    });
    quad->Release();
}

// The demo's bump pass (its media shaders, no textures bound) on small
// quads, with a new light constant for each.
TEST_F(DeviceBenchmark, ShaderDrawThroughput) {
    kaVertexBuffer* quad = Quad(0x540402);
    kaVertexShader* vertex = nullptr;
    kaPixelShader* pixel = nullptr;
    std::string vertexText = MediaShader("vertex.vsh"), pixelText = MediaShader("DiffCM.psh");
    ASSERT_EQ(mDevice->CreateVertexShader(&vertex, 0x540402, &vertexText[0],
                                          unsigned(vertexText.size())),
              KA_OK);
    ASSERT_EQ(mDevice->CreatePixelShader(&pixel, &pixelText[0], unsigned(pixelText.size())), KA_OK);
    ASSERT_NE(quad, nullptr);
    mDevice->setRenderState(KA_RS_ZENABLE, 0);
    float matrices[12 * 4] = {};
    for (int m = 0; m < 2; ++m) {
        for (int i = 0; i < 4; ++i) matrices[m * 16 + i * 5] = 0.01f;
    }
    mDevice->setVertexShaderConstant(4, matrices, 8);
    mDevice->setVertexShader(vertex);
    mDevice->setPixelShader(pixel);
    TimeDraws("bump-pass quads with a new light constant each", [&](int i) {
        float light[4] = {float(i % 64), 0, -100, 1};
        mDevice->setVertexShaderConstant(16, light, 1);
        mDevice->setVertexBuffer(quad);
    });
    mDevice->setVertexShader(nullptr);
    mDevice->setPixelShader(nullptr);
    quad->Release();
    vertex->Release();
    pixel->Release();
}

}  // namespace
