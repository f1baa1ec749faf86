#pragma once

#include <cstdint>
#include <memory>

#include "kaClockOutput.h"
#include "kaOggDecoder.h"
#include "kaPcmSource.h"
#include "kaSoundOutput.h"
#include "kaTimer.h"

// One music stream: an Ogg Vorbis track in the caller's memory, decoded while
// it plays.  Playback goes to the sound device when one opens; the position
// is then what the device has played, else the clock's time since the start
// of playback.  It never runs ahead of the clock (a device that swallows
// samples faster than real time cannot hurry the demo) and stops at the
// track's length.
class kaStream {
public:
    kaStream(const kaCounterSource& clock, int mixRate);

    // False when the data is not a playable Ogg Vorbis track.
    bool Open(const unsigned char* data, size_t size);

    // Starts playback, on the device when useDevice is set and one opens;
    // paused, it stands at its start until resumed.  A stream already
    // playing goes on undisturbed.
    void Play(bool useDevice, bool paused = false);

    // Play position in milliseconds; 0 until Play, then from the start
    // position on.
    int getTime();
    // A playing stream pauses (its position holds, the device goes quiet)
    // and resumes where it was; false when it is not playing.
    bool setPaused(bool paused);
    // Before Play: playback will begin `ms` milliseconds into the track.
    // False once playing or for a time outside the track.
    bool setStart(int64_t ms);

    int64_t getLengthMilliseconds() const { return mDecoder.getLengthMilliseconds(); }
    const kaCounterSource& getClock() const { return mClock; }
    bool isPlaying() const { return mClockOutput != nullptr; }
    bool isOnDevice() const { return mDevice != nullptr; }
    bool isPaused() const { return mPaused; }

private:
    const kaCounterSource& mClock;
    [[maybe_unused]] int mMixRate;  // the device's rate; no device natively
    kaOggDecoder mDecoder;
    kaPcmSource mSource;
    std::unique_ptr<kaClockOutput> mClockOutput;
    int64_t mStartMs = 0;
    bool mPaused = false;
    // Declared last: the device output reads mSource on its own thread and
    // has to stop before the source goes.
    std::unique_ptr<kaSoundOutput> mDevice;
};
