#include "Startup.h"

#include <memory>

#include "DemoGlobals.h"
#include "Globals.h"
#include "OutroPictures.h"
#include "kaAnimClip.h"
#include "kaApplication.h"
#include "kaCamera.h"
#include "kaCharacter.h"
#include "kaInput.h"
#include "kaMessageBox.h"
#include "kaMusic.h"
#include "kaOrthoOverlay.h"
#include "kaPluginLoader.h"
#include "kaRenderDevice.h"
#include "kaShaderRenderer.h"
#include "kaSpriteBatch.h"
#include "kaTexture.h"
#include "kaTimer.h"

namespace {

constexpr unsigned kConceptSlot = 3;
constexpr unsigned kThanksSlot = 4;

// Each object is released only if it exists, then deleted and forgotten, so
// shutdown is safe on a partly started program.
template <typename T>
void ReleaseAndDelete(T*& object) {
    if (object == nullptr) return;
    object->Release();
    delete object;
    object = nullptr;
}

template <typename T>
void Delete(T*& object) {
    delete object;
    object = nullptr;
}

template <typename T>
void DeleteArray(T*& objects) {
    delete[] objects;
    objects = nullptr;
}

void DeleteTextures() {
    if (gTextures == nullptr) return;
    for (unsigned slot = 0; slot < kaTextureSlots; ++slot) gTextures[slot].Release();
    DeleteArray(gTextures);
}

void ReleaseObjects() {
    ReleaseAndDelete(gInput);
    Delete(gOverlayQuad);
    ReleaseAndDelete(gShaderRenderer);
    for (kaMeshModel** model : {&gSkybox, &gStage1, &gStage2, &gHoverboard}) {
        ReleaseAndDelete(*model);
    }
    ReleaseAndDelete(gCharacter);
    for (kaMeshModel** model : {&gCloseStage, &gCloseStage2, &gFinal}) ReleaseAndDelete(*model);
    ReleaseAndDelete(gFlareTexture);
    DeleteArray(gSprites);
    ReleaseAndDelete(gSpriteBatch);
    DeleteArray(gClips);
    DeleteTextures();
    FreeMusicData();
    Delete(gCharacterPath);
    Delete(gCamera);
    Delete(gFrameTimer);
    ReleaseAndDelete(gOverlay);
    if (gDevice != nullptr) {
        gDevice->Release();
        gDevice = nullptr;
    }
}

}  // namespace

// The closing pictures need the device, the overlay and the pictures; a
// start-up that failed before the frame timer existed times them with a
// timer of their own.
std::unique_ptr<kaClosingPictures> BeginShutdown() {
    gApp.SetTitle("Shutting Down Vessamorix Tallowcore ...");
    if (gDevice == nullptr || gOverlay == nullptr || gOverlayQuad == nullptr ||
        gTextures == nullptr) {
        return nullptr;
    }
    gDevice->setRenderState(27, 0);  // alpha blending off
    if (gDevice->setPixelShader(nullptr) != 0) InfoBox("Error!!!", "Setting pixel shader..");
    return std::make_unique<kaClosingPictures>(gTextures[kConceptSlot].texture,
                                               gTextures[kThanksSlot].texture, gFrameTimer,
                                               kClosingPictureSeconds);
}

void FinishShutdown() {
    gApp.ShowCursor(true);
    StopMusic();
    ReleaseObjects();
    gRenderPlugin.Unload();
}

void Shutdown() {
    const std::unique_ptr<kaClosingPictures> outro = BeginShutdown();
    // The frame-rate limit holds for the closing pictures too.
    if (outro != nullptr) {
        do {
            gApp.WaitForFrame();
        } while (outro->Frame());
    }
    FinishShutdown();
}
