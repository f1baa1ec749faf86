#include "RenderFrame.h"

#include "DemoFrame.h"
#include "DemoGlobals.h"
#include "Globals.h"
#include "kaInput.h"
#include "kaMusic.h"
#include "kaTimer.h"

namespace {

constexpr unsigned char kEscape = 1;  // DirectInput key code of Escape

}  // namespace

int RenderFrame() {
    gInput->Poll();
    if (gInput->isKeyDown(kEscape)) return 0;
    return PlayDemoFrame();
}

int PlayDemoFrame() {
    gFrameTimer->Tick();
    gRefreshFlag = 1;

    float t = 0;
    if (!DemoClock(FSOUND_Stream_GetTime(gMusicStream), &t)) return 0;
    DrawDemoFrame(gFrameTimer->getFrameDelta(), t);
    return 1;
}
