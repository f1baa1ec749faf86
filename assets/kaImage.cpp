#include "kaImage.h"

#include <cstdlib>
#include <cstring>

#include "kaFileStream.h"
#include "kaResult.h"

kaImage::kaImage() : mCube(0), mFormat(0), mLevelCount(0), mLevels(nullptr) {}

kaImage::~kaImage() { Release(); }

int kaImage::Load(const char* path) {
    kaFileStream stream;
    if (stream.Open(path, "rb") != KA_OK) return KA_ERR_OPENFAIL;
    const int result = LoadFromStream(&stream);
    stream.Close();
    return result;
}

int kaImage::LoadFromStream(kaFileStream* stream) {
    if (stream == nullptr) return KA_ERR_INVALIDARG;
    Release();

    // The first ten bytes decide the format; the decoder starts at the same byte.
    unsigned char head[10] = {};
    const unsigned got = stream->Read(head, sizeof head);
    stream->Seek(-static_cast<int>(got), SEEK_CUR);

    int result = KA_ERR_UNRECOGNISED;
    if (head[0] == 'B' && head[1] == 'M') {
        result = LoadBMP(stream);
    } else if (head[0] == 0 && head[1] == 0 && (head[2] == 2 || head[2] == 3)) {
        result = LoadTGA(stream);
    } else if (head[0] == 0x89 && head[1] == 'P' && head[2] == 'N' && head[3] == 'G') {
        result = LoadPNG(stream);
    } else if (std::memcmp(head + 6, "JFIF", 4) == 0) {
        result = LoadJPEG(stream);
    } else if (std::memcmp(head, "DDS ", 4) == 0) {
        result = LoadDDS(stream);
    }
    if (result != KA_OK) Release();
    return result;
}

void kaImage::FreeLevels(kaImageLevel* levels, uint32_t count) {
    if (levels == nullptr) return;
    for (uint32_t i = 0; i < count; ++i) std::free(levels[i].data);
    std::free(levels);
}

int kaImage::Release() {
    FreeLevels(mLevels, mLevelCount * FaceCount());
    mCube = 0;
    mFormat = 0;
    mLevelCount = 0;
    mLevels = nullptr;
    return KA_OK;
}

int kaImage::getLevelDesc(uint32_t level, uint32_t* format, uint32_t* width,
                          uint32_t* height) const {
    if (level >= mLevelCount) return KA_ERR_INVALIDARG;
    const kaImageLevel& entry = mLevels[LevelIndex(level)];
    if (format != nullptr) *format = mFormat;
    if (width != nullptr) *width = entry.width;
    if (height != nullptr) *height = entry.height;
    return KA_OK;
}

uint32_t kaImage::FormatBits(uint32_t format) {
    switch (format) {
        case KA_IMG_L8: return 8;
        case KA_IMG_R5G6B5: return 16;
        case KA_IMG_R8G8B8: return 24;
        case KA_IMG_R8G8B8A8:
        case KA_IMG_NORMALMAP: return 32;
        default: return 0;
    }
}

int kaImage::BitsFormat(uint32_t bits) {
    switch (bits) {
        case 8: return KA_IMG_L8;
        case 16: return KA_IMG_R5G6B5;
        case 24: return KA_IMG_R8G8B8;
        case 32: return KA_IMG_R8G8B8A8;
        default: return -1;
    }
}

int kaImage::LevelSize(uint32_t format, uint32_t width, uint32_t height, uint32_t* size) {
    if (width == 0 || height == 0) return KA_ERR_UNRECOGNISED;
    if (uint64_t(width) * height * 4 > kMaxPixelBytes) return KA_ERR_OUTOFMEMORY;
    const uint64_t blocks = uint64_t((width + 3) / 4) * ((height + 3) / 4);
    switch (format) {
        case KA_IMG_DXT1: *size = static_cast<uint32_t>(blocks * 8); return KA_OK;
        case KA_IMG_DXT3:
        case KA_IMG_DXT5: *size = static_cast<uint32_t>(blocks * 16); return KA_OK;
        default: break;
    }
    const uint32_t bits = FormatBits(format);
    if (bits == 0) return KA_ERR_UNRECOGNISED;
    *size = static_cast<uint32_t>(uint64_t(width) * bits * height / 8);
    return KA_OK;
}

