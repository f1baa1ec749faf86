#include "kaDxtEncoder.h"

#include <algorithm>
#include <cstdint>

namespace {

struct Rgb {
    int r, g, b;
};

uint16_t To565(Rgb c) { return uint16_t((c.r >> 3) << 11 | (c.g >> 2) << 5 | (c.b >> 3)); }

Rgb From565(uint16_t v) {
    const int r = (v >> 11) & 31, g = (v >> 5) & 63, b = v & 31;
    return {r << 3 | r >> 2, g << 2 | g >> 4, b << 3 | b >> 2};
}

int Distance(Rgb a, Rgb b) {
    return (a.r - b.r) * (a.r - b.r) + (a.g - b.g) * (a.g - b.g) + (a.b - b.b) * (a.b - b.b);
}

void Put16(std::string& out, uint16_t v) {
    out.push_back(char(v & 0xFF));
    out.push_back(char(v >> 8));
}

// The 16 pixels of a block, clamped at the picture's edge.
void Block(const kaPicture& picture, int bx, int by, uint8_t (&px)[16][4]) {
    for (int i = 0; i < 16; ++i) {
        const int x = std::min(picture.width() - 1, bx * 4 + i % 4);
        const int y = std::min(picture.height() - 1, by * 4 + i / 4);
        const uint8_t* p = &picture.pixels()[(size_t(y) * picture.width() + x) * 4];
        std::copy(p, p + 4, px[i]);
    }
}

}  // namespace

void kaDxtEncoder::ColourBlock(const kaPicture& picture, int bx, int by, std::string& out) {
    uint8_t px[16][4];
    Block(picture, bx, by, px);
    // Endpoints: the extremes along the channel with the widest range.
    int lo[3] = {255, 255, 255}, hi[3] = {0, 0, 0};
    for (auto& p : px) {
        for (int c = 0; c < 3; ++c) {
            lo[c] = std::min<int>(lo[c], p[c]);
            hi[c] = std::max<int>(hi[c], p[c]);
        }
    }
    int axis = 0;
    for (int c = 1; c < 3; ++c) {
        if (hi[c] - lo[c] > hi[axis] - lo[axis]) axis = c;
    }
    int minIndex = 0, maxIndex = 0;
    for (int i = 1; i < 16; ++i) {
        if (px[i][axis] < px[minIndex][axis]) minIndex = i;
        if (px[i][axis] > px[maxIndex][axis]) maxIndex = i;
    }
    uint16_t c0 = To565({px[maxIndex][0], px[maxIndex][1], px[maxIndex][2]});
    uint16_t c1 = To565({px[minIndex][0], px[minIndex][1], px[minIndex][2]});
    if (c0 < c1) std::swap(c0, c1);
    Put16(out, c0);
    Put16(out, c1);
    uint32_t indices = 0;
    if (c0 != c1) {
        const Rgb a = From565(c0), b = From565(c1);
        const Rgb palette[4] = {a, b, {(2 * a.r + b.r) / 3, (2 * a.g + b.g) / 3, (2 * a.b + b.b) / 3},
                                {(a.r + 2 * b.r) / 3, (a.g + 2 * b.g) / 3, (a.b + 2 * b.b) / 3}};
        for (int i = 0; i < 16; ++i) {
            const Rgb p{px[i][0], px[i][1], px[i][2]};
            uint32_t best = 0;
            for (uint32_t k = 1; k < 4; ++k) {
                if (Distance(p, palette[k]) < Distance(p, palette[best])) best = k;
            }
            indices |= best << (2 * i);
        }
    }
    Put16(out, uint16_t(indices & 0xFFFF));
    Put16(out, uint16_t(indices >> 16));
}

void kaDxtEncoder::AlphaBlock(const kaPicture& picture, int bx, int by, std::string& out) {
    uint8_t px[16][4];
    Block(picture, bx, by, px);
    int a0 = 0, a1 = 255;
    for (auto& p : px) {
        a0 = std::max<int>(a0, p[3]);
        a1 = std::min<int>(a1, p[3]);
    }
    out.push_back(char(a0));
    out.push_back(char(a1));
    // Eight-value mode (a0 > a1): index 0 is a0, 1 is a1, 2-7 lie between.
    uint64_t bits = 0;
    if (a0 > a1) {
        int palette[8] = {a0, a1};
        for (int k = 1; k < 7; ++k) palette[k + 1] = ((7 - k) * a0 + k * a1) / 7;
        for (int i = 0; i < 16; ++i) {
            uint64_t best = 0;
            for (uint64_t k = 1; k < 8; ++k) {
                if (std::abs(palette[k] - px[i][3]) < std::abs(palette[best] - px[i][3])) best = k;
            }
            bits |= best << (3 * i);
        }
    }
    for (int i = 0; i < 6; ++i) out.push_back(char((bits >> (8 * i)) & 0xFF));
}

std::string kaDxtEncoder::Dxt1(const kaPicture& picture) {
    std::string out;
    for (int by = 0; by < (picture.height() + 3) / 4; ++by) {
        for (int bx = 0; bx < (picture.width() + 3) / 4; ++bx) ColourBlock(picture, bx, by, out);
    }
    return out;
}

std::string kaDxtEncoder::Dxt5(const kaPicture& picture) {
    std::string out;
    for (int by = 0; by < (picture.height() + 3) / 4; ++by) {
        for (int bx = 0; bx < (picture.width() + 3) / 4; ++bx) {
            AlphaBlock(picture, bx, by, out);
            ColourBlock(picture, bx, by, out);
        }
    }
    return out;
}
