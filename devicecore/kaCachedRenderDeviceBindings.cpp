// The resources bound to the pipeline: emptying the slots of a resource that
// is released, and the check that a draw stays inside the bound buffers.
#include <cstdint>

#include "kaCachedRenderDevice.h"
#include "kaDeviceNumbers.h"
#include "kaResult.h"
#include "kaWritableIndexBuffer.h"
#include "kaWritableVertexBuffer.h"

namespace {

bool IsKnownPrimitive(unsigned type) {
    return type >= KA_PT_POINTLIST && type <= KA_PT_TRIANGLEFAN;
}

}  // namespace

uint64_t kaCachedRenderDevice::PrimitiveVertices(unsigned primitiveType, unsigned primitives) {
    const uint64_t count = primitives;
    switch (primitiveType) {
    case KA_PT_POINTLIST: return count;
    case KA_PT_LINELIST: return count * 2;
    case KA_PT_LINESTRIP: return count + 1;
    case KA_PT_TRIANGLELIST: return count * 3;
    default: return count + 2;
    }
}

// The platform is told first; the slot is emptied in the cache whatever it
// answers, as the object it named is about to be freed.
void kaCachedRenderDevice::Unbind(const kaBaseTexture* texture) {
    for (unsigned stage = 0; stage < kaMaxTextureStages; ++stage) {
        if (texture == nullptr || mCurrent.textures[stage] != texture) continue;
        PlatformTexture(stage, nullptr);
        mCurrent.textures[stage] = nullptr;
    }
}

void kaCachedRenderDevice::Unbind(const kaVertexBuffer* buffer) {
    if (buffer == nullptr || mCurrent.vertexBuffer != buffer) return;
    PlatformVertexBuffer(nullptr);
    mCurrent.vertexBuffer = nullptr;
}

void kaCachedRenderDevice::Unbind(const kaIndexBuffer* buffer) {
    if (buffer == nullptr || mCurrent.indexBuffer != buffer) return;
    PlatformIndexBuffer(nullptr);
    mCurrent.indexBuffer = nullptr;
}

void kaCachedRenderDevice::Unbind(const kaVertexShader* shader) {
    if (shader == nullptr || mCurrent.vertexProcessing.shader != shader) return;
    const kaVertexProcessing none{0, nullptr};
    PlatformVertexProcessing(none);
    mCurrent.vertexProcessing = none;
}

void kaCachedRenderDevice::Unbind(const kaPixelShader* shader) {
    if (shader == nullptr || mPixelShader != shader) return;
    PlatformPixelShader(nullptr);
    mPixelShader = nullptr;
}

bool kaCachedRenderDevice::StreamsSet() const {
    return mCurrent.vertexBuffer != nullptr && !mCurrent.vertexProcessing.isNone();
}

int kaCachedRenderDevice::CheckDraw(unsigned primitiveType, unsigned startVertex,
                                    unsigned primitiveCount) const {
    if (!StreamsSet()) return KA_ERR_PLATFORM;
    if (!IsKnownPrimitive(primitiveType)) return KA_OK;
    kaVertexBuffer* vertices = mCurrent.vertexBuffer;
    const uint64_t end = uint64_t(startVertex) + PrimitiveVertices(primitiveType, primitiveCount);
    const unsigned available = static_cast<kaWritableVertexBuffer*>(vertices)->getVertexCount();
    return end <= available ? KA_OK : KA_ERR_INVALIDARG;
}

int kaCachedRenderDevice::CheckIndexedDraw(unsigned primitiveType, unsigned startIndex,
                                           unsigned vertexCount, unsigned primitiveCount) const {
    kaVertexBuffer* vertices = mCurrent.vertexBuffer;
    kaIndexBuffer* indices = mCurrent.indexBuffer;
    if (indices == nullptr || !StreamsSet()) return KA_ERR_PLATFORM;
    if (!IsKnownPrimitive(primitiveType)) return KA_OK;
    const unsigned available = static_cast<kaWritableVertexBuffer*>(vertices)->getVertexCount();
    const uint64_t count = PrimitiveVertices(primitiveType, primitiveCount);
    if (vertexCount > available || count > UINT32_MAX) return KA_ERR_INVALIDARG;
    return static_cast<kaWritableIndexBuffer*>(indices)->IndicesBelow(startIndex, unsigned(count),
                                                                      available)
               ? KA_OK
               : KA_ERR_INVALIDARG;
}
