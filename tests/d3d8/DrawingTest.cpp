#include <vector>

#include "kaD3DDeviceTest.h"
#include "kaResult.h"

namespace {

constexpr unsigned kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kWhite = 0xFFFFFF;
constexpr unsigned kColouredTextured = 0x142;
constexpr float kDepth = 0.75f;  // in the middle of the depth range of OrthoLH(.., 0, 1)

// Everything here is drawn through the device interface; only the read-back
// of the result goes to the platform.
class DrawingTest : public kaD3DDeviceTest {
protected:
    void SetUp() override {
        kaD3DDeviceTest::SetUp();
        if (HasFatalFailure()) return;
        mDevice->setRenderState(D3DRS_LIGHTING, 0);
        mDevice->setRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
        mDevice->setRenderState(D3DRS_ZENABLE, 0);
        mDevice->LoadIdentity(KA_TS_VIEW);
        mDevice->LoadIdentity(KA_TS_WORLD);
        UsePixelSpace(kWidth, kHeight);
    }

    void UsePixelSpace(float width, float height) {
        mDevice->LoadIdentity(KA_TS_PROJECTION);
        mDevice->OrthoLH(KA_TS_PROJECTION, width, height, 0.0f, 1.0f);
    }

    // Stage 0 passes the vertex colour (no texture) or multiplies it with the texture.
    void UseTexture(kaBaseTexture* texture) {
        mDevice->setTexture(0, texture);
        const unsigned op = texture ? D3DTOP_MODULATE : D3DTOP_SELECTARG1;
        mDevice->setTextureState(0, D3DTSS_COLOROP, op);
        mDevice->setTextureState(0, D3DTSS_ALPHAOP, op);
    }

    // A square from (x0, y0) to (x1, y1) in pixels, in one colour, with the
    // whole texture on it.
    void DrawQuad(float x0, float y0, float x1, float y1, unsigned char r, unsigned char g,
                  unsigned char b) {
        kaVertexBuffer* quad = nullptr;
        ASSERT_EQ(mDevice->CreateVertexBuffer(&quad, kColouredTextured, 4, D3DUSAGE_WRITEONLY),
                  KA_OK);
        ASSERT_EQ(quad->Lock(0, 0, 0), KA_OK);
        const float corners[4][4] = {{x0, y0, 0, 0}, {x1, y0, 1, 0}, {x0, y1, 0, 1},
                                     {x1, y1, 1, 1}};
        for (const auto& c : corners) {
            quad->Vertex3f(c[0], c[1], kDepth);
            quad->Diffuse3ub(r, g, b);
            quad->TexCoord2f(0, c[2], c[3]);
        }
        ASSERT_EQ(quad->Unlock(), KA_OK);
        Draw(quad, D3DPT_TRIANGLESTRIP, 2);
        quad->Release();
    }

    void Draw(kaVertexBuffer* buffer, unsigned type, unsigned primitives) {
        ASSERT_EQ(mDevice->setVertexFormat(kColouredTextured), KA_OK);
        ASSERT_EQ(mDevice->setVertexBuffer(buffer), KA_OK);
        ASSERT_EQ(mDevice->DrawPrimitive(type, 0, primitives), KA_OK);
    }

    // A texture with red, green, blue and white quarters (top left, top
    // right, bottom left, bottom right), given in red, green, blue, alpha order.
    kaBaseTexture* MakeQuarteredTexture() {
        kaBaseTexture* texture = nullptr;
        EXPECT_EQ(mDevice->CreateTexture(&texture, 64, 64, D3DFMT_A8R8G8B8, 1, 0), KA_OK);
        if (!texture) return nullptr;
        std::vector<unsigned char> texels(64 * 64 * 4);
        for (unsigned y = 0; y < 64; ++y) {
            for (unsigned x = 0; x < 64; ++x) {
                const unsigned quarter = (y >= 32) * 2 + (x >= 32);
                const unsigned colour[4] = {kRed, kGreen, kBlue, kWhite};
                unsigned char* texel = &texels[(y * 64 + x) * 4];
                texel[0] = (colour[quarter] >> 16) & 0xFF;
                texel[1] = (colour[quarter] >> 8) & 0xFF;
                texel[2] = colour[quarter] & 0xFF;
                texel[3] = 0xFF;
            }
        }
        EXPECT_EQ(texture->UpdateBuffer(texels.data(), 0), KA_OK);
        return texture;
    }

