#pragma once

#include <cstdint>

#include "kaRenderTypes.h"

class kaBaseTexture;
class kaIndexBuffer;
class kaVertexBuffer;
class kaVertexShader;

constexpr unsigned kaMaxWorldMatrices = 256;
constexpr unsigned kaMaxTextureStages = 8;
constexpr unsigned kaMaxLights = 8;
constexpr unsigned kaRenderStateCount = 256;
constexpr unsigned kaTextureStateCount = 128;

// The 266 cached transforms: world matrices, view, projection, texture matrices.
struct kaTransformState {
    kaMatrix44f world[kaMaxWorldMatrices];
    kaMatrix44f view;
    kaMatrix44f projection;
    kaMatrix44f texture[kaMaxTextureStages];

    // The cached matrix of a transform identifier, or null for identifiers
    // outside the cache (2, 3, 16 to 23, 256 to 511 are cached).
    kaMatrix44f* Find(unsigned id);
    const kaMatrix44f* Find(unsigned id) const;
};

struct kaLightState {
    uint32_t enabled[kaMaxLights];
    kaLight light[kaMaxLights];
};

// Vertex processing is either a fixed-function vertex format or a vertex
// shader; the two are kept in separate fields so that a format number can
// never be mistaken for a shader pointer (or the other way round).
struct kaVertexProcessing {
    uint32_t format;
    kaVertexShader* shader;

    bool operator==(const kaVertexProcessing& other) const {
        return format == other.format && shader == other.shader;
    }
    bool isNone() const { return format == 0 && shader == nullptr; }
};

// One block of device state: the device's mirror of the platform (current),
// the defaults, and each entry of the state stack.
struct kaDeviceState {
    kaTransformState transforms;
    kaLightState lights;
    uint32_t renderStates[kaRenderStateCount];
    uint32_t textureStates[kaMaxTextureStages][kaTextureStateCount];
    kaViewport viewport;
    kaFog fog;
    kaMaterial material;
    kaVertexProcessing vertexProcessing;
    kaBaseTexture* textures[kaMaxTextureStages];
    kaVertexBuffer* vertexBuffer;
    kaIndexBuffer* indexBuffer;
    uint32_t mask;

    // Copies the sections chosen by mask from another block; all twelve parts
    // when every section bit is set.
    void CopySections(const kaDeviceState& from, unsigned sectionMask);
    // Forgets the current buffers and vertex processing (end of a frame).
    void ForgetStreams();
};
