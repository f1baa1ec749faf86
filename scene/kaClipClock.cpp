#include "kaClipClock.h"

#include "kaPlatformClock.h"

kaClipClock gClipClock;

kaClipClock::kaClipClock(kaMillisecondCounter counter)
    : mCounter(counter), mLast(0), mRate(1.0f), mTotal(0) {
    Reset();
}

void kaClipClock::Reset() {
    mLast = mCounter();
    mTotal = 0;
}

float kaClipClock::Now() {
    const uint32_t counter = mCounter();
    mTotal += double(uint32_t(counter - mLast)) * mRate;
    mLast = counter;
    return static_cast<float>(mTotal);
}

void kaClipClock::ContinueOn(kaMillisecondCounter counter) {
    mCounter = counter;
    mLast = mCounter();
}

void kaClipClock::SetRate(float rate) { mRate = rate; }

uint32_t kaClipClock::PlatformCounter() { return kaPlatformMilliseconds(); }
