// Mip-chain generation of kaImage.  Each level is filtered from the one
// above it in single precision; there is no half-pixel offset, so halving
// picks the top-left pixel of each 2 x 2 block and only odd sizes blend.
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "kaImage.h"
#include "kaLittleEndian.h"
#include "kaResult.h"

namespace {

struct Plane {
    unsigned char* data;
    uint32_t width, height;
};

// Byte channels (grey, R G B, R G B A).
template <uint32_t N>
struct ByteChannels {
    static constexpr uint32_t kChannels = N;
    static constexpr uint32_t kBytes = N;
    static void Unpack(const unsigned char* px, float* out) {
        for (uint32_t c = 0; c < N; ++c) out[c] = px[c];
    }
    static void Pack(const float* in, unsigned char* px) {
        for (uint32_t c = 0; c < N; ++c) px[c] = static_cast<unsigned char>(in[c]);
    }
};

// 5-6-5 words, widened by shifting alone.
struct Channels565 {
    static constexpr uint32_t kChannels = 3;
    static constexpr uint32_t kBytes = 2;
    static void Unpack(const unsigned char* px, float* out) {
        const uint32_t v = GetLe16(px);
        out[0] = float((v >> 11) << 3);
        out[1] = float(((v >> 5) & 0x3F) << 2);
        out[2] = float((v & 0x1F) << 3);
    }
    static void Pack(const float* in, unsigned char* px) {
        const uint32_t r = static_cast<uint32_t>(in[0]), g = static_cast<uint32_t>(in[1]),
                       b = static_cast<uint32_t>(in[2]);
        PutLe16(px, (r >> 3) << 11 | (g >> 2) << 5 | (b >> 3));
    }
};

// Bilinear filter from the sample at (sx * j, sy * i) and its right, lower
// and diagonal neighbours (the sample itself where a neighbour is outside).
template <typename Format>
void FilterLevel(const Plane& dst, const Plane& src) {
    constexpr uint32_t C = Format::kChannels;
    const float sx = float(src.width) / float(dst.width);
    const float sy = float(src.height) / float(dst.height);
    const size_t srcRow = size_t(src.width) * Format::kBytes;
    for (uint32_t i = 0; i < dst.height; ++i) {
        const float fy = sy * float(i);
        const uint32_t y0 = static_cast<uint32_t>(fy);
        const float ty = fy - std::floor(fy);
        const bool hasBelow = y0 + 1 != src.height;
        const unsigned char* row = src.data + y0 * srcRow;
        unsigned char* out = dst.data + size_t(i) * dst.width * Format::kBytes;
        for (uint32_t j = 0; j < dst.width; ++j, out += Format::kBytes) {
            const float fx = sx * float(j);
            const uint32_t x0 = static_cast<uint32_t>(fx);
            const float tx = fx - std::floor(fx);
            const bool hasRight = x0 + 1 != src.width;
            const unsigned char* a = row + x0 * Format::kBytes;
            const unsigned char* right = hasRight ? a + Format::kBytes : a;
            const unsigned char* below = hasBelow ? a + srcRow : a;
            const unsigned char* diagonal = hasRight && hasBelow ? below + Format::kBytes : a;
            float va[C], vr[C], vb[C], vd[C], result[C];
            Format::Unpack(a, va);
            Format::Unpack(right, vr);
            Format::Unpack(below, vb);
            Format::Unpack(diagonal, vd);
            for (uint32_t c = 0; c < C; ++c) {
                result[c] = std::trunc(va[c] * (1 - tx) * (1 - ty) + vr[c] * tx * (1 - ty) +
                                       vb[c] * (1 - tx) * ty + vd[c] * tx * ty);
            }
            Format::Pack(result, out);
        }
    }
}

// Normal maps: the weighted average direction of a 2 x 2 block (wrapping at
// the edges), renormalised; the weight becomes the block's coherence.
void FilterNormalMap(const Plane& dst, const Plane& src) {
    const float kByteToWeight = 1.0f / 255.0f;
    const float kByteToComponent = 1.0f / 127.0f;
    const float sx = float(src.width) / float(dst.width);
    const float sy = float(src.height) / float(dst.height);
    for (uint32_t i = 0; i < dst.height; ++i) {
        const uint32_t y0 = static_cast<uint32_t>(sy * float(i));
        const uint32_t ys[2] = {y0, (y0 + 1) % src.height};
        for (uint32_t j = 0; j < dst.width; ++j) {
            const uint32_t x0 = static_cast<uint32_t>(sx * float(j));
            const uint32_t xs[2] = {x0, (x0 + 1) % src.width};
            float v[3] = {0, 0, 0};
            for (const uint32_t y : ys) {
                for (const uint32_t x : xs) {
                    const unsigned char* px = src.data + (size_t(y) * src.width + x) * 4;
                    const float w = px[3] * kByteToWeight;
                    for (int c = 0; c < 3; ++c) v[c] += w * (px[c] * kByteToComponent - 1.0f);
                }
            }
            const float length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
            float n[3] = {0, 0, 1};
            if (length != 0) {
                for (int c = 0; c < 3; ++c) n[c] = v[c] / length;
            }
            unsigned char* out = dst.data + (size_t(i) * dst.width + j) * 4;
            for (int c = 0; c < 3; ++c)
                out[c] = static_cast<unsigned char>(128 + static_cast<int>(127 * n[c]));
            out[3] = static_cast<unsigned char>(static_cast<int>(255 * std::fmin(length / 4, 1.0f)));
        }
    }
}

void Filter(uint32_t format, const Plane& dst, const Plane& src) {
    switch (format) {
        case KA_IMG_L8: FilterLevel<ByteChannels<1>>(dst, src); break;
        case KA_IMG_R5G6B5: FilterLevel<Channels565>(dst, src); break;
        case KA_IMG_R8G8B8: FilterLevel<ByteChannels<3>>(dst, src); break;
        case KA_IMG_R8G8B8A8: FilterLevel<ByteChannels<4>>(dst, src); break;
        default: FilterNormalMap(dst, src); break;
    }
}

}  // namespace

