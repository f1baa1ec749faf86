#include "kaGLBaseTexture.h"

#include <algorithm>
#include <new>

#include "kaDeviceNumbers.h"
#include "kaDxtDecoder.h"
#include "kaResult.h"
#include "kaTexelLevel.h"

namespace {

constexpr unsigned kCubeFaces = 6;

// How a Direct3D format lives in GL: storage, upload format and type, and
// the swizzle that makes sampling return what Direct3D returns.
struct GLFormat {
    GLenum internal, format, type;
    GLenum swizzle[4];
    GLenum compressed;  // the S3TC format, or 0
};

// The 16-bit formats with alpha are stored in GL's red-first layouts, into
// which their texels are turned before they go up (see GLTexels).
GLFormat GLFormatOf(uint32_t format) {
    const GLenum r = GL_RED, g = GL_GREEN, b = GL_BLUE, a = GL_ALPHA, one = GL_ONE, zero = GL_ZERO;
    switch (format) {
    case KA_FMT_X8R8G8B8: return {GL_RGBA8, GL_RGBA, GL_UNSIGNED_BYTE, {r, g, b, one}, 0};
    case KA_FMT_R5G6B5: return {GL_RGB565, GL_RGB, GL_UNSIGNED_SHORT_5_6_5, {r, g, b, one}, 0};
    case KA_FMT_A1R5G5B5:
        return {GL_RGB5_A1, GL_RGBA, GL_UNSIGNED_SHORT_5_5_5_1, {r, g, b, a}, 0};
    case KA_FMT_A4R4G4B4: return {GL_RGBA4, GL_RGBA, GL_UNSIGNED_SHORT_4_4_4_4, {r, g, b, a}, 0};
    case KA_FMT_A8: return {GL_R8, GL_RED, GL_UNSIGNED_BYTE, {zero, zero, zero, r}, 0};
    case KA_FMT_L8: return {GL_R8, GL_RED, GL_UNSIGNED_BYTE, {r, r, r, one}, 0};
    case KA_FMT_A8L8: return {GL_RG8, GL_RG, GL_UNSIGNED_BYTE, {r, r, r, g}, 0};
    case KA_FMT_DXT1:
        return {GL_RGBA8, GL_RGBA, GL_UNSIGNED_BYTE, {r, g, b, a}, GL_COMPRESSED_RGBA_S3TC_DXT1_EXT};
    case KA_FMT_DXT2:
    case KA_FMT_DXT3:
        return {GL_RGBA8, GL_RGBA, GL_UNSIGNED_BYTE, {r, g, b, a}, GL_COMPRESSED_RGBA_S3TC_DXT3_EXT};
    case KA_FMT_DXT4:
    case KA_FMT_DXT5:
        return {GL_RGBA8, GL_RGBA, GL_UNSIGNED_BYTE, {r, g, b, a}, GL_COMPRESSED_RGBA_S3TC_DXT5_EXT};
    default: return {GL_RGBA8, GL_RGBA, GL_UNSIGNED_BYTE, {r, g, b, a}, 0};
    }
}

// Where textures take no swizzle, L8, A8 and A8L8 are stored in OpenGL ES's
// unsized luminance and alpha formats, which sample as Direct3D's do.  A
// render target stays in the sized format, as those cannot be drawn into.
GLFormat StoredFormatOf(uint32_t format, bool swizzle, bool renderTarget) {
    const GLenum r = GL_RED, g = GL_GREEN, b = GL_BLUE, a = GL_ALPHA;
    if (swizzle || renderTarget) return GLFormatOf(format);
    switch (format) {
    case KA_FMT_L8: return {GL_LUMINANCE, GL_LUMINANCE, GL_UNSIGNED_BYTE, {r, g, b, a}, 0};
    case KA_FMT_A8: return {GL_ALPHA, GL_ALPHA, GL_UNSIGNED_BYTE, {r, g, b, a}, 0};
    case KA_FMT_A8L8:
        return {GL_LUMINANCE_ALPHA, GL_LUMINANCE_ALPHA, GL_UNSIGNED_BYTE, {r, g, b, a}, 0};
    default: return GLFormatOf(format);
    }
}

// The caller's texels in the layout GL takes, for the formats whose layouts
// differ: X8R8G8B8 gets an opaque alpha (so that it samples opaque without a
// swizzle), and the 16-bit words with alpha in their top bits get it moved to
// their low bits (A1R5G5B5 to R5G5B5A1, A4R4G4B4 to R4G4B4A4).  Empty for
// the other formats, which go up as they are.
std::vector<unsigned char> GLTexels(uint32_t format, const unsigned char* texels, size_t bytes) {
    std::vector<unsigned char> out;
    if (format == KA_FMT_X8R8G8B8) {
        out.assign(texels, texels + bytes);
        for (size_t i = 3; i < bytes; i += 4) out[i] = 0xFF;
    } else if (format == KA_FMT_A1R5G5B5 || format == KA_FMT_A4R4G4B4) {
        const unsigned alphaBits = format == KA_FMT_A1R5G5B5 ? 1 : 4;
        out.resize(bytes);
        for (size_t i = 0; i + 1 < bytes; i += 2) {
            const unsigned word = unsigned(texels[i]) | unsigned(texels[i + 1]) << 8;
            const unsigned moved = (word << alphaBits | word >> (16 - alphaBits)) & 0xFFFFu;
            out[i] = static_cast<unsigned char>(moved & 0xFF);
            out[i + 1] = static_cast<unsigned char>(moved >> 8);
        }
    }
    return out;
}

// Formats the device keeps as they are; any other becomes A8R8G8B8, the
// first choice of the Direct3D device's replacement list.  Block-compressed
// formats cannot be drawn into: their render targets become A8R8G8B8 too.
uint32_t SupportedFormat(uint32_t format, bool renderTarget) {
    switch (format) {
    case KA_FMT_A8R8G8B8: case KA_FMT_X8R8G8B8: case KA_FMT_R5G6B5: case KA_FMT_A1R5G5B5:
    case KA_FMT_A4R4G4B4: case KA_FMT_A8: case KA_FMT_L8: case KA_FMT_A8L8:
        return format;
    case KA_FMT_DXT1: case KA_FMT_DXT2: case KA_FMT_DXT3: case KA_FMT_DXT4: case KA_FMT_DXT5:
        return renderTarget ? uint32_t(KA_FMT_A8R8G8B8) : format;
    default:
        return KA_FMT_A8R8G8B8;
    }
}

void StoreIfWanted(unsigned* out, unsigned value) {
    if (out) *out = value;
}

// One texel of a render target, read back as R, G, B, A bytes, as the
// 16-bit word of its format (A8L8 and A8 are stored in red and green).
unsigned PackedWord(uint32_t format, const unsigned char* p) {
    switch (format) {
    case KA_FMT_R5G6B5: return (p[0] >> 3) << 11 | (p[1] >> 2) << 5 | p[2] >> 3;
    case KA_FMT_A1R5G5B5: return (p[3] >> 7) << 15 | (p[0] >> 3) << 10 | (p[1] >> 3) << 5 | p[2] >> 3;
    case KA_FMT_A4R4G4B4: return (p[3] >> 4) << 12 | (p[0] >> 4) << 8 | (p[1] >> 4) << 4 | p[2] >> 4;
    default: return unsigned(p[1]) << 8 | p[0];
    }
}

// A render target read back as R, G, B, A bytes, in the caller's layout of
// its format, texelBytes to a texel.
void PackFromRgba(uint32_t format, const unsigned char* rgba, size_t texels, size_t texelBytes,
                  unsigned char* out) {
    for (size_t i = 0; i < texels; ++i) {
        const unsigned char* p = rgba + 4 * i;
        if (texelBytes == 4) {
            std::copy(p, p + 4, out + 4 * i);
        } else if (texelBytes == 2) {
            const unsigned word = PackedWord(format, p);
            out[2 * i] = static_cast<unsigned char>(word & 0xFF);
            out[2 * i + 1] = static_cast<unsigned char>(word >> 8);
        } else {
            out[i] = p[0];
        }
    }
}

}  // namespace

