// TDA clips: the reader from memory, the clip built from what it read, and
// the clip sampled as the character samples it, at times inside, at the ends
// of and far outside its duration.
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "kaAnimClip.h"
#include "kaCharacter.h"
#include "kaFuzzExpect.h"
#include "kaTDAReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    kaTDAReader reader;
    if (!reader.OpenMemory(data, size)) {
        FuzzExpect(reader.getError() < 0 && reader.getTrackCount() == 0,
                   "a refused clip says why and keeps nothing");
        return 0;
    }
    kaAnimClip clip;
    clip.Build(reader);
    FuzzExpect(clip.trackCount > 0 && clip.tracks.size() == size_t(clip.trackCount),
               "every track is built");
    for (const kaAnimTrack& track : clip.tracks)
        FuzzExpect(track.keys.size() == size_t(track.keyCount), "every key is built");

    // A skeleton of as many bones as the clip has tracks, every bone a root.
    kaCharacter character;
    character.boneCount = clip.trackCount;
    character.bones.assign(size_t(clip.trackCount), kaBone());
    for (kaBone& bone : character.bones) bone.parent = -1;
    const float d = clip.durationMs;
    for (const float clock : {0.0f, d * 0.5f, d, d * 2.25f, -d * 0.75f, 1e30f, -1e30f, NAN})
        character.SampleClip(clip, clock);
    return 0;
}
