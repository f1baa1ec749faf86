#include "WhiteFlash.h"

#include <cstdint>

#include "DemoGlobals.h"
#include "kaDeviceGlobal.h"
#include "kaOrthoOverlay.h"
#include "kaRenderDevice.h"

namespace {

constexpr float kSixth = 0.16666667f;

// Direct3D 8 render and stage states the flash sets.
constexpr unsigned kZEnable = 7, kSrcBlend = 19, kDestBlend = 20, kAlphaBlend = 27;
constexpr unsigned kBlendOp = 171;
constexpr unsigned kBlendSrcAlpha = 5, kBlendOne = 2, kBlendOpAdd = 1;
constexpr unsigned kColorOp = 1, kColorArg1 = 2, kSelectArg1 = 2, kArgDiffuse = 0;

}  // namespace

float SplineBlend(float p0, float p1, float p2, float p3, float s) {
    return p1 + s * (-4 * p0 + p1 + 4 * p2 - p3) * kSixth +
           s * s * ((p0 - 2 * p1 + p2) + s * (-2 * p0 + 5 * p1 - 4 * p2 + p3) * kSixth);
}

void WhiteFlash(float start, float end, float t) {
    gDevice->setPixelShader(nullptr);
    // The curve is a cubic: besides rising from 0 to 1 over the window it
    // comes back into [0, 1] from one window length before the start to half
    // of it and from half a length after the end to a whole one.  Only the
    // window itself shows the flash.
    const float s = (t - start) / (end - start);
    float a = s >= 0 && s <= 1 ? SplineBlend(0, 0, 1, 0, s) : 0;
    if (a > 1 || a < 0) a = 0;

    const uint32_t alpha = static_cast<uint32_t>(a * 255);
    gFlashQuad.colour = alpha << 24 | 0xFFFFFF;
    gFlashQuad.texture = nullptr;
    gFlashQuad.x0 = -1;
    gFlashQuad.y0 = -1;
    gFlashQuad.x1 = 1;
    gFlashQuad.y1 = 1;

    gDevice->setRenderState(kSrcBlend, kBlendSrcAlpha);
    gDevice->setRenderState(kDestBlend, kBlendOne);
    gDevice->setRenderState(kBlendOp, kBlendOpAdd);
    gDevice->setTextureState(0, kColorOp, kSelectArg1);
    gDevice->setTextureState(0, kColorArg1, kArgDiffuse);
    gDevice->setRenderState(kAlphaBlend, 1);
    gDevice->setRenderState(kZEnable, 0);

    gOverlay->Add(&gFlashQuad);
    gOverlay->Draw();
    gOverlay->Remove(&gFlashQuad);

    gDevice->setRenderState(kAlphaBlend, 0);
    gDevice->setRenderState(kZEnable, 1);
}
