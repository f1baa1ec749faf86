#include "kaSilentDevice.h"

#include "kaResult.h"

int kaSilentDevice::CheckDepthStencil(unsigned depthFormat, unsigned modeIndex, int windowed) {
    return mShown.CheckDepthStencil(depthFormat, modeIndex, windowed);
}

int kaSilentDevice::Initialize(void* window, unsigned modeIndex, unsigned depthFormat,
                               unsigned multiSampleType, int vsync) {
    return mShown.Initialize(window, modeIndex, depthFormat, multiSampleType, vsync);
}

int kaSilentDevice::InitializeWindowed(void* window, unsigned width, unsigned height,
                                       unsigned depthFormat, unsigned multiSampleType, int vsync) {
    return mShown.InitializeWindowed(window, width, height, depthFormat, multiSampleType, vsync);
}

int kaSilentDevice::Release() { return mShown.Release(); }

int kaSilentDevice::CreateTexture(kaBaseTexture** out, unsigned width, unsigned height,
                                  unsigned format, unsigned levels, unsigned usage) {
    return mShown.CreateTexture(out, width, height, format, levels, usage);
}

int kaSilentDevice::CreateCubeTexture(kaBaseTexture** out, unsigned edgeLength, unsigned format,
                                      unsigned levels, unsigned usage) {
    return mShown.CreateCubeTexture(out, edgeLength, format, levels, usage);
}

int kaSilentDevice::CreateVolumeTexture(kaBaseTexture** out, unsigned width, unsigned height,
                                        unsigned depth, unsigned format, unsigned levels,
                                        unsigned usage) {
    return mShown.CreateVolumeTexture(out, width, height, depth, format, levels, usage);
}

int kaSilentDevice::CreateVertexBuffer(kaVertexBuffer** out, unsigned vertexFormat,
                                       unsigned vertexCount, unsigned usage) {
    return mShown.CreateVertexBuffer(out, vertexFormat, vertexCount, usage);
}

int kaSilentDevice::CreateIndexBuffer(kaIndexBuffer** out, unsigned indexCount, unsigned usage) {
    return mShown.CreateIndexBuffer(out, indexCount, usage);
}

int kaSilentDevice::CreateVertexShader(kaVertexShader** out, unsigned vertexFormat, void* source,
                                       unsigned sourceLength) {
    return mShown.CreateVertexShader(out, vertexFormat, source, sourceLength);
}

int kaSilentDevice::CreatePixelShader(kaPixelShader** out, void* source, unsigned sourceLength) {
    return mShown.CreatePixelShader(out, source, sourceLength);
}

int kaSilentDevice::DrawPrimitive(unsigned /*primitiveType*/, unsigned /*startVertex*/,
                                  unsigned /*primitiveCount*/) {
    return KA_OK;
}

int kaSilentDevice::DrawIndexedPrimitive(unsigned /*primitiveType*/, unsigned /*startIndex*/,
                                         unsigned /*vertexCount*/, unsigned /*primitiveCount*/) {
    return KA_OK;
}

int kaSilentDevice::ResetState(unsigned mask) { return mShown.ResetState(mask); }

int kaSilentDevice::PushState(unsigned mask) { return mShown.PushState(mask); }

int kaSilentDevice::PopState() { return mShown.PopState(); }

int kaSilentDevice::Clear(unsigned /*flags*/, unsigned /*color*/, float /*z*/,
                          unsigned /*stencil*/) {
    return KA_OK;
}

int kaSilentDevice::Flip() { return KA_OK; }

int kaSilentDevice::setViewport(kaViewport* viewport) { return mShown.setViewport(viewport); }

int kaSilentDevice::getViewport(kaViewport* viewport) { return mShown.getViewport(viewport); }

int kaSilentDevice::setFog(kaFog* fog) { return mShown.setFog(fog); }

int kaSilentDevice::getFog(kaFog* fog) { return mShown.getFog(fog); }

int kaSilentDevice::setLight(unsigned index, kaLight* light) {
    return mShown.setLight(index, light);
}

int kaSilentDevice::getLight(unsigned index, kaLight* light) {
    return mShown.getLight(index, light);
}

int kaSilentDevice::setMaterial(kaMaterial* material) { return mShown.setMaterial(material); }

int kaSilentDevice::getMaterial(kaMaterial* material) { return mShown.getMaterial(material); }

int kaSilentDevice::setTexture(unsigned stage, kaBaseTexture* texture) {
    return mShown.setTexture(stage, texture);
}

int kaSilentDevice::getTexture(unsigned stage, kaBaseTexture** texture) {
    return mShown.getTexture(stage, texture);
}

int kaSilentDevice::setVertexBuffer(kaVertexBuffer* buffer) {
    return mShown.setVertexBuffer(buffer);
}

