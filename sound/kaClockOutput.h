#pragma once

#include "kaTimer.h"

// Silent playback: the position is the time passed on a monotonic counter
// since the output was started, less the time it was paused.
class kaClockOutput {
public:
    // Starts at 0, running or paused.
    kaClockOutput(const kaCounterSource& clock, bool paused);

    int64_t getPlayedMilliseconds();
    // While paused the position holds; resumed, it goes on from there.
    void setPaused(bool paused);

private:
    // The counter's value as the position sees it: held while paused.
    int64_t Now() const;

    const kaCounterSource& mClock;
    int64_t mFrequency;
    int64_t mStart;
    bool mPaused = false;
    int64_t mPausedAt = 0;
};
