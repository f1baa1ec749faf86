// Windows bitmap decoder of kaImage: 8-bit (luminance or palette), 16-bit
// (5-5-5 or 5-6-5 bit fields), 24-bit and 32-bit bottom-up pictures.
#include <cstdlib>
#include <cstring>

#include "kaFileStream.h"
#include "kaImage.h"
#include "kaLittleEndian.h"
#include "kaResult.h"

namespace {

constexpr uint32_t kCompressionNone = 0;
constexpr uint32_t kCompressionBitFields = 3;

uint32_t BitCount(uint32_t mask) {
    uint32_t n = 0;
    for (; mask != 0; mask &= mask - 1) ++n;
    return n;
}

uint32_t LowestBit(uint32_t mask) {
    if (mask == 0) return 0;
    uint32_t shift = 0;
    while ((mask & 1u) == 0) {
        mask >>= 1;
        ++shift;
    }
    return shift;
}

// Widens an n-bit value to 8 bits by repeating its bits from the top down.
uint32_t Expand(uint32_t v, uint32_t n) {
    if (n == 0 || n >= 8) return v & 0xFF;
    uint32_t out = v << (8 - n);
    for (uint32_t filled = n; filled < 8; filled += n) out |= out >> n;
    return out & 0xFF;
}

struct BitFields {
    uint32_t mask[3];  // red, green, blue

    uint32_t Channel(uint32_t v, int c) const {
        return Expand((v & mask[c]) >> LowestBit(mask[c]), BitCount(mask[c]));
    }
    bool Is565() const {
        return BitCount(mask[0]) == 5 && BitCount(mask[1]) == 6 && BitCount(mask[2]) == 5;
    }
};

// Rebuilds every 16-bit pixel as 5-6-5 from the file's bit fields.
void RepackTo565(unsigned char* data, uint64_t pixels, const BitFields& fields) {
    for (uint64_t p = 0; p < pixels; ++p) {
        unsigned char* px = data + p * 2;
        const uint32_t v = GetLe16(px);
        const uint32_t red = fields.Channel(v, 0), green = fields.Channel(v, 1),
                       blue = fields.Channel(v, 2);
        PutLe16(px, (red >> 3) << 11 | (green >> 2) << 5 | (blue >> 3));
    }
}

// Replaces every palette index by the entry's colour (R, G, B, opaque).
unsigned char* ExpandPalette(const unsigned char* indices, uint64_t pixels,
                             const unsigned char* palette) {
    unsigned char* out = static_cast<unsigned char*>(std::malloc(pixels * 4));
    if (out == nullptr) return nullptr;
    for (uint64_t p = 0; p < pixels; ++p) {
        const unsigned char* entry = palette + indices[p] * 4;
        out[p * 4 + 0] = entry[2];
        out[p * 4 + 1] = entry[1];
        out[p * 4 + 2] = entry[0];
        out[p * 4 + 3] = 255;
    }
    return out;
}

}  // namespace

int kaImage::LoadBMP(kaFileStream* stream) {
    const int base = stream->Tell();
    unsigned char file[14];
    unsigned char info[40] = {};
    if (stream->Read(file, sizeof file) != sizeof file) return KA_ERR_READFAIL;
    if (file[0] != 'B' || file[1] != 'M') return KA_ERR_UNRECOGNISED;
    const unsigned infoRead = stream->Read(info, sizeof info);
    const uint32_t headerSize = GetLe32(info);
    if (infoRead >= 4 && headerSize == 12) return KA_ERR_UNSUPPORTED;
    if (infoRead != sizeof info) return KA_ERR_READFAIL;
    if (headerSize < sizeof info) return KA_ERR_UNRECOGNISED;

    const int32_t width = static_cast<int32_t>(GetLe32(info + 4));
    const uint32_t height = GetLe32(info + 8);
    const uint32_t bits = GetLe16(info + 14);
    const uint32_t compression = GetLe32(info + 16);
    const uint32_t coloursUsed = GetLe32(info + 32);
    // Top-down bitmaps (negative height) are not read.
    if (height & 0x80000000u) return KA_ERR_UNSUPPORTED;
    if (width <= 0 || height == 0) return KA_ERR_UNRECOGNISED;

    // A plain 16-bit bitmap has the 5-5-5 layout.
    BitFields fields = {{0x7C00, 0x03E0, 0x001F}};
    if (compression == kCompressionBitFields && bits == 16) {
        unsigned char masks[12];
        if (stream->Read(masks, sizeof masks) != sizeof masks) return KA_ERR_READFAIL;
        for (int c = 0; c < 3; ++c) fields.mask[c] = GetLe32(masks + 4 * c);
        if (!fields.Is565()) return KA_ERR_UNSUPPORTED;
    } else if (compression != kCompressionNone) {
        return KA_ERR_UNSUPPORTED;
    }
    if (BitsFormat(bits) < 0) return KA_ERR_UNSUPPORTED;

    // The palette follows the information header, whatever its version.  A
    // colours-used count of 0 stands for all 256 entries when the pixel data
    // starts far enough behind the header to leave room for them, as most
    // tools write it; without that room the picture is luminance.
    const uint64_t paletteAt = uint64_t(base) + 14 + headerSize;
    const uint64_t start = uint64_t(base) + GetLe32(file + 10);
    uint32_t entries = coloursUsed;
    if (entries == 0 && start >= paletteAt + 256 * 4) entries = 256;
    // An index beyond the stored entries picks a zero (black) entry.
    unsigned char palette[256 * 4] = {};
    const bool paletted = compression == kCompressionNone && bits == 8 && entries != 0;
    if (paletted) {
        if (entries > 256) return KA_ERR_UNRECOGNISED;
        if (!StreamHolds(stream, paletteAt + entries * 4) ||
            stream->Seek(static_cast<int>(paletteAt), SEEK_SET) < 0 ||
            stream->Read(palette, entries * 4) != entries * 4)
            return KA_ERR_READFAIL;
    }

    const uint32_t format = paletted ? uint32_t(KA_IMG_R8G8B8A8) : uint32_t(BitsFormat(bits));
    uint32_t size = 0;
    const int checked = LevelSize(format, width, height, &size);
    if (checked != KA_OK) return checked;
    // Rows are stored padded to a multiple of four bytes.
    const uint32_t rowBytes = width * (bits / 8);
    const uint32_t stride = (rowBytes + 3) & ~3u;
    if (!StreamHolds(stream, start + uint64_t(stride) * (height - 1) + rowBytes))
        return KA_ERR_READFAIL;

    const uint64_t pixels = uint64_t(width) * height;
    unsigned char* data = static_cast<unsigned char*>(std::malloc(uint64_t(rowBytes) * height));
    if (data == nullptr) return KA_ERR_OUTOFMEMORY;
    if (ReadRows(stream, start, stride, rowBytes, height, true, data) != KA_OK) {
        std::free(data);
        return KA_ERR_READFAIL;
    }

    if (paletted) {
        unsigned char* colours = ExpandPalette(data, pixels, palette);
        std::free(data);
        if (colours == nullptr) return KA_ERR_OUTOFMEMORY;
        data = colours;
    } else if (bits == 16) {
        RepackTo565(data, pixels, fields);
    } else if (bits >= 24) {
        SwapRedBlue(data, pixels, bits / 8);
    }
    return SetSingleLevel(format, width, height, data);
}
