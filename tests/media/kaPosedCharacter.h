#pragma once

#include "kaCharacter.h"
#include "kaRecordingDevice.h"

class kaAnimClip;

// The demo's character loaded from the media tree onto a recording device
// and posed with the player's own skinning, for measuring where its
// vertices go.
class kaPosedCharacter {
public:
    struct Box {
        float minimum[3] = {1e30f, 1e30f, 1e30f};
        float maximum[3] = {-1e30f, -1e30f, -1e30f};
        void Add(const float* p);
        float Size(int axis) const { return maximum[axis] - minimum[axis]; }
    };

    kaPosedCharacter();
    ~kaPosedCharacter();
    kaPosedCharacter(const kaPosedCharacter&) = delete;
    kaPosedCharacter& operator=(const kaPosedCharacter&) = delete;

    // Loads "Garrulon.tdm"; the working directory must be the media tree's
    // "bin" folder.
    bool Load();
    // Box of every skinned vertex with the clip sampled at a clock value
    // (milliseconds, taken modulo the clip's duration).
    Box PoseBox(kaAnimClip& clip, float clockMs);

    kaRecordingDevice device;
    kaCharacter character;
};
