#pragma once

#include <SDL.h>

#include <cstdint>
#include <memory>

#include "kaSoundOutput.h"

// Playback on SDL's default audio device.  SDL's audio thread asks for each
// buffer in turn and the source fills it; when the device asks for the next
// buffer the previous one has been taken, so the frames handed out before
// the latest request are what it has played.  Between requests the position
// moves on with the time passed since the latest one, up to the end of the
// buffer handed out then: the clock stays smooth at any frame rate and never
// passes what the device has been given.  Paused, SDL stops asking while
// the buffer it has plays out, so the position goes no further than that.
class kaSDLAudioOutput : public kaSoundOutput {
public:
    static std::unique_ptr<kaSDLAudioOutput> Open(kaPcmSource& source, int rate, bool paused);
    ~kaSDLAudioOutput() override;
    kaSDLAudioOutput(const kaSDLAudioOutput&) = delete;
    kaSDLAudioOutput& operator=(const kaSDLAudioOutput&) = delete;

    int64_t getPlayedMilliseconds() override;
    void setPaused(bool paused) override;

private:
    static constexpr Uint16 kBufferFrames = 2048;

    kaSDLAudioOutput(kaPcmSource& source, int rate);
    // SDL's callback, on the audio thread.
    static void SDLCALL Fill(void* output, Uint8* stream, int bytes);

    kaPcmSource& mSource;
    int mRate;
    SDL_AudioDeviceID mDevice;
    // Under the device's lock: frames handed out before the latest request,
    // frames handed out at it, and when it came (performance counter).
    int64_t mPlayed;
    int64_t mHandedOut;
    uint64_t mRequestedAt;
};
