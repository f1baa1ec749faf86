#pragma once

#include <cstdint>
#include <vector>

#include "kaTDAReader.h"

// One bone's track in a clip.  position and rotation hold the last sample
// taken by the animation code.
struct kaAnimTrack {
    char name[256];
    float position[3];
    float rotation[4];  // quaternion x, y, z, w
    int32_t keyCount;
    std::vector<kaAnimKey> keys;  // times in milliseconds
};

// A skeletal animation clip loaded from a TDA file; track i drives bone i.
// Key k of every track lies at k x durationMs / frameCount.
class kaAnimClip {
public:
    kaAnimClip();

    // Loads "../xMedia/xAnimations/" + name; 1 on success, 0 on failure
    // (the clip then keeps what it held).
    int LoadClip(const char* name);
    // As LoadClip, from a complete path.
    int LoadClipFile(const char* path);
    // Replaces the clip with the one a reader has read.
    void Build(const kaTDAReader& reader);

    float durationMs;
    uint32_t headerValue;
    int32_t frameCount;
    int16_t trackCount;
    std::vector<kaAnimTrack> tracks;
};
