#pragma once

#include <cstdint>

// Where a playing stream's position comes from: the sound device's count of
// played samples, or the clock when there is no device.
class kaSoundOutput {
public:
    virtual ~kaSoundOutput() = default;

    // Milliseconds of the track played since playback started.
    virtual int64_t getPlayedMilliseconds() = 0;
};
