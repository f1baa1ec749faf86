// The backend of the state cache.  GL state is set at the next draw from the
// cache, so the hooks only note that the programs' inputs changed; none of
// them fails, and none makes a GL call.
#include <cstring>

#include "kaDeviceNumbers.h"
#include "kaGLRenderDevice.h"
#include "kaGLVertexShader.h"

namespace {

// Copies registerCount registers of four floats into a table of `size`
// registers; false when they do not all fit.
bool CopyRegisters(float* table, unsigned size, int first, const float* values,
                   unsigned count) {
    if (first < 0 || unsigned(first) > size || count > size - unsigned(first)) return false;
    std::memcpy(table + 4 * first, values, sizeof(float) * 4 * count);
    return true;
}

}  // namespace

// Direct3D's own initial render states: a device's default state sets 47 of
// them, and a draw looks at some that neither it nor a caller may ever set.
void kaGLRenderDevice::ResetPlatformRenderStates() {
    std::memset(mPlatformRenderStates, 0, sizeof mPlatformRenderStates);
    struct Initial {
        unsigned state;
        uint32_t value;
    };
    const float one = 1.0f, largestPoint = 64.0f;
    uint32_t oneBits, largestPointBits;
    std::memcpy(&oneBits, &one, sizeof one);
    std::memcpy(&largestPointBits, &largestPoint, sizeof largestPoint);
    const Initial initial[] = {
        {KA_RS_ZENABLE, 1}, {KA_RS_FILLMODE, KA_FILL_SOLID}, {KA_RS_SHADEMODE, KA_SHADE_GOURAUD},
        {KA_RS_ZWRITEENABLE, 1}, {KA_RS_SRCBLEND, KA_BLEND_ONE}, {KA_RS_DESTBLEND, KA_BLEND_ZERO},
        {KA_RS_CULLMODE, KA_CULL_CCW}, {KA_RS_ZFUNC, KA_CMP_LESSEQUAL},
        {KA_RS_ALPHAFUNC, KA_CMP_ALWAYS}, {KA_RS_FOGEND, oneBits}, {KA_RS_FOGDENSITY, oneBits},
        {KA_RS_STENCILFAIL, KA_STENCILOP_KEEP}, {KA_RS_STENCILZFAIL, KA_STENCILOP_KEEP},
        {KA_RS_STENCILPASS, KA_STENCILOP_KEEP}, {KA_RS_STENCILFUNC, KA_CMP_ALWAYS},
        {KA_RS_STENCILMASK, 0xFFFFFFFF}, {KA_RS_STENCILWRITEMASK, 0xFFFFFFFF},
        {KA_RS_TEXTUREFACTOR, 0xFFFFFFFF}, {KA_RS_LIGHTING, 1}, {KA_RS_COLORVERTEX, 1},
        {KA_RS_LOCALVIEWER, 1}, {KA_RS_DIFFUSEMATERIALSOURCE, KA_MCS_COLOR1},
        {KA_RS_SPECULARMATERIALSOURCE, KA_MCS_COLOR2}, {KA_RS_POINTSIZE, oneBits},
        {KA_RS_POINTSCALE_A, oneBits}, {KA_RS_POINTSIZE_MAX, largestPointBits},
        {KA_RS_COLORWRITEENABLE, 0xF}, {KA_RS_BLENDOP, KA_BLENDOP_ADD}};
    for (const Initial& entry : initial) mPlatformRenderStates[entry.state] = entry.value;
}

bool kaGLRenderDevice::PlatformReady() const { return mContext != nullptr; }

bool kaGLRenderDevice::PlatformRenderState(unsigned state, uint32_t value) {
    mPlatformRenderStates[state] = value;
    ++mUniformVersion;
    return true;
}

bool kaGLRenderDevice::PlatformLightEnable(unsigned, uint32_t) {
    ++mUniformVersion;
    return true;
}

bool kaGLRenderDevice::PlatformTextureState(unsigned, unsigned, uint32_t) {
    ++mUniformVersion;
    return true;
}

bool kaGLRenderDevice::PlatformTexture(unsigned, kaBaseTexture*) { return true; }

bool kaGLRenderDevice::PlatformVertexBuffer(kaVertexBuffer*) { return true; }

bool kaGLRenderDevice::PlatformIndexBuffer(kaIndexBuffer*) { return true; }

// Setting a vertex shader loads its def constants into the constant block,
// as Direct3D 8 loads the constants of a shader's declaration.
bool kaGLRenderDevice::PlatformVertexProcessing(const kaVertexProcessing& processing) {
    if (processing.shader == nullptr) return true;
    for (const auto& constant :
         static_cast<const kaGLVertexShader*>(processing.shader)->getConstants()) {
        if (constant.reg >= kaGLPrograms::kVertexConstants) continue;
        std::memcpy(mVertexConstants + 4 * constant.reg, constant.value, sizeof constant.value);
        mVertexConstantsDirty = true;
    }
    return true;
}

bool kaGLRenderDevice::PlatformPixelShader(kaPixelShader*) { return true; }

bool kaGLRenderDevice::PlatformVertexShaderConstant(int firstRegister, const float* values,
                                                    unsigned registerCount) {
    if (!CopyRegisters(mVertexConstants, kaGLPrograms::kVertexConstants, firstRegister, values,
                       registerCount)) {
        return false;
    }
    mVertexConstantsDirty = true;
    return true;
}

bool kaGLRenderDevice::PlatformPixelShaderConstant(int firstRegister, const float* values,
                                                   unsigned registerCount) {
    if (!CopyRegisters(mPixelConstants, kaGLPrograms::kPixelConstants, firstRegister, values,
                       registerCount)) {
        return false;
    }
    ++mUniformVersion;
    return true;
}

bool kaGLRenderDevice::PlatformViewport(const kaViewport& viewport) {
    const unsigned width = mTarget ? mTargetWidth : mWidth;
    const unsigned height = mTarget ? mTargetHeight : mHeight;
    if (viewport.x > width || viewport.width > width - viewport.x || viewport.y > height ||
        viewport.height > height - viewport.y) {
        return false;
    }
    ++mUniformVersion;
    return true;
}

bool kaGLRenderDevice::PlatformLight(unsigned, const kaLight&) {
    ++mUniformVersion;
    return true;
}

bool kaGLRenderDevice::PlatformMaterial(const kaMaterial&) {
    ++mUniformVersion;
    return true;
}

bool kaGLRenderDevice::PlatformTransform(unsigned, const kaMatrix44f&) {
    ++mUniformVersion;
    return true;
}
