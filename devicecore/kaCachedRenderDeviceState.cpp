// The state cache: compared and uncompared setters, getters answered from the
// cache, the state stack, and the default state built at initialisation.
#include <cstring>

#include "kaCachedRenderDevice.h"
#include "kaDeviceNumbers.h"
#include "kaMatrixMath.h"
#include "kaPackedColor.h"
#include "kaResult.h"

namespace {

uint32_t FloatBits(float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

struct RenderStateValue {
    unsigned state;
    uint32_t value;
};

// The render states of the default state, in the order a restore applies them.
const RenderStateValue kDefaultRenderStates[] = {
    {KA_RS_ZENABLE, 1},
    {KA_RS_ZWRITEENABLE, 1},
    {KA_RS_ZFUNC, KA_CMP_LESSEQUAL},
    {KA_RS_ZBIAS, 0},
    {KA_RS_FILLMODE, KA_FILL_SOLID},
    {KA_RS_SHADEMODE, KA_SHADE_GOURAUD},
    {KA_RS_EDGEANTIALIAS, 0},
    {KA_RS_LINEPATTERN, 0},
    {KA_RS_CULLMODE, KA_CULL_CCW},
    {KA_RS_ALPHABLENDENABLE, 0},
    {KA_RS_BLENDOP, KA_BLENDOP_ADD},
    {KA_RS_SRCBLEND, KA_BLEND_ONE},
    {KA_RS_DESTBLEND, KA_BLEND_ZERO},
    {KA_RS_ALPHATESTENABLE, 0},
    {KA_RS_ALPHAREF, 0},
    {KA_RS_ALPHAFUNC, KA_CMP_ALWAYS},
    {KA_RS_LIGHTING, 1},
    {KA_RS_DITHERENABLE, 0},
    {KA_RS_SPECULARENABLE, 0},
    {KA_RS_NORMALIZENORMALS, 0},
    {KA_RS_AMBIENT, 0},
    {KA_RS_COLORWRITEENABLE, 0xF},
    {KA_RS_FOGENABLE, 0},
    {KA_RS_RANGEFOGENABLE, 0},
    {KA_RS_STENCILENABLE, 0},
    {KA_RS_STENCILFAIL, KA_STENCILOP_KEEP},
    {KA_RS_STENCILZFAIL, KA_STENCILOP_KEEP},
    {KA_RS_STENCILPASS, KA_STENCILOP_KEEP},
    {KA_RS_STENCILFUNC, KA_CMP_ALWAYS},
    {KA_RS_STENCILREF, 0},
    {KA_RS_STENCILMASK, 0xFFFFFFFF},
    {KA_RS_STENCILWRITEMASK, 0xFFFFFFFF},
    {KA_RS_TEXTUREFACTOR, 0xFFFFFFFF},
    {KA_RS_COLORVERTEX, 1},
    {KA_RS_LOCALVIEWER, 1},
    {KA_RS_SOFTWAREVERTEXPROCESSING, 0},
    {KA_RS_POINTSIZE, FloatBits(1.0f)},
    {KA_RS_POINTSIZE_MIN, FloatBits(0.0f)},
    {KA_RS_POINTSIZE_MAX, FloatBits(64.0f)},
    {KA_RS_POINTSCALEENABLE, 0},
    {KA_RS_POINTSCALE_A, FloatBits(1.0f)},
    {KA_RS_POINTSCALE_B, FloatBits(0.0f)},
    {KA_RS_POINTSCALE_C, FloatBits(0.0f)},
    {KA_RS_POINTSPRITEENABLE, 0},
    {KA_RS_MULTISAMPLEANTIALIAS, 0},
    {KA_RS_VERTEXBLEND, 0},
    {KA_RS_INDEXEDVERTEXBLENDENABLE, 0},
};
static_assert(sizeof kDefaultRenderStates / sizeof kDefaultRenderStates[0] == 47,
              "the default state sets 47 render states");

// The texture-stage states a restore applies to each stage, in this order.
const unsigned kRestoredStageStates[] = {
    KA_TSS_MIPFILTER,     KA_TSS_MINFILTER,     KA_TSS_MAGFILTER,      KA_TSS_COLOROP,
    KA_TSS_COLORARG1,     KA_TSS_COLORARG2,     KA_TSS_ALPHAOP,        KA_TSS_ALPHAARG1,
    KA_TSS_ALPHAARG2,     KA_TSS_COLORARG0,     KA_TSS_ALPHAARG0,      KA_TSS_RESULTARG,
    KA_TSS_TEXCOORDINDEX, KA_TSS_ADDRESSU,      KA_TSS_ADDRESSV,       KA_TSS_ADDRESSW,
    KA_TSS_BORDERCOLOR,   KA_TSS_MIPMAPLODBIAS, KA_TSS_MAXMIPLEVEL,    KA_TSS_MAXANISOTROPY,
    KA_TSS_TEXTURETRANSFORMFLAGS,
};
static_assert(sizeof kRestoredStageStates / sizeof kRestoredStageStates[0] == 21,
              "a restore applies 21 states per stage");

// Stage 0 modulates the texture with the current colour; stages 1 to 7 are
// the same but disabled.
void SetDefaultStageStates(kaDeviceState& state) {
    uint32_t* stage0 = state.textureStates[0];
    stage0[KA_TSS_COLOROP] = KA_TOP_MODULATE;
    stage0[KA_TSS_COLORARG1] = KA_TA_CURRENT;
    stage0[KA_TSS_COLORARG2] = KA_TA_TEXTURE;
    stage0[KA_TSS_ALPHAOP] = KA_TOP_MODULATE;
    stage0[KA_TSS_ALPHAARG1] = KA_TA_CURRENT;
    stage0[KA_TSS_ALPHAARG2] = KA_TA_TEXTURE;
    stage0[KA_TSS_COLORARG0] = KA_TA_CURRENT;
    stage0[KA_TSS_ALPHAARG0] = KA_TA_CURRENT;
    stage0[KA_TSS_RESULTARG] = KA_TA_CURRENT;
    stage0[KA_TSS_TEXCOORDINDEX] = 0;
    stage0[KA_TSS_ADDRESSU] = KA_TADDRESS_WRAP;
    stage0[KA_TSS_ADDRESSV] = KA_TADDRESS_WRAP;
    stage0[KA_TSS_ADDRESSW] = KA_TADDRESS_WRAP;
    stage0[KA_TSS_BORDERCOLOR] = 0;
    stage0[KA_TSS_MAGFILTER] = KA_TEXF_LINEAR;
    stage0[KA_TSS_MINFILTER] = KA_TEXF_LINEAR;
    stage0[KA_TSS_MIPFILTER] = KA_TEXF_LINEAR;
    stage0[KA_TSS_MIPMAPLODBIAS] = 0;
    stage0[KA_TSS_MAXMIPLEVEL] = 0;
    stage0[KA_TSS_MAXANISOTROPY] = 1;
    stage0[KA_TSS_TEXTURETRANSFORMFLAGS] = 0;
    for (unsigned stage = 1; stage < kaMaxTextureStages; ++stage) {
        std::memcpy(state.textureStates[stage], stage0, sizeof state.textureStates[stage]);
        state.textureStates[stage][KA_TSS_COLOROP] = KA_TOP_DISABLE;
        state.textureStates[stage][KA_TSS_ALPHAOP] = KA_TOP_DISABLE;
    }
}

void SetDefaultTransforms(kaTransformState& transforms) {
    const kaMatrix44f identity = kaMatrixMath::Identity();
    transforms.view = identity;
    transforms.projection = identity;
    transforms.world[0] = identity;
    for (kaMatrix44f& texture : transforms.texture) texture = identity;
}

// One white directional light along +z, enabled; the other seven off.
void SetDefaultLights(kaLightState& lights) {
    kaLight& light = lights.light[0];
    light.type = KA_LIGHT_DIRECTIONAL;
    light.diffuse = kaColorValue{1.0f, 1.0f, 1.0f, 1.0f};
    light.direction = kaVector3f{0.0f, 0.0f, 1.0f};
    lights.enabled[0] = 1;
}

void SetDefaultFogAndMaterial(kaDeviceState& state) {
    state.fog.mode = KA_FOG_LINEAR;
    state.fog.end = 1.0f;
    state.fog.density = 1.0f;
    state.material.diffuse = kaColorValue{0.8f, 0.8f, 0.8f, 1.0f};
}

bool IsLightEnable(unsigned state) { return state >= KA_RS_LIGHTENABLE0; }

// The render states a fog block stands for, in the order the platform is
// told them: the mode of the other kind off (the table mode for per-pixel
// fog, modes 128 and up, else the vertex mode), the mode, the range of linear
// fog or the density of the others, and the colour.  Answers their number.
unsigned FogRenderStates(const kaFog& fog, RenderStateValue states[5]) {
    const bool perPixel = fog.mode >= 128;
    const uint32_t mode = perPixel ? fog.mode - 128 : fog.mode;
    unsigned count = 0;
    states[count++] = {perPixel ? KA_RS_FOGVERTEXMODE : KA_RS_FOGTABLEMODE, 0};
    states[count++] = {perPixel ? KA_RS_FOGTABLEMODE : KA_RS_FOGVERTEXMODE, mode};
    if (mode == KA_FOG_LINEAR) {
        states[count++] = {KA_RS_FOGSTART, FloatBits(fog.start)};
        states[count++] = {KA_RS_FOGEND, FloatBits(fog.end)};
    } else {
        states[count++] = {KA_RS_FOGDENSITY, FloatBits(fog.density)};
    }
    states[count++] = {KA_RS_FOGCOLOR, kaPackedColor::FromBytes(kaPackedColor::Channel(fog.red),
                                                                kaPackedColor::Channel(fog.green),
                                                                kaPackedColor::Channel(fog.blue), 0)};
    return count;
}

}  // namespace

kaCachedRenderDevice::kaCachedRenderDevice()
    : mLink(std::make_shared<kaDeviceLink>(kaDeviceLink{this})), mPixelShader(nullptr), mCurrent(),
      mDefault(), mStack(), mStackTop(-1), mMatrixStack(), mMatrixStackTop() {}

kaCachedRenderDevice::~kaCachedRenderDevice() { mLink->device = nullptr; }

// Render states.

int kaCachedRenderDevice::setRenderState(unsigned state, unsigned value) {
    if (!PlatformReady()) return KA_ERR_WRONGSTATE;
    if (IsLightEnable(state)) {
        if (state > KA_RS_LIGHTENABLE_LAST) return KA_ERR_INVALIDARG;
        uint32_t& enabled = mCurrent.lights.enabled[state - KA_RS_LIGHTENABLE0];
        if (enabled == value) return KA_OK;
        if (!PlatformLightEnable(state - KA_RS_LIGHTENABLE0, value)) return KA_ERR_PLATFORM;
        enabled = value;
        return KA_OK;
    }
    if (state >= kaRenderStateCount) return KA_ERR_INVALIDARG;
    uint32_t& cached = mCurrent.renderStates[state];
    if (cached == value) return KA_OK;
    if (!PlatformRenderState(state, value)) return KA_ERR_PLATFORM;
    cached = value;
    return KA_OK;
}

int kaCachedRenderDevice::getRenderState(unsigned state, unsigned* value) {
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

int kaCachedRenderDevice::setTextureState(unsigned stage, unsigned state, unsigned value) {
    if (!PlatformReady()) return KA_ERR_WRONGSTATE;
    if (stage >= kaMaxTextureStages || state >= kaTextureStateCount) return KA_ERR_INVALIDARG;
    uint32_t& cached = mCurrent.textureStates[stage][state];
    if (cached == value) return KA_OK;
    if (!PlatformTextureState(stage, state, value)) return KA_ERR_PLATFORM;
    cached = value;
    return KA_OK;
}

int kaCachedRenderDevice::getTextureState(unsigned stage, unsigned state, unsigned* value) {
    if (!value || stage >= kaMaxTextureStages || state >= kaTextureStateCount) {
        return KA_ERR_INVALIDARG;
    }
    *value = mCurrent.textureStates[stage][state];
    return KA_OK;
}

// Resources bound to the pipeline.  None of these counts a reference.

int kaCachedRenderDevice::setTexture(unsigned stage, kaBaseTexture* texture) {
    if (!PlatformReady()) return KA_ERR_WRONGSTATE;
    if (stage >= kaMaxTextureStages) return KA_ERR_INVALIDARG;
    if (mCurrent.textures[stage] == texture) return KA_OK;
    if (!PlatformTexture(stage, texture)) return KA_ERR_PLATFORM;
    mCurrent.textures[stage] = texture;
    return KA_OK;
}

int kaCachedRenderDevice::getTexture(unsigned stage, kaBaseTexture** texture) {
    if (!texture || stage >= kaMaxTextureStages) return KA_ERR_INVALIDARG;
    *texture = mCurrent.textures[stage];
    return KA_OK;
}

int kaCachedRenderDevice::setVertexBuffer(kaVertexBuffer* buffer) {
    if (!PlatformReady()) return KA_ERR_WRONGSTATE;
    if (!buffer) return KA_ERR_INVALIDARG;
    if (mCurrent.vertexBuffer == buffer) return KA_OK;
    if (!PlatformVertexBuffer(buffer)) return KA_ERR_PLATFORM;
    mCurrent.vertexBuffer = buffer;
    return KA_OK;
}

int kaCachedRenderDevice::setIndexBuffer(kaIndexBuffer* buffer) {
    if (!PlatformReady()) return KA_ERR_WRONGSTATE;
    if (!buffer) return KA_ERR_INVALIDARG;
    if (mCurrent.indexBuffer == buffer) return KA_OK;
    if (!PlatformIndexBuffer(buffer)) return KA_ERR_PLATFORM;
    mCurrent.indexBuffer = buffer;
    return KA_OK;
}

// Vertex processing: a fixed-function format or a vertex shader in one cached word.

int kaCachedRenderDevice::setVertexFormat(unsigned vertexFormat) {
    return SetVertexProcessing(kaVertexProcessing{vertexFormat, nullptr});
}

int kaCachedRenderDevice::setVertexShader(kaVertexShader* shader) {
    return SetVertexProcessing(kaVertexProcessing{0, shader});
}

int kaCachedRenderDevice::SetVertexProcessing(const kaVertexProcessing& processing) {
    if (!PlatformReady()) return KA_ERR_WRONGSTATE;
    if (mCurrent.vertexProcessing == processing) return KA_OK;
    if (!PlatformVertexProcessing(processing)) return KA_ERR_PLATFORM;
    mCurrent.vertexProcessing = processing;
    return KA_OK;
}

// Uncached setters: they always reach the platform.  The pixel shader is
// still remembered, so that its last Release can empty the slot.

int kaCachedRenderDevice::setPixelShader(kaPixelShader* shader) {
    if (!PlatformReady()) return KA_ERR_WRONGSTATE;
    if (!PlatformPixelShader(shader)) return KA_ERR_PLATFORM;
    mPixelShader = shader;
    return KA_OK;
}

int kaCachedRenderDevice::setVertexShaderConstant(int firstRegister, float* values,
                                                  unsigned registerCount) {
    if (!PlatformReady()) return KA_ERR_WRONGSTATE;
    if (!values) return KA_ERR_INVALIDARG;
    return PlatformVertexShaderConstant(firstRegister, values, registerCount) ? KA_OK
                                                                             : KA_ERR_PLATFORM;
}

int kaCachedRenderDevice::setPixelShaderConstant(int firstRegister, float* values,
                                                 unsigned registerCount) {
    if (!PlatformReady()) return KA_ERR_WRONGSTATE;
    if (!values) return KA_ERR_INVALIDARG;
    return PlatformPixelShaderConstant(firstRegister, values, registerCount) ? KA_OK
                                                                            : KA_ERR_PLATFORM;
}

int kaCachedRenderDevice::setViewport(kaViewport* viewport) {
    if (!PlatformReady()) return KA_ERR_WRONGSTATE;
    if (!viewport) return KA_ERR_INVALIDARG;
    if (!PlatformViewport(*viewport)) return KA_ERR_PLATFORM;
    mCurrent.viewport = *viewport;
    return KA_OK;
}

int kaCachedRenderDevice::getViewport(kaViewport* viewport) {
    if (!viewport) return KA_ERR_INVALIDARG;
    *viewport = mCurrent.viewport;
    return KA_OK;
}

int kaCachedRenderDevice::setLight(unsigned index, kaLight* light) {
    if (!PlatformReady()) return KA_ERR_WRONGSTATE;
    if (!light || index >= kaMaxLights) return KA_ERR_INVALIDARG;
    if (!PlatformLight(index, *light)) return KA_ERR_PLATFORM;
    mCurrent.lights.light[index] = *light;
    return KA_OK;
}

int kaCachedRenderDevice::getLight(unsigned index, kaLight* light) {
    if (!light || index >= kaMaxLights) return KA_ERR_INVALIDARG;
    *light = mCurrent.lights.light[index];
    return KA_OK;
}

int kaCachedRenderDevice::setMaterial(kaMaterial* material) {
    if (!PlatformReady()) return KA_ERR_WRONGSTATE;
    if (!material) return KA_ERR_INVALIDARG;
    if (!PlatformMaterial(*material)) return KA_ERR_PLATFORM;
    mCurrent.material = *material;
    return KA_OK;
}

int kaCachedRenderDevice::getMaterial(kaMaterial* material) {
    if (!material) return KA_ERR_INVALIDARG;
    *material = mCurrent.material;
    return KA_OK;
}

// Fog is a set of render states written uncompared, each kept in the cache
// once the platform took it, so that the cache holds what the platform does.
// It always succeeds: the platform's answers decide only what is cached.
int kaCachedRenderDevice::setFog(kaFog* fog) {
    if (!PlatformReady()) return KA_ERR_WRONGSTATE;
    if (!fog) return KA_ERR_INVALIDARG;
    RenderStateValue states[5];
    const unsigned count = FogRenderStates(*fog, states);
    for (unsigned i = 0; i < count; ++i) {
        if (PlatformRenderState(states[i].state, states[i].value)) {
            mCurrent.renderStates[states[i].state] = states[i].value;
        }
    }
    mCurrent.fog = *fog;
    return KA_OK;
}

int kaCachedRenderDevice::getFog(kaFog* fog) {
    if (!fog) return KA_ERR_INVALIDARG;
    *fog = mCurrent.fog;
    return KA_OK;
}

// The state stack.

int kaCachedRenderDevice::PushState(unsigned mask) {
    if (!PlatformReady()) return KA_ERR_WRONGSTATE;
    if (mStackTop >= kStackDepth - 1) return KA_ERR_OUTOFMEMORY;
    kaDeviceState& entry = mStack[++mStackTop];
    entry.CopySections(mCurrent, mask);
    entry.mask = mask;
    return KA_OK;
}

int kaCachedRenderDevice::PopState() {
    if (!PlatformReady()) return KA_ERR_WRONGSTATE;
    if (mStackTop < 0) return KA_ERR_WRONGSTATE;
    ApplyState(&mStack[mStackTop--]);
    return KA_OK;
}

int kaCachedRenderDevice::ResetState(unsigned mask) {
    if (!PlatformReady()) return KA_ERR_WRONGSTATE;
    mDefault.mask = mask;
    ApplyState(&mDefault);
    mDefault.mask = KA_STATE_ALL;
    return KA_OK;
}

// Re-applies the sections chosen by the block's mask through the device's own
// setters, so only values that differ from the cache reach the platform
// (fog, material, lights and transforms always do).  Results are ignored.
void kaCachedRenderDevice::ApplyState(kaDeviceState* block) {
    const unsigned mask = block->mask;
    if (mask & KA_STATE_TEXTURESTATES) {
        for (unsigned stage = 0; stage < kaMaxTextureStages; ++stage) {
            for (unsigned state : kRestoredStageStates) {
                setTextureState(stage, state, block->textureStates[stage][state]);
            }
        }
    }
    if (mask & KA_STATE_RENDERSTATES) {
        for (const RenderStateValue& entry : kDefaultRenderStates) {
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
        kaTransformState& transforms = block->transforms;
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
void kaCachedRenderDevice::InitializeState() {
    std::memset(static_cast<void*>(&mDefault), 0, sizeof mDefault);
    std::memset(static_cast<void*>(&mCurrent), 0xEF, sizeof mCurrent);
    mCurrent.ForgetStreams();
    for (kaBaseTexture*& texture : mCurrent.textures) texture = nullptr;
    const kaMatrix44f identity = kaMatrixMath::Identity();
    for (kaMatrix44f& world : mCurrent.transforms.world) world = identity;
    InitDefaultState();
    mStackTop = -1;
    for (int& top : mMatrixStackTop) top = -1;
}

void kaCachedRenderDevice::InitDefaultState() {
    for (const RenderStateValue& entry : kDefaultRenderStates) {
        mDefault.renderStates[entry.state] = entry.value;
    }
    SetDefaultStageStates(mDefault);
    SetDefaultTransforms(mDefault.transforms);
    SetDefaultLights(mDefault.lights);
    SetDefaultFogAndMaterial(mDefault);
    mDefault.mask = KA_STATE_ALL;
    ApplyState(&mDefault);
}
