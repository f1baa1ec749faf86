#include "kaPictureRect.h"

#include <cstdint>

kaPictureRect kaPictureRect::Fit(unsigned width, unsigned height) {
    kaPictureRect rect;
    rect.outputWidth = width;
    rect.outputHeight = height;
    // 64-bit products: a side of up to 2^32 - 1 pixels does not overflow.
    const uint64_t w = width, h = height;
    const bool wide = w * 3 >= h * 4;
    const unsigned pictureWidth = wide ? static_cast<unsigned>(h * 4 / 3) : width;
    const unsigned pictureHeight = wide ? height : static_cast<unsigned>(w * 3 / 4);
    rect.picture = {(width - pictureWidth) / 2, (height - pictureHeight) / 2, pictureWidth,
                    pictureHeight};
    return rect;
}

unsigned kaPictureRect::Bars(kaViewport bars[2]) const {
    const kaViewport& p = picture;
    const bool sideBars = p.width < outputWidth;
    const kaViewport candidates[2] = {
        sideBars ? kaViewport{0, 0, p.x, outputHeight} : kaViewport{0, 0, outputWidth, p.y},
        sideBars ? kaViewport{p.x + p.width, 0, outputWidth - p.x - p.width, outputHeight}
                 : kaViewport{0, p.y + p.height, outputWidth, outputHeight - p.y - p.height},
    };
    unsigned count = 0;
    for (const kaViewport& bar : candidates) {
        if (bar.width > 0 && bar.height > 0) bars[count++] = bar;
    }
    return count;
}
