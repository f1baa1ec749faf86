#pragma once

#include <cstdint>

#include "kaTexture.h"

// A fixed-capacity array of textures, one list per model material, filled
// in order by Add.  A name that fails to load takes no slot.
class kaTextureList {
public:
    kaTextureList();
    ~kaTextureList();
    kaTextureList(const kaTextureList&) = delete;
    kaTextureList& operator=(const kaTextureList&) = delete;

    void SetCapacity(uint32_t n);
    // 0 (also when the list is full and nothing is loaded), or 11 after a
    // warning box.
    int Add(const char* name);
    void Release();

    uint32_t capacity;
    uint32_t count;
    kaTexture* textures;
};
