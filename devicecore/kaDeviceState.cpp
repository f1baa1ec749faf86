#include "kaDeviceState.h"

#include <cstring>

kaMatrix44f* kaTransformState::Find(unsigned id) {
    if (id == KA_TS_VIEW) return &view;
    if (id == KA_TS_PROJECTION) return &projection;
    if (id >= KA_TS_TEXTURE0 && id < KA_TS_TEXTURE0 + kaMaxTextureStages) {
        return &texture[id - KA_TS_TEXTURE0];
    }
    if (id >= KA_TS_WORLD && id < KA_TS_WORLD + kaMaxWorldMatrices) {
        return &world[id - KA_TS_WORLD];
    }
    return nullptr;
}

const kaMatrix44f* kaTransformState::Find(unsigned id) const {
    return const_cast<kaTransformState*>(this)->Find(id);
}

void kaDeviceState::CopySections(const kaDeviceState& from, unsigned sectionMask) {
    if ((sectionMask & KA_STATE_ALL) == KA_STATE_ALL) {
        *this = from;
        return;
    }
    if (sectionMask & KA_STATE_TRANSFORMS) transforms = from.transforms;
    if (sectionMask & KA_STATE_LIGHTS) lights = from.lights;
    if (sectionMask & KA_STATE_MATERIAL) material = from.material;
    if (sectionMask & KA_STATE_FOG) fog = from.fog;
    if (sectionMask & KA_STATE_RENDERSTATES) {
        std::memcpy(renderStates, from.renderStates, sizeof renderStates);
    }
    if (sectionMask & KA_STATE_TEXTURESTATES) {
        std::memcpy(textureStates, from.textureStates, sizeof textureStates);
    }
}

void kaDeviceState::ForgetStreams() {
    indexBuffer = nullptr;
    vertexBuffer = nullptr;
    vertexProcessing = kaVertexProcessing{0, nullptr};
}