int kaImage::SetSingleLevel(uint32_t format, uint32_t width, uint32_t height,
                            unsigned char* data) {
    kaImageLevel* table = static_cast<kaImageLevel*>(std::calloc(1, sizeof(kaImageLevel)));
    if (table == nullptr) {
        std::free(data);
        return KA_ERR_OUTOFMEMORY;
    }
    Release();
    table->width = width;
    table->height = height;
    LevelSize(format, width, height, &table->size);
    table->data = data;
    mCube = 0;
    mFormat = format;
    mLevelCount = 1;
    mLevels = table;
    return KA_OK;
}

int kaImage::SetNormalMap() {
    if (mFormat != KA_IMG_R8G8B8A8 && mFormat != KA_IMG_NORMALMAP) return KA_ERR_UNSUPPORTED;
    mFormat = KA_IMG_NORMALMAP;
    return KA_OK;
}

namespace {

// Widens one pixel of a smaller format to R, G, B, A.
void ExpandPixel(uint32_t format, const unsigned char* in, unsigned char* out) {
    if (format == KA_IMG_L8) {
        out[0] = out[1] = out[2] = in[0];
    } else if (format == KA_IMG_R5G6B5) {
        const unsigned v = in[0] | (in[1] << 8);
        out[0] = static_cast<unsigned char>((v >> 8) & 0xF8);
        out[1] = static_cast<unsigned char>((v & 0x07E0) >> 3);
        out[2] = static_cast<unsigned char>((v & 0x1F) << 3);
    } else {
        out[0] = in[0];
        out[1] = in[1];
        out[2] = in[2];
    }
    out[3] = 255;
}

}  // namespace

int kaImage::ConvertTo32Bits() {
    if (mFormat & 0x80) return KA_ERR_UNRECOGNISED;
    if (mFormat == KA_IMG_R8G8B8A8 || mFormat == KA_IMG_NORMALMAP) return KA_OK;
    if (mFormat != KA_IMG_L8 && mFormat != KA_IMG_R5G6B5 && mFormat != KA_IMG_R8G8B8)
        return KA_ERR_UNSUPPORTED;

    // Every new buffer is made before any old one goes, so a failure leaves
    // the picture as it was.
    const uint32_t entries = mLevelCount * FaceCount();
    const uint32_t inBytes = FormatBits(mFormat) / 8;
    unsigned char** converted =
        static_cast<unsigned char**>(std::calloc(entries ? entries : 1, sizeof(unsigned char*)));
    if (converted == nullptr) return KA_ERR_OUTOFMEMORY;
    for (uint32_t e = 0; e < entries; ++e) {
        const kaImageLevel& level = mLevels[e];
        const size_t pixels = size_t(level.width) * level.height;
        if (pixels == 0) continue;  // an empty entry past the end of a chain
        converted[e] = static_cast<unsigned char*>(std::malloc(pixels * 4));
        if (converted[e] == nullptr) {
            for (uint32_t k = 0; k < e; ++k) std::free(converted[k]);
            std::free(converted);
            return KA_ERR_OUTOFMEMORY;
        }
        for (size_t p = 0; p < pixels; ++p)
            ExpandPixel(mFormat, level.data + p * inBytes, converted[e] + p * 4);
    }
    for (uint32_t e = 0; e < entries; ++e) {
        std::free(mLevels[e].data);
        mLevels[e].data = converted[e];
        mLevels[e].size = mLevels[e].width * mLevels[e].height * 4;
    }
    std::free(converted);
    mFormat = KA_IMG_R8G8B8A8;
    return KA_OK;
}

bool kaImage::StreamHolds(kaFileStream* stream, uint64_t end) {
    return end <= stream->getSize();
}

int kaImage::ReadRows(kaFileStream* stream, uint64_t start, uint32_t stride, uint32_t rowBytes,
                      uint32_t height, bool bottomUp, unsigned char* out) {
    for (uint32_t i = 0; i < height; ++i) {
        const uint64_t row = bottomUp ? height - 1 - i : i;
        const uint64_t position = start + row * stride;
        if (stream->Seek(static_cast<int>(position), SEEK_SET) < 0 ||
            stream->Read(out + uint64_t(i) * rowBytes, rowBytes) != rowBytes)
            return KA_ERR_READFAIL;
    }
    return KA_OK;
}

void kaImage::SwapRedBlue(unsigned char* data, uint64_t pixels, uint32_t pixelBytes) {
    for (uint64_t p = 0; p < pixels; ++p) {
        unsigned char* px = data + p * pixelBytes;
        const unsigned char red = px[2];
        px[2] = px[0];
        px[0] = red;
    }
}
