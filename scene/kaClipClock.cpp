#include "kaClipClock.h"

#if defined(_WIN32)
#include <windows.h>
#include <mmsystem.h>
#else
#include <chrono>
#endif

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

void kaClipClock::SetRate(float rate) { mRate = rate; }

uint32_t kaClipClock::PlatformCounter() {
#if defined(_WIN32)
    return timeGetTime();
#else
    using namespace std::chrono;
    return static_cast<uint32_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
#endif
}
