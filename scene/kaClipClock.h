#pragma once

#include <cstdint>

// Reads a millisecond counter that wraps around after 2^32 ms.
using kaMillisecondCounter = uint32_t (*)();

// The scaled millisecond clock on which clips and cross-fades run.  Elapsed
// counter milliseconds are multiplied by the rate and summed.  The counter
// difference is taken in whole milliseconds (so the counter's size and its
// wrap-around do not matter) and the sum is kept in double precision; only
// the value handed out is single precision.
class kaClipClock {
public:
    explicit kaClipClock(kaMillisecondCounter counter = PlatformCounter);

    // Starts again from 0 at the present counter value.
    void Reset();
    // Adds the scaled time since the previous reading; returns the total.
    float Now();
    // Applies from the next Now on, to the time since the previous reading.
    void SetRate(float rate);
    float getRate() const { return mRate; }
    void setCounter(kaMillisecondCounter counter) { mCounter = counter; }
    // A pause: the time up to now is summed; Resume then counts on from its
    // own moment, so the time between the two never reaches the sum.
    void Pause() { Now(); }
    void Resume() { mLast = mCounter(); }
    // Reads another counter from now on, keeping the time summed so far.
    void ContinueOn(kaMillisecondCounter counter);

    // The platform's millisecond counter.
    static uint32_t PlatformCounter();

private:
    kaMillisecondCounter mCounter;
    uint32_t mLast;
    float mRate;
    double mTotal;
};

// The program's clip clock, reset during static initialisation.
extern kaClipClock gClipClock;
