#include "kaSound.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "kaStream.h"

namespace {

constexpr int kMinMixRate = 4000;
constexpr int kMaxMixRate = 192000;

// The system's state: set by FSOUND_Init, cleared by FSOUND_Close.  Streams
// are known by their handles, so an unknown or stale handle is refused
// instead of followed.
struct SoundSystem {
    bool running = false;
    int mixRate = 0;
    int channels = 0;
    const kaCounterSource* clock = &kaCounterSource::Platform();
    std::vector<std::unique_ptr<kaStream>> streams;

    std::vector<std::unique_ptr<kaStream>>::iterator Find(const FSOUND_STREAM* stream) {
        return std::find_if(streams.begin(), streams.end(),
                            [stream](const std::unique_ptr<kaStream>& s) { return s.get() == stream; });
    }
    kaStream* Known(FSOUND_STREAM* stream) {
        return stream != nullptr && Find(stream) != streams.end() ? stream : nullptr;
    }
};

SoundSystem& System() {
    static SoundSystem system;
    return system;
}

}  // namespace

signed char FSOUND_Init(int mixrate, int maxsoftwarechannels, unsigned /*flags*/) {
    SoundSystem& system = System();
    if (system.running || mixrate < kMinMixRate || mixrate > kMaxMixRate || maxsoftwarechannels < 1) {
        return 0;
    }
    system.running = true;
    system.mixRate = mixrate;
    system.channels = maxsoftwarechannels;
    return 1;
}

FSOUND_STREAM* FSOUND_Stream_OpenFile(const char* nameOrData, unsigned mode, int lenbytes) {
    SoundSystem& system = System();
    if (!system.running || !(mode & FSOUND_LOADMEMORY) || nameOrData == nullptr || lenbytes <= 0) {
        return nullptr;
    }
    auto stream = std::make_unique<kaStream>(*system.clock, system.mixRate);
    if (!stream->Open(reinterpret_cast<const unsigned char*>(nameOrData), static_cast<size_t>(lenbytes))) {
        return nullptr;
    }
    system.streams.push_back(std::move(stream));
    return system.streams.back().get();
}

int FSOUND_Stream_Play(int channel, FSOUND_STREAM* stream) {
    return FSOUND_Stream_PlayEx(channel, stream, nullptr, 0);
}

int FSOUND_Stream_PlayEx(int channel, FSOUND_STREAM* stream, FSOUND_DSPUNIT* dsp, signed char startpaused) {
    SoundSystem& system = System();
    kaStream* known = system.Known(stream);
    if (known == nullptr || dsp != nullptr || channel < FSOUND_FREE || channel >= system.channels) return -1;
    known->Play(&known->getClock() == &kaCounterSource::Platform(), startpaused != 0);
    return channel == FSOUND_FREE ? 0 : channel;
}

int FSOUND_Stream_GetTime(FSOUND_STREAM* stream) {
    kaStream* known = System().Known(stream);
    return known != nullptr ? known->getTime() : 0;
}

signed char FSOUND_Stream_SetTime(FSOUND_STREAM* stream, int ms) {
    kaStream* known = System().Known(stream);
    return known != nullptr && known->setStart(ms) ? 1 : 0;
}

signed char FSOUND_Stream_SetPaused(FSOUND_STREAM* stream, signed char paused) {
    kaStream* known = System().Known(stream);
    return known != nullptr && known->setPaused(paused != 0) ? 1 : 0;
}

signed char FSOUND_Stream_Close(FSOUND_STREAM* stream) {
    SoundSystem& system = System();
    if (system.Known(stream) == nullptr) return 0;
    system.streams.erase(system.Find(stream));
    return 1;
}

void FSOUND_Close() {
    SoundSystem& system = System();
    system.streams.clear();
    system.running = false;
}

void kaSoundSetCounterSource(const kaCounterSource& source) { System().clock = &source; }
