#include "kaCharacter.h"

#include <cstring>
#include <string>

#include "kaAnimClip.h"
#include "kaClipClock.h"
#include "kaTDMReader.h"

namespace {

const char kModelDirectory[] = "../xMedia/xModels/";

kaBone MakeBone(const kaTDMBone& record) {
    kaBone bone = {};
    std::memcpy(bone.name, record.name, sizeof bone.name);
    bone.parent = record.parent;
    std::memcpy(bone.restPosition, record.position, sizeof bone.restPosition);
    std::memcpy(bone.restAngles, record.rotation, sizeof bone.restAngles);
    return bone;
}

kaSkinVertex MakeSkinVertex(const kaTDMVertex& record) {
    kaSkinVertex vertex = {};
    vertex.kind = record.skinKind;
    vertex.bone = -1;
    if (record.skinKind == 1) vertex.bone = static_cast<int16_t>(record.bone);
    if (record.skinKind != 2) return vertex;
    vertex.influenceCount = record.influenceCount;
    vertex.influences.resize(record.influences.size());
    for (size_t k = 0; k < record.influences.size(); ++k) {
        vertex.influences[k].bone = static_cast<int16_t>(record.influences[k].bone);
        vertex.influences[k].weight = record.influences[k].weight;
    }
    return vertex;
}

// Whether every bone the vertex follows is one of the skeleton's.
bool FollowsKnownBones(const kaTDMVertex& record, int32_t boneCount) {
    if (record.skinKind == 1) return record.bone < boneCount;
    if (record.skinKind != 2) return true;
    for (const kaTDMInfluence& influence : record.influences) {
        if (influence.bone >= boneCount) return false;
    }
    return true;
}

}  // namespace

kaCharacter::kaCharacter()
    : boneCount(0), skinCount(0), current(nullptr), next(nullptr), blendMs(0), blendStart(0),
      blending(false), position() {}

int kaCharacter::LoadModel(const char* name) {
    // The skin is built from a second reading of the file; without the mesh
    // model of the same file there would be nothing (or the wrong meshes) to
    // skin.
    if (name == nullptr || Load(name) != 0) return 0;
    ClearSkeleton();
    kaTDMReader reader;
    if (!reader.Open((std::string(kModelDirectory) + name).c_str())) return 0;
    if (reader.getBoneCount() <= 0 || !BuildSkeleton(reader)) return 0;
    ComputeBindPose();
    ToBoneSpace();
    Skin(1);
    std::memcpy(position, bones[0].restPosition, sizeof position);
    return 1;
}

bool kaCharacter::BuildSkeleton(const kaTDMReader& reader) {
    // The skins are written into the meshes vertex for vertex.
    if (reader.getMeshCount() != meshCount) return false;
    for (uint16_t i = 0; i < meshCount; ++i) {
        const kaTDMMesh& mesh = reader.getMeshes()[i];
        if (mesh.vertexCount != meshes[i].vertexCount) return false;
        for (const kaTDMVertex& vertex : mesh.vertices) {
            if (!FollowsKnownBones(vertex, reader.getBoneCount())) return false;
        }
    }
    boneCount = reader.getBoneCount();
    bones.clear();
    for (int32_t b = 0; b < boneCount; ++b) bones.push_back(MakeBone(reader.getBones()[b]));
    mPoses.assign(size_t(boneCount), kaBonePose());
    skinCount = meshCount;
    skins.assign(size_t(skinCount), kaSkin());
    for (int32_t i = 0; i < skinCount; ++i) {
        const kaTDMMesh& mesh = reader.getMeshes()[i];
        skins[i].vertexCount = static_cast<int32_t>(mesh.vertexCount);
        for (const kaTDMVertex& vertex : mesh.vertices)
            skins[i].vertices.push_back(MakeSkinVertex(vertex));
    }
    return true;
}

void kaCharacter::ClearSkeleton() {
    boneCount = skinCount = 0;
    bones.clear();
    skins.clear();
    mPoses.clear();
    // Clips chosen for an earlier skeleton need not fit the next one.
    current = next = nullptr;
    blending = false;
}

int kaCharacter::PlayClip(kaAnimClip* clip, float blend) {
    if (clip == nullptr || clip == current || boneCount <= 0 || clip->trackCount != boneCount)
        return 0;
    if (!(blend > 0)) blend = 0;
    if (current != nullptr && blend != 0) {
        next = clip;
        blendMs = blend;
        blendStart = gClipClock.Now();
        blending = true;
    } else {
        current = clip;
        blendMs = 0;
        blending = false;
    }
    return 1;
}

void kaCharacter::Update(int refresh) {
    if (Pose()) Skin(refresh);
}

bool kaCharacter::Pose() {
    if (current == nullptr) return false;
    if (blending) {
        if (next == nullptr) return false;
        if (gClipClock.Now() - blendStart >= blendMs) {
            current = next;
            next = nullptr;
            blending = false;
        } else {
            SampleClip(*next, gClipClock.Now());
        }
    } else {
        SampleClip(*current, gClipClock.Now());
    }
    BlendPoses(blending ? (gClipClock.Now() - blendStart) / blendMs : 0.0f);
    PoseBones(mPoses.data());
    std::memcpy(position, bones[0].restPosition, sizeof position);
    return true;
}

void kaCharacter::BlendPoses(float w) {
    for (int32_t b = 0; b < boneCount; ++b) {
        const kaAnimTrack& from = current->tracks[b];
        kaBonePose& pose = mPoses[b];
        if (!blending) {
            std::memcpy(pose.position, from.position, sizeof pose.position);
            std::memcpy(pose.rotation, from.rotation, sizeof pose.rotation);
            continue;
        }
        kaAnimTrack& to = next->tracks[b];
        kaAnimMath::Slerp(from.rotation, to.rotation, w, pose.rotation);
        for (int a = 0; a < 3; ++a)
            pose.position[a] = from.position[a] + (to.position[a] - from.position[a]) * w;
    }
}
