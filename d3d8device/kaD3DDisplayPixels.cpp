#include "kaD3DDisplayPixels.h"

#include <d3d8.h>

#include <cstring>

namespace {

// A channel of `bits` bits widened to eight by repeating its high bits.
unsigned char Widen(unsigned value, unsigned bits) {
    value <<= 8 - bits;
    return static_cast<unsigned char>(value | value >> bits);
}

void Row32(const unsigned char* from, unsigned width, unsigned char* to) {
    std::memcpy(to, from, width * 4u);
    for (unsigned x = 0; x < width; ++x) to[x * 4 + 3] = 0xFF;
}

// 16-bit pixels with 5 bits of blue at the bottom, `greenBits` of green above
// them and 5 bits of red above those.
void Row16(const unsigned char* from, unsigned width, unsigned greenBits, unsigned char* to) {
    const unsigned greenMask = (1u << greenBits) - 1;
    for (unsigned x = 0; x < width; ++x) {
        const unsigned pixel = from[x * 2] | from[x * 2 + 1] << 8;
        to[x * 4] = Widen(pixel & 0x1F, 5);
        to[x * 4 + 1] = Widen(pixel >> 5 & greenMask, greenBits);
        to[x * 4 + 2] = Widen(pixel >> (5 + greenBits) & 0x1F, 5);
        to[x * 4 + 3] = 0xFF;
    }
}

}  // namespace

bool kaD3DDisplayPixels::isReadable(uint32_t format) {
    switch (format) {
    case D3DFMT_X8R8G8B8:
    case D3DFMT_A8R8G8B8:
    case D3DFMT_R5G6B5:
    case D3DFMT_X1R5G5B5:
    case D3DFMT_A1R5G5B5:
        return true;
    default:
        return false;
    }
}

bool kaD3DDisplayPixels::ToBgra(uint32_t format, const void* rows, int pitch, unsigned width,
                                unsigned height, unsigned char* bgra) {
    if (!isReadable(format)) return false;
    const auto* row = static_cast<const unsigned char*>(rows);
    for (unsigned y = 0; y < height; ++y, row += pitch, bgra += width * 4u) {
        if (format == D3DFMT_X8R8G8B8 || format == D3DFMT_A8R8G8B8) {
            Row32(row, width, bgra);
        } else {
            Row16(row, width, format == D3DFMT_R5G6B5 ? 6 : 5, bgra);
        }
    }
    return true;
}
