#include "kaFastForward.h"

#include <algorithm>

#include "DemoFrame.h"
#include "OutroPictures.h"
#include "kaCharacterMotion.h"
#include "kaDeviceGlobal.h"
#include "kaFrameClock.h"

kaFastForward::kaFastForward() : mSilent(*gDevice), mShown(gDevice), mPresented(gFramePresented) {
    gDevice = &mSilent;
    gFramePresented = nullptr;
    kaCharacterMotion::Hold();
}

kaFastForward::~kaFastForward() {
    gDevice = mShown;
    gFramePresented = mPresented;
    kaCharacterMotion::Release();
}

int64_t kaFastForward::SilentEnd(int64_t wanted) {
    return std::max<int64_t>(0, wanted - kDrawnBefore);
}

bool kaFastForward::PlayDemoTo(int64_t end) {
    while (kaFrameClock::getFrame() < end) {
        if (!PlayDemoFrame()) return false;
        kaFrameClock::Advance();
    }
    return true;
}

bool kaFastForward::PlayClosingTo(kaClosingPictures& closing, int64_t end) {
    while (kaFrameClock::getFrame() < end) {
        const bool more = closing.Frame();
        kaFrameClock::Advance();
        if (!more) return false;
    }
    return true;
}
