#include "kaTexelLevel.h"

#include <cstring>

#include "kaDeviceNumbers.h"

namespace {

struct FormatSize {
    uint32_t texelBytes;  // bytes per texel, or per 4 x 4 block when blocks is true
    bool blocks;
};

FormatSize SizeOf(uint32_t format) {
    switch (format) {
    case KA_FMT_A8R8G8B8:
    case KA_FMT_X8R8G8B8: return {4, false};
    case KA_FMT_R5G6B5:
    case KA_FMT_A1R5G5B5:
    case KA_FMT_A4R4G4B4:
    case KA_FMT_A8L8: return {2, false};
    case KA_FMT_L8:
    case KA_FMT_A8: return {1, false};
    case KA_FMT_DXT1: return {8, true};
    case KA_FMT_DXT2:
    case KA_FMT_DXT3:
    case KA_FMT_DXT4:
    case KA_FMT_DXT5: return {16, true};
    default: return {0, false};
    }
}

// Exchanges the lowest and the third byte of each 32-bit texel of a row.
void CopySwappingRedBlue(const unsigned char* from, unsigned char* to, uint32_t bytes) {
    for (uint32_t i = 0; i < bytes; i += 4) {
        to[i] = from[i + 2];
        to[i + 1] = from[i + 1];
        to[i + 2] = from[i];
        to[i + 3] = from[i + 3];
    }
}

}  // namespace

kaTexelLevel::kaTexelLevel(uint32_t format, uint32_t width, uint32_t height,
                                 uint32_t depth)
    : mRowBytes(0), mRows(0), mSlices(depth > 1 ? depth : 1),
      mSwapRedBlue(format == KA_FMT_A8R8G8B8 || format == KA_FMT_X8R8G8B8) {
    const FormatSize size = SizeOf(format);
    if (size.blocks) {
        mRowBytes = (width + 3) / 4 * size.texelBytes;
        mRows = (height + 3) / 4;
    } else {
        mRowBytes = width * size.texelBytes;
        mRows = height;
    }
}

uint32_t kaTexelLevel::FullChain(uint32_t largest) {
    uint32_t levels = 1;
    while (largest > 1) {
        largest >>= 1;
        ++levels;
    }
    return levels;
}

kaTexelLevel::Pitches kaTexelLevel::PackedPitches() const {
    return {static_cast<int>(mRowBytes), static_cast<int>(mRowBytes * mRows)};
}

void kaTexelLevel::Upload(const void* texels, void* locked, Pitches lockedPitches) const {
    Copy(static_cast<const unsigned char*>(texels), PackedPitches(),
         static_cast<unsigned char*>(locked), lockedPitches);
}

void kaTexelLevel::Download(const void* locked, Pitches lockedPitches, void* texels) const {
    Copy(static_cast<const unsigned char*>(locked), lockedPitches,
         static_cast<unsigned char*>(texels), PackedPitches());
}

void kaTexelLevel::Copy(const unsigned char* from, Pitches fromPitches, unsigned char* to,
                           Pitches toPitches) const {
    for (uint32_t slice = 0; slice < mSlices; ++slice) {
        for (uint32_t row = 0; row < mRows; ++row) {
            const unsigned char* source = from + slice * fromPitches.slice + row * fromPitches.row;
            unsigned char* target = to + slice * toPitches.slice + row * toPitches.row;
            if (mSwapRedBlue) {
                CopySwappingRedBlue(source, target, mRowBytes);
            } else {
                std::memcpy(target, source, mRowBytes);
            }
        }
    }
}
