#pragma once

#include "kaRenderDevice.h"

// A render device that draws nothing: it stands in for the shown device
// while frames are played without being seen (a fast forward).  Clearing,
// drawing and presenting do nothing and succeed; every other call (state,
// transforms, shaders, resources, scenes) goes to the shown device, so that
// the device is left in the state the frames would have left it in, for the
// first frame that is drawn after them.
class kaSilentDevice final : public kaRenderDevice {
public:
    explicit kaSilentDevice(kaRenderDevice& shown) : mShown(shown) {}
    ~kaSilentDevice() = default;
    kaSilentDevice(const kaSilentDevice&) = delete;
    kaSilentDevice& operator=(const kaSilentDevice&) = delete;

    int CheckDepthStencil(unsigned depthFormat, unsigned modeIndex, int windowed) override;
    int Initialize(void* window, unsigned modeIndex, unsigned depthFormat, unsigned multiSampleType,
                   int vsync) override;
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

private:
    kaRenderDevice& mShown;
};
