#pragma once

#include <string>
#include <vector>

#include "kaModelSpec.h"

// A camera path read from ".spl" text and evaluated as the player does: the
// file's points closed with a copy of the first, Catmull-Rom tangents,
// cubic Hermite segments one unit of parameter long.
class kaSplinePath {
public:
    // False when the file cannot be read, holds something other than
    // numbers, a count of numbers that is not a multiple of three, no
    // point or more than 128 points.
    bool Load(const std::string& path);
    kaVec3 PointAt(float t) const;
    size_t fileCount() const { return mPoints.empty() ? 0 : mPoints.size() - 1; }

private:
    std::vector<kaVec3> mPoints;
    std::vector<kaVec3> mTangents;
};
