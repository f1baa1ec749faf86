#pragma once

#include "kaTimer.h"

// Silent playback: the position is the time passed on a monotonic counter
// since the output was started.
class kaClockOutput {
public:
    explicit kaClockOutput(const kaCounterSource& clock);

    int64_t getPlayedMilliseconds();

private:
    const kaCounterSource& mClock;
    int64_t mFrequency;
    int64_t mStart;
};
