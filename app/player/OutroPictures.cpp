#include "OutroPictures.h"

#include "DemoFrame.h"
#include "DemoGlobals.h"
#include "OutputPicture.h"
#include "kaDeviceGlobal.h"
#include "kaOrthoOverlay.h"
#include "kaRenderDevice.h"
#include "kaTimer.h"

namespace {

constexpr unsigned kBackground = 0x001F1F7F;  // passed with the depth-only clear, unused

enum class StageSetup { None, BeforeClear, AfterBegin };

// Colour straight from the texture on stage 0.
void SelectTextureColour() {
    gDevice->setTextureState(0, 2, 2);  // colour argument 1 = texture
    gDevice->setTextureState(0, 1, 2);  // colour operation = select argument 1
}

void DrawQuad(kaBaseTexture* picture) {
    *gOverlayQuad = kaOverlayQuad{-1, -1, 1, 1, 0, 0, 1, -1, picture, gOverlayQuad->colour};
    gOverlay->Add(gOverlayQuad);
    gOverlay->Draw();
    gOverlay->Remove(gOverlayQuad);
}

void DrawPictureFrame(kaBaseTexture* picture, StageSetup setup) {
    if (setup == StageSetup::BeforeClear) SelectTextureColour();
    ClearPictureBars();
    gDevice->Clear(KA_CLEAR_ZBUFFER, kBackground, 1.0f, 0);
    gDevice->BeginRender();
    if (setup == StageSetup::AfterBegin) SelectTextureColour();
    DrawQuad(picture);
    gDevice->EndRender();
    PresentFrame();
}

}  // namespace

void ShowPicture(kaBaseTexture* picture) { DrawPictureFrame(picture, StageSetup::None); }

kaClosingPictures::kaClosingPictures(kaBaseTexture* first, kaBaseTexture* second,
                                     kaTimer* timer, float seconds)
    : mPictures{first, second}, mOwnTimer(), mTimer(timer != nullptr ? *timer : mOwnTimer),
      mSeconds(seconds), mShowing(0), mStarted(false) {}

// Each picture's time starts at its first frame; the test follows each
// frame, so every picture gets at least one.
bool kaClosingPictures::Frame() {
    if (mShowing >= 2) return false;
    if (!mStarted) {
        mTimer.Start();
        mStarted = true;
    }
    DrawPictureFrame(mPictures[mShowing],
                     mShowing == 0 ? StageSetup::AfterBegin : StageSetup::BeforeClear);
    if (mTimer.Elapsed() > mSeconds) {
        ++mShowing;
        mStarted = false;
    }
    return mShowing < 2;
}

float kaClosingPictures::getSeconds() const {
    return static_cast<float>(mShowing) * mSeconds + (mStarted ? mTimer.getLastElapsed() : 0.0f);
}
