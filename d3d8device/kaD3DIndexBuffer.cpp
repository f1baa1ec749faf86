#include "kaD3DIndexBuffer.h"

#include <cstring>
#include <new>

#include "kaResult.h"

// The platform buffer starts with the copy's indices, all 0, so that a draw
// never meets an index the copy does not know.
int kaD3DIndexBuffer::Create(IDirect3DDevice8* device, unsigned indexCount, unsigned usage,
                             kaD3DIndexBuffer** out) {
    if (TooLarge(indexCount)) return KA_ERR_INVALIDARG;
    kaD3DIndexBuffer* buffer = new (std::nothrow) kaD3DIndexBuffer();
    if (!buffer) return KA_ERR_OUTOFMEMORY;
    if (!buffer->Allocate(indexCount)) {
        delete buffer;
        return KA_ERR_OUTOFMEMORY;
    }
    if (FAILED(device->CreateIndexBuffer(indexCount * kIndexBytes, usage, D3DFMT_INDEX16,
                                         D3DPOOL_DEFAULT, &buffer->mBuffer)) ||
        buffer->Lock(0, 0, 0) != KA_OK || buffer->Unlock() != KA_OK) {
        buffer->Release();
        return KA_ERR_PLATFORM;
    }
    *out = buffer;
    return KA_OK;
}

kaD3DIndexBuffer::kaD3DIndexBuffer() : mBuffer(nullptr), mLocked(nullptr) {}

kaD3DIndexBuffer::~kaD3DIndexBuffer() = default;

// The platform buffer holds its own reference to the platform device, so it
// may be released after the device too.
int kaD3DIndexBuffer::Release() {
    LeaveDevice(this);
    if (mBuffer) {
        if (isWriting()) mBuffer->Unlock();
        mBuffer->Release();
    }
    delete this;
    return KA_OK;
}

// A count of 0 locks up to the end of the buffer; a range past its end is refused.
int kaD3DIndexBuffer::Lock(unsigned firstIndex, unsigned indexCount, unsigned lockFlags) {
    if (DeviceReleased()) return KA_ERR_WRONGSTATE;
    if (!StartWriting(firstIndex, indexCount)) return KA_ERR_PLATFORM;
    if (FAILED(mBuffer->Lock(getLockedFirst() * kIndexBytes, getLockedCount() * kIndexBytes,
                             &mLocked, lockFlags))) {
        StopWriting();
        return KA_ERR_PLATFORM;
    }
    return KA_OK;
}

int kaD3DIndexBuffer::Unlock() {
    if (!isWriting()) return KA_ERR_PLATFORM;
    std::memcpy(mLocked, getLockedIndices(), size_t(getLockedCount()) * kIndexBytes);
    StopWriting();
    return SUCCEEDED(mBuffer->Unlock()) ? KA_OK : KA_ERR_PLATFORM;
}
