#pragma once

#include <string>
#include <vector>

#include "kaModelSpec.h"

// The camera paths and character paths (".spl" text files).  Each is an
// open curve sampled at the integer parameters its shots reach, followed by
// one point extrapolated before the start: the player closes every path
// with Catmull-Rom tangents, and that last point makes the tangent at the
// start follow the curve, while the closing segment lies beyond every
// parameter a shot reaches.
class kaPathLibrary {
public:
    struct Path {
        std::string file;
        std::vector<kaVec3> points;
    };

    // characterCentre: the character's bounding-box centre in the model.
    static std::vector<Path> Build(kaVec3 characterCentre);
    // The file's text: one point a line.
    static std::string Text(const Path& path);
    // The largest path parameter any shot reaches on this path.
    static float Reach(const std::string& file);
};
