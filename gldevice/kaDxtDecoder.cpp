#include "kaDxtDecoder.h"

#include "kaDeviceNumbers.h"

namespace {

struct Rgba {
    unsigned char c[4];
};

uint16_t Word16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

Rgba Expand565(uint16_t v) {
    const unsigned r = (v >> 11) & 31, g = (v >> 5) & 63, b = v & 31;
    return {{static_cast<unsigned char>((r << 3) | (r >> 2)),
             static_cast<unsigned char>((g << 2) | (g >> 4)),
             static_cast<unsigned char>((b << 3) | (b >> 2)), 255}};
}

unsigned char Mix(unsigned a, unsigned b, unsigned wa, unsigned wb, unsigned total) {
    return static_cast<unsigned char>((a * wa + b * wb) / total);
}

// The four colours of a colour block; with opaque false (DXT1 when the first
// colour is not larger) the third is the middle and the fourth transparent black.
void Palette(const unsigned char* block, bool fourColours, Rgba palette[4]) {
    const uint16_t c0 = Word16(block), c1 = Word16(block + 2);
    palette[0] = Expand565(c0);
    palette[1] = Expand565(c1);
    const bool four = fourColours || c0 > c1;
    for (int i = 0; i < 3; ++i) {
        const unsigned a = palette[0].c[i], b = palette[1].c[i];
        palette[2].c[i] = four ? Mix(a, b, 2, 1, 3) : Mix(a, b, 1, 1, 2);
        palette[3].c[i] = four ? Mix(a, b, 1, 2, 3) : 0;
    }
    palette[2].c[3] = 255;
    palette[3].c[3] = four ? 255 : 0;
}

// Alpha of texel i of a DXT5 alpha block.
unsigned char InterpolatedAlpha(const unsigned char* block, unsigned i) {
    const unsigned a0 = block[0], a1 = block[1];
    const unsigned bit = 3 * i;
    uint64_t bits = 0;
    for (int b = 5; b >= 0; --b) bits = bits << 8 | block[2 + b];
    const unsigned code = static_cast<unsigned>(bits >> bit) & 7;
    if (code == 0) return static_cast<unsigned char>(a0);
    if (code == 1) return static_cast<unsigned char>(a1);
    if (a0 > a1) return Mix(a0, a1, 8 - code, code - 1, 7);
    if (code == 6) return 0;
    if (code == 7) return 255;
    return Mix(a0, a1, 6 - code, code - 1, 5);
}

unsigned char ExplicitAlpha(const unsigned char* block, unsigned i) {
    const unsigned nibble = (block[i / 2] >> (4 * (i % 2))) & 15;
    return static_cast<unsigned char>(nibble * 17);
}

void DecodeBlock(uint32_t format, const unsigned char* block, Rgba texels[16]) {
    const bool dxt1 = format == KA_FMT_DXT1;
    const unsigned char* colour = dxt1 ? block : block + 8;
    Rgba palette[4];
    Palette(colour, !dxt1, palette);
    for (unsigned i = 0; i < 16; ++i) {
        texels[i] = palette[(colour[4 + i / 4] >> (2 * (i % 4))) & 3];
        if (format == KA_FMT_DXT2 || format == KA_FMT_DXT3) texels[i].c[3] = ExplicitAlpha(block, i);
        if (format == KA_FMT_DXT4 || format == KA_FMT_DXT5) {
            texels[i].c[3] = InterpolatedAlpha(block, i);
        }
    }
}

}  // namespace

uint32_t kaDxtDecoder::BlockBytes(uint32_t format) {
    switch (format) {
    case KA_FMT_DXT1: return 8;
    case KA_FMT_DXT2:
    case KA_FMT_DXT3:
    case KA_FMT_DXT4:
    case KA_FMT_DXT5: return 16;
    default: return 0;
    }
}

void kaDxtDecoder::Decode(uint32_t format, const unsigned char* blocks, uint32_t width,
                          uint32_t height, unsigned char* rgba) {
    const uint32_t blockBytes = BlockBytes(format);
    const uint32_t across = (width + 3) / 4, down = (height + 3) / 4;
    for (uint32_t by = 0; by < down; ++by) {
        for (uint32_t bx = 0; bx < across; ++bx) {
            Rgba texels[16];
            DecodeBlock(format, blocks + (by * across + bx) * blockBytes, texels);
            for (uint32_t i = 0; i < 16; ++i) {
                const uint32_t x = bx * 4 + i % 4, y = by * 4 + i / 4;
                if (x >= width || y >= height) continue;
                unsigned char* out = rgba + (y * width + x) * 4;
                for (int c = 0; c < 4; ++c) out[c] = texels[i].c[c];
            }
        }
    }
}
