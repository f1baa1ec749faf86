#pragma once

#include <cstdint>

#include "kaRenderTypes.h"

class kaBaseTexture;

// A cube texture whose texels hold the unit vector pointing at them from the
// cube's centre, packed as bytes 127 x + 128 (R, G, B = x, y, z; A = 255).
// Per-pixel lighting looks a vector up in it to normalize it.  Built on the
// processor and uploaded face by face to gDevice.
class kaNormalizationCubeMap {
public:
    static constexpr unsigned kFormat = 21;  // A8R8G8B8
    static constexpr unsigned kFaces = 6;

    // Unit direction through the centre of texel (row, column) of a face
    // (Direct3D 8 order +x, -x, +y, -y, +z, -z) whose edge is `edge` texels.
    static kaVector3f Direction(unsigned face, unsigned row, unsigned column, unsigned edge);
    // Writes edge x edge texels of one face, R, G, B, A per texel, rows top first.
    static void FillFace(uint8_t* texels, unsigned face, unsigned edge);
    // Creates the one-level cube texture and uploads its six faces: 0, or
    // 11 after an error box, with *texture left null.
    static int Create(kaBaseTexture** texture, unsigned edge);

private:
    // 0, or 11 after the error box; the texture is left for the caller to release.
    static int Upload(kaBaseTexture* texture, unsigned edge);
};
