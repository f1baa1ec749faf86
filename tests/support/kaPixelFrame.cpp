#include "kaPixelFrame.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

kaPixelFrame::kaPixelFrame(unsigned width, unsigned height)
    : mWidth(width), mHeight(height), mBytes(size_t(width) * height * 4) {}

kaPixelFrame kaPixelFrame::Reduced() const {
    static const int kWeights[3] = {1, 2, 1};
    kaPixelFrame half(mWidth / 2, mHeight / 2);
    for (unsigned y = 0; y < half.mHeight; ++y) {
        for (unsigned x = 0; x < half.mWidth; ++x) {
            for (unsigned c = 0; c < 4; ++c) {
                int sum = 0;
                for (int dy = -1; dy <= 1; ++dy) {
                    for (int dx = -1; dx <= 1; ++dx) {
                        sum +=
                            kWeights[dx + 1] * kWeights[dy + 1] *
                            Clamped(2 * static_cast<int>(x) + dx, 2 * static_cast<int>(y) + dy, c);
                    }
                }
                half.mBytes[(size_t(y) * half.mWidth + x) * 4 + c] =
                    static_cast<unsigned char>((sum + 8) / 16);
            }
        }
    }
    return half;
}

int kaPixelFrame::Clamped(int x, int y, unsigned c) const {
    x = std::clamp(x, 0, static_cast<int>(mWidth) - 1);
    y = std::clamp(y, 0, static_cast<int>(mHeight) - 1);
    return at(static_cast<unsigned>(x), static_cast<unsigned>(y), c);
}

// Pixel (2i + a, 2j + b) lies at (i + a/2, j + b/2) of this frame, on the
// same pixel centres as Reduced: the mean of the pixels from (i, j) to
// (i + a, j + b).
kaPixelFrame kaPixelFrame::Enlarged() const {
    kaPixelFrame twice(mWidth * 2, mHeight * 2);
    for (unsigned y = 0; y < twice.mHeight; ++y) {
        const int y0 = static_cast<int>(y / 2), y1 = y0 + static_cast<int>(y % 2);
        for (unsigned x = 0; x < twice.mWidth; ++x) {
            const int x0 = static_cast<int>(x / 2), x1 = x0 + static_cast<int>(x % 2);
            for (unsigned c = 0; c < 4; ++c) {
                const int sum = Clamped(x0, y0, c) + Clamped(x1, y0, c) + Clamped(x0, y1, c) +
                                Clamped(x1, y1, c);
                twice.mBytes[(size_t(y) * twice.mWidth + x) * 4 + c] =
                    static_cast<unsigned char>((sum + 2) / 4);
            }
        }
    }
    return twice;
}

double kaPixelFrame::MeanDifference(const kaPixelFrame& other, int dx, int dy) const {
    const int w = static_cast<int>(mWidth), h = static_cast<int>(mHeight);
    double sum = 0;
    size_t count = 0;
    for (int y = std::max(0, -dy); y < std::min(h, h - dy); ++y) {
        for (int x = std::max(0, -dx); x < std::min(w, w - dx); ++x) {
            for (unsigned c = 0; c < 3; ++c) {
                sum += std::abs(at(unsigned(x), unsigned(y), c) -
                                other.at(unsigned(x + dx), unsigned(y + dy), c));
            }
            count += 3;
        }
    }
    return count == 0 ? 0 : sum / double(count);
}

double kaPixelFrame::MeanOffset(const kaPixelFrame& other) const {
    double sum = 0;
    for (size_t i = 0; i < mBytes.size(); i += 4) {
        for (size_t c = 0; c < 3; ++c) sum += mBytes[i + c] - other.mBytes[i + c];
    }
    return mBytes.empty() ? 0 : sum / (double(mBytes.size()) / 4 * 3);
}

double kaPixelFrame::Luma(unsigned x, unsigned y) const {
    return 0.114 * at(x, y, 0) + 0.587 * at(x, y, 1) + 0.299 * at(x, y, 2);
}

double kaPixelFrame::Sharpness() const {
    if (mWidth < 3 || mHeight < 3) return 0;
    double sum = 0;
    for (unsigned y = 1; y + 1 < mHeight; ++y) {
        for (unsigned x = 1; x + 1 < mWidth; ++x) {
            const double dx = (Luma(x + 1, y) - Luma(x - 1, y)) / 2;
            const double dy = (Luma(x, y + 1) - Luma(x, y - 1)) / 2;
            sum += std::sqrt(dx * dx + dy * dy);
        }
    }
    return sum / (double(mWidth - 2) * (mHeight - 2));
}

kaViewport kaPixelFrame::LitBounds() const {
    unsigned left = mWidth, top = mHeight, right = 0, bottom = 0;
    for (unsigned y = 0; y < mHeight; ++y) {
        for (unsigned x = 0; x < mWidth; ++x) {
            if (at(x, y, 0) == 0 && at(x, y, 1) == 0 && at(x, y, 2) == 0) continue;
            left = std::min(left, x);
            right = std::max(right, x + 1);
            top = std::min(top, y);
            bottom = std::max(bottom, y + 1);
        }
    }
    if (right == 0) return kaViewport{0, 0, 0, 0};
    return kaViewport{left, top, right - left, bottom - top};
}
