#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "kaRenderTypes.h"

// One frame as the capture writes it: width x height pixels of B, G, R, A
// bytes, rows top first; and the measures that compare frames of one moment
// drawn at different sizes.  The alpha byte is never compared.
class kaPixelFrame {
public:
    kaPixelFrame() = default;
    kaPixelFrame(unsigned width, unsigned height);

    unsigned width() const { return mWidth; }
    unsigned height() const { return mHeight; }
    unsigned char* data() { return mBytes.data(); }
    size_t bytes() const { return mBytes.size(); }
    // Channel c (0 blue, 1 green, 2 red) of pixel (x, y).
    unsigned char at(unsigned x, unsigned y, unsigned c) const {
        return mBytes[(size_t(y) * mWidth + x) * 4 + c];
    }

    // Half the size: pixel (i, j) is the 3x3 pixels around (2i, 2j) weighted
    // 1/4, 1/2, 1/4 on each axis (rounded).  A picture drawn on Direct3D's
    // pixel centres shows the point x of its viewport on pixel x at any size,
    // so that pixel is the same place of the picture as (i, j) of a picture
    // drawn at half the size; a plain 2x2 mean would lie a quarter of a
    // small pixel off.
    kaPixelFrame Reduced() const;
    // Twice the size, each new pixel interpolated linearly between the old
    // pixels around its place, on the pixel centres Reduced takes.
    kaPixelFrame Enlarged() const;
    // The mean absolute difference of the colour channels, 0 to 255, of
    // frames of one size.  With an offset, pixel (x, y) is compared with (x + dx,
    // y + dy) of the other, over the pixels both have.
    double MeanDifference(const kaPixelFrame& other, int dx = 0, int dy = 0) const;
    // The mean of the colour channels' differences with their signs: how
    // much brighter this frame is.
    double MeanOffset(const kaPixelFrame& other) const;
    // The mean over all pixels of the luma gradient's length (central
    // differences, 0 to 255 per pixel): what a blur takes away.
    double Sharpness() const;
    // The smallest rectangle holding every pixel that is not exact black
    // (0, 0, 0); all zero for a black frame.
    kaViewport LitBounds() const;

private:
    double Luma(unsigned x, unsigned y) const;
    // Channel c at (x, y), the coordinates clamped to the frame.
    int Clamped(int x, int y, unsigned c) const;

    unsigned mWidth = 0, mHeight = 0;
    std::vector<unsigned char> mBytes;
};
