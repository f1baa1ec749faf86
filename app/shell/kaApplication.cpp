#include "kaApplication.h"

#include <cstdarg>
#include <cstdio>

#include "kaActivation.h"
#include "kaMessageBox.h"
#include "kaPlatformClock.h"

namespace {

kaApplication* sInstance = nullptr;

}  // namespace

kaApplication::kaApplication()
    : mKeys(), mMouseButtons(), mMouseX(0), mMouseY(0), mMouseMotion(),
      mFrameCallback(nullptr), mActivateCallback(nullptr), mResizeCallback(nullptr),
      mTitle(nullptr), mWidth(0),
      mHeight(0), mBitsPerPixel(0), mFullscreen(0), mClientWidth(0), mClientHeight(0),
      mSystem(nullptr) {
    sInstance = this;
}

kaApplication::~kaApplication() {
    Destroy();
    sInstance = nullptr;
}

kaApplication* kaApplication::Instance() { return sInstance; }

int kaApplication::Run() {
    while (Step()) {
        const uint32_t wait = mPacer.MillisecondsToNext();
        if (wait > 0) WaitForMessages(wait);
    }
    return 1;
}

void kaApplication::WaitForFrame() {
    while (!mPacer.Due()) kaPlatformSleep(mPacer.MillisecondsToNext());
}

// The mouse's motion is kept for the frame that reads it.
bool kaApplication::Step() {
    if (!HandleMessages()) return false;
    if (mFrameCallback != nullptr && gActive != 0) {
        if (!mPacer.Due()) return true;
        if (mFrameCallback() == 0) return false;
    }
    mMouseMotion[0] = mMouseMotion[1] = mMouseMotion[2] = 0;
    return true;
}

void kaApplication::OnResize(int width, int height) {
    if (width <= 0 || height <= 0 || (width == mClientWidth && height == mClientHeight)) return;
    mClientWidth = width;
    mClientHeight = height;
    if (mResizeCallback != nullptr) mResizeCallback(width, height);
}

bool kaApplication::AcceptWindowedMode() {
    const int answer =
        ShowMessageBox("DAMM!!!", "Requested fullscreen mode not supported.\nUse windowed mode ?",
                       KA_MB_ICONWARNING | KA_MB_YESNO);
    if (answer == KA_IDYES) return true;
    InfoBox("DAMM!!!", "It wasn't me!!!");
    return false;
}

void kaApplication::SetTitle(const char* format, ...) {
    char text[256] = {};
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    ShowTitle(text);
}

void kaApplication::getClientSize(int* width, int* height) const {
    *width = mClientWidth;
    *height = mClientHeight;
}

void kaApplication::OnActivate(uintptr_t wParam, intptr_t lParam) {
    if (mActivateCallback != nullptr) mActivateCallback(wParam, lParam);
}

void kaApplication::OnKey(unsigned key, bool down) { mKeys[key & 0xFF] = down ? 1 : 0; }

void kaApplication::OnMouseMove(float x, float y) {
    mMouseMotion[0] = mMouseX - x;
    mMouseMotion[1] = mMouseY - y;
    mMouseX = x;
    mMouseY = y;
}

void kaApplication::OnMouseButton(unsigned button, bool down) {
    if (button < sizeof mMouseButtons) mMouseButtons[button] = down ? 1 : 0;
}
