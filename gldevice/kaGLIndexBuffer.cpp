#include "kaGLIndexBuffer.h"

#include <new>

#include "kaResult.h"

int kaGLIndexBuffer::Create(const kaGLFunctions& gl, unsigned indexCount, kaGLIndexBuffer** out) {
    if (TooLarge(indexCount)) return KA_ERR_INVALIDARG;
    if (indexCount == 0) return KA_ERR_PLATFORM;
    kaGLIndexBuffer* buffer = new (std::nothrow) kaGLIndexBuffer(gl);
    if (buffer == nullptr) return KA_ERR_OUTOFMEMORY;
    if (!buffer->Allocate(indexCount)) {
        delete buffer;
        return KA_ERR_OUTOFMEMORY;
    }
    gl.GetError();
    gl.GenBuffers(1, &buffer->mName);
    gl.BindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffer->mName);
    gl.BufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(indexCount) * kIndexBytes,
                  buffer->getIndices(), GL_DYNAMIC_DRAW);
    if (gl.GetError() != GL_NO_ERROR) {
        delete buffer;
        return KA_ERR_PLATFORM;
    }
    *out = buffer;
    return KA_OK;
}

kaGLIndexBuffer::kaGLIndexBuffer(const kaGLFunctions& gl) : mGL(gl), mName(0) {}

kaGLIndexBuffer::~kaGLIndexBuffer() {
    if (mName != 0 && !DeviceReleased()) mGL.DeleteBuffers(1, &mName);
}

int kaGLIndexBuffer::Release() {
    LeaveDevice(this);
    delete this;
    return KA_OK;
}

int kaGLIndexBuffer::Lock(unsigned firstIndex, unsigned indexCount, unsigned) {
    if (DeviceReleased()) return KA_ERR_WRONGSTATE;
    return StartWriting(firstIndex, indexCount) ? KA_OK : KA_ERR_PLATFORM;
}

int kaGLIndexBuffer::Unlock() {
    if (!isWriting()) return KA_ERR_PLATFORM;
    if (DeviceReleased()) {
        StopWriting();
        return KA_ERR_WRONGSTATE;
    }
    mGL.BindBuffer(GL_ELEMENT_ARRAY_BUFFER, mName);
    mGL.BufferSubData(GL_ELEMENT_ARRAY_BUFFER, GLintptr(getLockedFirst()) * kIndexBytes,
                      GLsizeiptr(getLockedCount()) * kIndexBytes, getLockedIndices());
    StopWriting();
    return KA_OK;
}
