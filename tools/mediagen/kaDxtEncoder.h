#pragma once

#include <string>

#include "kaPicture.h"

// Compresses a picture into DXT1 (opaque, four-colour blocks) or DXT5
// blocks (explicit interpolated alpha).  Each 4 x 4 block takes the ends
// of its colour range along the axis of largest spread as endpoints.
class kaDxtEncoder {
public:
    static std::string Dxt1(const kaPicture& picture);
    static std::string Dxt5(const kaPicture& picture);

private:
    static void ColourBlock(const kaPicture& picture, int bx, int by, std::string& out);
    static void AlphaBlock(const kaPicture& picture, int bx, int by, std::string& out);
};
