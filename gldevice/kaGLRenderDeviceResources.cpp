// Resource creation and render-to-texture of the OpenGL render device.
#include <cstdio>
#include <memory>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "kaGLBaseTexture.h"
#include "kaGLIndexBuffer.h"
#include "kaGLPixelShader.h"
#include "kaGLRenderDevice.h"
#include "kaGLVertexBuffer.h"
#include "kaGLVertexShader.h"
#include "kaResult.h"
#include "kaShaderAssembler.h"

namespace {

// Assembles shader text; any error text counts as a failure and is shown.
bool Assemble(const char* call, const void* source, unsigned length, kaShaderAssembly* code) {
    *code = kaShaderAssembler::Assemble(static_cast<const char*>(source), length);
    if (code->ok && code->errors.empty()) return true;
    std::fprintf(stderr, "kaGLRenderDevice: %s: %s", call, code->errors.c_str());
    return false;
}

// Wraps a registered shader in its object and hands it out; without memory
// for the object the registration is undone.
template <typename Shader, typename Interface, typename... Details>
int HandOutShader(kaGLPrograms& programs, const std::shared_ptr<kaDeviceLink>& link,
                  uint32_t serial, Interface** out, Details&&... details) {
    Shader* shader = new (std::nothrow) Shader(&programs, serial, std::forward<Details>(details)...);
    if (shader == nullptr) {
        programs.Forget(serial);
        return KA_ERR_PLATFORM;
    }
    shader->LinkTo(link);
    *out = shader;
    return KA_OK;
}

kaGLBaseTexture::Support TextureSupport(const kaGLContext& context) {
    return {context.HasExtension("GL_EXT_texture_compression_s3tc"), context.HasTextureSwizzle()};
}

}  // namespace

int kaGLRenderDevice::CreateTextureOfKind(const kaGLBaseTexture::Request& request,
                                          kaBaseTexture** out) {
    if (!out) return KA_ERR_INVALIDARG;
    if (!mContext) return KA_ERR_WRONGSTATE;
    kaGLBaseTexture* texture = nullptr;
    const int result = kaGLBaseTexture::Create(mContext->gl(), TextureSupport(*mContext),
                                               request, &texture);
    if (result != KA_OK) return result;
    texture->LinkTo(getLink());
    *out = texture;
    return result;
}

int kaGLRenderDevice::CreateTexture(kaBaseTexture** out, unsigned width, unsigned height,
                                    unsigned format, unsigned levels, unsigned usage) {
    return CreateTextureOfKind({kaGLBaseTexture::KIND_2D, width, height, 1, format, levels, usage},
                               out);
}

int kaGLRenderDevice::CreateCubeTexture(kaBaseTexture** out, unsigned edgeLength,
                                        unsigned format, unsigned levels, unsigned usage) {
    return CreateTextureOfKind(
        {kaGLBaseTexture::KIND_CUBE, edgeLength, edgeLength, 1, format, levels, usage}, out);
}

int kaGLRenderDevice::CreateVolumeTexture(kaBaseTexture** out, unsigned width, unsigned height,
                                          unsigned depth, unsigned format, unsigned levels,
                                          unsigned usage) {
    return CreateTextureOfKind(
        {kaGLBaseTexture::KIND_VOLUME, width, height, depth, format, levels, usage}, out);
}

int kaGLRenderDevice::CreateVertexBuffer(kaVertexBuffer** out, unsigned vertexFormat,
                                         unsigned vertexCount, unsigned) {
    if (!out) return KA_ERR_INVALIDARG;
    if (!mContext) return KA_ERR_WRONGSTATE;
    kaGLVertexBuffer* buffer = nullptr;
    const int result = kaGLVertexBuffer::Create(mContext->gl(), vertexFormat, vertexCount, &buffer);
    if (result != KA_OK) return result;
    buffer->LinkTo(getLink());
    *out = buffer;
    return result;
}

