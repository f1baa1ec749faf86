#pragma once

#include <cstdint>
#include <memory>

class kaPcmSource;

// Playback on the platform's sound device; the playing stream's position is
// the device's count of played samples.
class kaSoundOutput {
public:
    // Opens the default device for stereo 16-bit at the rate and starts
    // playing the source on a thread of the device's, or holds it paused
    // (position 0) until setPaused(false); null when there is no device that
    // takes the format.  Each platform implements it in its own source file.
    static std::unique_ptr<kaSoundOutput> OpenDevice(kaPcmSource& source, int rate, bool paused);

    virtual ~kaSoundOutput() = default;

    // Milliseconds of the track played since playback started.
    virtual int64_t getPlayedMilliseconds() = 0;
    // Paused, the device takes no more of the source and the position holds
    // (what it had queued may still be heard); resumed, both go on from there.
    virtual void setPaused(bool paused) = 0;
};
