#pragma once

#include <cstdint>

// Rows of a locked display surface (a back buffer or a copy of one) turned
// into opaque B, G, R, A pixels, the layout the video capture streams.  The
// display formats a back buffer can have are read: X8R8G8B8 and A8R8G8B8
// (whose alpha says nothing about the picture and becomes 255), R5G6B5,
// X1R5G5B5 and A1R5G5B5 (widened by repeating their high bits, so full
// channels stay full).
class kaD3DDisplayPixels {
public:
    // False for a format that is not read; nothing is written then.
    static bool isReadable(uint32_t format);

    // width x height pixels from `rows` (`pitch` bytes apart) into `bgra`,
    // 4 x width bytes a row, rows top first.
    static bool ToBgra(uint32_t format, const void* rows, int pitch, unsigned width,
                       unsigned height, unsigned char* bgra);
};
