#include "kaD3DIndexBuffer.h"

#include <cstring>
#include <new>

#include "kaResult.h"

namespace {
constexpr unsigned kIndexBytes = sizeof(uint16_t);
}

int kaD3DIndexBuffer::Create(IDirect3DDevice8* device, unsigned indexCount, unsigned usage,
                             kaD3DIndexBuffer** out) {
    if (indexCount > 0xFFFFFFFFu / kIndexBytes) return KA_ERR_INVALIDARG;
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

kaD3DIndexBuffer::kaD3DIndexBuffer() : mCursor(0), mBuffer(nullptr), mData(nullptr) {}

kaD3DIndexBuffer::~kaD3DIndexBuffer() = default;

int kaD3DIndexBuffer::Release() {
    if (mBuffer) {
        if (mData) mBuffer->Unlock();
        mBuffer->Release();
    }
    delete this;
    return KA_OK;
}

void kaD3DIndexBuffer::AddIndex(unsigned short index) { mData[mCursor++] = index; }

void kaD3DIndexBuffer::AddIndexArray(unsigned short* indices, unsigned count) {
    std::memcpy(mData + mCursor, indices, count * kIndexBytes);
    mCursor += count;
}

int kaD3DIndexBuffer::Lock(unsigned firstIndex, unsigned indexCount, unsigned lockFlags) {
    BYTE* data = nullptr;
    if (FAILED(mBuffer->Lock(firstIndex * kIndexBytes, indexCount * kIndexBytes, &data,
                             lockFlags))) {
        mData = nullptr;
        return KA_ERR_PLATFORM;
    }
    mData = reinterpret_cast<uint16_t*>(data);
    mCursor = 0;
    return KA_OK;
}

int kaD3DIndexBuffer::Unlock() {
    if (FAILED(mBuffer->Unlock())) return KA_ERR_PLATFORM;
    mCursor = 0;
    mData = nullptr;
    return KA_OK;
}
