#pragma once

#include <cstdint>
#include <string>

#include "kaByteWriter.h"

// Small picture files made byte by byte for the decoder tests.
namespace kaTestPictures {

// A bitmap: rows are given as stored (bottom row first, padding included).
inline std::string Bmp(int32_t width, uint32_t height, unsigned bits, uint32_t compression,
                       const std::string& rows, uint32_t coloursUsed = 0,
                       const std::string& extra = "") {
    kaByteWriter w;
    const uint32_t offset = 14 + 40 + static_cast<uint32_t>(extra.size());
    w.text("BM").u32(offset + rows.size()).u32(0).u32(offset);
    w.u32(40).u32(width).u32(height).u16(1).u16(bits).u32(compression).u32(0);
    w.u32(2835).u32(2835).u32(coloursUsed).u32(0);
    return w.text(extra).text(rows).bytes();
}

inline std::string Tga(unsigned type, unsigned width, unsigned height, unsigned bits,
                       unsigned descriptor, const std::string& pixels) {
    kaByteWriter w;
    w.u8(0).u8(0).u8(type).zeros(5).u16(0).u16(0).u16(width).u16(height).u8(bits).u8(descriptor);
    return w.text(pixels).bytes();
}

struct DdsHeader {
    uint32_t width = 4, height = 4;
    uint32_t mipCount = 0;
    uint32_t caps = 0x1000;
    uint32_t caps2 = 0;
    uint32_t pixelFlags = 0x4;
    std::string fourCC = "DXT1";
    uint32_t rgbBits = 0;
    uint32_t masks[4] = {0, 0, 0, 0};
    uint32_t size = 124;
};

inline std::string Dds(const DdsHeader& h, const std::string& data) {
    kaByteWriter w;
    w.text("DDS ").u32(h.size).u32(0x1007).u32(h.height).u32(h.width).u32(0).u32(0);
    w.u32(h.mipCount).zeros(44);
    w.u32(32).u32(h.pixelFlags).text(h.fourCC.substr(0, 4)).u32(h.rgbBits);
    for (uint32_t m : h.masks) w.u32(m);
    w.u32(h.caps).u32(h.caps2).zeros(12);
    return w.text(data).bytes();
}

}  // namespace kaTestPictures
