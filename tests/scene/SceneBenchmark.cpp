// Per-frame cost of the character: Update (sample, pose, skin with refresh)
// of a figure with 40 bones and 10,000 vertices, half of them weighted with
// two or three influences.  Also counts the allocations made while updating,
// which should be none.  Run by hand: scene_benchmark
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <new>

#include "kaAnimClip.h"
#include "kaCharacter.h"
#include "kaClipClock.h"
#include "kaDeviceGlobal.h"
#include "kaMediaTree.h"
#include "kaRecordingDevice.h"
#include "kaTestModels.h"

namespace {

unsigned long sAllocations = 0;

constexpr int kBones = 40;
constexpr int kVertices = 10000;
constexpr int kFrames = 5000;

std::string Figure() {
    kaTestModels::Mesh mesh;
    for (int v = 0; v < kVertices; ++v) {
        kaTestModels::Vertex vertex;
        vertex.position[0] = float(v % 100);
        vertex.position[1] = float(v / 100);
        vertex.position[2] = float(v % 7);
        if (v % 2 == 0) {
            vertex.kind = 1;
            vertex.bone = v % kBones;
        } else {
            vertex.kind = 2;
            const int influences = 2 + v % 4 / 2;  // 2 or 3
            for (int k = 0; k < influences; ++k)
                vertex.influences.push_back({unsigned((v + 7 * k) % kBones), 1.0f / influences});
        }
        mesh.vertices.push_back(vertex);
        mesh.coords.insert(mesh.coords.end(), {float(v % 100) / 100, float(v / 100) / 100});
    }
    for (int f = 0; f < kVertices / 3; ++f)
        for (int c = 0; c < 6; ++c) mesh.faces.push_back(unsigned(3 * f + c % 3));
    std::vector<kaTestModels::Bone> bones;
    for (int b = 0; b < kBones; ++b) bones.push_back({"b", b == 0 ? -1 : (b - 1) / 2});
    return kaTestModels::Tdm({}, {mesh}, bones);
}

kaAnimClip Walk() {
    kaAnimClip clip;
    clip.durationMs = 2000;
    clip.frameCount = 40;
    clip.trackCount = kBones;
    clip.tracks.resize(kBones);
    for (int b = 0; b < kBones; ++b) {
        kaAnimTrack& track = clip.tracks[b];
        track.keyCount = 40;
        for (int k = 0; k < 40; ++k) {
            const float phase = 0.157f * k + 0.1f * b;
            track.keys.push_back(kaAnimKey{50.0f * k, {1, 0.5f * std::sin(phase), 0},
                                           {0.3f * std::sin(phase), 0.2f * std::cos(phase), 0.1f}});
        }
    }
    return clip;
}

}  // namespace

void* operator new(std::size_t size) {
    ++sAllocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

int main() {
    kaRecordingDevice device;
    gDevice = &device;
    kaMediaTree media;
    media.put("xModels/figure.tdm", Figure());
    kaCharacter character;
    if (character.LoadModel("figure.tdm") != 1) {
        std::printf("the figure did not load\n");
        return 1;
    }
    kaAnimClip walk = Walk(), run = Walk();
    character.PlayClip(&walk, 0);
    character.Update(1);

    std::vector<double> times;
    times.reserve(kFrames);
    const unsigned long before = sAllocations;
    for (int frame = 0; frame < kFrames; ++frame) {
        if (frame == kFrames / 2) character.PlayClip(&run, 300);
        const auto start = std::chrono::steady_clock::now();
        character.Update(1);
        times.push_back(std::chrono::duration<double, std::milli>(
                            std::chrono::steady_clock::now() - start).count());
    }
    const unsigned long allocations = sAllocations - before;
    std::sort(times.begin(), times.end());
    double sum = 0;
    for (double t : times) sum += t;
    std::printf("Update with refresh, %d bones, %d vertices (%d weighted), %d frames:\n", kBones,
                kVertices, kVertices / 2, kFrames);
    std::printf("  mean %.4f ms, median %.4f ms, 99th percentile %.4f ms\n", sum / kFrames,
                times[kFrames / 2], times[kFrames * 99 / 100]);
    std::printf("  allocations during the frames: %lu\n", allocations);
    gDevice = nullptr;
    return allocations == 0 ? 0 : 1;
}
