#pragma once

#include <cstddef>
#include <cstdint>

class kaBaseTexture;

// A screen rectangle for kaOrthoOverlay, owned by the caller.  Coordinates
// run from -1 to 1 across the viewport, y upwards.  40 bytes in the 32-bit
// program.
struct kaOverlayQuad {
    float x0, y0, x1, y1;
    float tu0, tv0, tu1, tv1;
    kaBaseTexture* texture;
    uint32_t colour;  // 0xAARRGGBB
};

static_assert(offsetof(kaOverlayQuad, texture) == 32 &&
                  offsetof(kaOverlayQuad, colour) == 32 + sizeof(void*),
              "kaOverlayQuad layout");
static_assert(sizeof(void*) != 4 || sizeof(kaOverlayQuad) == 40, "kaOverlayQuad layout");
