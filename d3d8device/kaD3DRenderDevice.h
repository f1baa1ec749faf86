#pragma once

#include <d3d8.h>

#include "kaCachedRenderDevice.h"

// The render device on Direct3D 8.  The state cache, the state stack and the
// matrix stacks are the shared core's (kaCachedRenderDevice); this class
// tells Direct3D what the cache lets through.
//
// The implementation is split by concern: frame and presentation
// (kaD3DRenderDevice.cpp), the platform side of the state cache
// (kaD3DRenderDevicePlatform.cpp), resources and render targets
// (kaD3DRenderDeviceResources.cpp).
class kaD3DRenderDevice final : public kaCachedRenderDevice {
public:
    explicit kaD3DRenderDevice(unsigned adapter);

    int CheckDepthStencil(unsigned depthFormat, unsigned modeIndex, int windowed) override;
    int Initialize(void* window, unsigned modeIndex, unsigned depthFormat,
                   unsigned multiSampleType, int vsync) override;
    int InitializeWindowed(void* window, unsigned width, unsigned height, unsigned depthFormat,
                           unsigned multiSampleType, int vsync) override;
    int Release() override;
    int CreateTexture(kaBaseTexture** out, unsigned width, unsigned height, unsigned format,
                      unsigned levels, unsigned usage) override;
    int CreateCubeTexture(kaBaseTexture** out, unsigned edgeLength, unsigned format,
                          unsigned levels, unsigned usage) override;
    int CreateVolumeTexture(kaBaseTexture** out, unsigned width, unsigned height, unsigned depth,
                            unsigned format, unsigned levels, unsigned usage) override;
    int CreateVertexBuffer(kaVertexBuffer** out, unsigned vertexFormat, unsigned vertexCount,
                           unsigned usage) override;
    int CreateIndexBuffer(kaIndexBuffer** out, unsigned indexCount, unsigned usage) override;
    int CreateVertexShader(kaVertexShader** out, unsigned vertexFormat, void* source,
                           unsigned sourceLength) override;
    int CreatePixelShader(kaPixelShader** out, void* source, unsigned sourceLength) override;
    int DrawPrimitive(unsigned primitiveType, unsigned startVertex,
                      unsigned primitiveCount) override;
    int DrawIndexedPrimitive(unsigned primitiveType, unsigned startIndex, unsigned vertexCount,
                             unsigned primitiveCount) override;
    int Clear(unsigned flags, unsigned color, float z, unsigned stencil) override;
    int Flip() override;
    int BeginRender() override;
    int EndRender() override;
    int BeginRenderToTexture(kaBaseTexture* texture, unsigned level, int useDepth) override;
    int EndRenderToTexture() override;
    int BeginRenderToCubeTexture(kaBaseTexture* texture, unsigned face, unsigned level,
                                 int useDepth) override;
    int EndRenderToCubeTexture() override;

    // The frame most recently presented by Flip, as opaque B, G, R, A rows top
    // first (the video capture's read-back): 0; 2 without pixels or for a
    // size other than the back buffer's; 3 before initialisation; 1 when the
    // platform fails, or when the swap effect keeps no copy of the presented
    // frame in the back buffer (only the copy effects of a windowed device
    // without multisampling do).
    int ReadPresentedFrame(unsigned char* pixels, unsigned width, unsigned height);

    // For tests: the presentation parameters the platform device was made with.
    const D3DPRESENT_PARAMETERS& getPresentParameters() const { return mPresent; }
    IDirect3DDevice8* getPlatformDevice() const { return mDevice; }

private:
    int PrepareInitialization(void* window, unsigned multiSampleType, D3DCAPS8* caps);
    void SetPresentParameters(void* window, unsigned width, unsigned height, D3DFORMAT format,
                              unsigned depthFormat, unsigned multiSampleType);
    bool CanMultiSample() const;
    int CreatePlatformDevice(DWORD behaviour);
    int PostInitialize();
    int BeginRenderToSurface(IDirect3DSurface8* target, int useDepth);
    int BeginRenderToLevel(kaBaseTexture* texture, unsigned kind, unsigned face, unsigned level,
                           int useDepth);
    // The platform changes the viewport itself when the render target changes.
    void ReadViewportFromPlatform();

    // The state cache's backend.
    bool PlatformReady() const override;
    bool PlatformRenderState(unsigned state, uint32_t value) override;
    bool PlatformLightEnable(unsigned index, uint32_t enabled) override;
    bool PlatformTextureState(unsigned stage, unsigned state, uint32_t value) override;
    bool PlatformTexture(unsigned stage, kaBaseTexture* texture) override;
    bool PlatformVertexBuffer(kaVertexBuffer* buffer) override;
    bool PlatformIndexBuffer(kaIndexBuffer* buffer) override;
    bool PlatformVertexProcessing(const kaVertexProcessing& processing) override;
    bool PlatformPixelShader(kaPixelShader* shader) override;
    bool PlatformVertexShaderConstant(int firstRegister, const float* values,
                                      unsigned registerCount) override;
    bool PlatformPixelShaderConstant(int firstRegister, const float* values,
                                     unsigned registerCount) override;
    bool PlatformViewport(const kaViewport& viewport) override;
    bool PlatformLight(unsigned index, const kaLight& light) override;
    bool PlatformMaterial(const kaMaterial& material) override;
    bool PlatformTransform(unsigned id, const kaMatrix44f& matrix) override;

    // Tests put a call-counting view of the platform device in place.
    friend struct kaD3DRenderDeviceProbe;

    unsigned mAdapter;
    IDirect3DSurface8* mSavedBackBuffer;
    IDirect3DSurface8* mSavedDepthStencil;
    IDirect3DSurface8* mTargetSurface;
    IDirect3DDevice8* mDevice;
    D3DPRESENT_PARAMETERS mPresent;
};
