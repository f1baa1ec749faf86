// The platform side of the state cache: each hook passes one value that
// really changed on to Direct3D 8.
#include "kaD3DBaseTexture.h"
#include "kaD3DIndexBuffer.h"
#include "kaD3DPixelShader.h"
#include "kaD3DRenderDevice.h"
#include "kaD3DVertexBuffer.h"
#include "kaD3DVertexShader.h"

static_assert(sizeof(kaLight) == sizeof(D3DLIGHT8), "kaLight is handed to the platform");
static_assert(sizeof(kaMaterial) == sizeof(D3DMATERIAL8), "kaMaterial is handed to the platform");
static_assert(sizeof(kaMatrix44f) == sizeof(D3DMATRIX), "kaMatrix44f is handed to the platform");

bool kaD3DRenderDevice::PlatformReady() const { return mDevice != nullptr; }

bool kaD3DRenderDevice::PlatformRenderState(unsigned state, uint32_t value) {
    return SUCCEEDED(mDevice->SetRenderState(static_cast<D3DRENDERSTATETYPE>(state), value));
}

bool kaD3DRenderDevice::PlatformLightEnable(unsigned index, uint32_t enabled) {
    return SUCCEEDED(mDevice->LightEnable(index, enabled));
}

bool kaD3DRenderDevice::PlatformTextureState(unsigned stage, unsigned state, uint32_t value) {
    return SUCCEEDED(mDevice->SetTextureStageState(
        stage, static_cast<D3DTEXTURESTAGESTATETYPE>(state), value));
}

bool kaD3DRenderDevice::PlatformTexture(unsigned stage, kaBaseTexture* texture) {
    IDirect3DBaseTexture8* platform =
        texture ? static_cast<kaD3DBaseTexture*>(texture)->getPlatformTexture() : nullptr;
    return SUCCEEDED(mDevice->SetTexture(stage, platform));
}

bool kaD3DRenderDevice::PlatformVertexBuffer(kaVertexBuffer* buffer) {
    auto* d3dBuffer = static_cast<kaD3DVertexBuffer*>(buffer);
    if (d3dBuffer == nullptr) return SUCCEEDED(mDevice->SetStreamSource(0, nullptr, 0));
    return SUCCEEDED(
        mDevice->SetStreamSource(0, d3dBuffer->getPlatformBuffer(), d3dBuffer->getVertexSize()));
}

bool kaD3DRenderDevice::PlatformIndexBuffer(kaIndexBuffer* buffer) {
    IDirect3DIndexBuffer8* platform =
        buffer ? static_cast<kaD3DIndexBuffer*>(buffer)->getPlatformBuffer() : nullptr;
    return SUCCEEDED(mDevice->SetIndices(platform, 0));
}

// Direct3D 8 takes a vertex format and a vertex-shader handle in one word.
bool kaD3DRenderDevice::PlatformVertexProcessing(const kaVertexProcessing& processing) {
    const DWORD value = processing.shader
                            ? static_cast<kaD3DVertexShader*>(processing.shader)->getHandle()
                            : processing.format;
    return SUCCEEDED(mDevice->SetVertexShader(value));
}

bool kaD3DRenderDevice::PlatformPixelShader(kaPixelShader* shader) {
    const DWORD handle = shader ? static_cast<kaD3DPixelShader*>(shader)->getHandle() : 0;
    return SUCCEEDED(mDevice->SetPixelShader(handle));
}

bool kaD3DRenderDevice::PlatformVertexShaderConstant(int firstRegister, const float* values,
                                                     unsigned registerCount) {
    return SUCCEEDED(mDevice->SetVertexShaderConstant(firstRegister, values, registerCount));
}

bool kaD3DRenderDevice::PlatformPixelShaderConstant(int firstRegister, const float* values,
                                                    unsigned registerCount) {
    return SUCCEEDED(mDevice->SetPixelShaderConstant(firstRegister, values, registerCount));
}

bool kaD3DRenderDevice::PlatformViewport(const kaViewport& viewport) {
    const D3DVIEWPORT8 platform{viewport.x, viewport.y, viewport.width, viewport.height, 0.0f,
                                1.0f};
    return SUCCEEDED(mDevice->SetViewport(&platform));
}

bool kaD3DRenderDevice::PlatformLight(unsigned index, const kaLight& light) {
    return SUCCEEDED(mDevice->SetLight(index, reinterpret_cast<const D3DLIGHT8*>(&light)));
}

bool kaD3DRenderDevice::PlatformMaterial(const kaMaterial& material) {
    return SUCCEEDED(mDevice->SetMaterial(reinterpret_cast<const D3DMATERIAL8*>(&material)));
}

bool kaD3DRenderDevice::PlatformTransform(unsigned id, const kaMatrix44f& matrix) {
    return SUCCEEDED(mDevice->SetTransform(static_cast<D3DTRANSFORMSTATETYPE>(id),
                                           reinterpret_cast<const D3DMATRIX*>(&matrix)));
}

void kaD3DRenderDevice::ReadViewportFromPlatform() {
    D3DVIEWPORT8 platform;
    if (SUCCEEDED(mDevice->GetViewport(&platform))) {
        MirrorViewport(kaViewport{platform.X, platform.Y, platform.Width, platform.Height});
    }
}
