// Device creation, frame and presentation of the OpenGL render device.
#include "kaGLRenderDevice.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "kaDeviceNumbers.h"
#include "kaResult.h"

namespace {

// Multisample types 0 (none) and 2 to 16 samples, as Direct3D numbers them;
// 1 is not a real type.  Whether the driver offers that many is asked once
// the context exists.
bool IsValidMultiSample(unsigned type) { return type != 1 && type <= 16; }

// Desktop GL takes the programs' gl_PointSize only with this enabled; OpenGL
// ES (and WebGL) always takes it and has no such switch.
constexpr GLenum kProgramPointSize = 0x8642;  // GL_PROGRAM_POINT_SIZE

bool IsDepthFormat(unsigned format) {
    switch (format) {
    case 70: case 71: case 73: case 75: case 77: case 79: case 80: return true;
    default: return false;
    }
}

}  // namespace

kaGLRenderDevice::kaGLRenderDevice(unsigned adapter)
    : mAdapter(adapter), mContext(nullptr), mWidth(0), mHeight(0), mSamples(0), mDepthFormat(0),
      mBackBuffer(0), mBackColour(0), mBackDepth(0), mDepthHasStencil(false), mPresented(0),
      mPresentedColour(0), mTargetBuffer(0), mTarget(nullptr), mTargetWidth(0), mTargetHeight(0),
      mTargetFace(0), mTargetLevel(0), mTargetSamples(0), mTargetResolve(0), mVertexArray(0),
      mConstantBuffer(0),
      mVertexConstants(), mPixelConstants(), mPlatformRenderStates(),
      mVertexConstantsDirty(true),
      mUniformVersion(0), mPrograms(), mSamplers() {}

kaGLRenderDevice::~kaGLRenderDevice() = default;

int kaGLRenderDevice::Refuse(const char* call, const std::string& reason) {
    std::fprintf(stderr, "kaGLRenderDevice: %s: %s\n", call, reason.c_str());
    return KA_ERR_PLATFORM;
}

int kaGLRenderDevice::Outside(const char* call, int result) {
    Refuse(call, "vertices or indices outside the bound buffers");
    return result;
}

// Every depth format can be had with every display mode; the mode must exist.
int kaGLRenderDevice::CheckDepthStencil(unsigned depthFormat, unsigned modeIndex, int windowed) {
    if (!kaGLContext::PlatformLoaded()) return KA_ERR_MISSING;
    unsigned mode[4];
    if (!windowed && !kaGLContext::DisplayMode(mAdapter, modeIndex, mode)) return KA_ERR_PLATFORM;
    return IsDepthFormat(depthFormat) ? KA_OK : KA_ERR_UNSUPPORTED;
}

int kaGLRenderDevice::Initialize(void* window, unsigned modeIndex, unsigned depthFormat,
                                 unsigned multiSampleType, int vsync) {
    if (mContext != nullptr) return KA_ERR_WRONGSTATE;
    if (window == nullptr || !IsValidMultiSample(multiSampleType)) return KA_ERR_INVALIDARG;
    if (!kaGLContext::PlatformLoaded()) return KA_ERR_WRONGSTATE;
    unsigned mode[4];
    if (!kaGLContext::DisplayMode(mAdapter, modeIndex, mode)) return KA_ERR_INITFAILED;
    mSamples = multiSampleType;
    return Start(window, mode[0], mode[1], depthFormat, vsync, int(modeIndex));
}

int kaGLRenderDevice::InitializeWindowed(void* window, unsigned width, unsigned height,
                                         unsigned depthFormat, unsigned multiSampleType,
                                         int vsync) {
    if (mContext != nullptr) return KA_ERR_WRONGSTATE;
    if (window == nullptr || !IsValidMultiSample(multiSampleType)) return KA_ERR_INVALIDARG;
    if (!kaGLContext::PlatformLoaded()) return KA_ERR_WRONGSTATE;
    mSamples = multiSampleType;
    return Start(window, width, height, depthFormat, vsync, -1);
}