    kaBaseTexture* MakeRenderTarget() {
        kaBaseTexture* texture = nullptr;
        EXPECT_EQ(mDevice->CreateTexture(&texture, 64, 64, D3DFMT_A8R8G8B8, 1,
                                         D3DUSAGE_RENDERTARGET),
                  KA_OK);
        return texture;
    }

    // The number of references the platform's back buffer has.
    ULONG BackBufferReferences() {
        IDirect3DSurface8* backBuffer = nullptr;
        Real()->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &backBuffer);
        const ULONG references = backBuffer->AddRef() - 2;  // without the two of this call
        backBuffer->Release();
        backBuffer->Release();
        return references;
    }
};

TEST_F(DrawingTest, TexturedQuadAndVertexColouredTriangle) {
    kaBaseTexture* texture = MakeQuarteredTexture();
    ASSERT_NE(texture, nullptr);
    ASSERT_EQ(mDevice->Clear(KA_CLEAR_TARGET, 0xFF000000, 1.0f, 0), KA_OK);
    ASSERT_EQ(mDevice->BeginRender(), KA_OK);
    UseTexture(texture);
    DrawQuad(0, 0, 128, 128, 255, 255, 255);

    UseTexture(nullptr);
    kaVertexBuffer* triangle = nullptr;
    ASSERT_EQ(mDevice->CreateVertexBuffer(&triangle, kColouredTextured, 3, D3DUSAGE_WRITEONLY),
              KA_OK);
    ASSERT_EQ(triangle->Lock(0, 0, 0), KA_OK);
    triangle->Vertex3f(16, 144, kDepth);
    triangle->Vertex3f(240, 144, kDepth);
    triangle->Vertex3f(128, 248, kDepth);
    triangle->Diffuse3f(1, 0, 0);
    triangle->Diffuse3f(0, 1, 0);
    triangle->Diffuse3f(0, 0, 1);
    for (int i = 0; i < 3; ++i) triangle->TexCoord2f(0, 0, 0);
    ASSERT_EQ(triangle->Unlock(), KA_OK);
    Draw(triangle, D3DPT_TRIANGLELIST, 1);
    ASSERT_EQ(mDevice->EndRender(), KA_OK);

    EXPECT_TRUE(ColorNear(ReadBackBufferPixel(32, 32), kRed, 8));
    EXPECT_TRUE(ColorNear(ReadBackBufferPixel(96, 32), kGreen, 8));
    EXPECT_TRUE(ColorNear(ReadBackBufferPixel(32, 96), kBlue, 8));
    EXPECT_TRUE(ColorNear(ReadBackBufferPixel(96, 96), kWhite, 8));
    EXPECT_TRUE(ColorNear(ReadBackBufferPixel(200, 60), 0, 0)) << "background";
    // Near each corner the triangle has that corner's colour; in the middle, a third of each.
    EXPECT_TRUE(ColorNear(ReadBackBufferPixel(33, 149), 0xE61A1A, 40));
    EXPECT_TRUE(ColorNear(ReadBackBufferPixel(223, 149), 0x1AE61A, 40));
    EXPECT_TRUE(ColorNear(ReadBackBufferPixel(128, 232), 0x1A1AE6, 40));
    EXPECT_TRUE(ColorNear(ReadBackBufferPixel(128, 179), 0x555555, 16));
    EXPECT_EQ(mDevice->Flip(), KA_OK);
    triangle->Release();
    mDevice->setTexture(0, nullptr);
    texture->Release();
}