int kaGLRenderDevice::CreateIndexBuffer(kaIndexBuffer** out, unsigned indexCount, unsigned) {
    if (!out) return KA_ERR_INVALIDARG;
    if (!mContext) return KA_ERR_WRONGSTATE;
    kaGLIndexBuffer* buffer = nullptr;
    const int result = kaGLIndexBuffer::Create(mContext->gl(), indexCount, &buffer);
    if (result != KA_OK) return result;
    buffer->LinkTo(getLink());
    *out = buffer;
    return result;
}

// Render-to-texture.

int kaGLRenderDevice::BeginRenderToTexture(kaBaseTexture* texture, unsigned level,
                                           int useDepth) {
    return BeginRenderToLevel(texture, kaGLBaseTexture::KIND_2D, 0, level, useDepth);
}

int kaGLRenderDevice::BeginRenderToCubeTexture(kaBaseTexture* texture, unsigned face,
                                               unsigned level, int useDepth) {
    return BeginRenderToLevel(texture, kaGLBaseTexture::KIND_CUBE, face, level, useDepth);
}

// Draws into one level (of one face) of a render-target texture, with the
// back buffer's depth buffer when useDepth is set; a level larger than that
// depth buffer either way is refused, as Direct3D refuses it, rather than
// drawn clipped.  With multisampling the drawing goes into samples of the
// texture's format, resolved into the level when it ends.  A failure leaves
// the back buffer as the target.
int kaGLRenderDevice::BeginRenderToLevel(kaBaseTexture* texture, unsigned kind, unsigned face,
                                         unsigned level, int useDepth) {
    if (!mContext) return KA_ERR_WRONGSTATE;
    if (mTarget) return KA_ERR_WRONGSTATE;
    if (!texture) return KA_ERR_INVALIDARG;
    auto* glTexture = static_cast<kaGLBaseTexture*>(texture);
    if (glTexture->getKind() != kind) return KA_ERR_WRONGSTATE;
    unsigned width = 0, height = 0;
    if (!glTexture->isRenderTarget() || face >= 6 ||
        glTexture->getLevelDesc(nullptr, &width, &height, nullptr, level) != KA_OK) {
        return KA_ERR_PLATFORM;
    }
    if (useDepth && (width > mWidth || height > mHeight)) {
        return Refuse(kind == kaGLBaseTexture::KIND_CUBE ? "BeginRenderToCubeTexture" : "BeginRenderToTexture",
                      "the level is larger than the depth buffer");
    }
    const kaGLFunctions& gl = mContext->gl();
    gl.BindFramebuffer(GL_FRAMEBUFFER, mTargetBuffer);
    if (mSamples == 0) {
        glTexture->AttachAsColour(face, level);
    } else if (!StartMultisampledTarget(*glTexture, width, height)) {
        gl.BindFramebuffer(GL_FRAMEBUFFER, mBackBuffer);
        return KA_ERR_PLATFORM;
    }
    const GLenum attachment = mDepthHasStencil ? GL_DEPTH_STENCIL_ATTACHMENT : GL_DEPTH_ATTACHMENT;
    gl.FramebufferRenderbuffer(GL_DRAW_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, 0);
    gl.FramebufferRenderbuffer(GL_DRAW_FRAMEBUFFER, attachment, GL_RENDERBUFFER,
                               useDepth ? mBackDepth : 0);
    if (gl.CheckFramebufferStatus(GL_DRAW_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        gl.BindFramebuffer(GL_FRAMEBUFFER, mBackBuffer);
        return KA_ERR_PLATFORM;
    }
    mTarget = glTexture;
    mTargetWidth = width;
    mTargetHeight = height;
    mTargetFace = face;
    mTargetLevel = level;
    MirrorViewport(kaViewport{0, 0, width, height});
    ++mUniformVersion;
    BindTarget();
    return KA_OK;
}

// Samples of the texture's format and the level's size, attached as the
// colour of the bound framebuffer; made anew only when either changes.
bool kaGLRenderDevice::StartMultisampledTarget(const kaGLBaseTexture& texture, unsigned width,
                                               unsigned height) {
    const kaGLFunctions& gl = mContext->gl();
    GLint format = 0, w = 0, h = 0;
    if (mTargetSamples != 0) {
        gl.BindRenderbuffer(GL_RENDERBUFFER, mTargetSamples);
        gl.GetRenderbufferParameteriv(GL_RENDERBUFFER, GL_RENDERBUFFER_INTERNAL_FORMAT, &format);
        gl.GetRenderbufferParameteriv(GL_RENDERBUFFER, GL_RENDERBUFFER_WIDTH, &w);
        gl.GetRenderbufferParameteriv(GL_RENDERBUFFER, GL_RENDERBUFFER_HEIGHT, &h);
    }
    if (GLenum(format) != texture.getColourFormat() || unsigned(w) != width ||
        unsigned(h) != height) {
        gl.DeleteRenderbuffers(1, &mTargetSamples);
        mTargetSamples = NewRenderbuffer(texture.getColourFormat(), GLsizei(mSamples), width, height);
    }
    gl.FramebufferRenderbuffer(GL_DRAW_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER,
                               mTargetSamples);
    return gl.GetError() == GL_NO_ERROR;
}

// Resolves the render target's samples into the level drawn into.
void kaGLRenderDevice::ResolveTarget() {
    const kaGLFunctions& gl = mContext->gl();
    const GLint w = GLint(mTargetWidth), h = GLint(mTargetHeight);
    gl.BindFramebuffer(GL_DRAW_FRAMEBUFFER, mTargetResolve);
    mTarget->AttachAsColour(mTargetFace, mTargetLevel);
    gl.BindFramebuffer(GL_READ_FRAMEBUFFER, mTargetBuffer);
    gl.BlitFramebuffer(0, 0, w, h, 0, 0, w, h, GL_COLOR_BUFFER_BIT, GL_NEAREST);
}

int kaGLRenderDevice::EndRenderToTexture() {
    if (!mContext || !mTarget) return KA_ERR_WRONGSTATE;
    if (mSamples != 0) ResolveTarget();
    mTarget = nullptr;
    BindTarget();
    MirrorViewport(kaViewport{0, 0, mWidth, mHeight});
    ++mUniformVersion;
    ForgetStreams();
    return KA_OK;
}

int kaGLRenderDevice::EndRenderToCubeTexture() { return EndRenderToTexture(); }

// Shaders: assembled from source text, translated to GLSL and registered
// with the program cache.  A refusal says on standard error which call failed
// and why (the assembler's or the translator's message, or the GL log).
int kaGLRenderDevice::CreateVertexShader(kaVertexShader** out, unsigned vertexFormat,
                                         void* source, unsigned sourceLength) {
    if (!out || !source) return KA_ERR_INVALIDARG;
    if (!mContext) return KA_ERR_WRONGSTATE;
    try {
        kaShaderAssembly code;
        if (!Assemble("CreateVertexShader", source, sourceLength, &code)) return KA_ERR_PLATFORM;
        std::vector<kaGLVertexShader::Constant> constants;
        if (!kaGLVertexShader::ReadConstants(code.defConstants, &constants)) {
            return Refuse("CreateVertexShader", "malformed def constants");
        }
        std::string error;
        const uint32_t serial = mPrograms.AddVertexShader(code.tokens, &error);
        if (serial == 0) return Refuse("CreateVertexShader", error);
        return HandOutShader<kaGLVertexShader>(mPrograms, getLink(), serial, out, vertexFormat,
                                               std::move(constants));
    } catch (const std::bad_alloc&) {
        return KA_ERR_PLATFORM;
    }
}

int kaGLRenderDevice::CreatePixelShader(kaPixelShader** out, void* source, unsigned sourceLength) {
    if (!out || !source) return KA_ERR_INVALIDARG;
    if (!mContext) return KA_ERR_WRONGSTATE;
    try {
        kaShaderAssembly code;
        if (!Assemble("CreatePixelShader", source, sourceLength, &code)) return KA_ERR_PLATFORM;
        std::string error;
        const uint32_t serial = mPrograms.AddPixelShader(code.tokens, &error);
        if (serial == 0) return Refuse("CreatePixelShader", error);
        return HandOutShader<kaGLPixelShader>(mPrograms, getLink(), serial, out);
    } catch (const std::bad_alloc&) {
        return KA_ERR_PLATFORM;
    }
}