int kaSilentDevice::setIndexBuffer(kaIndexBuffer* buffer) { return mShown.setIndexBuffer(buffer); }

int kaSilentDevice::setVertexFormat(unsigned vertexFormat) {
    return mShown.setVertexFormat(vertexFormat);
}

int kaSilentDevice::setVertexShader(kaVertexShader* shader) {
    return mShown.setVertexShader(shader);
}

int kaSilentDevice::setPixelShader(kaPixelShader* shader) { return mShown.setPixelShader(shader); }

int kaSilentDevice::setVertexShaderConstant(int firstRegister, float* values,
                                            unsigned registerCount) {
    return mShown.setVertexShaderConstant(firstRegister, values, registerCount);
}

int kaSilentDevice::setPixelShaderConstant(int firstRegister, float* values,
                                           unsigned registerCount) {
    return mShown.setPixelShaderConstant(firstRegister, values, registerCount);
}

int kaSilentDevice::setTextureState(unsigned stage, unsigned state, unsigned value) {
    return mShown.setTextureState(stage, state, value);
}

int kaSilentDevice::getTextureState(unsigned stage, unsigned state, unsigned* value) {
    return mShown.getTextureState(stage, state, value);
}

int kaSilentDevice::setRenderState(unsigned state, unsigned value) {
    return mShown.setRenderState(state, value);
}

int kaSilentDevice::getRenderState(unsigned state, unsigned* value) {
    return mShown.getRenderState(state, value);
}

int kaSilentDevice::setMatrix(unsigned id, kaMatrix44f* matrix) {
    return mShown.setMatrix(id, matrix);
}

int kaSilentDevice::getMatrix(unsigned id, kaMatrix44f* matrix) {
    return mShown.getMatrix(id, matrix);
}

int kaSilentDevice::LoadIdentity(unsigned id) { return mShown.LoadIdentity(id); }

int kaSilentDevice::PushMatrix(unsigned id) { return mShown.PushMatrix(id); }

int kaSilentDevice::PopMatrix(unsigned id) { return mShown.PopMatrix(id); }

int kaSilentDevice::MultiplyMatrix(unsigned id, kaMatrix44f* matrix) {
    return mShown.MultiplyMatrix(id, matrix);
}

int kaSilentDevice::Translate(unsigned id, float x, float y, float z) {
    return mShown.Translate(id, x, y, z);
}

int kaSilentDevice::Scale(unsigned id, float x, float y, float z) {
    return mShown.Scale(id, x, y, z);
}

int kaSilentDevice::RotateX(unsigned id, float radians) { return mShown.RotateX(id, radians); }

int kaSilentDevice::RotateY(unsigned id, float radians) { return mShown.RotateY(id, radians); }

int kaSilentDevice::RotateZ(unsigned id, float radians) { return mShown.RotateZ(id, radians); }

int kaSilentDevice::PerspectiveFovRH(unsigned id, float fovY, float aspect, float zNear,
                                     float zFar) {
    return mShown.PerspectiveFovRH(id, fovY, aspect, zNear, zFar);
}

int kaSilentDevice::PerspectiveFovLH(unsigned id, float fovY, float aspect, float zNear,
                                     float zFar) {
    return mShown.PerspectiveFovLH(id, fovY, aspect, zNear, zFar);
}

int kaSilentDevice::OrthoRH(unsigned id, float width, float height, float zNear, float zFar) {
    return mShown.OrthoRH(id, width, height, zNear, zFar);
}

int kaSilentDevice::OrthoLH(unsigned id, float width, float height, float zNear, float zFar) {
    return mShown.OrthoLH(id, width, height, zNear, zFar);
}

int kaSilentDevice::LookAtRH(unsigned id, kaVector3f& eye, kaVector3f& at, kaVector3f& up) {
    return mShown.LookAtRH(id, eye, at, up);
}

int kaSilentDevice::LookAtLH(unsigned id, kaVector3f& eye, kaVector3f& at, kaVector3f& up) {
    return mShown.LookAtLH(id, eye, at, up);
}

int kaSilentDevice::BeginRender() { return mShown.BeginRender(); }

int kaSilentDevice::EndRender() { return mShown.EndRender(); }

int kaSilentDevice::BeginRenderToTexture(kaBaseTexture* texture, unsigned level, int useDepth) {
    return mShown.BeginRenderToTexture(texture, level, useDepth);
}

int kaSilentDevice::EndRenderToTexture() { return mShown.EndRenderToTexture(); }

int kaSilentDevice::BeginRenderToCubeTexture(kaBaseTexture* texture, unsigned face, unsigned level,
                                             int useDepth) {
    return mShown.BeginRenderToCubeTexture(texture, face, level, useDepth);
}

int kaSilentDevice::EndRenderToCubeTexture() { return mShown.EndRenderToCubeTexture(); }
