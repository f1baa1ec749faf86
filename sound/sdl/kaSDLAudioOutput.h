#pragma once

#include <SDL.h>

#include <atomic>
#include <cstdint>
#include <memory>

#include "kaSoundOutput.h"

// Playback on SDL's default audio device.  SDL's audio thread asks for each
// buffer in turn and the source fills it; when the device asks for the next
// buffer the previous one has been played, so the frames handed out before
// the latest request are the position (behind the speaker by at most one
// buffer, never ahead of it).
class kaSDLAudioOutput : public kaSoundOutput {
public:
    static std::unique_ptr<kaSDLAudioOutput> Open(kaPcmSource& source, int rate);
    ~kaSDLAudioOutput() override;
    kaSDLAudioOutput(const kaSDLAudioOutput&) = delete;
    kaSDLAudioOutput& operator=(const kaSDLAudioOutput&) = delete;

    int64_t getPlayedMilliseconds() override;

private:
    static constexpr Uint16 kBufferFrames = 2048;

    kaSDLAudioOutput(kaPcmSource& source, int rate);
    // SDL's callback, on the audio thread.
    static void SDLCALL Fill(void* output, Uint8* stream, int bytes);

    kaPcmSource& mSource;
    int mRate;
    SDL_AudioDeviceID mDevice;
    int64_t mHandedOut;  // frames given to the device (audio thread only)
    std::atomic<int64_t> mPlayed;
};
