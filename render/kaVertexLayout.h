#pragma once

#include <cstdint>

// Where each component of a vertex lies for a Direct3D 8 flexible vertex
// format word.  Components follow each other in a fixed order; a component
// the format lacks has size 0 and shares its offset with the next one.
struct kaVertexLayout {
    enum Component : unsigned {
        POSITION,
        WEIGHTS,
        MATRIX_INDICES,
        NORMAL,
        POINT_SIZE,
        DIFFUSE,
        SPECULAR,
        TEXCOORD0,
        TEXCOORD1,
        TEXCOORD2,
        TEXCOORD3,
        COMPONENT_COUNT
    };

    uint32_t vertexSize;
    uint32_t offset[COMPONENT_COUNT];
    uint32_t size[COMPONENT_COUNT];

    static kaVertexLayout FromFormat(uint32_t vertexFormat);

    // Number of texture-coordinate sets the format declares (0 to 8).
    static uint32_t TexCoordSetCount(uint32_t vertexFormat);
    // Bytes of texture set s: two bits at 16 + 2s select 2, 3, 4 or 1 floats.
    static uint32_t TexCoordSetSize(uint32_t vertexFormat, uint32_t set);
};

// Flexible-vertex-format bits that the system interprets.
enum kaVertexFormatBits : uint32_t {
    KA_FVF_POSITION_MASK = 0x00E,
    KA_FVF_XYZ = 0x002,
    KA_FVF_XYZRHW = 0x004,
    KA_FVF_XYZB1 = 0x006,
    KA_FVF_XYZB5 = 0x00E,
    KA_FVF_NORMAL = 0x010,
    KA_FVF_PSIZE = 0x020,
    KA_FVF_DIFFUSE = 0x040,
    KA_FVF_SPECULAR = 0x080,
    KA_FVF_TEXCOUNT_MASK = 0xF00,
    KA_FVF_TEXCOUNT_SHIFT = 8,
    KA_FVF_LASTBETA_UBYTE4 = 0x1000,
};
