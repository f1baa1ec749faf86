#pragma once

#include <cstdint>

// A camera-facing billboard for kaSpriteBatch, owned by the caller.
struct kaSprite {
    float x, y, z;    // centre
    uint32_t colour;  // 0xAARRGGBB
    float size;       // half the edge, in world units
};

static_assert(sizeof(kaSprite) == 20, "kaSprite layout");
