#include "kaD3DVertexBuffer.h"

#include <new>

#include "kaResult.h"

int kaD3DVertexBuffer::Create(IDirect3DDevice8* device, unsigned vertexFormat,
                              unsigned vertexCount, unsigned usage, kaD3DVertexBuffer** out) {
    const kaVertexLayout layout = kaVertexLayout::FromFormat(vertexFormat);
    if (TooLarge(layout, vertexCount)) return KA_ERR_INVALIDARG;
    kaD3DVertexBuffer* buffer =
        new (std::nothrow) kaD3DVertexBuffer(layout, vertexFormat, vertexCount);
    if (!buffer) return KA_ERR_OUTOFMEMORY;
    if (FAILED(device->CreateVertexBuffer(vertexCount * layout.vertexSize, usage, vertexFormat,
                                          D3DPOOL_DEFAULT, &buffer->mBuffer))) {
        delete buffer;
        return KA_ERR_PLATFORM;
    }
    *out = buffer;
    return KA_OK;
}

kaD3DVertexBuffer::kaD3DVertexBuffer(const kaVertexLayout& layout, uint32_t vertexFormat,
                                     unsigned vertexCount)
    : kaWritableVertexBuffer(layout, vertexFormat, vertexCount), mBuffer(nullptr) {}

kaD3DVertexBuffer::~kaD3DVertexBuffer() = default;

// The platform buffer holds its own reference to the platform device, so it
// may be released after the device too.
int kaD3DVertexBuffer::Release() {
    LeaveDevice(this);
    if (mBuffer) {
        if (isWriting()) mBuffer->Unlock();
        mBuffer->Release();
    }
    delete this;
    return KA_OK;
}

// A count of 0 locks up to the end of the buffer; a range past its end is refused.
int kaD3DVertexBuffer::Lock(unsigned firstVertex, unsigned vertexCount, unsigned lockFlags) {
    if (DeviceReleased()) return KA_ERR_WRONGSTATE;
    BYTE* data = nullptr;
    const unsigned size = getVertexSize();
    if (!LockRange(firstVertex, &vertexCount) ||
        FAILED(mBuffer->Lock(firstVertex * size, vertexCount * size, &data, lockFlags))) {
        StopWriting();
        return KA_ERR_PLATFORM;
    }
    StartWriting(data, vertexCount);
    return KA_OK;
}

int kaD3DVertexBuffer::Unlock() {
    if (FAILED(mBuffer->Unlock())) return KA_ERR_PLATFORM;
    StopWriting();
    return KA_OK;
}