int kaGLBaseTexture::Create(const kaGLFunctions& gl, Support support, Request request,
                            kaGLBaseTexture** out) {
    request.format = SupportedFormat(request.format, (request.usage & KA_USAGE_RENDERTARGET) != 0);
    if (request.width == 0) request.width = 1;
    if (request.height == 0) request.height = 1;
    if (request.kind != KIND_VOLUME || request.depth == 0) request.depth = 1;
    if (request.kind == KIND_CUBE) request.height = request.width;
    if (kaDxtDecoder::BlockBytes(request.format) != 0) {
        request.width = (request.width + 3) & ~3u;
        request.height = (request.height + 3) & ~3u;
    }
    kaGLBaseTexture* texture = new (std::nothrow) kaGLBaseTexture(gl, support, request);
    if (texture == nullptr) return KA_ERR_OUTOFMEMORY;
    if (!texture->Allocate()) {
        delete texture;
        return KA_ERR_PLATFORM;
    }
    *out = texture;
    return KA_OK;
}

kaGLBaseTexture::kaGLBaseTexture(const kaGLFunctions& gl, Support support,
                                 const Request& request)
    : kaLevelTexture(request.kind), mGL(gl), mSupport(support),
      mRequest(request), mLevels(0), mName(0), mShadows() {
    const uint32_t largest = std::max({request.width, request.height,
                                       request.kind == KIND_VOLUME ? request.depth : 1u});
    const uint32_t full = kaTexelLevel::FullChain(largest);
    mLevels = request.levels == 0 || request.levels > full ? full : request.levels;
}