TEST_F(DrawingTest, DrawingIntoATextureLevelThenShowingIt) {
    kaBaseTexture* target = MakeRenderTarget();
    ASSERT_NE(target, nullptr);
    ASSERT_EQ(mDevice->BeginRenderToTexture(target, 0, 0), KA_OK);
    kaViewport viewport{};
    mDevice->getViewport(&viewport);
    EXPECT_EQ(viewport.width, 64u) << "the target's own size";
    ASSERT_EQ(mDevice->Clear(KA_CLEAR_TARGET, 0xFF00FF00, 1.0f, 0), KA_OK);
    UsePixelSpace(64, 64);
    UseTexture(nullptr);
    DrawQuad(0, 0, 32, 64, 255, 0, 0);
    ASSERT_EQ(mDevice->EndRenderToTexture(), KA_OK);
    mDevice->getViewport(&viewport);
    EXPECT_EQ(viewport.width, kWidth);

    ASSERT_EQ(mDevice->Clear(KA_CLEAR_TARGET, 0xFF000000, 1.0f, 0), KA_OK);
    ASSERT_EQ(mDevice->BeginRender(), KA_OK);
    UsePixelSpace(kWidth, kHeight);
    UseTexture(target);
    DrawQuad(0, 0, 128, 128, 255, 255, 255);
    ASSERT_EQ(mDevice->EndRender(), KA_OK);
    EXPECT_TRUE(ColorNear(ReadBackBufferPixel(32, 64), kRed, 8));
    EXPECT_TRUE(ColorNear(ReadBackBufferPixel(96, 64), kGreen, 8));
    mDevice->setTexture(0, nullptr);
    target->Release();
}

TEST_F(DrawingTest, RenderTargetBeginAndEndPairUp) {
    kaBaseTexture* target = MakeRenderTarget();
    ASSERT_NE(target, nullptr);
    const ULONG references = BackBufferReferences();
    EXPECT_EQ(mDevice->EndRenderToTexture(), KA_ERR_WRONGSTATE);
    ASSERT_EQ(mDevice->BeginRenderToTexture(target, 0, 1), KA_OK);
    EXPECT_EQ(mDevice->BeginRenderToTexture(target, 0, 1), KA_ERR_WRONGSTATE);
    EXPECT_EQ(mDevice->BeginRenderToCubeTexture(target, 0, 0, 0), KA_ERR_WRONGSTATE);
    EXPECT_EQ(mDevice->EndRenderToTexture(), KA_OK);
    EXPECT_EQ(mDevice->EndRenderToCubeTexture(), KA_ERR_WRONGSTATE);
    EXPECT_EQ(BackBufferReferences(), references) << "the saved surfaces were released";

    kaBaseTexture* cube = nullptr;
    ASSERT_EQ(mDevice->CreateCubeTexture(&cube, 32, D3DFMT_A8R8G8B8, 1, D3DUSAGE_RENDERTARGET),
              KA_OK);
    EXPECT_EQ(mDevice->BeginRenderToTexture(cube, 0, 0), KA_ERR_WRONGSTATE) << "not a 2D texture";
    EXPECT_EQ(mDevice->BeginRenderToCubeTexture(target, 0, 0, 0), KA_ERR_WRONGSTATE);
    ASSERT_EQ(mDevice->BeginRenderToCubeTexture(cube, D3DCUBEMAP_FACE_NEGATIVE_Y, 0, 0), KA_OK);
    EXPECT_EQ(mDevice->EndRenderToCubeTexture(), KA_OK);
    EXPECT_EQ(mDevice->BeginRenderToTexture(nullptr, 0, 0), KA_ERR_INVALIDARG);
    cube->Release();
    target->Release();
}

TEST_F(DrawingTest, FailedRedirectionLeavesNothingHeldOrHalfSetUp) {
    kaBaseTexture* plain = MakeQuarteredTexture();  // not a render target
    ASSERT_NE(plain, nullptr);
    const ULONG references = BackBufferReferences();
    EXPECT_EQ(mDevice->BeginRenderToTexture(plain, 0, 0), KA_ERR_PLATFORM);
    EXPECT_EQ(mDevice->BeginRenderToTexture(plain, 3, 0), KA_ERR_PLATFORM) << "no such level";
    EXPECT_EQ(BackBufferReferences(), references);
    EXPECT_EQ(mDevice->EndRenderToTexture(), KA_ERR_WRONGSTATE) << "no redirection recorded";

    kaBaseTexture* target = MakeRenderTarget();
    ASSERT_NE(target, nullptr);
    EXPECT_EQ(mDevice->BeginRenderToTexture(target, 0, 0), KA_OK);
    EXPECT_EQ(mDevice->EndRenderToTexture(), KA_OK);
    target->Release();
    plain->Release();
}

}  // namespace
