#include "kaFramePacer.h"

kaFramePacer::kaFramePacer(const kaCounterSource& source)
    : mSource(&source), mFrequency(0), mInterval(0), mNext(0), mStarted(false) {}

void kaFramePacer::SetRate(unsigned fps) {
    mFrequency = fps > 0 ? mSource->frequency() : 0;
    mInterval = fps > 0 ? mFrequency / fps : 0;
    mStarted = false;
}

bool kaFramePacer::Due() {
    if (mInterval <= 0) return true;
    const int64_t now = mSource->now();
    if (mStarted && now < mNext) return false;
    const bool behind = !mStarted || now - mNext >= mInterval;
    mNext = (behind ? now : mNext) + mInterval;
    mStarted = true;
    return true;
}

uint32_t kaFramePacer::MillisecondsToNext() const {
    if (mInterval <= 0 || !mStarted) return 0;
    const int64_t left = mNext - mSource->now();
    if (left <= 0) return 0;
    // left < mInterval <= mFrequency: the product cannot overflow.
    return static_cast<uint32_t>((left * 1000 + mFrequency - 1) / mFrequency);
}
