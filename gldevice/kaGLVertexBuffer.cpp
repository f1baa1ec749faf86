#include "kaGLVertexBuffer.h"

#include <algorithm>
#include <new>

#include "kaResult.h"

int kaGLVertexBuffer::Create(const kaGLFunctions& gl, unsigned vertexFormat,
                             unsigned vertexCount, kaGLVertexBuffer** out) {
    const kaVertexLayout layout = kaVertexLayout::FromFormat(vertexFormat);
    if (TooLarge(layout, vertexCount)) return KA_ERR_INVALIDARG;
    if (vertexCount == 0 || layout.vertexSize == 0) return KA_ERR_PLATFORM;
    kaGLVertexBuffer* buffer =
        new (std::nothrow) kaGLVertexBuffer(gl, layout, vertexFormat, vertexCount);
    if (buffer == nullptr) return KA_ERR_OUTOFMEMORY;
    try {
        buffer->mMemory.assign(size_t(vertexCount) * layout.vertexSize, 0);
    } catch (const std::bad_alloc&) {
        delete buffer;
        return KA_ERR_OUTOFMEMORY;
    }
    gl.GetError();
    gl.GenBuffers(1, &buffer->mName);
    gl.BindBuffer(GL_ARRAY_BUFFER, buffer->mName);
    gl.BufferData(GL_ARRAY_BUFFER, GLsizeiptr(buffer->mMemory.size()), buffer->mMemory.data(),
                  GL_DYNAMIC_DRAW);
    if (gl.GetError() != GL_NO_ERROR) {
        delete buffer;
        return KA_ERR_PLATFORM;
    }
    *out = buffer;
    return KA_OK;
}

kaGLVertexBuffer::kaGLVertexBuffer(const kaGLFunctions& gl, const kaVertexLayout& layout,
                                   uint32_t format, unsigned vertexCount)
    : kaWritableVertexBuffer(layout, format, vertexCount), mGL(gl), mLayout(layout), mMemory(),
      mStaging(), mName(0), mLockedFirst(0), mLockedCount(0) {}

kaGLVertexBuffer::~kaGLVertexBuffer() {
    if (mName != 0 && !DeviceReleased()) mGL.DeleteBuffers(1, &mName);
}

int kaGLVertexBuffer::Release() {
    LeaveDevice(this);
    delete this;
    return KA_OK;
}

// A count of 0 locks up to the end of the buffer; a range past its end is refused.
int kaGLVertexBuffer::Lock(unsigned firstVertex, unsigned vertexCount, unsigned) {
    if (DeviceReleased()) return KA_ERR_WRONGSTATE;
    if (!LockRange(firstVertex, &vertexCount)) {
        StopWriting();
        return KA_ERR_PLATFORM;
    }
    mLockedFirst = firstVertex;
    mLockedCount = vertexCount;
    StartWriting(mMemory.data() + size_t(firstVertex) * mLayout.vertexSize, vertexCount);
    return KA_OK;
}

// Sends the locked vertices, with the red and blue bytes of the packed
// colours exchanged on the way.
int kaGLVertexBuffer::Unlock() {
    if (!isWriting()) return KA_ERR_PLATFORM;
    if (DeviceReleased()) {
        StopWriting();
        return KA_ERR_WRONGSTATE;
    }
    const size_t size = mLayout.vertexSize;
    const size_t begin = mLockedFirst * size, bytes = mLockedCount * size;
    mStaging.assign(mMemory.begin() + long(begin), mMemory.begin() + long(begin + bytes));
    for (unsigned component : {kaVertexLayout::DIFFUSE, kaVertexLayout::SPECULAR}) {
        if (mLayout.size[component] == 0) continue;
        for (size_t v = 0; v < mLockedCount; ++v) {
            unsigned char* word = mStaging.data() + v * size + mLayout.offset[component];
            std::swap(word[0], word[2]);
        }
    }
    mGL.BindBuffer(GL_ARRAY_BUFFER, mName);
    mGL.BufferSubData(GL_ARRAY_BUFFER, GLintptr(begin), GLsizeiptr(bytes), mStaging.data());
    StopWriting();
    return KA_OK;
}
