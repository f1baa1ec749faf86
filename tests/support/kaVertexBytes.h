#pragma once

#include <cstdint>
#include <vector>

#include "kaVertexLayout.h"

// Vertices as the bytes a vertex format lays out, with checked reads of
// their components.
struct kaVertexBytes {
    kaVertexLayout layout{};
    std::vector<uint8_t> bytes;

    static const char* ComponentName(kaVertexLayout::Component component);

    unsigned vertexCount() const;
    // Float `index` of a component of a vertex, and the 32-bit word of a
    // colour or matrix-index component.  Both throw std::out_of_range outside
    // the vertices or the component.
    float floatAt(unsigned vertex, kaVertexLayout::Component component, unsigned index = 0) const;
    uint32_t wordAt(unsigned vertex, kaVertexLayout::Component component) const;
    // A copy of `count` vertices from `first` on; fewer where they run out.
    kaVertexBytes Range(unsigned first, unsigned count) const;

private:
    const uint8_t* Element(unsigned vertex, kaVertexLayout::Component component,
                           unsigned word) const;
};
