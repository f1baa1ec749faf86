#include "kaNormalizationCubeMap.h"

#include <cmath>
#include <vector>

#include "kaBaseTexture.h"
#include "kaDeviceGlobal.h"
#include "kaMessageBox.h"
#include "kaRenderDevice.h"
#include "kaResult.h"

namespace {

const char kCaption[] = "KA_ERR_INITFAILED";

uint8_t Pack(float component) { return static_cast<uint8_t>(127.0f * component + 128.0f); }

}  // namespace

kaVector3f kaNormalizationCubeMap::Direction(unsigned face, unsigned row, unsigned column,
                                             unsigned edge) {
    const float n = static_cast<float>(edge);
    const float s = (static_cast<float>(column) + 0.5f) / n * 2.0f - 1.0f;
    const float t = (static_cast<float>(row) + 0.5f) / n * 2.0f - 1.0f;
    kaVector3f d;
    switch (face) {
        case 0: d = {1, -t, -s}; break;
        case 1: d = {-1, -t, s}; break;
        case 2: d = {s, 1, t}; break;
        case 3: d = {s, -1, -t}; break;
        case 4: d = {s, -t, 1}; break;
        default: d = {-s, -t, -1}; break;
    }
    const float scale = 1.0f / std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z);
    return {d.x * scale, d.y * scale, d.z * scale};
}

void kaNormalizationCubeMap::FillFace(uint8_t* texels, unsigned face, unsigned edge) {
    for (unsigned row = 0; row < edge; ++row) {
        for (unsigned column = 0; column < edge; ++column) {
            const kaVector3f d = Direction(face, row, column, edge);
            uint8_t* texel = texels + (size_t(row) * edge + column) * 4;
            texel[0] = Pack(d.x);
            texel[1] = Pack(d.y);
            texel[2] = Pack(d.z);
            texel[3] = 255;
        }
    }
}

int kaNormalizationCubeMap::Create(kaBaseTexture** texture, unsigned edge) {
    *texture = nullptr;
    // The upload copies whole device levels, so the device must have made
    // the level in the format and the size of the faces built here.
    unsigned format = 0, width = 0, height = 0;
    if (edge == 0 || gDevice == nullptr ||
        gDevice->CreateCubeTexture(texture, edge, kFormat, 1, 0) != KA_OK || *texture == nullptr ||
        (*texture)->getLevelDesc(&format, &width, &height, nullptr, 0) != KA_OK ||
        format != kFormat || width != edge || height != edge) {
        if (*texture != nullptr) (*texture)->Release();
        *texture = nullptr;
        ErrorBox(kCaption, "Creating normalization cube map!");
        return KA_ERR_INITFAILED;
    }
    if (Upload(*texture, edge) != KA_OK) {
        (*texture)->Release();
        *texture = nullptr;
        return KA_ERR_INITFAILED;
    }
    return KA_OK;
}

int kaNormalizationCubeMap::Upload(kaBaseTexture* texture, unsigned edge) {
    std::vector<uint8_t> texels(size_t(edge) * edge * 4);
    for (unsigned face = 0; face < kFaces; ++face) {
        FillFace(texels.data(), face, edge);
        if (texture->UpdateCubeFaceBuffer(texels.data(), face, 0) != KA_OK) {
            ErrorBox(kCaption, "Updating normalization cube map");
            return KA_ERR_INITFAILED;
        }
    }
    return KA_OK;
}
