#pragma once

#include <d3d8.h>

#include "kaD3DState.h"
#include "kaRenderDevice.h"

// The render device on Direct3D 8.  Every state the device sets on the
// platform is mirrored in the current state so that unchanged values are not
// sent again; sections of it can be pushed and popped, and each cached
// transform has a matrix stack of its own.
//
// The implementation is split by concern: frame and presentation
// (kaD3DRenderDevice.cpp), state cache and stack (kaD3DRenderDeviceState.cpp),
// matrices (kaD3DRenderDeviceMatrix.cpp), resources and render targets
// (kaD3DRenderDeviceResources.cpp).
class kaD3DRenderDevice final : public kaRenderDevice {
public:
    static constexpr int kStackDepth = 16;
    static constexpr unsigned kCachedTransforms = 266;

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
    int ResetState(unsigned mask) override;
    int PushState(unsigned mask) override;
    int PopState() override;
    int Clear(unsigned flags, unsigned color, float z, unsigned stencil) override;
    int Flip() override;
    int setViewport(kaViewport* viewport) override;
    int getViewport(kaViewport* viewport) override;
    int setFog(kaFog* fog) override;
    int getFog(kaFog* fog) override;
    int setLight(unsigned index, kaLight* light) override;
    int getLight(unsigned index, kaLight* light) override;
    int setMaterial(kaMaterial* material) override;
    int getMaterial(kaMaterial* material) override;
    int setTexture(unsigned stage, kaBaseTexture* texture) override;
    int getTexture(unsigned stage, kaBaseTexture** texture) override;
    int setVertexBuffer(kaVertexBuffer* buffer) override;
    int setIndexBuffer(kaIndexBuffer* buffer) override;
    int setVertexFormat(unsigned vertexFormat) override;
    int setVertexShader(kaVertexShader* shader) override;
    int setPixelShader(kaPixelShader* shader) override;
    int setVertexShaderConstant(int firstRegister, float* values, unsigned registerCount) override;
    int setPixelShaderConstant(int firstRegister, float* values, unsigned registerCount) override;
    int setTextureState(unsigned stage, unsigned state, unsigned value) override;
    int getTextureState(unsigned stage, unsigned state, unsigned* value) override;
    int setRenderState(unsigned state, unsigned value) override;
    int getRenderState(unsigned state, unsigned* value) override;
    int setMatrix(unsigned id, kaMatrix44f* matrix) override;
    int getMatrix(unsigned id, kaMatrix44f* matrix) override;
    int LoadIdentity(unsigned id) override;
    int PushMatrix(unsigned id) override;
    int PopMatrix(unsigned id) override;
    int MultiplyMatrix(unsigned id, kaMatrix44f* matrix) override;
    int Translate(unsigned id, float x, float y, float z) override;
    int Scale(unsigned id, float x, float y, float z) override;
    int RotateX(unsigned id, float radians) override;
    int RotateY(unsigned id, float radians) override;
    int RotateZ(unsigned id, float radians) override;
    int PerspectiveFovRH(unsigned id, float fovY, float aspect, float zNear, float zFar) override;
    int PerspectiveFovLH(unsigned id, float fovY, float aspect, float zNear, float zFar) override;
    int OrthoRH(unsigned id, float width, float height, float zNear, float zFar) override;
    int OrthoLH(unsigned id, float width, float height, float zNear, float zFar) override;
    int LookAtRH(unsigned id, kaVector3f& eye, kaVector3f& at, kaVector3f& up) override;
    int LookAtLH(unsigned id, kaVector3f& eye, kaVector3f& at, kaVector3f& up) override;
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
    int CreatePlatformDevice(DWORD behaviour);
    int PostInitialize();
    void InitDefaultState();
    void ApplyState(kaD3DState* block);
    int BeginRenderToSurface(IDirect3DSurface8* target, int useDepth);
    int BeginRenderToLevel(kaBaseTexture* texture, unsigned kind, unsigned face, unsigned level,
                           int useDepth);
    // Compares and replaces the one cached vertex-processing word.
    int SetVertexProcessing(const kaD3DVertexProcessing& processing, DWORD platformValue);
    int MultiplyBy(unsigned id, kaMatrix44f matrix);
    // The platform changes the viewport itself when the render target changes.
    void ReadViewportFromPlatform();
    // Parts of the current state that no section restores take the platform's initial values.
    void MirrorPlatformInitialState();

    // Tests put a call-counting view of the platform device in place.
    friend struct kaD3DRenderDeviceProbe;

    // Index into the matrix stacks of a cached transform, or -1.
    static int MatrixStackIndex(unsigned id);

    unsigned mAdapter;
    kaD3DState mCurrent;
    kaD3DState mDefault;
    kaD3DState mStack[kStackDepth];
    int mStackTop;
    kaMatrix44f mMatrixStack[kCachedTransforms][kStackDepth];
    int mMatrixStackTop[kCachedTransforms];
    IDirect3DSurface8* mSavedBackBuffer;
    IDirect3DSurface8* mSavedDepthStencil;
    IDirect3DSurface8* mTargetSurface;
    IDirect3DDevice8* mDevice;
    D3DPRESENT_PARAMETERS mPresent;
};
