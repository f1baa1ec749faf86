#pragma once

#include <cstdint>

// The bytes of one whole texture level in the caller's packed layout, and
// their copy to or from a locked platform level whose rows and slices may be
// padded.  A8R8G8B8 and X8R8G8B8 texels travel as red, green, blue, alpha (or
// unused) on the caller's side and blue, green, red, alpha on the platform's;
// the 16-bit formats (R5G6B5, A1R5G5B5, A4R4G4B4, A8L8) travel as
// little-endian words, A8 and L8 as bytes, DXT1 to DXT5 as their blocks, all
// copied unchanged.  A format of no known size has a packed size of 0: its
// texels cannot be moved, and the devices refuse the transfer.
class kaTexelLevel {
public:
    // width, height, depth of the level; depth 0 or 1 for a 2D or cube level.
    kaTexelLevel(uint32_t format, uint32_t width, uint32_t height, uint32_t depth);

    // Number of levels of a full mipmap chain whose largest extent is `largest`.
    static uint32_t FullChain(uint32_t largest);

    // Bytes the caller's packed level holds.
    uint32_t getPackedSize() const { return mRowBytes * mRows * mSlices; }

    struct Pitches {
        int row;
        int slice;
    };

    // Caller's packed texels into the locked level.
    void Upload(const void* texels, void* locked, Pitches lockedPitches) const;
    // Locked level into the caller's packed texels.
    void Download(const void* locked, Pitches lockedPitches, void* texels) const;

private:
    void Copy(const unsigned char* from, Pitches fromPitches, unsigned char* to,
              Pitches toPitches) const;
    Pitches PackedPitches() const;

    uint32_t mRowBytes;  // bytes of one row of texels (of 4 x 4 blocks when compressed)
    uint32_t mRows;      // rows of texels (of blocks) in one slice
    uint32_t mSlices;
    bool mSwapRedBlue;
};
