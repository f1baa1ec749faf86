#pragma once

#include <string>

#include "kaPicture.h"

// Encodes pictures in the five file formats the player decodes.  Each
// returns the file's bytes, or an empty string when the library fails.
class kaPictureWriter {
public:
    // RGBA when the picture has any alpha below 255, else RGB; no gamma
    // chunk and no time stamp, so the bytes depend on the pixels alone.
    static std::string Png(const kaPicture& picture);
    // Baseline JFIF (the player recognises JPEG files by that marker).
    static std::string Jpeg(const kaPicture& picture, int quality);
    // Uncompressed true-colour TGA: 32 bits stored bottom-up (descriptor
    // 0x08, eight alpha bits) when the picture has alpha, else 24 bits
    // stored top-down (descriptor 0x20).
    static std::string Tga(const kaPicture& picture);
    // 24-bit Windows bitmap, bottom-up, rows padded to four bytes.
    static std::string Bmp(const kaPicture& picture);
    // DDS with a full mip chain in DXT5 when the picture has alpha, else DXT1.
    static std::string Dds(const kaPicture& picture);
};
