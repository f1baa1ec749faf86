#include "RenderFrame.h"

#include "kaApplication.h"
#include "kaTimer.h"

namespace {

// The demo's length in seconds; it ends there even without a key press.
constexpr float kDemoLength = 117.7f;

}  // namespace

// Until the device draws, a frame only watches for the end of the demo:
// Escape, or the demo's length on the frame timer.
int RenderFrame() {
    gFrameTimer->Tick();
    if (gApp.isKeyDown(VK_ESCAPE)) return 0;
    return gFrameTimer->Elapsed() < kDemoLength ? 1 : 0;
}
