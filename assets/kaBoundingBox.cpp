#include "kaBoundingBox.h"

kaBoundingBox::kaBoundingBox()
    : minimum{65535.0f, 65535.0f, 65535.0f}, maximum{-65535.0f, -65535.0f, -65535.0f} {}

void kaBoundingBox::Add(const float* position) {
    for (int axis = 0; axis < 3; ++axis) {
        if (maximum[axis] < position[axis]) maximum[axis] = position[axis];
        if (minimum[axis] > position[axis]) minimum[axis] = position[axis];
    }
}

void kaBoundingBox::getCentre(float* centre) const {
    for (int axis = 0; axis < 3; ++axis) centre[axis] = (minimum[axis] + maximum[axis]) * 0.5f;
}

void kaBoundingBox::getCorners(float (*corners)[3]) const {
    // Bit 0 of each entry picks b.x, bit 1 b.y, bit 2 b.z.
    static const int kPick[8] = {0, 2, 3, 1, 4, 6, 7, 5};
    for (int c = 0; c < 8; ++c) {
        corners[c][0] = (kPick[c] & 1) ? maximum[0] : minimum[0];
        corners[c][1] = (kPick[c] & 2) ? maximum[1] : minimum[1];
        corners[c][2] = (kPick[c] & 4) ? maximum[2] : minimum[2];
    }
}
