#include "kaClockOutput.h"

kaClockOutput::kaClockOutput(const kaCounterSource& clock, bool paused)
    : mClock(clock), mFrequency(clock.frequency()), mStart(clock.now()), mPaused(paused),
      mPausedAt(mStart) {}

// Whole seconds and the remainder apart, so that long runs on a fast counter
// cannot overflow the product.
int64_t kaClockOutput::getPlayedMilliseconds() {
    const int64_t counts = Now() - mStart;
    if (counts <= 0 || mFrequency <= 0) return 0;
    return counts / mFrequency * 1000 + counts % mFrequency * 1000 / mFrequency;
}

void kaClockOutput::setPaused(bool paused) {
    if (paused == mPaused) return;
    if (paused) {
        mPausedAt = mClock.now();
    } else {
        mStart += mClock.now() - mPausedAt;
    }
    mPaused = paused;
}

int64_t kaClockOutput::Now() const { return mPaused ? mPausedAt : mClock.now(); }
