// Resource creation and render-to-texture.
#include <memory>
#include <new>
#include <vector>

#include "kaD3DBaseTexture.h"
#include "kaD3DIndexBuffer.h"
#include "kaD3DPixelShader.h"
#include "kaD3DRenderDevice.h"
#include "kaD3DTextureCreator.h"
#include "kaD3DVertexBuffer.h"
#include "kaD3DVertexShader.h"
#include "kaResult.h"
#include "kaShaderAssembler.h"

namespace {

// Render targets and dynamic textures live in the default pool; everything
// else is managed so that it survives a reset.
D3DPOOL PoolFor(unsigned usage, unsigned defaultPoolUsages) {
    return (usage & defaultPoolUsages) ? D3DPOOL_DEFAULT : D3DPOOL_MANAGED;
}

// Wraps a created platform texture; when the wrapper cannot be allocated the
// platform texture is released again rather than leaked.
int HandOut(kaD3DBaseTexture::Kind kind, IDirect3DBaseTexture8* texture,
            const std::shared_ptr<kaDeviceLink>& link, kaBaseTexture** out) {
    kaD3DBaseTexture* wrapper = new (std::nothrow) kaD3DBaseTexture(kind, texture);
    if (!wrapper) {
        texture->Release();
        return KA_ERR_OUTOFMEMORY;
    }
    wrapper->LinkTo(link);
    *out = wrapper;
    return KA_OK;
}

D3DRESOURCETYPE ResourceTypeOf(kaD3DBaseTexture::Kind kind) {
    switch (kind) {
    case kaD3DBaseTexture::KIND_CUBE: return D3DRTYPE_CUBETEXTURE;
    case kaD3DBaseTexture::KIND_VOLUME: return D3DRTYPE_VOLUMETEXTURE;
    default: return D3DRTYPE_TEXTURE;
    }
}

int CreateTextureOfKind(IDirect3DDevice8* device, const std::shared_ptr<kaDeviceLink>& link,
                        kaD3DBaseTexture::Kind kind, const kaD3DTextureCreator::Request& request,
                        unsigned usage, unsigned defaultPoolUsages, kaBaseTexture** out) {
    if (!out) return KA_ERR_INVALIDARG;
    if (!device) return KA_ERR_WRONGSTATE;
    IDirect3DBaseTexture8* texture = nullptr;
    if (FAILED(kaD3DTextureCreator(device).Create(ResourceTypeOf(kind), request, usage,
                                                  PoolFor(usage, defaultPoolUsages), &texture))) {
        return KA_ERR_PLATFORM;
    }
    return HandOut(kind, texture, link, out);
}

void ReleaseAndForget(IDirect3DSurface8*& surface) {
    if (surface) surface->Release();
    surface = nullptr;
}

// Assembles shader text; any error text counts as a failure.
bool AssembleWithoutErrors(const void* source, unsigned length, kaShaderAssembly* code) {
    *code = kaShaderAssembler::Assemble(static_cast<const char*>(source), length);
    return code->ok && code->errors.empty();
}

// Wraps a platform shader in its object and hands it out; without memory
// for the object the platform shader is deleted again.
template <typename Shader, typename Interface, typename Delete>
int HandOutShader(IDirect3DDevice8* device, const std::shared_ptr<kaDeviceLink>& link,
                  DWORD handle, Interface** out, Delete deleteShader) {
    Shader* shader = new (std::nothrow) Shader(device, handle);
    if (!shader) {
        deleteShader(handle);
        return KA_ERR_PLATFORM;
    }
    shader->LinkTo(link);
    *out = shader;
    return KA_OK;
}

}  // namespace

int kaD3DRenderDevice::CreateTexture(kaBaseTexture** out, unsigned width, unsigned height,
                                     unsigned format, unsigned levels, unsigned usage) {
    return CreateTextureOfKind(mDevice, getLink(), kaD3DBaseTexture::KIND_2D,
                               {width, height, 1, levels, static_cast<D3DFORMAT>(format)}, usage,
                               D3DUSAGE_RENDERTARGET | D3DUSAGE_DYNAMIC, out);
}

