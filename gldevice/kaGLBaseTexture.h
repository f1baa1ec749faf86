#pragma once

#include <cstdint>
#include <vector>

#include "kaGLFunctions.h"
#include "kaLevelTexture.h"

// A 2D, cube or volume GL texture with a reference count and the upload and
// read-back of whole levels in the caller's byte order (A8R8G8B8 as red,
// green, blue, alpha).  Each uploaded level is also kept as the caller gave
// it, so that a read-back returns exactly those bytes (block-compressed ones
// included, which GL cannot read back); render targets are read from the GPU.
class kaGLBaseTexture final : public kaLevelTexture {
public:
    struct Request {
        Kind kind;
        uint32_t width, height, depth;  // depth of volume textures only
        uint32_t format;
        uint32_t levels;  // 0: the full chain
        uint32_t usage;
    };

    // What the context offers textures.
    struct Support {
        bool compressedUpload;  // S3TC blocks go up as they are
        bool swizzle;           // else L8 is stored as luminance
    };

    // 4 when the object cannot be allocated, 1 when GL refuses.
    static int Create(const kaGLFunctions& gl, Support support, Request request,
                      kaGLBaseTexture** out);

    int getLevelDesc(unsigned* format, unsigned* width, unsigned* height, unsigned* depth,
                     unsigned level) override;
    int getLevelCount(unsigned* count) override;

    GLuint getName() const { return mName; }
    GLenum getTarget() const;
    bool isRenderTarget() const;
    // The sized GL format the texels are stored in.
    GLenum getColourFormat() const;
    uint32_t getLevelCountValue() const { return mLevels; }
    // Attaches a level (of a cube face) as the colour of the bound draw framebuffer.
    void AttachAsColour(unsigned face, unsigned level) const;

private:
    kaGLBaseTexture(const kaGLFunctions& gl, Support support, const Request& request);
    ~kaGLBaseTexture();

    bool Allocate();
    int Transfer(Direction direction, Kind kind, void* texels, unsigned face,
                 unsigned level) override;
    void Destroy() override { delete this; }
    void Send(unsigned face, unsigned level, const unsigned char* texels);
    void ReadFromGpu(unsigned face, unsigned level, unsigned char* texels) const;
    uint32_t Extent(uint32_t size, unsigned level) const;
    std::vector<unsigned char>& Shadow(unsigned face, unsigned level);

    const kaGLFunctions& mGL;
    Support mSupport;
    Request mRequest;
    uint32_t mLevels;
    GLuint mName;
    std::vector<std::vector<unsigned char>> mShadows;  // face-major, one per level
};
