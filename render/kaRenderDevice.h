#pragma once

#include "kaBaseTexture.h"
#include "kaIndexBuffer.h"
#include "kaPixelShader.h"
#include "kaRenderApi.h"
#include "kaRenderTypes.h"
#include "kaVertexBuffer.h"
#include "kaVertexShader.h"

// The abstract render device.  The player draws only through this interface;
// the plug-in implements it.  State, format, transform and flag numbers are
// Direct3D 8's own and cross unchanged.  The order of the virtual operations
// is the binary interface between the two modules: never reorder them.
class KA_RENDER_API kaRenderDevice {
public:
    kaRenderDevice();
    kaRenderDevice(const kaRenderDevice&);
    kaRenderDevice& operator=(const kaRenderDevice&);

    // Creation, presentation and resources (slots 0 to 12).
    virtual int CheckDepthStencil(unsigned depthFormat, unsigned modeIndex, int windowed) = 0;
    virtual int Initialize(void* window, unsigned modeIndex, unsigned depthFormat,
                           unsigned multiSampleType, int vsync) = 0;
    virtual int InitializeWindowed(void* window, unsigned width, unsigned height,
                                   unsigned depthFormat, unsigned multiSampleType,
                                   int vsync) = 0;
    virtual int Release() = 0;
    virtual int CreateTexture(kaBaseTexture** out, unsigned width, unsigned height,
                              unsigned format, unsigned levels, unsigned usage) = 0;
    virtual int CreateCubeTexture(kaBaseTexture** out, unsigned edgeLength, unsigned format,
                                  unsigned levels, unsigned usage) = 0;
    virtual int CreateVolumeTexture(kaBaseTexture** out, unsigned width, unsigned height,
                                    unsigned depth, unsigned format, unsigned levels,
                                    unsigned usage) = 0;
    virtual int CreateVertexBuffer(kaVertexBuffer** out, unsigned vertexFormat,
                                   unsigned vertexCount, unsigned usage) = 0;
    virtual int CreateIndexBuffer(kaIndexBuffer** out, unsigned indexCount, unsigned usage) = 0;
    virtual int CreateVertexShader(kaVertexShader** out, unsigned vertexFormat, void* source,
                                   unsigned sourceLength) = 0;
    virtual int CreatePixelShader(kaPixelShader** out, void* source, unsigned sourceLength) = 0;
    virtual int DrawPrimitive(unsigned primitiveType, unsigned startVertex,
                              unsigned primitiveCount) = 0;
    virtual int DrawIndexedPrimitive(unsigned primitiveType, unsigned startIndex,
                                     unsigned vertexCount, unsigned primitiveCount) = 0;

    // State sections and frame (slots 13 to 17).
    virtual int ResetState(unsigned mask) = 0;
    virtual int PushState(unsigned mask) = 0;
    virtual int PopState() = 0;
    virtual int Clear(unsigned flags, unsigned color, float z, unsigned stencil) = 0;
    virtual int Flip() = 0;

    // Cached state (slots 18 to 38).
    virtual int setViewport(kaViewport* viewport) = 0;
    virtual int getViewport(kaViewport* viewport) = 0;
    virtual int setFog(kaFog* fog) = 0;
    virtual int getFog(kaFog* fog) = 0;
    virtual int setLight(unsigned index, kaLight* light) = 0;
    virtual int getLight(unsigned index, kaLight* light) = 0;
    virtual int setMaterial(kaMaterial* material) = 0;
    virtual int getMaterial(kaMaterial* material) = 0;
    virtual int setTexture(unsigned stage, kaBaseTexture* texture) = 0;
    virtual int getTexture(unsigned stage, kaBaseTexture** texture) = 0;
    virtual int setVertexBuffer(kaVertexBuffer* buffer) = 0;
    virtual int setIndexBuffer(kaIndexBuffer* buffer) = 0;
    virtual int setVertexFormat(unsigned vertexFormat) = 0;
    virtual int setVertexShader(kaVertexShader* shader) = 0;
    virtual int setPixelShader(kaPixelShader* shader) = 0;
    virtual int setVertexShaderConstant(int firstRegister, float* values,
                                        unsigned registerCount) = 0;
    virtual int setPixelShaderConstant(int firstRegister, float* values,
                                       unsigned registerCount) = 0;
    virtual int setTextureState(unsigned stage, unsigned state, unsigned value) = 0;
    virtual int getTextureState(unsigned stage, unsigned state, unsigned* value) = 0;
    virtual int setRenderState(unsigned state, unsigned value) = 0;
    virtual int getRenderState(unsigned state, unsigned* value) = 0;

    // Matrices (slots 39 to 55).
    virtual int setMatrix(unsigned id, kaMatrix44f* matrix) = 0;
    virtual int getMatrix(unsigned id, kaMatrix44f* matrix) = 0;
    virtual int LoadIdentity(unsigned id) = 0;
    virtual int PushMatrix(unsigned id) = 0;
    virtual int PopMatrix(unsigned id) = 0;
    virtual int MultiplyMatrix(unsigned id, kaMatrix44f* matrix) = 0;
    virtual int Translate(unsigned id, float x, float y, float z) = 0;
    virtual int Scale(unsigned id, float x, float y, float z) = 0;
    virtual int RotateX(unsigned id, float radians) = 0;
    virtual int RotateY(unsigned id, float radians) = 0;
    virtual int RotateZ(unsigned id, float radians) = 0;
    virtual int PerspectiveFovRH(unsigned id, float fovY, float aspect, float zNear,
                                 float zFar) = 0;
    virtual int PerspectiveFovLH(unsigned id, float fovY, float aspect, float zNear,
                                 float zFar) = 0;
    virtual int OrthoRH(unsigned id, float width, float height, float zNear, float zFar) = 0;
    virtual int OrthoLH(unsigned id, float width, float height, float zNear, float zFar) = 0;
    virtual int LookAtRH(unsigned id, kaVector3f& eye, kaVector3f& at, kaVector3f& up) = 0;
    virtual int LookAtLH(unsigned id, kaVector3f& eye, kaVector3f& at, kaVector3f& up) = 0;

    // Scene and render targets (slots 56 to 61).
    virtual int BeginRender() = 0;
    virtual int EndRender() = 0;
    virtual int BeginRenderToTexture(kaBaseTexture* texture, unsigned level, int useDepth) = 0;
    virtual int EndRenderToTexture() = 0;
    virtual int BeginRenderToCubeTexture(kaBaseTexture* texture, unsigned face, unsigned level,
                                         int useDepth) = 0;
    virtual int EndRenderToCubeTexture() = 0;

protected:
    ~kaRenderDevice();  // destroyed only through Release
};
