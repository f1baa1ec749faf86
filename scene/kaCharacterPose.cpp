// The skeleton and skinning steps of kaCharacter.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "kaAnimClip.h"
#include "kaCharacter.h"

namespace {

// local = rotation with the translation column; absolute = parent x local.
void Chain(std::vector<kaBone>& bones, size_t b, const float translation[3]) {
    kaBone& bone = bones[b];
    for (int r = 0; r < 3; ++r) bone.local.m[r][3] = translation[r];
    bone.absolute = bone.parent < 0
                        ? bone.local
                        : kaAnimMath::Multiply(bones[bone.parent].absolute, bone.local);
}

// The vectors of one mesh vertex in the space of a bone.
void IntoBone(const kaBoneMatrix& a, const float* p, const float* n, const float* t,
              float* position, float* normal, float* tangent) {
    const float offset[3] = {p[0] - a.m[0][3], p[1] - a.m[1][3], p[2] - a.m[2][3]};
    kaAnimMath::RotateBack(a, offset, position);
    kaAnimMath::RotateBack(a, n, normal);
    if (t != nullptr) kaAnimMath::RotateBack(a, t, tangent);
}

// Clip time: the clock modulo the duration, counted forwards.
float ClipTime(float clock, float durationMs) {
    if (!(durationMs > 0)) return 0;
    const float turns = clock / durationMs;
    float t = (turns - std::trunc(turns)) * durationMs;
    if (clock < 0) t += durationMs;
    return t;
}

void Accumulate(float* sum, float weight, const float* v) {
    for (int i = 0; i < 3; ++i) sum[i] += weight * v[i];
}

}  // namespace

void kaCharacter::ComputeBindPose() {
    for (size_t b = 0; b < bones.size(); ++b) {
        kaAnimMath::EulerToMatrix(bones[b].restAngles, bones[b].local);
        Chain(bones, b, bones[b].restPosition);
    }
}

void kaCharacter::PoseBones(const kaBonePose* poses) {
    for (size_t b = 0; b < bones.size(); ++b) {
        kaAnimMath::QuatToMatrix(poses[b].rotation, bones[b].local);
        Chain(bones, b, poses[b].position);
    }
}

void kaCharacter::ToBoneSpace() {
    for (size_t i = 0; i < skins.size(); ++i) {
        const kaMesh& mesh = meshes[i];
        for (size_t j = 0; j < skins[i].vertices.size(); ++j) {
            kaSkinVertex& v = skins[i].vertices[j];
            const float* p = &mesh.positions[3 * j];
            const float* n = &mesh.normals[3 * j];
            const float* t = mesh.frames.empty() ? nullptr : mesh.frames[j].tangent;
            if (v.kind == 1) {
                IntoBone(bones[v.bone].absolute, p, n, t, v.position, v.normal, v.tangent);
            } else if (v.kind == 2) {
                for (kaSkinInfluence& in : v.influences)
                    IntoBone(bones[in.bone].absolute, p, n, t, in.position, in.normal, in.tangent);
            }
        }
    }
}

void kaCharacter::SampleClip(kaAnimClip& clip, float clock) const {
    const float time = ClipTime(clock, clip.durationMs);
    const int count = std::min<int>(boneCount, static_cast<int>(clip.tracks.size()));
    for (int b = 0; b < count; ++b) SampleTrack(clip, b, time);
}

void kaCharacter::SampleTrack(kaAnimClip& clip, int b, float t) const {
    kaAnimTrack& track = clip.tracks[b];
    const std::vector<kaAnimKey>& keys = track.keys;
    if (keys.empty()) {
        std::memcpy(track.position, bones[b].restPosition, sizeof track.position);
        kaAnimMath::EulerToQuat(bones[b].restAngles, track.rotation);
        return;
    }
    if (keys.size() == 1) {
        std::memcpy(track.position, keys[0].position, sizeof track.position);
        kaAnimMath::EulerToQuat(keys[0].rotation, track.rotation);
        return;
    }
    // The first key not earlier than t, never past the last key.
    const auto found = std::lower_bound(keys.begin() + 1, keys.end() - 1, t,
                                        [](const kaAnimKey& k, float v) { return k.time < v; });
    const size_t i = keys[0].time < t ? size_t(found - keys.begin()) : 0;
    const kaAnimKey& k0 = keys[i == 0 ? 0 : i - 1];
    const kaAnimKey& k1 = keys[i == 0 ? 1 : i];
    const float span = k1.time - k0.time;
    const float f = span != 0 ? (t - k0.time) / span : 0.0f;
    float q0[4], q1[4];
    kaAnimMath::EulerToQuat(k0.rotation, q0);
    kaAnimMath::EulerToQuat(k1.rotation, q1);
    kaAnimMath::Slerp(q0, q1, f, track.rotation);
    for (int a = 0; a < 3; ++a)
        track.position[a] = k0.position[a] + (k1.position[a] - k0.position[a]) * f;
}

void kaCharacter::Skin(int refresh) {
    for (size_t i = 0; i < skins.size(); ++i) {
        kaMesh& mesh = meshes[i];
        const std::vector<kaSkinVertex>& vertices = skins[i].vertices;
        const bool frames = refresh != 0 && !mesh.frames.empty();
        for (size_t j = 0; j < vertices.size(); ++j) {
            kaTangentFrame* frame = frames ? &mesh.frames[j] : nullptr;
            SkinVertex(vertices[j], bones, &mesh.positions[3 * j], frame);
        }
        if (!vertices.empty()) mesh.refresh = 1;
    }
}

void kaCharacter::SkinVertex(const kaSkinVertex& v, const std::vector<kaBone>& bones,
                             float* position, kaTangentFrame* frame) {
    if (v.kind == 1) {
        const kaBoneMatrix& a = bones[v.bone].absolute;
        kaAnimMath::Transform(a, v.position, position);
        if (frame == nullptr) return;
        kaAnimMath::Rotate(a, v.normal, frame->normal);
        kaAnimMath::Rotate(a, v.tangent, frame->tangent);
    } else if (v.kind == 2) {
        float p[3] = {0, 0, 0}, n[3] = {0, 0, 0}, t[3] = {0, 0, 0}, out[3];
        for (const kaSkinInfluence& in : v.influences) {
            const kaBoneMatrix& a = bones[in.bone].absolute;
            kaAnimMath::Transform(a, in.position, out);
            Accumulate(p, in.weight, out);
            if (frame == nullptr) continue;
            kaAnimMath::Rotate(a, in.normal, out);
            Accumulate(n, in.weight, out);
            kaAnimMath::Rotate(a, in.tangent, out);
            Accumulate(t, in.weight, out);
        }
        std::memcpy(position, p, sizeof p);
        if (frame == nullptr) return;
        std::memcpy(frame->normal, n, sizeof n);
        std::memcpy(frame->tangent, t, sizeof t);
    }
}
