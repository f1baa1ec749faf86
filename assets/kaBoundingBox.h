#pragma once

// Axis-aligned box around a model's positions.  It starts as the box from
// (65535, 65535, 65535) down to (-65535, -65535, -65535), so a position
// only widens it.  Corners, with a the minimum and b the maximum:
// 0 (a.x a.y a.z), 1 (a.x b.y a.z), 2 (b.x b.y a.z), 3 (b.x a.y a.z),
// 4 (a.x a.y b.z), 5 (a.x b.y b.z), 6 (b.x b.y b.z), 7 (b.x a.y b.z).
class kaBoundingBox {
public:
    kaBoundingBox();

    void Add(const float* position);
    void getCentre(float* centre) const;
    void getCorners(float (*corners)[3]) const;

    float minimum[3];
    float maximum[3];
};
