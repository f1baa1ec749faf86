#pragma once

#include <cstdint>

// Decodes block-compressed texels (DXT1, DXT3, DXT5; DXT2 and DXT4 decode as
// DXT3 and DXT5) into rows of R, G, B, A bytes, for contexts without S3TC.
class kaDxtDecoder {
public:
    // Decodes one slice of width x height texels from blocks (4 x 4 texels
    // each, rows of blocks top first) into rgba (width x height x 4 bytes).
    static void Decode(uint32_t format, const unsigned char* blocks, uint32_t width,
                       uint32_t height, unsigned char* rgba);

    // Bytes of one 4 x 4 block of the format, 0 for formats that are not compressed.
    static uint32_t BlockBytes(uint32_t format);
};
