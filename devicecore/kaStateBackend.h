#pragma once

#include <cstdint>

#include "kaDeviceState.h"

class kaBaseTexture;
class kaIndexBuffer;
class kaPixelShader;
class kaVertexBuffer;

// What a device's platform is told when a cached value really changes.  The
// state cache decides whether a value reaches the platform and in which
// order a restore applies it; the backend only carries it out.  A hook that
// answers false leaves the cache as it was, and the setter answers 1.
class kaStateBackend {
public:
    // True once the platform device exists; setters answer 3 before.
    virtual bool PlatformReady() const = 0;

    virtual bool PlatformRenderState(unsigned state, uint32_t value) = 0;
    virtual bool PlatformLightEnable(unsigned index, uint32_t enabled) = 0;
    virtual bool PlatformTextureState(unsigned stage, unsigned state, uint32_t value) = 0;
    // texture may be null: nothing bound at that stage.  The same goes for
    // the shader of PlatformPixelShader.
    virtual bool PlatformTexture(unsigned stage, kaBaseTexture* texture) = 0;
    // buffer may be null: the stream or the indices become empty.
    virtual bool PlatformVertexBuffer(kaVertexBuffer* buffer) = 0;
    virtual bool PlatformIndexBuffer(kaIndexBuffer* buffer) = 0;
    virtual bool PlatformVertexProcessing(const kaVertexProcessing& processing) = 0;
    virtual bool PlatformPixelShader(kaPixelShader* shader) = 0;
    virtual bool PlatformVertexShaderConstant(int firstRegister, const float* values,
                                              unsigned registerCount) = 0;
    virtual bool PlatformPixelShaderConstant(int firstRegister, const float* values,
                                             unsigned registerCount) = 0;
    virtual bool PlatformViewport(const kaViewport& viewport) = 0;
    virtual bool PlatformLight(unsigned index, const kaLight& light) = 0;
    virtual bool PlatformMaterial(const kaMaterial& material) = 0;
    virtual bool PlatformTransform(unsigned id, const kaMatrix44f& matrix) = 0;

protected:
    ~kaStateBackend() = default;
};
