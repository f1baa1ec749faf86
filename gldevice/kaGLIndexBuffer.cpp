#include "kaGLIndexBuffer.h"

#include <cstddef>
#include <new>

#include "kaResult.h"

int kaGLIndexBuffer::Create(const kaGLFunctions& gl, unsigned indexCount, kaGLIndexBuffer** out) {
    if (TooLarge(indexCount)) return KA_ERR_INVALIDARG;
    if (indexCount == 0) return KA_ERR_PLATFORM;
    kaGLIndexBuffer* buffer = new (std::nothrow) kaGLIndexBuffer(gl, indexCount);
    if (buffer == nullptr) return KA_ERR_OUTOFMEMORY;
    try {
        buffer->mMemory.assign(std::size_t(indexCount) * kIndexBytes, 0);
    } catch (const std::bad_alloc&) {
        delete buffer;
        return KA_ERR_OUTOFMEMORY;
    }
    gl.GetError();
    gl.GenBuffers(1, &buffer->mName);
    gl.BindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffer->mName);
    gl.BufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(buffer->mMemory.size()),
                  buffer->mMemory.data(), GL_DYNAMIC_DRAW);
    if (gl.GetError() != GL_NO_ERROR) {
        delete buffer;
        return KA_ERR_PLATFORM;
    }
    *out = buffer;
    return KA_OK;
}

kaGLIndexBuffer::kaGLIndexBuffer(const kaGLFunctions& gl, unsigned indexCount)
    : mGL(gl), mIndexCount(indexCount), mMemory(), mName(0), mLockedFirst(0), mLockedCount(0) {}

kaGLIndexBuffer::~kaGLIndexBuffer() {
    if (mName != 0) mGL.DeleteBuffers(1, &mName);
}

int kaGLIndexBuffer::Release() {
    delete this;
    return KA_OK;
}

int kaGLIndexBuffer::Lock(unsigned firstIndex, unsigned indexCount, unsigned) {
    if (firstIndex > mIndexCount) {
        StopWriting();
        return KA_ERR_PLATFORM;
    }
    if (indexCount == 0) indexCount = mIndexCount - firstIndex;
    if (indexCount > mIndexCount - firstIndex) {
        StopWriting();
        return KA_ERR_PLATFORM;
    }
    mLockedFirst = firstIndex;
    mLockedCount = indexCount;
    StartWriting(mMemory.data() + std::size_t(firstIndex) * kIndexBytes);
    return KA_OK;
}

int kaGLIndexBuffer::Unlock() {
    if (!isWriting()) return KA_ERR_PLATFORM;
    mGL.BindBuffer(GL_ELEMENT_ARRAY_BUFFER, mName);
    mGL.BufferSubData(GL_ELEMENT_ARRAY_BUFFER, GLintptr(mLockedFirst * kIndexBytes),
                      GLsizeiptr(mLockedCount * kIndexBytes),
                      mMemory.data() + std::size_t(mLockedFirst) * kIndexBytes);
    StopWriting();
    return KA_OK;
}
