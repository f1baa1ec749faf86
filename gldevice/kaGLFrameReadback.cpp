#include "kaGLFrameReadback.h"

#include "kaResult.h"

void kaGLFrameReadback::setSize(unsigned width, unsigned height) {
    mWidth = width;
    mHeight = height;
}

int kaGLFrameReadback::Begin(const kaGLFunctions& gl, GLuint framebuffer) {
    if (gl.MapBufferRange == nullptr || gl.UnmapBuffer == nullptr) return KA_ERR_UNSUPPORTED;
    if (mInFlight == kDepth) return KA_ERR_WRONGSTATE;
    if (mBuffers[0] == 0) {
        gl.GenBuffers(kDepth, mBuffers);
        for (GLuint buffer : mBuffers) {
            gl.BindBuffer(GL_PIXEL_PACK_BUFFER, buffer);
            gl.BufferData(GL_PIXEL_PACK_BUFFER, GLsizeiptr(FrameBytes()), nullptr, GL_STREAM_READ);
        }
    }
    gl.BindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer);
    gl.BindBuffer(GL_PIXEL_PACK_BUFFER, mBuffers[(mOldest + mInFlight) % kDepth]);
    gl.PixelStorei(GL_PACK_ALIGNMENT, 1);
    gl.ReadPixels(0, 0, GLsizei(mWidth), GLsizei(mHeight), GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    gl.BindBuffer(GL_PIXEL_PACK_BUFFER, 0);
    if (gl.GetError() != GL_NO_ERROR) return KA_ERR_PLATFORM;
    ++mInFlight;
    return KA_OK;
}

int kaGLFrameReadback::End(const kaGLFunctions& gl, unsigned char* pixels) {
    if (mInFlight == 0) return KA_ERR_WRONGSTATE;
    gl.BindBuffer(GL_PIXEL_PACK_BUFFER, mBuffers[mOldest]);
    const void* mapped =
        gl.MapBufferRange(GL_PIXEL_PACK_BUFFER, 0, GLsizeiptr(FrameBytes()), GL_MAP_READ_BIT);
    if (mapped != nullptr) {
        ToBGRA(static_cast<const unsigned char*>(mapped), pixels, FrameBytes());
        gl.UnmapBuffer(GL_PIXEL_PACK_BUFFER);
    }
    gl.BindBuffer(GL_PIXEL_PACK_BUFFER, 0);
    mOldest = (mOldest + 1) % kDepth;
    --mInFlight;
    return mapped != nullptr && gl.GetError() == GL_NO_ERROR ? KA_OK : KA_ERR_PLATFORM;
}

void kaGLFrameReadback::Release(const kaGLFunctions& gl) {
    if (mBuffers[0] != 0) gl.DeleteBuffers(kDepth, mBuffers);
    for (GLuint& buffer : mBuffers) buffer = 0;
    mOldest = mInFlight = 0;
}

void kaGLFrameReadback::ToBGRA(const unsigned char* rgba, unsigned char* bgra, size_t bytes) {
    for (size_t i = 0; i + 3 < bytes; i += 4) {
        bgra[i] = rgba[i + 2];
        bgra[i + 1] = rgba[i + 1];
        bgra[i + 2] = rgba[i];
        bgra[i + 3] = rgba[i + 3];
    }
}
