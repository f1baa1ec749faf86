// The state cache: compared and uncompared setters, getters answered from the
// cache, the state stack, and the default state built at initialisation.
#include <cstring>

#include "kaD3DBaseTexture.h"
#include "kaD3DIndexBuffer.h"
#include "kaD3DPixelShader.h"
#include "kaD3DRenderDevice.h"
#include "kaD3DVertexBuffer.h"
#include "kaD3DVertexShader.h"
#include "kaMatrixMath.h"
#include "kaPackedColor.h"
#include "kaResult.h"

static_assert(sizeof(kaLight) == sizeof(D3DLIGHT8), "kaLight is handed to the platform");
static_assert(sizeof(kaMaterial) == sizeof(D3DMATERIAL8), "kaMaterial is handed to the platform");
static_assert(sizeof(kaMatrix44f) == sizeof(D3DMATRIX), "kaMatrix44f is handed to the platform");

namespace {

uint32_t FloatBits(float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

struct RenderStateDefault {
    D3DRENDERSTATETYPE state;
    uint32_t value;
};

// The render states of the default state, in the order a restore applies them.
const RenderStateDefault kDefaultRenderStates[] = {
    {D3DRS_ZENABLE, 1},
    {D3DRS_ZWRITEENABLE, 1},
    {D3DRS_ZFUNC, D3DCMP_LESSEQUAL},
    {D3DRS_ZBIAS, 0},
    {D3DRS_FILLMODE, D3DFILL_SOLID},
    {D3DRS_SHADEMODE, D3DSHADE_GOURAUD},
    {D3DRS_EDGEANTIALIAS, 0},
    {D3DRS_LINEPATTERN, 0},
    {D3DRS_CULLMODE, D3DCULL_CCW},
    {D3DRS_ALPHABLENDENABLE, 0},
    {D3DRS_BLENDOP, D3DBLENDOP_ADD},
    {D3DRS_SRCBLEND, D3DBLEND_ONE},
    {D3DRS_DESTBLEND, D3DBLEND_ZERO},
    {D3DRS_ALPHATESTENABLE, 0},
    {D3DRS_ALPHAREF, 0},
    {D3DRS_ALPHAFUNC, D3DCMP_ALWAYS},
    {D3DRS_LIGHTING, 1},
    {D3DRS_DITHERENABLE, 0},
    {D3DRS_SPECULARENABLE, 0},
    {D3DRS_NORMALIZENORMALS, 0},
    {D3DRS_AMBIENT, 0},
    {D3DRS_COLORWRITEENABLE, 0xF},
    {D3DRS_FOGENABLE, 0},
    {D3DRS_RANGEFOGENABLE, 0},
    {D3DRS_STENCILENABLE, 0},
    {D3DRS_STENCILFAIL, D3DSTENCILOP_KEEP},
    {D3DRS_STENCILZFAIL, D3DSTENCILOP_KEEP},
    {D3DRS_STENCILPASS, D3DSTENCILOP_KEEP},
    {D3DRS_STENCILFUNC, D3DCMP_ALWAYS},
    {D3DRS_STENCILREF, 0},
    {D3DRS_STENCILMASK, 0xFFFFFFFF},
    {D3DRS_STENCILWRITEMASK, 0xFFFFFFFF},
    {D3DRS_TEXTUREFACTOR, 0xFFFFFFFF},
    {D3DRS_COLORVERTEX, 1},
    {D3DRS_LOCALVIEWER, 1},
    {D3DRS_SOFTWAREVERTEXPROCESSING, 0},
    {D3DRS_POINTSIZE, FloatBits(1.0f)},
    {D3DRS_POINTSIZE_MIN, FloatBits(0.0f)},
    {D3DRS_POINTSIZE_MAX, FloatBits(64.0f)},
    {D3DRS_POINTSCALEENABLE, 0},
    {D3DRS_POINTSCALE_A, FloatBits(1.0f)},
    {D3DRS_POINTSCALE_B, FloatBits(0.0f)},
    {D3DRS_POINTSCALE_C, FloatBits(0.0f)},
    {D3DRS_POINTSPRITEENABLE, 0},
    {D3DRS_MULTISAMPLEANTIALIAS, 0},
    {D3DRS_VERTEXBLEND, 0},
    {D3DRS_INDEXEDVERTEXBLENDENABLE, 0},
};
static_assert(sizeof kDefaultRenderStates / sizeof kDefaultRenderStates[0] == 47,
              "the default state sets 47 render states");

// The texture-stage states a restore applies to each stage, in this order.
const D3DTEXTURESTAGESTATETYPE kRestoredStageStates[] = {
    D3DTSS_MIPFILTER,     D3DTSS_MINFILTER,     D3DTSS_MAGFILTER,      D3DTSS_COLOROP,
    D3DTSS_COLORARG1,     D3DTSS_COLORARG2,     D3DTSS_ALPHAOP,        D3DTSS_ALPHAARG1,
    D3DTSS_ALPHAARG2,     D3DTSS_COLORARG0,     D3DTSS_ALPHAARG0,      D3DTSS_RESULTARG,
    D3DTSS_TEXCOORDINDEX, D3DTSS_ADDRESSU,      D3DTSS_ADDRESSV,       D3DTSS_ADDRESSW,
    D3DTSS_BORDERCOLOR,   D3DTSS_MIPMAPLODBIAS, D3DTSS_MAXMIPLEVEL,    D3DTSS_MAXANISOTROPY,
    D3DTSS_TEXTURETRANSFORMFLAGS,
};
static_assert(sizeof kRestoredStageStates / sizeof kRestoredStageStates[0] == 21,
              "a restore applies 21 states per stage");

// Stage 0 modulates the texture with the current colour; stages 1 to 7 are
// the same but disabled.
void SetDefaultStageStates(kaD3DState& state) {
    uint32_t* stage0 = state.textureStates[0];
    stage0[D3DTSS_COLOROP] = D3DTOP_MODULATE;
    stage0[D3DTSS_COLORARG1] = D3DTA_CURRENT;
    stage0[D3DTSS_COLORARG2] = D3DTA_TEXTURE;
    stage0[D3DTSS_ALPHAOP] = D3DTOP_MODULATE;
    stage0[D3DTSS_ALPHAARG1] = D3DTA_CURRENT;
    stage0[D3DTSS_ALPHAARG2] = D3DTA_TEXTURE;
    stage0[D3DTSS_COLORARG0] = D3DTA_CURRENT;
    stage0[D3DTSS_ALPHAARG0] = D3DTA_CURRENT;
    stage0[D3DTSS_RESULTARG] = D3DTA_CURRENT;
    stage0[D3DTSS_TEXCOORDINDEX] = 0;
    stage0[D3DTSS_ADDRESSU] = D3DTADDRESS_WRAP;
    stage0[D3DTSS_ADDRESSV] = D3DTADDRESS_WRAP;
    stage0[D3DTSS_ADDRESSW] = D3DTADDRESS_WRAP;
    stage0[D3DTSS_BORDERCOLOR] = 0;
    stage0[D3DTSS_MAGFILTER] = D3DTEXF_LINEAR;
    stage0[D3DTSS_MINFILTER] = D3DTEXF_LINEAR;
    stage0[D3DTSS_MIPFILTER] = D3DTEXF_LINEAR;
    stage0[D3DTSS_MIPMAPLODBIAS] = 0;
    stage0[D3DTSS_MAXMIPLEVEL] = 0;
    stage0[D3DTSS_MAXANISOTROPY] = 1;
    stage0[D3DTSS_TEXTURETRANSFORMFLAGS] = 0;
    for (unsigned stage = 1; stage < kaMaxTextureStages; ++stage) {
        std::memcpy(state.textureStates[stage], stage0, sizeof state.textureStates[stage]);
        state.textureStates[stage][D3DTSS_COLOROP] = D3DTOP_DISABLE;
        state.textureStates[stage][D3DTSS_ALPHAOP] = D3DTOP_DISABLE;
    }
}

void SetDefaultTransforms(kaD3DTransformState& transforms) {
    const kaMatrix44f identity = kaMatrixMath::Identity();
    transforms.view = identity;
    transforms.projection = identity;
    transforms.world[0] = identity;
    for (kaMatrix44f& texture : transforms.texture) texture = identity;
}

// One white directional light along +z, enabled; the other seven off.
void SetDefaultLights(kaD3DLightState& lights) {
    kaLight& light = lights.light[0];
    light.type = D3DLIGHT_DIRECTIONAL;
    light.diffuse = kaColorValue{1.0f, 1.0f, 1.0f, 1.0f};
    light.direction = kaVector3f{0.0f, 0.0f, 1.0f};
    lights.enabled[0] = 1;
}

void SetDefaultFogAndMaterial(kaD3DState& state) {
    state.fog.mode = D3DFOG_LINEAR;
    state.fog.end = 1.0f;
    state.fog.density = 1.0f;
    state.material.diffuse = kaColorValue{0.8f, 0.8f, 0.8f, 1.0f};
}

bool IsLightEnable(unsigned state) { return state >= KA_RS_LIGHTENABLE0; }

}  // namespace

// Render states.

int kaD3DRenderDevice::setRenderState(unsigned state, unsigned value) {
    if (!mDevice) return KA_ERR_WRONGSTATE;
    if (IsLightEnable(state)) {
        if (state > KA_RS_LIGHTENABLE_LAST) return KA_ERR_INVALIDARG;
        uint32_t& enabled = mCurrent.lights.enabled[state - KA_RS_LIGHTENABLE0];
        if (enabled == value) return KA_OK;
        if (FAILED(mDevice->LightEnable(state - KA_RS_LIGHTENABLE0, value))) {
            return KA_ERR_PLATFORM;
        }
        enabled = value;
        return KA_OK;
    }
    if (state >= kaRenderStateCount) return KA_ERR_INVALIDARG;
    uint32_t& cached = mCurrent.renderStates[state];
    if (cached == value) return KA_OK;
    if (FAILED(mDevice->SetRenderState(static_cast<D3DRENDERSTATETYPE>(state), value))) {
        return KA_ERR_PLATFORM;
    }
    cached = value;
    return KA_OK;
}

int kaD3DRenderDevice::getRenderState(unsigned state, unsigned* value) {
    if (!value) return KA_ERR_INVALIDARG;
    if (IsLightEnable(state)) {
        if (state > KA_RS_LIGHTENABLE_LAST) return KA_ERR_INVALIDARG;
        *value = mCurrent.lights.enabled[state - KA_RS_LIGHTENABLE0];
        return KA_OK;
    }
    if (state >= kaRenderStateCount) return KA_ERR_INVALIDARG;
    *value = mCurrent.renderStates[state];
    return KA_OK;
}

int kaD3DRenderDevice::setTextureState(unsigned stage, unsigned state, unsigned value) {
    if (!mDevice) return KA_ERR_WRONGSTATE;
    if (stage >= kaMaxTextureStages || state >= kaTextureStateCount) return KA_ERR_INVALIDARG;
    uint32_t& cached = mCurrent.textureStates[stage][state];
    if (cached == value) return KA_OK;
    if (FAILED(mDevice->SetTextureStageState(stage, static_cast<D3DTEXTURESTAGESTATETYPE>(state),
                                             value))) {
        return KA_ERR_PLATFORM;
    }
    cached = value;
    return KA_OK;
}

int kaD3DRenderDevice::getTextureState(unsigned stage, unsigned state, unsigned* value) {
    if (!value || stage >= kaMaxTextureStages || state >= kaTextureStateCount) {
        return KA_ERR_INVALIDARG;
    }
    *value = mCurrent.textureStates[stage][state];
    return KA_OK;
}

// Resources bound to the pipeline.  None of these counts a reference.

int kaD3DRenderDevice::setTexture(unsigned stage, kaBaseTexture* texture) {
    if (!mDevice) return KA_ERR_WRONGSTATE;
    if (stage >= kaMaxTextureStages) return KA_ERR_INVALIDARG;
    if (mCurrent.textures[stage] == texture) return KA_OK;
    IDirect3DBaseTexture8* platform =
        texture ? static_cast<kaD3DBaseTexture*>(texture)->getPlatformTexture() : nullptr;
    if (FAILED(mDevice->SetTexture(stage, platform))) return KA_ERR_PLATFORM;
    mCurrent.textures[stage] = texture;
    return KA_OK;
}

int kaD3DRenderDevice::getTexture(unsigned stage, kaBaseTexture** texture) {
    if (!texture || stage >= kaMaxTextureStages) return KA_ERR_INVALIDARG;
    *texture = mCurrent.textures[stage];
    return KA_OK;
}

int kaD3DRenderDevice::setVertexBuffer(kaVertexBuffer* buffer) {
    if (!mDevice) return KA_ERR_WRONGSTATE;
    if (!buffer) return KA_ERR_INVALIDARG;
    if (mCurrent.vertexBuffer == buffer) return KA_OK;
    auto* d3dBuffer = static_cast<kaD3DVertexBuffer*>(buffer);
    if (FAILED(mDevice->SetStreamSource(0, d3dBuffer->getPlatformBuffer(),
                                        d3dBuffer->getVertexSize()))) {
        return KA_ERR_PLATFORM;
    }
    mCurrent.vertexBuffer = buffer;
    return KA_OK;
}

int kaD3DRenderDevice::setIndexBuffer(kaIndexBuffer* buffer) {
    if (!mDevice) return KA_ERR_WRONGSTATE;
    if (!buffer) return KA_ERR_INVALIDARG;
    if (mCurrent.indexBuffer == buffer) return KA_OK;
    auto* d3dBuffer = static_cast<kaD3DIndexBuffer*>(buffer);
    if (FAILED(mDevice->SetIndices(d3dBuffer->getPlatformBuffer(), 0))) return KA_ERR_PLATFORM;
    mCurrent.indexBuffer = buffer;
    return KA_OK;
}

// Vertex processing: a fixed-function format or a vertex shader in one cached word.

int kaD3DRenderDevice::setVertexFormat(unsigned vertexFormat) {
    return SetVertexProcessing(kaD3DVertexProcessing{vertexFormat, nullptr}, vertexFormat);
}

int kaD3DRenderDevice::setVertexShader(kaVertexShader* shader) {
    const DWORD handle = shader ? static_cast<kaD3DVertexShader*>(shader)->getHandle() : 0;
    return SetVertexProcessing(kaD3DVertexProcessing{0, shader}, handle);
}

int kaD3DRenderDevice::SetVertexProcessing(const kaD3DVertexProcessing& processing,
                                           DWORD platformValue) {
    if (!mDevice) return KA_ERR_WRONGSTATE;
    if (mCurrent.vertexProcessing == processing) return KA_OK;
    if (FAILED(mDevice->SetVertexShader(platformValue))) return KA_ERR_PLATFORM;
    mCurrent.vertexProcessing = processing;
    return KA_OK;
}

// Uncached setters: they always reach the platform.

int kaD3DRenderDevice::setPixelShader(kaPixelShader* shader) {
    if (!mDevice) return KA_ERR_WRONGSTATE;
    const DWORD handle = shader ? static_cast<kaD3DPixelShader*>(shader)->getHandle() : 0;
    return FAILED(mDevice->SetPixelShader(handle)) ? KA_ERR_PLATFORM : KA_OK;
}

int kaD3DRenderDevice::setVertexShaderConstant(int firstRegister, float* values,
                                               unsigned registerCount) {
    if (!mDevice) return KA_ERR_WRONGSTATE;
    if (!values) return KA_ERR_INVALIDARG;
    return FAILED(mDevice->SetVertexShaderConstant(firstRegister, values, registerCount))
               ? KA_ERR_PLATFORM
               : KA_OK;
}

int kaD3DRenderDevice::setPixelShaderConstant(int firstRegister, float* values,
                                              unsigned registerCount) {
    if (!mDevice) return KA_ERR_WRONGSTATE;
    if (!values) return KA_ERR_INVALIDARG;
    return FAILED(mDevice->SetPixelShaderConstant(firstRegister, values, registerCount))
               ? KA_ERR_PLATFORM
               : KA_OK;
}

int kaD3DRenderDevice::setViewport(kaViewport* viewport) {
    if (!mDevice) return KA_ERR_WRONGSTATE;
    if (!viewport) return KA_ERR_INVALIDARG;
    const D3DVIEWPORT8 platform{viewport->x, viewport->y, viewport->width, viewport->height,
                                0.0f, 1.0f};
    if (FAILED(mDevice->SetViewport(&platform))) return KA_ERR_PLATFORM;
    mCurrent.viewport = *viewport;
    return KA_OK;
}

int kaD3DRenderDevice::getViewport(kaViewport* viewport) {
    if (!viewport) return KA_ERR_INVALIDARG;
    *viewport = mCurrent.viewport;
    return KA_OK;
}

void kaD3DRenderDevice::ReadViewportFromPlatform() {
    D3DVIEWPORT8 platform;
    if (SUCCEEDED(mDevice->GetViewport(&platform))) {
        mCurrent.viewport = kaViewport{platform.X, platform.Y, platform.Width, platform.Height};
    }
}

int kaD3DRenderDevice::setLight(unsigned index, kaLight* light) {
    if (!mDevice) return KA_ERR_WRONGSTATE;
    if (!light || index >= kaMaxLights) return KA_ERR_INVALIDARG;
    if (FAILED(mDevice->SetLight(index, reinterpret_cast<const D3DLIGHT8*>(light)))) {
        return KA_ERR_PLATFORM;
    }
    mCurrent.lights.light[index] = *light;
    return KA_OK;
}

int kaD3DRenderDevice::getLight(unsigned index, kaLight* light) {
    if (!light || index >= kaMaxLights) return KA_ERR_INVALIDARG;
    *light = mCurrent.lights.light[index];
    return KA_OK;
}

int kaD3DRenderDevice::setMaterial(kaMaterial* material) {
    if (!mDevice) return KA_ERR_WRONGSTATE;
    if (!material) return KA_ERR_INVALIDARG;
    if (FAILED(mDevice->SetMaterial(reinterpret_cast<const D3DMATERIAL8*>(material)))) {
        return KA_ERR_PLATFORM;
    }
    mCurrent.material = *material;
    return KA_OK;
}

int kaD3DRenderDevice::getMaterial(kaMaterial* material) {
    if (!material) return KA_ERR_INVALIDARG;
    *material = mCurrent.material;
    return KA_OK;
}

// Fog goes straight to the platform's fog render states, past the render-state
// cache, and ignores the platform's answers.
int kaD3DRenderDevice::setFog(kaFog* fog) {
    if (!mDevice) return KA_ERR_WRONGSTATE;
    if (!fog) return KA_ERR_INVALIDARG;
    const bool perPixel = fog->mode >= 128;
    const uint32_t mode = perPixel ? fog->mode - 128 : fog->mode;
    mDevice->SetRenderState(perPixel ? D3DRS_FOGVERTEXMODE : D3DRS_FOGTABLEMODE, 0);
    mDevice->SetRenderState(perPixel ? D3DRS_FOGTABLEMODE : D3DRS_FOGVERTEXMODE, mode);
    if (mode == D3DFOG_LINEAR) {
        mDevice->SetRenderState(D3DRS_FOGSTART, FloatBits(fog->start));
        mDevice->SetRenderState(D3DRS_FOGEND, FloatBits(fog->end));
    } else {
        mDevice->SetRenderState(D3DRS_FOGDENSITY, FloatBits(fog->density));
    }
    mDevice->SetRenderState(D3DRS_FOGCOLOR,
                            kaPackedColor::FromBytes(kaPackedColor::Channel(fog->red),
                                                     kaPackedColor::Channel(fog->green),
                                                     kaPackedColor::Channel(fog->blue), 0));
    mCurrent.fog = *fog;
    return KA_OK;
}

int kaD3DRenderDevice::getFog(kaFog* fog) {
    if (!fog) return KA_ERR_INVALIDARG;
    *fog = mCurrent.fog;
    return KA_OK;
}

// The state stack.

int kaD3DRenderDevice::PushState(unsigned mask) {
    if (!mDevice) return KA_ERR_WRONGSTATE;
    if (mStackTop >= kStackDepth - 1) return KA_ERR_OUTOFMEMORY;
    kaD3DState& entry = mStack[++mStackTop];
    entry.CopySections(mCurrent, mask);
    entry.mask = mask;
    return KA_OK;
}

int kaD3DRenderDevice::PopState() {
    if (!mDevice) return KA_ERR_WRONGSTATE;
    if (mStackTop < 0) return KA_ERR_WRONGSTATE;
    ApplyState(&mStack[mStackTop--]);
    return KA_OK;
}

int kaD3DRenderDevice::ResetState(unsigned mask) {
    if (!mDevice) return KA_ERR_WRONGSTATE;
    mDefault.mask = mask;
    ApplyState(&mDefault);
    mDefault.mask = KA_STATE_ALL;
    return KA_OK;
}

// Re-applies the sections chosen by the block's mask through the device's own
// setters, so only values that differ from the cache reach the platform
// (fog, material, lights and transforms always do).  Results are ignored.
void kaD3DRenderDevice::ApplyState(kaD3DState* block) {
    const unsigned mask = block->mask;
    if (mask & KA_STATE_TEXTURESTATES) {
        for (unsigned stage = 0; stage < kaMaxTextureStages; ++stage) {
            for (D3DTEXTURESTAGESTATETYPE state : kRestoredStageStates) {
                setTextureState(stage, state, block->textureStates[stage][state]);
            }
        }
    }
    if (mask & KA_STATE_RENDERSTATES) {
        for (const RenderStateDefault& entry : kDefaultRenderStates) {
            setRenderState(entry.state, block->renderStates[entry.state]);
        }
    }
    if (mask & KA_STATE_FOG) setFog(&block->fog);
    if (mask & KA_STATE_MATERIAL) setMaterial(&block->material);
    if (mask & KA_STATE_LIGHTS) {
        setLight(0, &block->lights.light[0]);
        for (unsigned i = 0; i < kaMaxLights; ++i) {
            setRenderState(KA_RS_LIGHTENABLE0 + i, block->lights.enabled[i]);
        }
    }
    if (mask & KA_STATE_TRANSFORMS) {
        kaD3DTransformState& transforms = block->transforms;
        setMatrix(KA_TS_PROJECTION, &transforms.projection);
        setMatrix(KA_TS_VIEW, &transforms.view);
        setMatrix(KA_TS_WORLD, &transforms.world[0]);
        for (unsigned stage = 0; stage < kaMaxTextureStages; ++stage) {
            setMatrix(KA_TS_TEXTURE0 + stage, &transforms.texture[stage]);
        }
    }
}

// Builds the default state and applies it.  The current state is first filled
// with the byte 0xEF so that every compared setter finds a difference and each
// default reaches the platform once; the parts that no section restores
// (textures, buffers, vertex processing, viewport, the world matrices other
// than 0) take the platform's own initial values instead, so the cache never
// holds a value the platform does not.
void kaD3DRenderDevice::InitDefaultState() {
    std::memset(static_cast<void*>(&mDefault), 0, sizeof mDefault);
    std::memset(static_cast<void*>(&mCurrent), 0xEF, sizeof mCurrent);
    MirrorPlatformInitialState();

    for (const RenderStateDefault& entry : kDefaultRenderStates) {
        mDefault.renderStates[entry.state] = entry.value;
    }
    SetDefaultStageStates(mDefault);
    SetDefaultTransforms(mDefault.transforms);
    SetDefaultLights(mDefault.lights);
    SetDefaultFogAndMaterial(mDefault);
    mDefault.mask = KA_STATE_ALL;
    ApplyState(&mDefault);
}

void kaD3DRenderDevice::MirrorPlatformInitialState() {
    mCurrent.ForgetStreams();
    for (kaBaseTexture*& texture : mCurrent.textures) texture = nullptr;
    const kaMatrix44f identity = kaMatrixMath::Identity();
    for (kaMatrix44f& world : mCurrent.transforms.world) world = identity;
    ReadViewportFromPlatform();
}
