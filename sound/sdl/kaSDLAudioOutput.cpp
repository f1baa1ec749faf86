#include "kaSDLAudioOutput.h"

#include <algorithm>
#include <cstring>

#include "kaPcmSource.h"

namespace {

constexpr int kChannels = 2;
constexpr int kFrameBytes = kChannels * sizeof(int16_t);

}  // namespace

std::unique_ptr<kaSoundOutput> kaSoundOutput::OpenDevice(kaPcmSource& source, int rate, bool paused) {
    return kaSDLAudioOutput::Open(source, rate, paused);
}

// SDL opens its devices paused.
std::unique_ptr<kaSDLAudioOutput> kaSDLAudioOutput::Open(kaPcmSource& source, int rate, bool paused) {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return nullptr;
    std::unique_ptr<kaSDLAudioOutput> output(new kaSDLAudioOutput(source, rate));
    SDL_AudioSpec wanted = {};
    wanted.freq = rate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = kChannels;
    wanted.samples = kBufferFrames;
    wanted.callback = Fill;
    wanted.userdata = output.get();
    // No changes allowed: SDL converts to whatever the device takes.
    output->mDevice = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
    if (output->mDevice == 0) return nullptr;  // the destructor quits the subsystem
    if (!paused) SDL_PauseAudioDevice(output->mDevice, 0);
    return output;
}

kaSDLAudioOutput::kaSDLAudioOutput(kaPcmSource& source, int rate)
    : mSource(source), mRate(rate), mDevice(0), mPlayed(0), mHandedOut(0), mRequestedAt(0) {}

// Closing waits for the audio thread to leave the callback.
kaSDLAudioOutput::~kaSDLAudioOutput() {
    if (mDevice != 0) SDL_CloseAudioDevice(mDevice);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

// SDL holds the device's lock while it calls.
void SDLCALL kaSDLAudioOutput::Fill(void* output, Uint8* stream, int bytes) {
    auto* self = static_cast<kaSDLAudioOutput*>(output);
    self->mPlayed = self->mHandedOut;
    self->mRequestedAt = SDL_GetPerformanceCounter();
    const unsigned frames = static_cast<unsigned>(bytes / kFrameBytes);
    const unsigned filled = self->mSource.Fill(reinterpret_cast<int16_t*>(stream), frames);
    std::memset(stream + filled * kFrameBytes, 0, static_cast<size_t>(bytes) - filled * kFrameBytes);
    self->mHandedOut += filled;
}

int64_t kaSDLAudioOutput::getPlayedMilliseconds() {
    SDL_LockAudioDevice(mDevice);
    const int64_t played = mPlayed;
    const int64_t handedOut = mHandedOut;
    const uint64_t requestedAt = mRequestedAt;
    SDL_UnlockAudioDevice(mDevice);
    if (requestedAt == 0) return 0;
    const uint64_t since = SDL_GetPerformanceCounter() - requestedAt;
    const int64_t moved = static_cast<int64_t>(since * mRate / SDL_GetPerformanceFrequency());
    return std::min(played + moved, handedOut) * 1000 / mRate;
}

void kaSDLAudioOutput::setPaused(bool paused) { SDL_PauseAudioDevice(mDevice, paused ? 1 : 0); }
