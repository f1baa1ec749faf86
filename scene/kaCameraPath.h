#pragma once

#include <vector>

// A closed camera path: the file's points followed by a copy of the first,
// with one Catmull-Rom tangent per point.  count is the number of points.
struct kaCameraPath {
    std::vector<float> points;    // 3 per point
    std::vector<float> tangents;  // 3 per point
    int count = 0;
};
