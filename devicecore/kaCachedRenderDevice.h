#pragma once

#include <cstdint>
#include <memory>

#include "kaDeviceState.h"
#include "kaLinkedResource.h"
#include "kaRenderDevice.h"
#include "kaStateBackend.h"

// The part of a render device that does not depend on its platform: the
// state cache with its compared and uncompared setters, getters answered
// from the cache, the state stack with section masks, the default state, and
// the matrix stacks with the matrix builders.  A device derives from it and
// implements the backend hooks (kaStateBackend), which are called only when
// a value really reaches the platform.
//
// The implementation is split by concern: state cache and stack
// (kaCachedRenderDeviceState.cpp), matrices (kaCachedRenderDeviceMatrix.cpp),
// bound resources and draw ranges (kaCachedRenderDeviceBindings.cpp).
class kaCachedRenderDevice : public kaRenderDevice, protected kaStateBackend {
public:
    static constexpr int kStackDepth = 16;
    static constexpr unsigned kCachedTransforms = 266;

    int ResetState(unsigned mask) override;
    int PushState(unsigned mask) override;
    int PopState() override;
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

    // A resource's last Release: every slot that names it (texture stages,
    // the stream, the indices, vertex processing, the pixel shader) becomes
    // empty, on the platform and in the cache.
    void Unbind(const kaBaseTexture* texture);
    void Unbind(const kaVertexBuffer* buffer);
    void Unbind(const kaIndexBuffer* buffer);
    void Unbind(const kaVertexShader* shader);
    void Unbind(const kaPixelShader* shader);

protected:
    kaCachedRenderDevice();
    // Tells every resource still alive that the device is gone.
    ~kaCachedRenderDevice();

    // What the device hands to each resource it makes (kaLinkedResource::LinkTo).
    const std::shared_ptr<kaDeviceLink>& getLink() const { return mLink; }
    // Whether a draw stays inside the bound buffers: KA_OK, or
    // KA_ERR_INVALIDARG when a vertex or an index it reads lies outside them
    // (also a vertex count past the vertex buffer).  Without the buffers and
    // a vertex format or shader set since the end of the last frame (or
    // their release) the draw is refused as the platform would: KA_ERR_PLATFORM.
    // Draws of an unknown primitive type are left to the device.
    int CheckDraw(unsigned primitiveType, unsigned startVertex, unsigned primitiveCount) const;
    int CheckIndexedDraw(unsigned primitiveType, unsigned startIndex, unsigned vertexCount,
                         unsigned primitiveCount) const;
    // Vertices (or indices) that a number of primitives of a type take.
    static uint64_t PrimitiveVertices(unsigned primitiveType, unsigned primitives);
    // The pixel shader last set, or null.
    kaPixelShader* getPixelShader() const { return mPixelShader; }

    // Builds the default state and sends all of it to the platform once, then
    // empties every stack.  The parts of the state that no section restores
    // take the platform's initial values: no textures, buffers or vertex
    // processing, identity world matrices.  The viewport keeps the filler
    // until the device mirrors the platform's own (MirrorViewport).
    void InitializeState();
    // Forgets the current buffers and vertex processing without telling the
    // platform (the end of a frame or of a render-to-texture).
    void ForgetStreams() { mCurrent.ForgetStreams(); }
    // The platform changed its viewport by itself (a new render target).
    void MirrorViewport(const kaViewport& viewport) { mCurrent.viewport = viewport; }
    const kaDeviceState& getCurrentState() const { return mCurrent; }

private:
    void InitDefaultState();
    void ApplyState(kaDeviceState* block);
    // Compares and replaces the one cached vertex-processing word.
    int SetVertexProcessing(const kaVertexProcessing& processing);
    // A vertex buffer and a vertex format or shader are set.
    bool StreamsSet() const;
    int MultiplyBy(unsigned id, kaMatrix44f matrix);

    // Index into the matrix stacks of a cached transform, or -1.
    static int MatrixStackIndex(unsigned id);

    std::shared_ptr<kaDeviceLink> mLink;
    kaPixelShader* mPixelShader;
    kaDeviceState mCurrent;
    kaDeviceState mDefault;
    kaDeviceState mStack[kStackDepth];
    int mStackTop;
    kaMatrix44f mMatrixStack[kCachedTransforms][kStackDepth];
    int mMatrixStackTop[kCachedTransforms];
};
