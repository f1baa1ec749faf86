#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "kaCachedRenderDevice.h"
#include "kaGLBaseTexture.h"
#include "kaGLContext.h"
#include "kaGLFrameReadback.h"
#include "kaGLPrograms.h"

// The render device on OpenGL 3.3 core or OpenGL ES 3.0.  The state cache
// and stacks are the shared core's (kaCachedRenderDevice); the backend hooks
// only note what changed, and a draw turns the cached state into GL state,
// programs generated for the fixed-function state or translated from the
// shaders, and uniforms.  The device draws into a back buffer of its own,
// which Flip shows in the window, scaled and letterboxed.  With a
// multisample type the back buffer and the render targets are drawn with
// that many samples per pixel and resolved: the back buffer into the copy
// that Flip shows and reads back, a render target into its texture when
// drawing into it ends.  The samples are always taken apart: the
// multisample render state is not carried out (OpenGL ES has no switch).
//
// Pictures line up with the Direct3D device: the programs shift positions by
// half a pixel to Direct3D's pixel centres and map its depth range, and every
// target (the back buffer and textures) is drawn upside down in GL's terms so
// that its row 0 in memory is the top row, as uploads and read-backs have it
// and as the rasteriser's rules for edges through pixel centres expect;
// viewports then count rows from the top as they are.
//
// The implementation is split by concern: frame and presentation
// (kaGLRenderDevice.cpp), the backend hooks (kaGLRenderDevicePlatform.cpp),
// resources and render targets (kaGLRenderDeviceResources.cpp), drawing
// (kaGLRenderDeviceDraw.cpp).
class kaGLRenderDevice final : public kaCachedRenderDevice {
public:
    explicit kaGLRenderDevice(unsigned adapter);

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

    // The frame most recently shown by Flip as rows top first, B, G, R, A.
    int ReadPresentedFrame(unsigned char* pixels, unsigned width, unsigned height);
    // The same read back without waiting: Begin starts reading the frame
    // most recently shown (three at most unfinished), End finishes the
    // oldest one started into `pixels`.
    int BeginReadPresentedFrame();
    int EndReadPresentedFrame(unsigned char* pixels, unsigned width, unsigned height);
    // Makes the back buffer, its depth buffer and the frame copy anew at
    // this size (the window's drawable changed); what was drawn is lost,
    // reads in flight are forgotten and the viewport covers the new size.
    // Refused while drawing into a texture.
    int ResizeBackBuffer(unsigned width, unsigned height);

private:
    ~kaGLRenderDevice();

    int Start(void* window, unsigned width, unsigned height, unsigned depthFormat, int vsync,
              int fullscreenMode);
    bool CreateBackBuffer();
    bool AllocateSizedBuffers();
    void ReleaseSizedBuffers();
    GLuint NewRenderbuffer(GLenum format, GLsizei samples, unsigned width, unsigned height) const;
    bool StartMultisampledTarget(const kaGLBaseTexture& texture, unsigned width, unsigned height);
    void ResolveTarget();
    void DestroyGL();
    void BindTarget();
    int BeginRenderToLevel(kaBaseTexture* texture, unsigned kind, unsigned face, unsigned level,
                           int useDepth);
    int CreateTextureOfKind(const kaGLBaseTexture::Request& request, kaBaseTexture** out);
    // Names a refused call and the reason on standard error; KA_ERR_PLATFORM.
    static int Refuse(const char* call, const std::string& reason);
    // The same for a draw outside the bound buffers; answers result.
    static int Outside(const char* call, int result);

    // Drawing (kaGLRenderDeviceDraw.cpp).
    bool PrepareDraw(const char* call);
    void ApplyPipelineState();
    void ApplyTextures(const kaGLProgram& program);
    void ApplyVertexInputs();
    void SetUniforms(kaGLProgram& program);
    GLuint SamplerFor(unsigned stage);

    // The state cache's backend (kaGLRenderDevicePlatform.cpp).
    void ResetPlatformRenderStates();
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

    unsigned mAdapter;
    kaGLContext* mContext;
    unsigned mWidth, mHeight;
    unsigned mSamples;                            // per pixel; 0 without multisampling
    unsigned mDepthFormat;
    GLuint mBackBuffer, mBackColour, mBackDepth;  // framebuffer and its renderbuffers
    bool mDepthHasStencil;
    GLuint mPresented, mPresentedColour;          // a copy of the last frame shown
    kaGLFrameReadback mReadback;                  // reads of it in flight
    GLuint mTargetBuffer;                         // framebuffer of a render-to-texture
    kaGLBaseTexture* mTarget;                     // null when drawing to the back buffer
    unsigned mTargetWidth, mTargetHeight;
    unsigned mTargetFace, mTargetLevel;
    // With multisampling: the render target's samples and the framebuffer
    // through which they are resolved into the texture.
    GLuint mTargetSamples, mTargetResolve;
    GLuint mVertexArray, mConstantBuffer;
    float mVertexConstants[kaGLPrograms::kVertexConstants * 4];
    float mPixelConstants[kaGLPrograms::kPixelConstants * 4];
    uint32_t mPlatformRenderStates[kaRenderStateCount];  // what "the platform" holds
    bool mVertexConstantsDirty;
    uint32_t mUniformVersion;  // advances whenever a value a program reads changes
    kaGLPrograms mPrograms;
    std::vector<std::pair<uint64_t, GLuint>> mSamplers;
};
