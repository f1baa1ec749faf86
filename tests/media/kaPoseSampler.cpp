#include "kaPoseSampler.h"

#include <algorithm>
#include <cmath>

#include "kaAnimClip.h"

void kaPoseSampler::Box::Add(const float* p) {
    for (int a = 0; a < 3; ++a) {
        minimum[a] = std::min(minimum[a], p[a]);
        maximum[a] = std::max(maximum[a], p[a]);
    }
}

void kaPoseSampler::Box::Add(const Box& other) {
    Add(other.minimum);
    Add(other.maximum);
}

bool kaPoseSampler::Load(const std::string& path) {
    if (!mReader.Open(path.c_str())) return false;
    std::vector<Matrix> local;
    for (int16_t b = 0; b < mReader.getBoneCount(); ++b)
        local.push_back(FromAngles(mReader.getBones()[b].rotation, mReader.getBones()[b].position));
    mRest = Absolute(local);
    return true;
}

kaPoseSampler::Matrix kaPoseSampler::FromAngles(const float* angles, const float* position) {
    const float sx = std::sin(angles[0]), cx = std::cos(angles[0]);
    const float sy = std::sin(angles[1]), cy = std::cos(angles[1]);
    const float sz = std::sin(angles[2]), cz = std::cos(angles[2]);
    return {{{cz * cy, cz * sx * sy - cx * sz, cz * cx * sy + sz * sx, position[0]},
             {cy * sz, cz * cx + sx * sy * sz, cx * sy * sz - cz * sx, position[1]},
             {-sy, cy * sx, cy * cx, position[2]}}};
}

kaPoseSampler::Matrix kaPoseSampler::Product(const Matrix& p, const Matrix& c) {
    Matrix r{};
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 4; ++j) {
            r.m[i][j] = p.m[i][0] * c.m[0][j] + p.m[i][1] * c.m[1][j] + p.m[i][2] * c.m[2][j];
        }
        r.m[i][3] += p.m[i][3];
    }
    return r;
}

void kaPoseSampler::Apply(const Matrix& a, const float* p, float* out) {
    for (int i = 0; i < 3; ++i) out[i] = a.m[i][0] * p[0] + a.m[i][1] * p[1] + a.m[i][2] * p[2] + a.m[i][3];
}

void kaPoseSampler::ApplyInverse(const Matrix& a, const float* p, float* out) {
    const float d[3] = {p[0] - a.m[0][3], p[1] - a.m[1][3], p[2] - a.m[2][3]};
    for (int i = 0; i < 3; ++i) out[i] = a.m[0][i] * d[0] + a.m[1][i] * d[1] + a.m[2][i] * d[2];
}

std::vector<kaPoseSampler::Matrix> kaPoseSampler::Absolute(const std::vector<Matrix>& local) const {
    std::vector<Matrix> absolute(local.size());
    for (size_t b = 0; b < local.size(); ++b) {
        const int parent = mReader.getBones()[b].parent;
        absolute[b] = parent < 0 ? local[b] : Product(absolute[size_t(parent)], local[b]);
    }
    return absolute;
}

kaPoseSampler::Box kaPoseSampler::RestBox() const {
    Box box;
    for (uint16_t m = 0; m < mReader.getMeshCount(); ++m) {
        for (const kaTDMVertex& v : mReader.getMeshes()[m].vertices) box.Add(v.position);
    }
    return box;
}

kaPoseSampler::Box kaPoseSampler::PoseBox(const kaAnimClip& clip, int key) const {
    std::vector<Matrix> local;
    for (int16_t b = 0; b < mReader.getBoneCount(); ++b) {
        const kaTDMBone& bone = mReader.getBones()[b];
        const kaAnimTrack& track = clip.tracks[size_t(b)];
        if (track.keyCount == 0) {
            local.push_back(FromAngles(bone.rotation, bone.position));
        } else {
            const kaAnimKey& k = track.keys[size_t(std::min(key, track.keyCount - 1))];
            local.push_back(FromAngles(k.rotation, k.position));
        }
    }
    const std::vector<Matrix> pose = Absolute(local);
    Box box;
    for (uint16_t m = 0; m < mReader.getMeshCount(); ++m) {
        for (const kaTDMVertex& v : mReader.getMeshes()[m].vertices) {
            float out[3] = {0, 0, 0}, inBone[3], moved[3];
            if (v.skinKind == 1) {
                ApplyInverse(mRest[v.bone], v.position, inBone);
                Apply(pose[v.bone], inBone, out);
            } else if (v.skinKind == 2) {
                for (const kaTDMInfluence& influence : v.influences) {
                    ApplyInverse(mRest[influence.bone], v.position, inBone);
                    Apply(pose[influence.bone], inBone, moved);
                    for (int a = 0; a < 3; ++a) out[a] += influence.weight * moved[a];
                }
            } else {
                std::copy(v.position, v.position + 3, out);
            }
            box.Add(out);
        }
    }
    return box;
}
