#include "kaStream.h"

#include <algorithm>

kaStream::kaStream(const kaCounterSource& clock, int mixRate)
    : mClock(clock), mMixRate(mixRate), mSource(mDecoder, mixRate) {}

bool kaStream::Open(const unsigned char* data, size_t size) { return mDecoder.Open(data, size); }

void kaStream::Play(bool useDevice, bool paused) {
    if (mClockOutput != nullptr) return;
    mClockOutput = std::make_unique<kaClockOutput>(mClock, paused);
    if (useDevice) mDevice = kaSoundOutput::OpenDevice(mSource, mMixRate, paused);
    mPaused = paused;
}

int kaStream::getTime() {
    if (mClockOutput == nullptr) return 0;
    int64_t played = mClockOutput->getPlayedMilliseconds();
    if (mDevice != nullptr) played = std::min(played, mDevice->getPlayedMilliseconds());
    return static_cast<int>(std::clamp<int64_t>(mStartMs + played, 0, getLengthMilliseconds()));
}

bool kaStream::setPaused(bool paused) {
    if (mClockOutput == nullptr) return false;
    mClockOutput->setPaused(paused);
    if (mDevice != nullptr) mDevice->setPaused(paused);
    mPaused = paused;
    return true;
}

bool kaStream::setStart(int64_t ms) {
    if (mClockOutput != nullptr || !mDecoder.Seek(ms)) return false;
    mStartMs = ms;
    return true;
}
