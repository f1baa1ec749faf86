#include "kaAnimClip.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

const char kAnimationDirectory[] = "../xMedia/xAnimations/";

}  // namespace

kaAnimClip::kaAnimClip() : durationMs(0), headerValue(0), frameCount(0), trackCount(0) {}

int kaAnimClip::LoadClip(const char* name) {
    if (name == nullptr) return 0;
    return LoadClipFile((std::string(kAnimationDirectory) + name).c_str());
}

int kaAnimClip::LoadClipFile(const char* path) {
    kaTDAReader reader;
    if (!reader.Open(path)) return 0;
    Build(reader);
    return 1;
}

void kaAnimClip::Build(const kaTDAReader& reader) {
    const float duration = reader.getDuration();
    const int32_t frames = reader.getFrameCount();
    std::vector<kaAnimTrack> loaded(reader.getTrackCount());
    for (int16_t i = 0; i < reader.getTrackCount(); ++i) {
        const kaTDATrack& source = reader.getTracks()[i];
        kaAnimTrack& track = loaded[i];
        std::memcpy(track.name, source.name, sizeof track.name);
        std::memset(track.position, 0, sizeof track.position);
        std::memset(track.rotation, 0, sizeof track.rotation);
        track.keyCount = source.keyCount;
        track.keys = source.keys;
        for (int32_t k = 0; k < track.keyCount; ++k)
            track.keys[k].time = static_cast<float>(duration / frames * k * 1000.0);
    }
    durationMs = static_cast<float>(duration * 1000.0);
    headerValue = reader.getHeaderValue();
    frameCount = frames;
    trackCount = reader.getTrackCount();
    tracks.swap(loaded);
}