int kaD3DRenderDevice::CreateCubeTexture(kaBaseTexture** out, unsigned edgeLength,
                                         unsigned format, unsigned levels, unsigned usage) {
    return CreateTextureOfKind(mDevice, getLink(), kaD3DBaseTexture::KIND_CUBE,
                               {edgeLength, edgeLength, 1, levels, static_cast<D3DFORMAT>(format)},
                               usage, D3DUSAGE_RENDERTARGET | D3DUSAGE_DYNAMIC, out);
}

int kaD3DRenderDevice::CreateVolumeTexture(kaBaseTexture** out, unsigned width, unsigned height,
                                           unsigned depth, unsigned format, unsigned levels,
                                           unsigned usage) {
    return CreateTextureOfKind(mDevice, getLink(), kaD3DBaseTexture::KIND_VOLUME,
                               {width, height, depth, levels, static_cast<D3DFORMAT>(format)},
                               usage, D3DUSAGE_DYNAMIC, out);
}

int kaD3DRenderDevice::CreateVertexBuffer(kaVertexBuffer** out, unsigned vertexFormat,
                                          unsigned vertexCount, unsigned usage) {
    if (!out) return KA_ERR_INVALIDARG;
    if (!mDevice) return KA_ERR_WRONGSTATE;
    kaD3DVertexBuffer* buffer = nullptr;
    const int result = kaD3DVertexBuffer::Create(mDevice, vertexFormat, vertexCount, usage, &buffer);
    if (result != KA_OK) return result;
    buffer->LinkTo(getLink());
    *out = buffer;
    return result;
}

int kaD3DRenderDevice::CreateIndexBuffer(kaIndexBuffer** out, unsigned indexCount,
                                         unsigned usage) {
    if (!out) return KA_ERR_INVALIDARG;
    if (!mDevice) return KA_ERR_WRONGSTATE;
    kaD3DIndexBuffer* buffer = nullptr;
    const int result = kaD3DIndexBuffer::Create(mDevice, indexCount, usage, &buffer);
    if (result != KA_OK) return result;
    buffer->LinkTo(getLink());
    *out = buffer;
    return result;
}

// Render-to-texture.

int kaD3DRenderDevice::BeginRenderToTexture(kaBaseTexture* texture, unsigned level,
                                            int useDepth) {
    return BeginRenderToLevel(texture, kaD3DBaseTexture::KIND_2D, 0, level, useDepth);
}

int kaD3DRenderDevice::BeginRenderToCubeTexture(kaBaseTexture* texture, unsigned face,
                                                unsigned level, int useDepth) {
    return BeginRenderToLevel(texture, kaD3DBaseTexture::KIND_CUBE, face, level, useDepth);
}

int kaD3DRenderDevice::BeginRenderToLevel(kaBaseTexture* texture, unsigned kind, unsigned face,
                                          unsigned level, int useDepth) {
    if (!mDevice) return KA_ERR_WRONGSTATE;
    if (mSavedBackBuffer || mSavedDepthStencil) return KA_ERR_WRONGSTATE;
    if (!texture) return KA_ERR_INVALIDARG;
    auto* d3dTexture = static_cast<kaD3DBaseTexture*>(texture);
    if (d3dTexture->getKind() != kind) return KA_ERR_WRONGSTATE;
    if (!d3dTexture->getPlatformTexture()) return KA_ERR_MISSING;
    IDirect3DSurface8* target =
        d3dTexture->AcquireSurface(static_cast<kaD3DBaseTexture::Kind>(kind), face, level);
    if (!target) return KA_ERR_PLATFORM;
    return BeginRenderToSurface(target, useDepth);
}

