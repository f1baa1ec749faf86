#include "kaVertexLayout.h"

namespace {

constexpr uint32_t kFloat = 4;
constexpr uint32_t kMaxTexCoordSets = 8;  // the most the platform can declare

// Number of blend weights carried by the position kind (0 for none).
uint32_t BlendWeightCount(uint32_t positionKind) {
    return positionKind >= KA_FVF_XYZB1 ? (positionKind - KA_FVF_XYZRHW) / 2 : 0;
}

uint32_t PositionSize(uint32_t positionKind) {
    if (positionKind == KA_FVF_XYZRHW) return 4 * kFloat;
    return positionKind != 0 ? 3 * kFloat : 0;
}

}  // namespace

uint32_t kaVertexLayout::TexCoordSetCount(uint32_t vertexFormat) {
    const uint32_t sets = (vertexFormat & KA_FVF_TEXCOUNT_MASK) >> KA_FVF_TEXCOUNT_SHIFT;
    return sets < kMaxTexCoordSets ? sets : kMaxTexCoordSets;
}

uint32_t kaVertexLayout::TexCoordSetSize(uint32_t vertexFormat, uint32_t set) {
    static const uint32_t kFloatsPerCode[4] = {2, 3, 4, 1};
    return kFloatsPerCode[(vertexFormat >> (16 + 2 * set)) & 3] * kFloat;
}

kaVertexLayout kaVertexLayout::FromFormat(uint32_t vertexFormat) {
    kaVertexLayout layout{};
    const uint32_t positionKind = vertexFormat & KA_FVF_POSITION_MASK;
    const uint32_t weights = BlendWeightCount(positionKind);
    const bool indexedBlend = weights > 0 && (vertexFormat & KA_FVF_LASTBETA_UBYTE4);

    layout.size[POSITION] = PositionSize(positionKind);
    layout.size[WEIGHTS] = (indexedBlend ? weights - 1 : weights) * kFloat;
    layout.size[MATRIX_INDICES] = indexedBlend ? 4 : 0;
    layout.size[NORMAL] = (vertexFormat & KA_FVF_NORMAL) ? 3 * kFloat : 0;
    layout.size[POINT_SIZE] = (vertexFormat & KA_FVF_PSIZE) ? kFloat : 0;
    layout.size[DIFFUSE] = (vertexFormat & KA_FVF_DIFFUSE) ? 4 : 0;
    layout.size[SPECULAR] = (vertexFormat & KA_FVF_SPECULAR) ? 4 : 0;

    // Only four sets get a cursor, but every declared set takes room in the
    // vertex so that the stride matches the platform's.
    const uint32_t sets = TexCoordSetCount(vertexFormat);
    uint32_t extraSetBytes = 0;
    for (uint32_t s = 0; s < sets; ++s) {
        if (s < 4) {
            layout.size[TEXCOORD0 + s] = TexCoordSetSize(vertexFormat, s);
        } else {
            extraSetBytes += TexCoordSetSize(vertexFormat, s);
        }
    }

    uint32_t running = 0;
    for (unsigned c = 0; c < COMPONENT_COUNT; ++c) {
        layout.offset[c] = running;
        running += layout.size[c];
    }
    layout.vertexSize = running + extraSetBytes;
    return layout;
}
