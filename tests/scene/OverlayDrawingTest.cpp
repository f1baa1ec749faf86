// The overlay and the sprite batch drawing through the real Direct3D 8
// device under Wine, read back from the back buffer.
#include <vector>

#include "kaD3DDeviceTest.h"
#include "kaDeviceGlobal.h"
#include "kaOrthoOverlay.h"
#include "kaResult.h"
#include "kaSpriteBatch.h"

namespace {

constexpr unsigned kYellow = 0xFFFF00;

class OverlayDrawingTest : public kaD3DDeviceTest {
protected:
    void SetUp() override {
        kaD3DDeviceTest::SetUp();
        if (HasFatalFailure()) return;
        gDevice = mDevice;
        mDevice->setRenderState(D3DRS_LIGHTING, 0);
        mDevice->setRenderState(D3DRS_ALPHABLENDENABLE, 0);
    }
    void TearDown() override {
        gDevice = nullptr;
        kaD3DDeviceTest::TearDown();
    }

    kaBaseTexture* MakeWhiteTexture() {
        kaBaseTexture* texture = nullptr;
        EXPECT_EQ(mDevice->CreateTexture(&texture, 4, 4, D3DFMT_A8R8G8B8, 1, 0), KA_OK);
        if (texture == nullptr) return nullptr;
        std::vector<unsigned char> texels(4 * 4 * 4, 0xFF);
        EXPECT_EQ(texture->UpdateBuffer(texels.data(), 0), KA_OK);
        return texture;
    }
};

}  // namespace

TEST_F(OverlayDrawingTest, QuadCoversItsHalfAndASpriteAddsOntoIt) {
    kaBaseTexture* white = MakeWhiteTexture();
    ASSERT_NE(white, nullptr);
    kaOrthoOverlay overlay;
    kaSpriteBatch sprites;
    ASSERT_EQ(overlay.Init(4), 0);
    ASSERT_EQ(sprites.Init(4), 0);
    // The left half in red, whatever the camera.
    kaOverlayQuad left = {-1, -1, 0, 1, 0, 0, 1, 1, white, 0xFFFF0000};
    overlay.Add(&left);
    // Clip space straight through: a green sprite over the middle.
    mDevice->LoadIdentity(KA_TS_PROJECTION);
    mDevice->LoadIdentity(KA_TS_VIEW);
    mDevice->LoadIdentity(KA_TS_WORLD);
    mDevice->Translate(KA_TS_PROJECTION, 0, 0, 0.5f);
    kaSprite middle = {0, 0, 0, 0xFF00FF00, 0.25f};
    sprites.Add(&middle);
    sprites.texture = white;

    ASSERT_EQ(mDevice->Clear(KA_CLEAR_TARGET | KA_CLEAR_ZBUFFER, 0xFF000000, 1.0f, 0), KA_OK);
    ASSERT_EQ(mDevice->BeginRender(), KA_OK);
    mDevice->setTextureState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
    mDevice->setTextureState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    mDevice->setTextureState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
    ASSERT_EQ(overlay.Draw(), 0);
    ASSERT_EQ(sprites.Draw(), 0);
    ASSERT_EQ(mDevice->EndRender(), KA_OK);

    EXPECT_TRUE(ColorNear(ReadBackBufferPixel(30, 128), kRed, 8));
    EXPECT_TRUE(ColorNear(ReadBackBufferPixel(110, 128), kYellow, 8)) << "red plus green";
    EXPECT_TRUE(ColorNear(ReadBackBufferPixel(150, 128), kGreen, 8));
    EXPECT_TRUE(ColorNear(ReadBackBufferPixel(220, 30), kBlack, 0));
    EXPECT_TRUE(ColorNear(ReadBackBufferPixel(150, 200), kBlack, 0)) << "below the sprite";
    unsigned value = 0;
    mDevice->getRenderState(D3DRS_ALPHABLENDENABLE, &value);
    EXPECT_EQ(value, 0u);
    mDevice->getRenderState(D3DRS_ZENABLE, &value);
    EXPECT_EQ(value, 1u);
    EXPECT_EQ(mDevice->Flip(), KA_OK);

    mDevice->setTexture(0, nullptr);
    overlay.Release();
    sprites.Release();
    white->Release();
}
