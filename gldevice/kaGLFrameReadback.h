#pragma once

#include <cstddef>

#include "kaGLFunctions.h"

// Reads presented frames back without making the caller wait for them: a
// read is started into one of a small ring of pixel buffers (GL copies the
// frame there once it is drawn) and finished later, the oldest first, when
// that buffer is mapped and its rows are turned into B, G, R, A.  A caller
// that finishes each read a frame or two after starting it draws the next
// frames meanwhile.  The buffers are made on the first read.
class kaGLFrameReadback {
public:
    static constexpr unsigned kDepth = 3;  // reads in flight at most

    // Frames of width x height pixels.
    void setSize(unsigned width, unsigned height);
    // Starts reading the colour of `framebuffer`: KA_OK; KA_ERR_WRONGSTATE
    // when kDepth reads are unfinished; KA_ERR_UNSUPPORTED where buffers
    // cannot be mapped (WebGL 2); KA_ERR_PLATFORM when GL fails.
    int Begin(const kaGLFunctions& gl, GLuint framebuffer);
    // Finishes the oldest read into `pixels` (width x height x 4 bytes):
    // KA_OK; KA_ERR_WRONGSTATE when none was started; KA_ERR_PLATFORM.
    int End(const kaGLFunctions& gl, unsigned char* pixels);
    // Deletes the buffers and forgets the reads in flight.
    void Release(const kaGLFunctions& gl);

    // R, G, B, A rows to B, G, R, A rows, `bytes` bytes.
    static void ToBGRA(const unsigned char* rgba, unsigned char* bgra, size_t bytes);

private:
    size_t FrameBytes() const { return size_t(mWidth) * mHeight * 4; }

    GLuint mBuffers[kDepth] = {};
    unsigned mOldest = 0;   // the buffer of the oldest read in flight
    unsigned mInFlight = 0;
    unsigned mWidth = 0, mHeight = 0;
};
