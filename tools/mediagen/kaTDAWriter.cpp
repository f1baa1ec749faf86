#include "kaTDAWriter.h"

#include "kaBinaryWriter.h"

std::string kaTDAWriter::Encode(const kaClipSpec& clip) {
    if (clip.frameCount <= 0 || clip.tracks.empty() || clip.tracks.size() > 0x7FFF) return {};
    kaBinaryWriter out;
    out.Bytes("TDMU_ANIM", 9);
    out.U8(1);
    out.U8(2);
    if (!out.ShortString(clip.name)) return {};
    out.F32(clip.duration);
    out.U32(0);  // header value, unused by the player
    out.U32(uint32_t(clip.frameCount));
    out.U16(unsigned(clip.tracks.size()));
    const float step = clip.duration / float(clip.frameCount);
    for (const kaTrackSpec& track : clip.tracks) {
        if (!out.ShortString(track.name)) return {};
        out.U32(uint32_t(track.keys.size()));
        for (size_t k = 0; k < track.keys.size(); ++k) {
            const kaKeySpec& key = track.keys[k];
            out.F32(step * float(k));
            for (float v : {key.position.x, key.position.y, key.position.z, key.angles.x,
                            key.angles.y, key.angles.z})
                out.F32(v);
        }
    }
    return out.data();
}
