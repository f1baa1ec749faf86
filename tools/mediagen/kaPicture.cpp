#include "kaPicture.h"

#include <algorithm>
#include <cmath>

namespace {

uint8_t ToByte(float v) { return uint8_t(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f)); }

uint32_t Hash(uint32_t x, uint32_t y, uint32_t salt) {
    uint32_t h = x * 0x8DA6B343u ^ y * 0xD8163841u ^ salt * 0xCB1AB31Fu;
    h ^= h >> 13;
    h *= 0x5BD1E995u;
    h ^= h >> 15;
    return h;
}

float Lattice(int x, int y, int period, uint32_t salt) {
    const uint32_t px = uint32_t((x % period + period) % period);
    const uint32_t py = uint32_t((y % period + period) % period);
    return float(Hash(px, py, salt) & 0xFFFF) / 65535.0f;
}

}  // namespace

kaPicture::kaPicture(int width, int height)
    : mWidth(width), mHeight(height), mPixels(size_t(width) * size_t(height) * 4, 0) {}

bool kaPicture::hasAlpha() const {
    for (size_t i = 3; i < mPixels.size(); i += 4) {
        if (mPixels[i] != 255) return true;
    }
    return false;
}

kaPicture::Colour kaPicture::Get(int x, int y) const {
    const uint8_t* p = &mPixels[(size_t(y) * mWidth + x) * 4];
    return {p[0] / 255.0f, p[1] / 255.0f, p[2] / 255.0f, p[3] / 255.0f};
}

void kaPicture::Set(int x, int y, Colour c) {
    uint8_t* p = &mPixels[(size_t(y) * mWidth + x) * 4];
    p[0] = ToByte(c.r);
    p[1] = ToByte(c.g);
    p[2] = ToByte(c.b);
    p[3] = ToByte(c.a);
}

void kaPicture::Blend(int x, int y, Colour c, float coverage) {
    if (x < 0 || y < 0 || x >= mWidth || y >= mHeight) return;
    const Colour under = Get(x, y);
    const float t = std::clamp(coverage * c.a, 0.0f, 1.0f);
    Colour out = Mix(under, c, t);
    out.a = under.a + (1.0f - under.a) * t;
    Set(x, y, out);
}

kaPicture kaPicture::Half() const {
    const int w = std::max(1, mWidth / 2), h = std::max(1, mHeight / 2);
    kaPicture half(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            int sum[4] = {0, 0, 0, 0}, count = 0;
            for (int dy = 0; dy < 2; ++dy) {
                for (int dx = 0; dx < 2; ++dx) {
                    const int sx = std::min(mWidth - 1, 2 * x + dx), sy = std::min(mHeight - 1, 2 * y + dy);
                    const uint8_t* p = &mPixels[(size_t(sy) * mWidth + sx) * 4];
                    for (int c = 0; c < 4; ++c) sum[c] += p[c];
                    ++count;
                }
            }
            uint8_t* out = &half.mPixels[(size_t(y) * w + x) * 4];
            for (int c = 0; c < 4; ++c) out[c] = uint8_t((sum[c] + count / 2) / count);
        }
    }
    return half;
}

float kaPicture::Noise(float u, float v, int period, uint32_t salt) {
    const float x = u * float(period), y = v * float(period);
    const int x0 = int(std::floor(x)), y0 = int(std::floor(y));
    const float fx = x - float(x0), fy = y - float(y0);
    const float sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
    const float top = Lattice(x0, y0, period, salt) + (Lattice(x0 + 1, y0, period, salt) - Lattice(x0, y0, period, salt)) * sx;
    const float bottom = Lattice(x0, y0 + 1, period, salt) +
                         (Lattice(x0 + 1, y0 + 1, period, salt) - Lattice(x0, y0 + 1, period, salt)) * sx;
    return top + (bottom - top) * sy;
}

float kaPicture::Fractal(float u, float v, int period, int octaves, uint32_t salt) {
    float sum = 0.0f, weight = 0.5f, total = 0.0f;
    for (int o = 0; o < octaves; ++o) {
        sum += weight * Noise(u, v, period << o, salt + uint32_t(o));
        total += weight;
        weight *= 0.5f;
    }
    return sum / total;
}

kaPicture::Colour kaPicture::Mix(Colour a, Colour b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

kaHeightField::kaHeightField(int width, int height)
    : mWidth(width), mHeight(height), mValues(size_t(width) * size_t(height), 0.0f) {}

float kaHeightField::At(int x, int y) const {
    x = (x % mWidth + mWidth) % mWidth;
    y = (y % mHeight + mHeight) % mHeight;
    return mValues[size_t(y) * mWidth + x];
}

kaPicture kaHeightField::NormalMap(float depth) const {
    kaPicture map(mWidth, mHeight);
    for (int y = 0; y < mHeight; ++y) {
        for (int x = 0; x < mWidth; ++x) {
            const float dx = (At(x + 1, y) - At(x - 1, y)) * 0.5f * depth;
            const float dy = (At(x, y - 1) - At(x, y + 1)) * 0.5f * depth;
            const float length = std::sqrt(dx * dx + dy * dy + 1.0f);
            const float n[3] = {-dx / length, -dy / length, 1.0f / length};
            map.Set(x, y, {(128.0f + 127.0f * n[0]) / 255.0f, (128.0f + 127.0f * n[1]) / 255.0f,
                           (128.0f + 127.0f * n[2]) / 255.0f, 1.0f});
        }
    }
    return map;
}
