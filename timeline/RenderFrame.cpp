#include "RenderFrame.h"

#include "Globals.h"
#include "kaInput.h"
#include "kaRenderDevice.h"
#include "kaTimer.h"

namespace {

constexpr unsigned char kEscape = 1;  // DirectInput key code of Escape
// The demo's length in seconds; until the music clock drives the frames, the
// frame timer stands in for it.
constexpr float kDemoLength = 117.7f;

}  // namespace

int RenderFrame() {
    gInput->Poll();
    if (gInput->isKeyDown(kEscape)) return 0;
    gFrameTimer->Tick();
    if (gFrameTimer->Elapsed() >= kDemoLength) return 0;

    gDevice->Clear(KA_CLEAR_TARGET | KA_CLEAR_ZBUFFER, 0, 1.0f, 0);
    gDevice->BeginRender();
    gDevice->EndRender();
    gDevice->Flip();
    return 1;
}
