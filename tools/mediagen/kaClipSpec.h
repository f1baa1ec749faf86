#pragma once

#include <string>
#include <vector>

#include "kaModelSpec.h"

// One bone's pose in a key: translation relative to the parent and the
// rotation angles about x, y and z.
struct kaKeySpec {
    kaVec3 position;
    kaVec3 angles;
};

struct kaTrackSpec {
    std::string name;
    std::vector<kaKeySpec> keys;
};

// A clip as the generator builds it: frameCount + 1 evenly spaced keys per
// track, the last equal to the first, so the clip loops without a jump.
struct kaClipSpec {
    std::string name;
    float duration = 1.0f;  // seconds
    int frameCount = 1;
    std::vector<kaTrackSpec> tracks;
};