// A texture released after its device went with the device's context.
kaGLBaseTexture::~kaGLBaseTexture() {
    if (mName != 0 && !DeviceReleased()) mGL.DeleteTextures(1, &mName);
}

GLenum kaGLBaseTexture::getTarget() const {
    if (getKind() == KIND_CUBE) return GL_TEXTURE_CUBE_MAP;
    return getKind() == KIND_VOLUME ? GL_TEXTURE_3D : GL_TEXTURE_2D;
}

bool kaGLBaseTexture::isRenderTarget() const {
    return (mRequest.usage & KA_USAGE_RENDERTARGET) != 0 && getKind() != KIND_VOLUME;
}

GLenum kaGLBaseTexture::getColourFormat() const {
    return StoredFormatOf(mRequest.format, mSupport.swizzle, isRenderTarget()).internal;
}

uint32_t kaGLBaseTexture::Extent(uint32_t size, unsigned level) const {
    const uint32_t extent = size >> level;
    return extent > 0 ? extent : 1;
}

// Reserves every level (of every face) with undefined contents.
bool kaGLBaseTexture::Allocate() {
    mGL.GetError();
    mGL.GenTextures(1, &mName);
    const GLenum target = getTarget();
    mGL.BindTexture(target, mName);
    const GLFormat gl = StoredFormatOf(mRequest.format, mSupport.swizzle, isRenderTarget());
    mGL.TexParameteri(target, GL_TEXTURE_BASE_LEVEL, 0);
    mGL.TexParameteri(target, GL_TEXTURE_MAX_LEVEL, static_cast<GLint>(mLevels - 1));
    const GLenum swizzles[4] = {GL_TEXTURE_SWIZZLE_R, GL_TEXTURE_SWIZZLE_G,
                                GL_TEXTURE_SWIZZLE_B, GL_TEXTURE_SWIZZLE_A};
    for (int i = 0; i < 4 && mSupport.swizzle; ++i) {
        mGL.TexParameteri(target, swizzles[i], GLint(gl.swizzle[i]));
    }
    const unsigned faces = getKind() == KIND_CUBE ? kCubeFaces : 1;
    for (unsigned level = 0; level < mLevels; ++level) {
        const GLsizei w = GLsizei(Extent(mRequest.width, level));
        const GLsizei h = GLsizei(Extent(mRequest.height, level));
        if (getKind() == KIND_VOLUME) {
            mGL.TexImage3D(target, GLint(level), GLint(gl.internal), w, h,
                           GLsizei(Extent(mRequest.depth, level)), 0, gl.format, gl.type, nullptr);
            continue;
        }
        for (unsigned face = 0; face < faces; ++face) {
            const GLenum faceTarget =
                getKind() == KIND_CUBE ? GL_TEXTURE_CUBE_MAP_POSITIVE_X + face : GL_TEXTURE_2D;
            mGL.TexImage2D(faceTarget, GLint(level), GLint(gl.internal), w, h, 0, gl.format,
                           gl.type, nullptr);
        }
    }
    mShadows.assign(size_t(faces) * mLevels, std::vector<unsigned char>());
    return mGL.GetError() == GL_NO_ERROR;
}

int kaGLBaseTexture::getLevelCount(unsigned* count) {
    if (!count) return KA_ERR_INVALIDARG;
    *count = mLevels;
    return KA_OK;
}

int kaGLBaseTexture::getLevelDesc(unsigned* format, unsigned* width, unsigned* height,
                                  unsigned* depth, unsigned level) {
    if (level >= mLevels) return KA_ERR_PLATFORM;
    StoreIfWanted(format, mRequest.format);
    StoreIfWanted(width, Extent(mRequest.width, level));
    StoreIfWanted(height, Extent(mRequest.height, level));
    StoreIfWanted(depth, getKind() == KIND_VOLUME ? Extent(mRequest.depth, level) : 0);
    return KA_OK;
}

std::vector<unsigned char>& kaGLBaseTexture::Shadow(unsigned face, unsigned level) {
    return mShadows[size_t(face) * mLevels + level];
}