int kaImage::GenerateMipmaps() {
    if (mLevels == nullptr) return KA_ERR_MISSING;
    if ((mFormat & 0x80) || FormatBits(mFormat) == 0) return KA_ERR_UNRECOGNISED;

    const uint32_t faces = FaceCount();
    uint32_t count = 1;
    for (uint32_t w = mLevels[0].width, h = mLevels[0].height; w > 1 || h > 1; ++count) {
        w = w > 1 ? w / 2 : 1;
        h = h > 1 ? h / 2 : 1;
    }
    kaImageLevel* table = static_cast<kaImageLevel*>(std::calloc(count * faces, sizeof(kaImageLevel)));
    if (table == nullptr) return KA_ERR_OUTOFMEMORY;
    std::memcpy(table, mLevels, faces * sizeof(kaImageLevel));

    const uint32_t pixelBytes = FormatBits(mFormat) / 8;
    for (uint32_t k = 1; k < count; ++k) {
        for (uint32_t f = 0; f < faces; ++f) {
            const kaImageLevel& above = table[(k - 1) * faces + f];
            kaImageLevel& entry = table[k * faces + f];
            entry.width = above.width > 1 ? above.width / 2 : 1;
            entry.height = above.height > 1 ? above.height / 2 : 1;
            entry.size = pixelBytes * entry.width * entry.height;
            entry.data = static_cast<unsigned char*>(std::malloc(entry.size));
            if (entry.data == nullptr) {
                // Level 0 still belongs to the old table.
                for (uint32_t e = faces; e < count * faces; ++e) std::free(table[e].data);
                std::free(table);
                return KA_ERR_OUTOFMEMORY;
            }
            Filter(mFormat, {entry.data, entry.width, entry.height},
                   {above.data, above.width, above.height});
        }
    }
    for (uint32_t e = faces; e < mLevelCount * faces; ++e) std::free(mLevels[e].data);
    std::free(mLevels);
    mLevels = table;
    mLevelCount = count;
    return KA_OK;
}
