#include "kaPosedCharacter.h"

#include <algorithm>
#include <vector>

#include "kaAnimClip.h"
#include "kaDeviceGlobal.h"

void kaPosedCharacter::Box::Add(const float* p) {
    for (int a = 0; a < 3; ++a) {
        minimum[a] = std::min(minimum[a], p[a]);
        maximum[a] = std::max(maximum[a], p[a]);
    }
}

kaPosedCharacter::kaPosedCharacter() { gDevice = &device; }

kaPosedCharacter::~kaPosedCharacter() {
    character.Release();
    gDevice = nullptr;
}

bool kaPosedCharacter::Load() { return character.LoadModel("Garrulon.tdm") == 1; }

kaPosedCharacter::Box kaPosedCharacter::PoseBox(kaAnimClip& clip, float clockMs) {
    character.SampleClip(clip, clockMs);
    std::vector<kaBonePose> poses(size_t(character.boneCount));
    for (size_t b = 0; b < poses.size(); ++b) {
        std::copy(clip.tracks[b].position, clip.tracks[b].position + 3, poses[b].position);
        std::copy(clip.tracks[b].rotation, clip.tracks[b].rotation + 4, poses[b].rotation);
    }
    character.PoseBones(poses.data());
    character.Skin(0);
    Box box;
    for (const kaMesh& mesh : character.meshes) {
        for (uint32_t v = 0; v < mesh.vertexCount; ++v) box.Add(&mesh.positions[3 * size_t(v)]);
    }
    return box;
}
