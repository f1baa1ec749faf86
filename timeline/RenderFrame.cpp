#include "RenderFrame.h"

#include "DemoFrame.h"
#include "Globals.h"
#include "kaInput.h"

namespace {

constexpr unsigned char kEscape = 1;  // DirectInput key code of Escape

}  // namespace

int RenderFrame() {
    gInput->Poll();
    if (gInput->isKeyDown(kEscape)) return 0;
    return PlayDemoFrame();
}
