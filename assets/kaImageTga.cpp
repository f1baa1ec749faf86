// TGA decoder of kaImage: uncompressed true-colour and grey-scale pictures
// without a colour map.
#include <cstdlib>

#include "kaFileStream.h"
#include "kaImage.h"
#include "kaLittleEndian.h"
#include "kaResult.h"

namespace {

constexpr unsigned char kTopDown = 0x20;

// 1-5-5-5 pixels become 5-6-5; green's new lowest bit is 0, the top bit goes.
void Repack1555To565(unsigned char* data, uint64_t pixels) {
    for (uint64_t p = 0; p < pixels; ++p) {
        const uint32_t v = GetLe16(data + p * 2);
        PutLe16(data + p * 2, ((v & 0x7C00) << 1) | ((v & 0x03E0) << 1) | (v & 0x001F));
    }
}

}  // namespace

int kaImage::LoadTGA(kaFileStream* stream) {
    const int base = stream->Tell();
    unsigned char header[18];
    if (stream->Read(header, sizeof header) != sizeof header) return KA_ERR_READFAIL;
    if ((header[2] != 2 && header[2] != 3) || header[1] != 0) return KA_ERR_UNSUPPORTED;
    const uint32_t width = GetLe16(header + 12);
    const uint32_t height = GetLe16(header + 14);
    const uint32_t bits = header[16];
    const int format = BitsFormat(bits);
    if (format < 0) return KA_ERR_UNRECOGNISED;
    uint32_t size = 0;
    const int checked = LevelSize(format, width, height, &size);
    if (checked != KA_OK) return checked;

    // Pixels follow the header and the identification field.
    const uint32_t rowBytes = width * (bits / 8);
    const uint64_t start = uint64_t(base) + sizeof header + header[0];
    if (!StreamHolds(stream, start + size)) return KA_ERR_READFAIL;
    unsigned char* data = static_cast<unsigned char*>(std::malloc(size));
    if (data == nullptr) return KA_ERR_OUTOFMEMORY;
    // Only the exact descriptor 0x20 marks a top-down file.
    const bool bottomUp = header[17] != kTopDown;
    if (ReadRows(stream, start, rowBytes, rowBytes, height, bottomUp, data) != KA_OK) {
        std::free(data);
        return KA_ERR_READFAIL;
    }
    const uint64_t pixels = uint64_t(width) * height;
    if (bits == 16) Repack1555To565(data, pixels);
    if (bits >= 24) SwapRedBlue(data, pixels, bits / 8);
    return SetSingleLevel(format, width, height, data);
}
