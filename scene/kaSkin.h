#pragma once

#include <cstdint>
#include <vector>

#include "kaAnimMath.h"

// One bone of a character's skeleton, in TDM file order.
struct kaBone {
    char name[256];
    int16_t parent;  // -1 for a root, else lower than the bone's own index
    float restPosition[3];
    float restAngles[3];
    kaBoneMatrix local;     // relative to the parent
    kaBoneMatrix absolute;  // in model space
};

// A bone's share of a weighted vertex, with the vertex in that bone's space.
struct kaSkinInfluence {
    int16_t bone;
    float weight;  // as stored in the file, not normalised
    float position[3];
    float normal[3];
    float tangent[3];
};

// How one mesh vertex follows the skeleton.  kind 1 follows one bone (its
// vectors in that bone's space), kind 2 a weighted sum of influences, any
// other kind stays where it is.
struct kaSkinVertex {
    uint8_t kind;
    int16_t bone;  // kind 1 only, else -1
    float position[3];
    float normal[3];
    float tangent[3];
    int16_t influenceCount;  // kind 2 only, else 0
    std::vector<kaSkinInfluence> influences;
};

// The skin of one mesh: one record per mesh vertex.
struct kaSkin {
    int32_t vertexCount;
    std::vector<kaSkinVertex> vertices;
};

// A bone's position relative to its parent and its rotation (x, y, z, w).
struct kaBonePose {
    float position[3];
    float rotation[4];
};
