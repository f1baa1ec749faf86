#pragma once

#include <array>
#include <vector>

#include "kaCharacterBuilder.h"
#include "kaClipSpec.h"

// The character's 18 clips.  Each is a pose written as a function of the
// loop phase (0 to 1); keys are sampled from it at an even rate and the
// last key repeats the first, so every clip loops.
class kaClipLibrary {
public:
    using Pose = std::array<kaKeySpec, kBoneCount>;
    using PoseFunction = void (*)(float phase, Pose& pose);

    struct Design {
        const char* file;
        float duration;  // seconds
        int frames;
        PoseFunction pose;
    };

    static const std::vector<Design>& Designs();
    static kaClipSpec Build(const Design& design);
};
