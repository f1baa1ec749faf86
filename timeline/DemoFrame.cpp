#include "DemoFrame.h"

#include "DemoGlobals.h"
#include "OutputPicture.h"
#include "Scenes.h"
#include "kaDeviceGlobal.h"
#include "kaMusic.h"
#include "kaRenderDevice.h"
#include "kaTimer.h"

namespace {

constexpr float kMilliseconds = 0.001f;
constexpr unsigned kClearDepth = 2;
constexpr unsigned kClearColour = 0x001F1F7F;  // not used: only the depth is cleared

// The scenes in schedule order.
void (*const kScenes[])(float, float) = {
    Scene01, Scene02, Scene03, Scene04, Scene05, Scene06, Scene07, Scene08,
    Scene09, Scene10, Scene11, Scene12, Scene13, Scene14, Scene15, Scene16,
    Scene17, Scene18, Scene19, Scene20, Scene21, Scene22, Scene23,
};
static_assert(sizeof(kScenes) / sizeof(kScenes[0]) == kSceneCount, "every scene runs");

}  // namespace

void (*gFramePresented)() = nullptr;

void PresentFrame() {
    gDevice->Flip();
    if (gFramePresented != nullptr) gFramePresented();
}

int DemoClock(int positionMs, float* t) {
    // The product of the two single-precision factors is exact in double
    // precision; the end is tested on it before it is rounded to t.
    const double product = static_cast<double>(positionMs) * kMilliseconds;
    *t = static_cast<float>(product);
    return product < kDemoEnd ? 1 : 0;
}

void DrawDemoFrame(float frameDelta, float t) {
    ClearPictureBars();
    gDevice->Clear(kClearDepth, kClearColour, 1.0f, 0);
    gDevice->BeginRender();
    for (auto scene : kScenes) scene(frameDelta, t);
    gDevice->EndRender();
    PresentFrame();
}

int PlayDemoFrame() {
    gFrameTimer->Tick();
    gRefreshFlag = 1;

    float t = 0;
    if (!DemoClock(FSOUND_Stream_GetTime(gMusicStream), &t)) return 0;
    DrawDemoFrame(gFrameTimer->getFrameDelta(), t);
    return 1;
}