// Creates the context, the back buffer and the objects every draw uses, sends
// the default state and shows a first black frame.  A multisample type the
// driver cannot draw is refused (KA_ERR_UNSUPPORTED), with the reason on
// standard error.
int kaGLRenderDevice::Start(void* window, unsigned width, unsigned height, unsigned depthFormat,
                            int vsync, int fullscreenMode) {
    if (width == 0 || height == 0) return KA_ERR_INVALIDARG;
    mContext = kaGLContext::Create(window, kaGLContext::RequestedKind());
    if (mContext == nullptr) return KA_ERR_INITFAILED;
    const kaGLFunctions& gl = mContext->gl();
    GLint maxSamples = 0;
    gl.GetIntegerv(GL_MAX_SAMPLES, &maxSamples);
    if (GLint(mSamples) > maxSamples) {
        std::fprintf(stderr, "kaGLRenderDevice: %u samples per pixel asked, the driver offers %d\n",
                     mSamples, int(maxSamples));
        DestroyGL();
        return KA_ERR_UNSUPPORTED;
    }
    if (fullscreenMode >= 0 && !mContext->EnterFullscreen(unsigned(fullscreenMode))) {
        DestroyGL();
        return KA_ERR_INITFAILED;
    }
    mContext->SetVerticalSync(vsync != 0);
    mWidth = width;
    mHeight = height;
    mDepthFormat = depthFormat;
    mReadback.setSize(width, height);
    if (mContext->getKind() == kaGLContextKind::Core33) gl.Enable(kProgramPointSize);
    gl.GenVertexArrays(1, &mVertexArray);
    gl.BindVertexArray(mVertexArray);
    gl.GenBuffers(1, &mConstantBuffer);
    gl.BindBuffer(GL_UNIFORM_BUFFER, mConstantBuffer);
    gl.BufferData(GL_UNIFORM_BUFFER, sizeof mVertexConstants, nullptr, GL_DYNAMIC_DRAW);
    gl.BindBufferBase(GL_UNIFORM_BUFFER, kaGLPrograms::kConstantBinding, mConstantBuffer);
    if (!CreateBackBuffer()) {
        DestroyGL();
        return KA_ERR_INITFAILED;
    }
    mPrograms.Init(&gl, mContext->getKind());
    ResetPlatformRenderStates();
    InitializeState();
    MirrorViewport(kaViewport{0, 0, width, height});
    Clear(KA_CLEAR_TARGET | KA_CLEAR_ZBUFFER, 0, 0.0f, 0);
    Flip();
    return KA_OK;
}

// The framebuffers, then the renderbuffers of the current size.
bool kaGLRenderDevice::CreateBackBuffer() {
    const kaGLFunctions& gl = mContext->gl();
    mDepthHasStencil = !(mDepthFormat == 80 || mDepthFormat == 70);  // the 16-bit depth formats
    GLuint* const made[] = {&mBackBuffer, &mPresented, &mTargetBuffer, &mTargetResolve};
    for (GLuint* name : made) gl.GenFramebuffers(1, name);
    return AllocateSizedBuffers();
}

GLuint kaGLRenderDevice::NewRenderbuffer(GLenum format, GLsizei samples, unsigned width,
                                         unsigned height) const {
    const kaGLFunctions& gl = mContext->gl();
    GLuint name = 0;
    gl.GenRenderbuffers(1, &name);
    gl.BindRenderbuffer(GL_RENDERBUFFER, name);
    gl.RenderbufferStorageMultisample(GL_RENDERBUFFER, samples, format, GLsizei(width),
                                      GLsizei(height));
    return name;
}

// The back buffer (with mSamples samples) and the copy of the frame shown
// (one sample, where the back buffer is resolved), both without alpha, as
// Direct3D's X8R8G8B8 back buffers have none: blending reads their alpha as
// 1, and so does a read-back.  Their formats are the same so that the
// resolve may copy one into the other.
bool kaGLRenderDevice::AllocateSizedBuffers() {
    const kaGLFunctions& gl = mContext->gl();
    const GLsizei samples = GLsizei(mSamples);
    mBackColour = NewRenderbuffer(GL_RGB8, samples, mWidth, mHeight);
    mBackDepth = NewRenderbuffer(mDepthHasStencil ? GL_DEPTH24_STENCIL8 : GL_DEPTH_COMPONENT16,
                                 samples, mWidth, mHeight);
    mPresentedColour = NewRenderbuffer(GL_RGB8, 0, mWidth, mHeight);
    gl.BindFramebuffer(GL_FRAMEBUFFER, mBackBuffer);
    gl.FramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, mBackColour);
    gl.FramebufferRenderbuffer(GL_FRAMEBUFFER,
                               mDepthHasStencil ? GL_DEPTH_STENCIL_ATTACHMENT : GL_DEPTH_ATTACHMENT,
                               GL_RENDERBUFFER, mBackDepth);
    const bool complete = gl.CheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    gl.BindFramebuffer(GL_FRAMEBUFFER, mPresented);
    gl.FramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER,
                               mPresentedColour);
    BindTarget();
    return complete && gl.GetError() == GL_NO_ERROR;
}

