#pragma once

#include <cstdint>

#include "kaTimer.h"

// Paces a loop's frames to a rate: a frame is due once a frame's time has
// passed since the last one fell due.  The times lie on a grid, so that a
// loop woken a little late still averages the rate; a loop that fell behind
// by more than a frame starts a new grid rather than making the missed
// frames up in a burst.  Without a rate every frame is due.
class kaFramePacer {
public:
    explicit kaFramePacer(const kaCounterSource& source = kaCounterSource::Platform());

    // At most `fps` frames a second from now on; 0 for no limit.
    void SetRate(unsigned fps);

    // Whether a frame is due now; one that is takes its turn.
    bool Due();
    // Whole milliseconds until the next frame is due, rounded up: 0 when one
    // is due already or there is no limit.
    uint32_t MillisecondsToNext() const;

private:
    const kaCounterSource* mSource;
    int64_t mFrequency;
    int64_t mInterval;  // counts per frame; 0 without a limit
    int64_t mNext;      // the count at which the next frame falls due
    bool mStarted;      // whether a frame fell due since the rate was set
};