// Takes over the reference to target.  Every failure releases what was
// obtained so far, so no redirection is ever left half set up.
int kaD3DRenderDevice::BeginRenderToSurface(IDirect3DSurface8* target, int useDepth) {
    if (FAILED(mDevice->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &mSavedBackBuffer))) {
        mSavedBackBuffer = nullptr;
        target->Release();
        return KA_ERR_PLATFORM;
    }
    if (FAILED(mDevice->GetDepthStencilSurface(&mSavedDepthStencil))) {
        mSavedDepthStencil = nullptr;
        ReleaseAndForget(mSavedBackBuffer);
        target->Release();
        return KA_ERR_PLATFORM;
    }
    if (FAILED(mDevice->SetRenderTarget(target, useDepth ? mSavedDepthStencil : nullptr))) {
        ReleaseAndForget(mSavedBackBuffer);
        ReleaseAndForget(mSavedDepthStencil);
        target->Release();
        return KA_ERR_PLATFORM;
    }
    mTargetSurface = target;
    ReadViewportFromPlatform();
    mDevice->BeginScene();
    return KA_OK;
}

int kaD3DRenderDevice::EndRenderToTexture() {
    if (!mTargetSurface || !mSavedBackBuffer) return KA_ERR_WRONGSTATE;
    mDevice->EndScene();
    if (FAILED(mDevice->SetRenderTarget(mSavedBackBuffer, mSavedDepthStencil))) {
        return KA_ERR_PLATFORM;
    }
    ReadViewportFromPlatform();
    ReleaseAndForget(mSavedBackBuffer);
    ReleaseAndForget(mSavedDepthStencil);
    ReleaseAndForget(mTargetSurface);
    ForgetStreams();
    return KA_OK;
}

int kaD3DRenderDevice::EndRenderToCubeTexture() { return EndRenderToTexture(); }

// Shaders, assembled from source text.  Any failure, also running out of
// memory while assembling, answers 1 and hands out nothing.

int kaD3DRenderDevice::CreateVertexShader(kaVertexShader** out, unsigned vertexFormat,
                                          void* source, unsigned sourceLength) {
    if (!out || !source) return KA_ERR_INVALIDARG;
    if (!mDevice) return KA_ERR_WRONGSTATE;
    try {
        kaShaderAssembly code;
        if (!AssembleWithoutErrors(source, sourceLength, &code)) return KA_ERR_PLATFORM;
        const std::vector<DWORD> declaration = kaD3DVertexShader::BuildDeclaration(
            vertexFormat, reinterpret_cast<const DWORD*>(code.defConstants.data()),
            code.defConstants.size());
        DWORD handle = 0;
        if (FAILED(mDevice->CreateVertexShader(declaration.data(),
                                               reinterpret_cast<const DWORD*>(code.tokens.data()),
                                               &handle, 0))) {
            return KA_ERR_PLATFORM;
        }
        return HandOutShader<kaD3DVertexShader>(mDevice, getLink(), handle, out,
                                                [this](DWORD h) { mDevice->DeleteVertexShader(h); });
    } catch (const std::bad_alloc&) {
        return KA_ERR_PLATFORM;
    }
}

int kaD3DRenderDevice::CreatePixelShader(kaPixelShader** out, void* source,
                                         unsigned sourceLength) {
    if (!out || !source) return KA_ERR_INVALIDARG;
    if (!mDevice) return KA_ERR_WRONGSTATE;
    try {
        kaShaderAssembly code;
        if (!AssembleWithoutErrors(source, sourceLength, &code)) return KA_ERR_PLATFORM;
        DWORD handle = 0;
        if (FAILED(mDevice->CreatePixelShader(reinterpret_cast<const DWORD*>(code.tokens.data()),
                                              &handle))) {
            return KA_ERR_PLATFORM;
        }
        return HandOutShader<kaD3DPixelShader>(mDevice, getLink(), handle, out,
                                               [this](DWORD h) { mDevice->DeletePixelShader(h); });
    } catch (const std::bad_alloc&) {
        return KA_ERR_PLATFORM;
    }
}
