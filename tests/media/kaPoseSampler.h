#pragma once

#include <string>
#include <vector>

#include "kaTDMReader.h"

class kaAnimClip;

// Poses the character of a TDM file from the keys of a clip and skins its
// vertices on the processor, the way the player does: bone matrices from
// rotation angles (Rz Ry Rx) and translations, vertices carried from the
// rest pose into each bone's space and back out in the new pose.
class kaPoseSampler {
public:
    struct Box {
        float minimum[3] = {1e30f, 1e30f, 1e30f};
        float maximum[3] = {-1e30f, -1e30f, -1e30f};
        void Add(const float* p);
        void Add(const Box& other);
        float Size(int axis) const { return maximum[axis] - minimum[axis]; }
    };

    bool Load(const std::string& path);
    int boneCount() const { return mReader.getBoneCount(); }
    const kaTDMReader& reader() const { return mReader; }
    // Box of every vertex in the rest pose.
    Box RestBox() const;
    // Box of every skinned vertex with each bone posed by key `key` of its
    // track (the rest pose for a track without keys).
    Box PoseBox(const kaAnimClip& clip, int key) const;

private:
    struct Matrix {
        float m[3][4];
    };
    static Matrix FromAngles(const float* angles, const float* position);
    static Matrix Product(const Matrix& parent, const Matrix& child);
    static void Apply(const Matrix& a, const float* p, float* out);
    static void ApplyInverse(const Matrix& a, const float* p, float* out);
    std::vector<Matrix> Absolute(const std::vector<Matrix>& local) const;

    kaTDMReader mReader;
    std::vector<Matrix> mRest;
};
