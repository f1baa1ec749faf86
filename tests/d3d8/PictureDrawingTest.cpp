#include <gtest/gtest.h>

#include <string>

#include "DemoGlobals.h"
#include "PictureOverlay.h"
#include "Scenes.h"
#include "WhiteFlash.h"
#include "kaD3DDeviceTest.h"
#include "kaDeviceGlobal.h"
#include "kaMediaTree.h"
#include "kaOrthoOverlay.h"
#include "kaRecordingMessageBoxes.h"
#include "kaResult.h"
#include "kaShot.h"
#include "kaTestPictures.h"
#include "kaTexture.h"

namespace {

constexpr uint32_t kBackground = 0x0000FF;  // blue

// The title shot's picture and its flashes on the real device: the overlay,
// the flash quad and a title picture of one colour, half transparent, in
// texture slot 1.
class PictureDrawingTest : public kaD3DDeviceTest {
protected:
    void SetUp() override {
        kaD3DDeviceTest::SetUp();
        if (HasFatalFailure()) return;
        gDevice = mDevice;
        std::string texels;
        for (int i = 0; i < 16; ++i) texels += {char(40), char(40), char(200), char(128)};  // B G R A
        media.put("xImages/title.tga", kaTestPictures::Tga(2, 4, 4, 32, 8, texels));
        gTextures = new kaTexture[kaTextureSlots];
        ASSERT_EQ(gTextures[1].Load("title.tga"), KA_OK);
        gOverlay = new kaOrthoOverlay;
        ASSERT_EQ(gOverlay->Init(4), KA_OK);
        gOverlayQuad = new kaOverlayQuad{-1, -1, 1, 1, 0, 0, 1, -1, nullptr, 0xFFFFFFFF};
        mDevice->setRenderState(D3DRS_LIGHTING, 0);
    }
    void TearDown() override {
        delete gOverlayQuad;
        gOverlayQuad = nullptr;
        if (gOverlay != nullptr) gOverlay->Release();
        delete gOverlay;
        gOverlay = nullptr;
        delete[] gTextures;
        gTextures = nullptr;
        gDevice = nullptr;
        kaD3DDeviceTest::TearDown();
    }

    // The back-buffer pixel at the middle of the picture's rectangle.
    uint32_t PictureCentre(const kaShotPicture& picture) {
        const float x = (picture.x0 + picture.x1) / 2, y = (picture.y0 + picture.y1) / 2;
        return ReadBackBufferPixel(static_cast<unsigned>((x + 1) / 2 * kWidth),
                                   static_cast<unsigned>((1 - y) / 2 * kHeight));
    }

    kaMediaTree media;
    kaRecordingMessageBoxes boxes;
};

// A flash leaves stage 0 on the diffuse colour alone, and earlier passes
// may leave the alpha there too; the picture still shows its own colour,
// half over the background, and the flashes after it still add white.
TEST_F(PictureDrawingTest, TheTitleShowsItsColoursAfterAFlashAndFlashesStillAddWhite) {
    const kaShot& title = SceneShot(11);
    ASSERT_NE(title.picture, nullptr);
    ASSERT_GE(title.schedule.flashCount, 1u);
    const kaFlashWindow flash = title.schedule.flashes[0];
    mDevice->setTextureState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
    mDevice->setTextureState(0, D3DTSS_ALPHAARG1, D3DTA_DIFFUSE);

    mDevice->Clear(KA_CLEAR_TARGET | KA_CLEAR_ZBUFFER, kBackground, 1.0f, 0);
    mDevice->BeginRender();
    WhiteFlash(flash.start, flash.end, flash.start);  // invisible, but sets the stage
    DrawPicture(*title.picture);
    mDevice->EndRender();
    const uint32_t half = PictureCentre(*title.picture);
    EXPECT_TRUE(ColorNear(half, 0x641493, 6)) << "half (200, 40, 40) over blue (0, 0, 255)";
    EXPECT_EQ(ReadBackBufferPixel(2, 2), kBackground) << "outside the picture";

    mDevice->BeginRender();
    WhiteFlash(flash.start, flash.end, flash.end);  // full white
    mDevice->EndRender();
    EXPECT_TRUE(ColorNear(PictureCentre(*title.picture), 0xFFFFFF, 2));
    EXPECT_TRUE(ColorNear(ReadBackBufferPixel(2, 2), 0xFFFFFF, 2));
    EXPECT_TRUE(boxes.boxes().empty());
}

}  // namespace
