#include "OutroPictures.h"

#include "DemoFrame.h"
#include "DemoGlobals.h"
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
    gDevice->Clear(KA_CLEAR_ZBUFFER, kBackground, 1.0f, 0);
    gDevice->BeginRender();
    if (setup == StageSetup::AfterBegin) SelectTextureColour();
    DrawQuad(picture);
    gDevice->EndRender();
    PresentFrame();
}

// Repeats the frame until the timer passes the time; the test follows each
// frame, so at least one is drawn.
void ShowFor(kaBaseTexture* picture, StageSetup setup, kaTimer& timer, float seconds) {
    timer.Start();
    do {
        DrawPictureFrame(picture, setup);
    } while (!(timer.Elapsed() > seconds));
}

}  // namespace

void ShowPicture(kaBaseTexture* picture) { DrawPictureFrame(picture, StageSetup::None); }

void ShowClosingPictures(kaBaseTexture* first, kaBaseTexture* second, kaTimer& timer,
                         float seconds) {
    ShowFor(first, StageSetup::AfterBegin, timer, seconds);
    ShowFor(second, StageSetup::BeforeClear, timer, seconds);
}