void kaGLRenderDevice::ReleaseSizedBuffers() {
    const GLuint renderbuffers[] = {mBackColour, mBackDepth, mPresentedColour};
    mContext->gl().DeleteRenderbuffers(3, renderbuffers);
    mBackColour = mBackDepth = mPresentedColour = 0;
}

int kaGLRenderDevice::ResizeBackBuffer(unsigned width, unsigned height) {
    if (mContext == nullptr || mTarget != nullptr) return KA_ERR_WRONGSTATE;
    if (width == 0 || height == 0) return KA_ERR_INVALIDARG;
    ReleaseSizedBuffers();
    mReadback.Release(mContext->gl());
    mWidth = width;
    mHeight = height;
    mReadback.setSize(width, height);
    if (!AllocateSizedBuffers()) return Refuse("ResizeBackBuffer", "the back buffer is incomplete");
    MirrorViewport(kaViewport{0, 0, width, height});
    return KA_OK;
}

void kaGLRenderDevice::BindTarget() {
    mContext->gl().BindFramebuffer(GL_FRAMEBUFFER, mTarget ? mTargetBuffer : mBackBuffer);
}

void kaGLRenderDevice::DestroyGL() {
    if (mContext == nullptr) return;
    const kaGLFunctions& gl = mContext->gl();
    mPrograms.Release();
    mReadback.Release(gl);
    for (auto& sampler : mSamplers) gl.DeleteSamplers(1, &sampler.second);
    mSamplers.clear();
    const GLuint framebuffers[] = {mBackBuffer, mPresented, mTargetBuffer, mTargetResolve};
    gl.DeleteFramebuffers(4, framebuffers);
    ReleaseSizedBuffers();
    gl.DeleteRenderbuffers(1, &mTargetSamples);
    mTargetSamples = 0;
    gl.DeleteBuffers(1, &mConstantBuffer);
    gl.DeleteVertexArrays(1, &mVertexArray);
    mContext->Release();
    mContext = nullptr;
}

// Clears the whole target within the viewport, as Direct3D clears, whatever
// the write masks of the cached state say.
int kaGLRenderDevice::Clear(unsigned flags, unsigned color, float z, unsigned stencil) {
    if (mContext == nullptr) return KA_ERR_PLATFORM;
    const kaGLFunctions& gl = mContext->gl();
    BindTarget();
    const kaViewport& v = getCurrentState().viewport;
    gl.Enable(GL_SCISSOR_TEST);
    gl.Scissor(GLint(v.x), GLint(v.y), GLsizei(v.width), GLsizei(v.height));
    gl.ColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    gl.DepthMask(GL_TRUE);
    gl.StencilMask(0xFF);
    gl.ClearColor(float((color >> 16) & 0xFF) / 255.0f, float((color >> 8) & 0xFF) / 255.0f,
                  float(color & 0xFF) / 255.0f, float(color >> 24) / 255.0f);
    gl.ClearDepthValue(std::min(std::max(z, 0.0f), 1.0f));
    gl.ClearStencil(GLint(stencil & 0xFF));
    GLbitfield mask = 0;
    if (flags & KA_CLEAR_TARGET) mask |= GL_COLOR_BUFFER_BIT;
    if (flags & KA_CLEAR_ZBUFFER) mask |= GL_DEPTH_BUFFER_BIT;
    if (flags & KA_CLEAR_STENCIL) mask |= GL_STENCIL_BUFFER_BIT;
    gl.Clear(mask);
    gl.Disable(GL_SCISSOR_TEST);
    return gl.GetError() == GL_NO_ERROR ? KA_OK : KA_ERR_PLATFORM;
}

