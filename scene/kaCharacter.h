#pragma once

#include <cstdint>
#include <vector>

#include "kaMeshModel.h"
#include "kaSkin.h"

class kaAnimClip;
class kaTDMReader;

// The animated figure: a mesh model with a skeleton and a skin per mesh that
// plays clips on gClipClock and cross-fades between them.  The meshes are
// skinned on the processor: positions (and, on request, tangent-frame
// normals and tangents) are rewritten from the posed bones and the meshes are
// marked for refresh.
class kaCharacter : public kaMeshModel {
public:
    kaCharacter();

    // Loads "../xMedia/xModels/" + name as a mesh model with its skeleton
    // and skin, in the bind pose: 1, or 0 when the mesh model cannot be
    // loaded (after its boxes), the file has no bones or its skin follows a
    // bone it does not have.
    int LoadModel(const char* name);
    // 1 when the clip was taken; 0 for no clip, the clip already playing or
    // a clip whose track count is not the bone count.  With a clip playing
    // and a blend above 0 the new clip fades in over blendMs clock
    // milliseconds; otherwise it cuts in at once.
    int PlayClip(kaAnimClip* clip, float blendMs);
    // Samples, poses and skins for the clock's present value; refresh is
    // passed to Skin.
    void Update(int refresh);
    // Update without the skinning: the clip clock is read, the clips'
    // tracks sampled and the cross-fade decided as Update does.  False when
    // there was nothing to pose (no clip), when Update would not skin.
    bool Pose();

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
    kaAnimClip* current;  // not owned
    kaAnimClip* next;     // not owned; the clip fading in
    float blendMs;
    float blendStart;
    bool blending;
    float position[3];  // rest position of bone 0

private:
    // Builds bones and skins from a reader that matches the loaded meshes;
    // false, with nothing built, when it does not or when a vertex follows a
    // bone the file does not have.
    bool BuildSkeleton(const kaTDMReader& reader);
    // Forgets skeleton, skin and clips once the meshes have been replaced.
    void ClearSkeleton();
    // The pose of every bone: the current clip's tracks, blended towards the
    // incoming clip's by weight while fading.
    void BlendPoses(float weight);
    void SampleTrack(kaAnimClip& clip, int bone, float time) const;
    static void SkinVertex(const kaSkinVertex& skin, const std::vector<kaBone>& bones,
                           float* position, kaTangentFrame* frame);

    std::vector<kaBonePose> mPoses;  // one per bone, reused every frame
};
