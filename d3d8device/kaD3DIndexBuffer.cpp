#include "kaD3DIndexBuffer.h"

#include <new>

#include "kaResult.h"

int kaD3DIndexBuffer::Create(IDirect3DDevice8* device, unsigned indexCount, unsigned usage,
                             kaD3DIndexBuffer** out) {
    if (TooLarge(indexCount)) return KA_ERR_INVALIDARG;
    kaD3DIndexBuffer* buffer = new (std::nothrow) kaD3DIndexBuffer();
    if (!buffer) return KA_ERR_OUTOFMEMORY;
    if (FAILED(device->CreateIndexBuffer(indexCount * kIndexBytes, usage, D3DFMT_INDEX16,
                                         D3DPOOL_DEFAULT, &buffer->mBuffer))) {
        delete buffer;
        return KA_ERR_PLATFORM;
    }
    *out = buffer;
    return KA_OK;
}

kaD3DIndexBuffer::kaD3DIndexBuffer() : mBuffer(nullptr) {}

kaD3DIndexBuffer::~kaD3DIndexBuffer() = default;

int kaD3DIndexBuffer::Release() {
    if (mBuffer) {
        if (isWriting()) mBuffer->Unlock();
        mBuffer->Release();
    }
    delete this;
    return KA_OK;
}

int kaD3DIndexBuffer::Lock(unsigned firstIndex, unsigned indexCount, unsigned lockFlags) {
    BYTE* data = nullptr;
    if (FAILED(mBuffer->Lock(firstIndex * kIndexBytes, indexCount * kIndexBytes, &data,
                             lockFlags))) {
        StopWriting();
        return KA_ERR_PLATFORM;
    }
    StartWriting(data);
    return KA_OK;
}

int kaD3DIndexBuffer::Unlock() {
    if (FAILED(mBuffer->Unlock())) return KA_ERR_PLATFORM;
    StopWriting();
    return KA_OK;
}