// Keeps a copy of the frame for read-back (resolving its samples, where it
// has several), then shows it in the window scaled to fit with its aspect
// kept, the rest of the window black.  The back buffer holds its top row
// first, so the copy to the window turns it over.
int kaGLRenderDevice::Flip() {
    if (mContext == nullptr) return KA_ERR_PLATFORM;
    const kaGLFunctions& gl = mContext->gl();
    const GLint w = GLint(mWidth), h = GLint(mHeight);
    gl.Disable(GL_SCISSOR_TEST);
    gl.BindFramebuffer(GL_READ_FRAMEBUFFER, mBackBuffer);
    gl.BindFramebuffer(GL_DRAW_FRAMEBUFFER, mPresented);
    gl.BlitFramebuffer(0, 0, w, h, 0, 0, w, h, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    int windowWidth = 0, windowHeight = 0;
    mContext->DrawableSize(&windowWidth, &windowHeight);
    gl.BindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    gl.ColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    gl.ClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    gl.Clear(GL_COLOR_BUFFER_BIT);
    if (windowWidth > 0 && windowHeight > 0) {
        const double scale = std::min(double(windowWidth) / w, double(windowHeight) / h);
        const GLint shownW = GLint(w * scale + 0.5), shownH = GLint(h * scale + 0.5);
        const GLint x0 = (windowWidth - shownW) / 2, y0 = (windowHeight - shownH) / 2;
        const bool exact = shownW == w && shownH == h;
        gl.BindFramebuffer(GL_READ_FRAMEBUFFER, mPresented);
        gl.BlitFramebuffer(0, 0, w, h, x0, y0 + shownH, x0 + shownW, y0, GL_COLOR_BUFFER_BIT,
                           exact ? GL_NEAREST : GL_LINEAR);
    }
    const bool ok = gl.GetError() == GL_NO_ERROR;
    mContext->Present();
    BindTarget();
    return ok ? KA_OK : KA_ERR_PLATFORM;
}

int kaGLRenderDevice::ReadPresentedFrame(unsigned char* pixels, unsigned width, unsigned height) {
    if (pixels == nullptr) return KA_ERR_INVALIDARG;
    if (mContext == nullptr) return KA_ERR_WRONGSTATE;
    if (width != mWidth || height != mHeight) return KA_ERR_INVALIDARG;
    const kaGLFunctions& gl = mContext->gl();
    std::vector<unsigned char> rgba(size_t(width) * height * 4);
    gl.BindFramebuffer(GL_READ_FRAMEBUFFER, mPresented);
    gl.PixelStorei(GL_PACK_ALIGNMENT, 1);
    gl.ReadPixels(0, 0, GLsizei(width), GLsizei(height), GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    if (gl.GetError() != GL_NO_ERROR) return KA_ERR_PLATFORM;
    kaGLFrameReadback::ToBGRA(rgba.data(), pixels, rgba.size());
    return KA_OK;
}

int kaGLRenderDevice::BeginReadPresentedFrame() {
    if (mContext == nullptr) return KA_ERR_WRONGSTATE;
    return mReadback.Begin(mContext->gl(), mPresented);
}

int kaGLRenderDevice::EndReadPresentedFrame(unsigned char* pixels, unsigned width,
                                            unsigned height) {
    if (pixels == nullptr) return KA_ERR_INVALIDARG;
    if (mContext == nullptr) return KA_ERR_WRONGSTATE;
    if (width != mWidth || height != mHeight) return KA_ERR_INVALIDARG;
    return mReadback.End(mContext->gl(), pixels);
}

int kaGLRenderDevice::BeginRender() {
    if (mContext == nullptr) return KA_ERR_WRONGSTATE;
    BindTarget();
    return KA_OK;
}

int kaGLRenderDevice::EndRender() {
    if (mContext == nullptr) return KA_ERR_WRONGSTATE;
    ForgetStreams();
    return KA_OK;
}

int kaGLRenderDevice::Release() {
    DestroyGL();
    delete this;
    return KA_OK;
}
