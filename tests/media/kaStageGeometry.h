#pragma once

#include <string>
#include <vector>

#include "kaModelSpec.h"

// The triangles of a static TDM model in world space, for line-of-sight
// and coverage tests by ray casting.  A triangle's front is the side from
// which its corners run counter-clockwise: the side the player draws.
class kaStageGeometry {
public:
    struct Hit {
        float distance;  // negative when nothing is hit
        bool front;      // the ray meets the triangle's front
    };

    bool Load(const std::string& path);
    // The nearest triangle along the unit direction, either side.
    Hit Cast(kaVec3 origin, kaVec3 direction) const;
    // True when the segment from a to b crosses a triangle.
    bool Blocks(kaVec3 a, kaVec3 b) const;
    bool Contains(kaVec3 p) const;

private:
    struct Triangle {
        kaVec3 a, b, c;
    };
    static float Distance(const Triangle& t, kaVec3 origin, kaVec3 direction);

    std::vector<Triangle> mTriangles;
    kaVec3 mMinimum{1e30f, 1e30f, 1e30f}, mMaximum{-1e30f, -1e30f, -1e30f};
};
