#pragma once

#include <cstdint>

// Packed A8R8G8B8 colour words as the platform stores them in vertices and
// render states: alpha << 24 | red << 16 | green << 8 | blue.
class kaPackedColor {
public:
    // A channel in 0.0 to 1.0 as a byte: value x 255 truncated toward zero
    // and cut to its low 8 bits.  Values far outside the range (and NaN) are
    // pinned first so that the conversion to an integer stays defined.
    static uint32_t Channel(float value) {
        float scaled = value * 255.0f;
        if (!(scaled > kLowest)) scaled = kLowest;
        if (scaled > kHighest) scaled = kHighest;
        return static_cast<uint32_t>(static_cast<int32_t>(scaled)) & 0xFFu;
    }

    static uint32_t FromBytes(uint32_t r, uint32_t g, uint32_t b, uint32_t a) {
        return a << 24 | r << 16 | g << 8 | b;
    }

    static uint32_t FromFloats(float r, float g, float b, float a) {
        return FromBytes(Channel(r), Channel(g), Channel(b), Channel(a));
    }

private:
    static constexpr float kLowest = -2147483648.0f;
    static constexpr float kHighest = 2147483520.0f;  // the largest float below 2^31
};
