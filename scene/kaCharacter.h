#pragma once

#include <cstdint>
#include <vector>

#include "kaMeshModel.h"
#include "kaSkin.h"

class kaAnimClip;

// The animated figure: a mesh model with a skeleton and a skin per mesh.
// The meshes are skinned on the processor: positions (and, on request,
// tangent-frame normals and tangents) are rewritten from the posed bones and
// the meshes are marked for refresh.
class kaCharacter : public kaMeshModel {
public:
    kaCharacter();

    // Local and absolute matrices of every bone from the rest pose.
    void ComputeBindPose();
    // Fills the bone-space vectors of every skin vertex from the mesh arrays;
    // only valid in the bind pose, before any skinning.
    void ToBoneSpace();
    // Writes every track's position and rotation for the clip time that the
    // clock value gives (the value taken modulo the clip's duration).
    void SampleClip(kaAnimClip& clip, float clock) const;
    // Local and absolute matrices from one pose per bone.
    void PoseBones(const kaBonePose* poses);
    // Writes the skinned positions, and with refresh the frames' normals and
    // tangents, into the meshes and sets their refresh flags.
    void Skin(int refresh);

    int32_t boneCount;
    std::vector<kaBone> bones;
    int32_t skinCount;
    std::vector<kaSkin> skins;  // skin i belongs to mesh i, vertex for vertex

private:
    void SampleTrack(kaAnimClip& clip, int bone, float time) const;
    static void SkinVertex(const kaSkinVertex& skin, const std::vector<kaBone>& bones,
                           float* position, kaTangentFrame* frame);
};
