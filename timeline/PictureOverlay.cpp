#include "PictureOverlay.h"

#include "DemoGlobals.h"
#include "kaDeviceGlobal.h"
#include "kaOrthoOverlay.h"
#include "kaRenderDevice.h"
#include "kaShot.h"
#include "kaTexture.h"

namespace {

// Direct3D 8 render and stage states and values of the picture overlay.
constexpr unsigned kSrcBlend = 19, kDestBlend = 20, kAlphaBlend = 27;
constexpr unsigned kBlendSrcAlpha = 5, kBlendInvSrcAlpha = 6;
constexpr unsigned kColorOp = 1, kColorArg1 = 2, kColorArg2 = 3;
constexpr unsigned kAlphaOp = 4, kAlphaArg1 = 5, kAlphaArg2 = 6;
constexpr unsigned kModulate = 4, kArgTexture = 2, kArgDiffuse = 0;

// Stage 0 multiplies the picture by the quad's colour, as the flares do.
// The white flash leaves it on the diffuse colour alone, which would draw
// the picture as a white silhouette.
void ModulateTextureAndDiffuse() {
    gDevice->setTextureState(0, kColorOp, kModulate);
    gDevice->setTextureState(0, kColorArg1, kArgTexture);
    gDevice->setTextureState(0, kColorArg2, kArgDiffuse);
    gDevice->setTextureState(0, kAlphaOp, kModulate);
    gDevice->setTextureState(0, kAlphaArg1, kArgTexture);
    gDevice->setTextureState(0, kAlphaArg2, kArgDiffuse);
}

}  // namespace

// The character's bump pass leaves its pixel shader bound and the overlay
// does not touch shaders, so the picture unbinds it: through the bump shader
// it would come out as a dark rectangle instead of the picture.
void DrawPicture(const kaShotPicture& picture) {
    gDevice->setPixelShader(nullptr);
    ModulateTextureAndDiffuse();
    gDevice->setRenderState(kSrcBlend, kBlendSrcAlpha);
    gDevice->setRenderState(kDestBlend, kBlendInvSrcAlpha);
    gDevice->setRenderState(kAlphaBlend, 1);
    kaOverlayQuad& quad = *gOverlayQuad;
    quad.texture = gTextures[picture.slot].texture;
    quad.x0 = picture.x0;
    quad.y0 = picture.y0;
    quad.x1 = picture.x1;
    quad.y1 = picture.y1;
    quad.tu0 = 0;
    quad.tv0 = 0;
    quad.tu1 = -1;
    quad.tv1 = 1;
    gOverlay->Add(&quad);
    gOverlay->Draw();
    gOverlay->Remove(&quad);
    gDevice->setRenderState(kAlphaBlend, 0);
}
