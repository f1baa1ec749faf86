// DDS decoder of kaImage: DXT1/3/5 and uncompressed pictures, mip chains and
// cube maps.
#include <cstdlib>
#include <cstring>

#include "kaFileStream.h"
#include "kaImage.h"
#include "kaLittleEndian.h"
#include "kaResult.h"

namespace {

constexpr uint32_t kHeaderSize = 124;
constexpr uint32_t kCapsTexture = 0x1000;
constexpr uint32_t kCapsMipMap = 0x400000;
constexpr uint32_t kCaps2CubeMap = 0x200;
constexpr uint32_t kPixelAlpha = 0x1;
constexpr uint32_t kPixelFourCC = 0x4;
constexpr uint32_t kPixelRgb = 0x40;
// No 32-bit picture has a longer chain; larger counts are not a DDS header.
constexpr uint32_t kMaxLevels = 32;

int FourCCFormat(const unsigned char* code) {
    if (std::memcmp(code, "DXT1", 4) == 0) return KA_IMG_DXT1;
    if (std::memcmp(code, "DXT3", 4) == 0) return KA_IMG_DXT3;
    if (std::memcmp(code, "DXT5", 4) == 0) return KA_IMG_DXT5;
    return -1;
}

// Uncompressed colour pixels are stored blue first unless the red mask names
// the lowest byte; they become R, G, B(, A).  Without alpha bits the fourth
// byte of a 32-bit pixel is filler and becomes opaque.
void ReorderUncompressed(const kaImageLevel& entry, uint32_t format,
                         const unsigned char* pixelFormat) {
    if (format != KA_IMG_R8G8B8 && format != KA_IMG_R8G8B8A8) return;
    const uint32_t pixelBytes = format == KA_IMG_R8G8B8 ? 3 : 4;
    const uint64_t pixels = uint64_t(entry.width) * entry.height;
    if (GetLe32(pixelFormat + 16) != 0xFF) kaImage::SwapRedBlue(entry.data, pixels, pixelBytes);
    if (pixelBytes == 4 && (GetLe32(pixelFormat + 4) & kPixelAlpha) == 0) {
        for (uint64_t p = 0; p < pixels; ++p) entry.data[p * 4 + 3] = 255;
    }
}

}  // namespace

int kaImage::LoadDDS(kaFileStream* stream) {
    unsigned char magic[4];
    unsigned char header[kHeaderSize];
    if (stream->Read(magic, sizeof magic) != sizeof magic) return KA_ERR_READFAIL;
    if (std::memcmp(magic, "DDS ", 4) != 0) return KA_ERR_UNRECOGNISED;
    if (stream->Read(header, sizeof header) != sizeof header) return KA_ERR_READFAIL;
    if (GetLe32(header) != kHeaderSize) return KA_ERR_UNRECOGNISED;
    const uint32_t caps = GetLe32(header + 104);
    if ((caps & kCapsTexture) == 0) return KA_ERR_UNRECOGNISED;

    const uint32_t pixelFlags = GetLe32(header + 76);
    int format = -1;
    if (pixelFlags & kPixelFourCC) {
        format = FourCCFormat(header + 80);
        if (format < 0) return KA_ERR_UNRECOGNISED;
    } else if (pixelFlags & kPixelRgb) {
        format = BitsFormat(GetLe32(header + 84));
        if (format < 0) return KA_ERR_UNSUPPORTED;
    } else {
        return KA_ERR_UNSUPPORTED;
    }

    // A mip-map count of 0 stands for the single level.
    uint32_t levels = (caps & kCapsMipMap) ? GetLe32(header + 24) : 1;
    if (levels == 0) levels = 1;
    if (levels > kMaxLevels) return KA_ERR_UNRECOGNISED;
    const uint32_t width = GetLe32(header + 12), height = GetLe32(header + 8);
    const bool cube = (GetLe32(header + 108) & kCaps2CubeMap) != 0;
    const uint32_t faces = cube ? 6 : 1;

    // Sizes of the chain; entries past the 1 x 1 level stay empty.
    kaImageLevel chain[kMaxLevels] = {};
    uint64_t total = 0;
    for (uint32_t l = 0, w = width, h = height; l < levels; ++l) {
        const int checked = LevelSize(format, w, h, &chain[l].size);
        if (checked != KA_OK) return checked;
        chain[l].width = w;
        chain[l].height = h;
        total += chain[l].size;
        if (w == 1 && h == 1) break;
        w = w > 1 ? w / 2 : 1;
        h = h > 1 ? h / 2 : 1;
    }
    if (!StreamHolds(stream, uint64_t(stream->Tell()) + total * faces)) return KA_ERR_READFAIL;

    Release();
    mLevels = static_cast<kaImageLevel*>(std::calloc(levels * faces, sizeof(kaImageLevel)));
    if (mLevels == nullptr) return KA_ERR_OUTOFMEMORY;
    mCube = cube ? 1 : 0;
    mFormat = format;
    mLevelCount = levels;

    // File order: every level of face 0, then of face 1, and so on.
    for (uint32_t f = 0; f < faces; ++f) {
        for (uint32_t l = 0; l < levels; ++l) {
            kaImageLevel& entry = mLevels[l * faces + f];
            entry = chain[l];
            if (entry.size == 0) continue;
            entry.data = static_cast<unsigned char*>(std::malloc(entry.size));
            if (entry.data == nullptr) return Fail(KA_ERR_OUTOFMEMORY);
            if (stream->Read(entry.data, entry.size) != entry.size) return Fail(KA_ERR_READFAIL);
            ReorderUncompressed(entry, format, header + 72);
        }
    }
    return KA_OK;
}
