#pragma once

#include <windows.h>
#include <mmsystem.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <thread>
#include <vector>

#include "kaSoundOutput.h"

class kaPcmSource;

// Playback on the default wave-out device.  A thread of its own keeps a small
// ring of buffers queued, refilling each from the source as the device hands
// it back; the position is the device's own count of played samples.  The
// program's thread only starts, asks the position and stops.
class kaWaveOutput : public kaSoundOutput {
public:
    // Opens the device for stereo 16-bit at the rate and starts playing, or
    // holds it paused until setPaused(false); null when there is no device
    // that takes the format.
    static std::unique_ptr<kaWaveOutput> Open(kaPcmSource& source, int rate, bool paused);
    ~kaWaveOutput() override;
    kaWaveOutput(const kaWaveOutput&) = delete;
    kaWaveOutput& operator=(const kaWaveOutput&) = delete;

    int64_t getPlayedMilliseconds() override;
    // The device stops at once and holds its count; the buffers stay queued.
    void setPaused(bool paused) override;

private:
    static constexpr int kBufferCount = 8;
    static constexpr unsigned kBufferFrames = 2048;

    kaWaveOutput(kaPcmSource& source, int rate, HWAVEOUT device, HANDLE event);
    // The streaming thread: queues every buffer, then refills those done.
    void Stream();
    // Fills one buffer from the source and queues it; false at the end.
    bool Queue(WAVEHDR& header);

    kaPcmSource& mSource;
    int mRate;
    HWAVEOUT mDevice;
    HANDLE mEvent;
    std::vector<int16_t> mSamples;
    WAVEHDR mHeaders[kBufferCount];
    std::atomic<bool> mStopping;
    std::thread mThread;
};
