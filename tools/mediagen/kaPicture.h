#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// An RGBA picture (bytes R, G, B, A, rows top first) with the few painting
// operations the generated textures need.  Every pattern is computed from
// integer hashes, so the same call paints the same pixels on every run.
class kaPicture {
public:
    struct Colour {
        float r, g, b, a;
    };

    kaPicture(int width, int height);

    int width() const { return mWidth; }
    int height() const { return mHeight; }
    const std::vector<uint8_t>& pixels() const { return mPixels; }
    bool hasAlpha() const;

    Colour Get(int x, int y) const;
    void Set(int x, int y, Colour c);
    // Blends c over the pixel by coverage (0 to 1) and c's alpha.
    void Blend(int x, int y, Colour c, float coverage);
    // Sets every pixel from a function of its centre in 0..1 coordinates.
    template <class F>
    void Paint(F f) {
        for (int y = 0; y < mHeight; ++y) {
            for (int x = 0; x < mWidth; ++x)
                Set(x, y, f((float(x) + 0.5f) / float(mWidth), (float(y) + 0.5f) / float(mHeight)));
        }
    }
    // Half the size, each pixel the mean of a 2 x 2 block (1 x 1 stays).
    kaPicture Half() const;

    // Tileable value noise of the given period in cells, 0 to 1.
    static float Noise(float u, float v, int period, uint32_t salt);
    // Sum of octaves of Noise, 0 to 1.
    static float Fractal(float u, float v, int period, int octaves, uint32_t salt);
    static Colour Mix(Colour a, Colour b, float t);

private:
    int mWidth, mHeight;
    std::vector<uint8_t> mPixels;
};

// A height field for normal maps: values 0 to 1 on a wrapping grid.
class kaHeightField {
public:
    kaHeightField(int width, int height);

    template <class F>
    void Paint(F f) {
        for (int y = 0; y < mHeight; ++y) {
            for (int x = 0; x < mWidth; ++x)
                mValues[size_t(y) * mWidth + x] = f((float(x) + 0.5f) / float(mWidth), (float(y) + 0.5f) / float(mHeight));
        }
    }
    float At(int x, int y) const;
    // Tangent-space normals (x right, y up the picture, z out), each
    // component c stored as 128 + 127 c; depth scales the slopes.
    kaPicture NormalMap(float depth) const;

private:
    int mWidth, mHeight;
    std::vector<float> mValues;
};