int kaGLBaseTexture::Transfer(Direction direction, Kind kind, void* texels, unsigned face,
                              unsigned level) {
    if (getKind() != kind) return KA_ERR_WRONGSTATE;
    if (!texels || face >= kCubeFaces) return KA_ERR_INVALIDARG;
    unsigned format = 0, width = 0, height = 0, depth = 0;
    if (getLevelDesc(&format, &width, &height, &depth, level) != KA_OK) return KA_ERR_PLATFORM;
    const size_t bytes = kaTexelLevel(format, width, height, depth).getPackedSize();
    if (bytes == 0) return KA_ERR_UNSUPPORTED;  // texels of no known layout
    auto* caller = static_cast<unsigned char*>(texels);
    if (direction == UPLOAD) {
        Send(face, level, caller);
        if (!isRenderTarget()) Shadow(face, level).assign(caller, caller + bytes);
    } else if (isRenderTarget()) {
        ReadFromGpu(face, level, caller);
    } else {
        const std::vector<unsigned char>& shadow = Shadow(face, level);
        if (shadow.empty()) {
            std::fill(caller, caller + bytes, 0);
        } else {
            std::copy(shadow.begin(), shadow.end(), caller);
        }
    }
    return KA_OK;
}

// Uploads one level in the caller's layout: A8R8G8B8 comes as R, G, B, A
// bytes, which is GL's RGBA order, and the formats GL lays out otherwise are
// turned first; compressed levels go up as they are where the context has
// S3TC and are decoded first where it has not.
void kaGLBaseTexture::Send(unsigned face, unsigned level, const unsigned char* texels) {
    const GLFormat gl = StoredFormatOf(mRequest.format, mSupport.swizzle, isRenderTarget());
    const GLenum target = getTarget();
    const GLenum imageTarget = getKind() == KIND_CUBE ? GL_TEXTURE_CUBE_MAP_POSITIVE_X + face : target;
    const uint32_t w = Extent(mRequest.width, level), h = Extent(mRequest.height, level);
    const uint32_t d = getKind() == KIND_VOLUME ? Extent(mRequest.depth, level) : 1;
    mGL.BindTexture(target, mName);
    mGL.PixelStorei(GL_UNPACK_ALIGNMENT, 1);
    const size_t bytes = kaTexelLevel(mRequest.format, w, h, d).getPackedSize();
    std::vector<unsigned char> decoded;
    const unsigned char* data = texels;
    if (gl.compressed != 0) {
        if (mSupport.compressedUpload && getKind() != KIND_VOLUME) {
            mGL.CompressedTexImage2D(imageTarget, GLint(level), gl.compressed, GLsizei(w),
                                     GLsizei(h), 0, GLsizei(bytes), texels);
            return;
        }
        const size_t sliceBytes = bytes / d;
        decoded.resize(size_t(w) * h * d * 4);
        for (uint32_t slice = 0; slice < d; ++slice) {
            kaDxtDecoder::Decode(mRequest.format, texels + slice * sliceBytes, w, h,
                                 decoded.data() + size_t(slice) * w * h * 4);
        }
        data = decoded.data();
    } else {
        decoded = GLTexels(mRequest.format, texels, bytes);
        if (!decoded.empty()) data = decoded.data();
    }
    if (getKind() == KIND_VOLUME) {
        mGL.TexImage3D(target, GLint(level), GLint(gl.internal), GLsizei(w), GLsizei(h),
                       GLsizei(d), 0, gl.format, gl.type, data);
    } else {
        mGL.TexImage2D(imageTarget, GLint(level), GLint(gl.internal), GLsizei(w), GLsizei(h), 0,
                       gl.format, gl.type, data);
    }
}

void kaGLBaseTexture::AttachAsColour(unsigned face, unsigned level) const {
    const GLenum imageTarget =
        getKind() == KIND_CUBE ? GL_TEXTURE_CUBE_MAP_POSITIVE_X + face : GL_TEXTURE_2D;
    mGL.FramebufferTexture2D(GL_DRAW_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, imageTarget, mName,
                             GLint(level));
}

// Rows come back bottom row first in GL's terms, which is the top row of
// what was drawn: the device draws into textures upside down for that.
void kaGLBaseTexture::ReadFromGpu(unsigned face, unsigned level, unsigned char* texels) const {
    const uint32_t w = Extent(mRequest.width, level), h = Extent(mRequest.height, level);
    GLint previous = 0;
    mGL.GetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &previous);
    GLuint framebuffer = 0;
    mGL.GenFramebuffers(1, &framebuffer);
    mGL.BindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    AttachAsColour(face, level);
    std::vector<unsigned char> rgba(size_t(w) * h * 4);
    mGL.PixelStorei(GL_PACK_ALIGNMENT, 1);
    mGL.ReadPixels(0, 0, GLsizei(w), GLsizei(h), GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    mGL.BindFramebuffer(GL_FRAMEBUFFER, GLuint(previous));
    mGL.DeleteFramebuffers(1, &framebuffer);
    const size_t texelBytes = kaTexelLevel(mRequest.format, w, h, 1).getPackedSize() / (size_t(w) * h);
    PackFromRgba(mRequest.format, rgba.data(), size_t(w) * h, texelBytes, texels);
}
