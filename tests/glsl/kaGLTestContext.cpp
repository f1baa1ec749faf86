#include "kaGLTestContext.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GLES3/gl3.h>

namespace {

// The GL entry points the harness calls, fetched from EGL so that one table
// serves the ES and the desktop context.
#define VX_GL_FUNCTIONS(X)                                                                                          \
    X(ActiveTexture) X(AttachShader) X(BindBuffer) X(BindBufferBase) X(BindFramebuffer) X(BindRenderbuffer)         \
    X(BindTexture) X(BindVertexArray) X(BufferData) X(CheckFramebufferStatus) X(Clear) X(ClearColor)               \
    X(CompileShader) X(CreateProgram) X(CreateShader) X(DeleteProgram) X(DeleteShader) X(DeleteTextures)           \
    X(DrawArrays) X(EnableVertexAttribArray) X(FramebufferRenderbuffer) X(GenBuffers) X(GenFramebuffers)           \
    X(GenRenderbuffers) X(GenTextures) X(GenVertexArrays) X(GetProgramInfoLog) X(GetProgramiv)                     \
    X(GetShaderInfoLog) X(GetShaderiv) X(GetUniformBlockIndex) X(GetUniformLocation) X(LinkProgram) X(ReadPixels)  \
    X(RenderbufferStorage) X(ShaderSource) X(TexImage2D) X(TexImage3D) X(TexParameteri) X(Uniform1i)              \
    X(Uniform2fv) X(Uniform4fv) X(UniformBlockBinding) X(UseProgram) X(VertexAttrib4fv) X(VertexAttribPointer)     \
    X(Viewport)

struct GLFunctions {
#define VX_DECLARE(name) decltype(&gl##name) name = nullptr;
    VX_GL_FUNCTIONS(VX_DECLARE)
#undef VX_DECLARE
};

GLFunctions gl;

bool LoadFunctions() {
    bool ok = true;
#define VX_LOAD(name)                                                                       \
    gl.name = reinterpret_cast<decltype(gl.name)>(eglGetProcAddress("gl" #name));           \
    ok = ok && gl.name != nullptr;
    VX_GL_FUNCTIONS(VX_LOAD)
#undef VX_LOAD
    return ok;
}

const char kTail[] =
    "out vec4 vx_FragColor;\n"
    "void main() { vx_FragColor = vx_ShadePixel(); }\n";

constexpr GLsizei kTargetSize = 4;

}  // namespace

kaGLTestContext::~kaGLTestContext() {
    if (mContext != nullptr) eglDestroyContext(mDisplay, mContext);
}

bool kaGLTestContext::Open(kaGLSLDialect dialect, std::string& error) {
    const auto getDisplay =
        reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
    mDisplay = getDisplay != nullptr ? getDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr)
                                     : EGL_NO_DISPLAY;
    if (mDisplay == EGL_NO_DISPLAY || !eglInitialize(mDisplay, nullptr, nullptr)) {
        error = "no surfaceless EGL display";
        return false;
    }
    const bool core = dialect == kaGLSLDialect::Core330;
    eglBindAPI(core ? EGL_OPENGL_API : EGL_OPENGL_ES_API);
    const EGLint attributes[] = {EGL_CONTEXT_MAJOR_VERSION, 3, EGL_CONTEXT_MINOR_VERSION, core ? 3 : 0,
                                 core ? EGL_CONTEXT_OPENGL_PROFILE_MASK : EGL_NONE,
                                 EGL_CONTEXT_OPENGL_CORE_PROFILE_BIT, EGL_NONE};
    mContext = eglCreateContext(mDisplay, EGL_NO_CONFIG_KHR, EGL_NO_CONTEXT, attributes);
    if (mContext == EGL_NO_CONTEXT || !eglMakeCurrent(mDisplay, EGL_NO_SURFACE, EGL_NO_SURFACE, mContext)) {
        error = core ? "no OpenGL 3.3 core context" : "no OpenGL ES 3.0 context";
        return false;
    }
    if (!LoadFunctions()) {
        error = "missing GL entry points";
        return false;
    }
    return MakeTarget(error);
}

bool kaGLTestContext::MakeTarget(std::string& error) {
    gl.GenFramebuffers(1, &mFramebuffer);
    gl.GenRenderbuffers(1, &mColor);
    gl.BindRenderbuffer(GL_RENDERBUFFER, mColor);
    gl.RenderbufferStorage(GL_RENDERBUFFER, GL_RGBA32F, kTargetSize, kTargetSize);
    gl.BindFramebuffer(GL_FRAMEBUFFER, mFramebuffer);
    gl.FramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, mColor);
    if (gl.CheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        error = "a float colour target is not renderable";
        return false;
    }
    const float corners[] = {-1, -1, 0.5f, 1, 1, -1, 0.5f, 1, -1, 1, 0.5f, 1, 1, 1, 0.5f, 1};
    gl.GenVertexArrays(1, &mVertexArray);
    gl.BindVertexArray(mVertexArray);
    gl.GenBuffers(1, &mQuad);
    gl.BindBuffer(GL_ARRAY_BUFFER, mQuad);
    gl.BufferData(GL_ARRAY_BUFFER, sizeof corners, corners, GL_STATIC_DRAW);
    gl.VertexAttribPointer(0, 4, GL_FLOAT, GL_FALSE, 0, nullptr);
    gl.EnableVertexAttribArray(0);
    gl.GenBuffers(1, &mConstants);
    gl.Viewport(0, 0, kTargetSize, kTargetSize);
    return true;
}

bool kaGLTestContext::Compile(unsigned type, const std::string& text, unsigned& shader, std::string& error) {
    shader = gl.CreateShader(type);
    const char* source = text.c_str();
    gl.ShaderSource(shader, 1, &source, nullptr);
    gl.CompileShader(shader);
    GLint ok = 0;
    gl.GetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (ok) return true;
    char log[4096] = {};
    gl.GetShaderInfoLog(shader, sizeof log, nullptr, log);
    error = std::string(type == GL_VERTEX_SHADER ? "vertex" : "pixel") + " program: " + log + "\n" + text;
    return false;
}

bool kaGLTestContext::Link(const kaTestDraw& draw, unsigned& program, std::string& error) {
    unsigned vertex = 0;
    unsigned pixel = 0;
    const bool compiled = Compile(GL_VERTEX_SHADER, draw.vertexText, vertex, error) &&
                          Compile(GL_FRAGMENT_SHADER, draw.pixelText + kTail, pixel, error);
    program = gl.CreateProgram();
    gl.AttachShader(program, vertex);
    gl.AttachShader(program, pixel);
    if (compiled) gl.LinkProgram(program);
    gl.DeleteShader(vertex);
    gl.DeleteShader(pixel);
    GLint ok = 0;
    gl.GetProgramiv(program, GL_LINK_STATUS, &ok);
    if (compiled && !ok) {
        char log[4096] = {};
        gl.GetProgramInfoLog(program, sizeof log, nullptr, log);
        error = std::string("link: ") + log;
    }
    return compiled && ok;
}

void kaGLTestContext::SetUniforms(unsigned program, const kaTestDraw& draw) {
    const GLuint block = gl.GetUniformBlockIndex(program, "vx_VertexConstants");
    gl.UniformBlockBinding(program, block, 0);
    gl.BindBuffer(GL_UNIFORM_BUFFER, mConstants);
    gl.BufferData(GL_UNIFORM_BUFFER, static_cast<GLsizeiptr>(draw.vertexConstants.size() * sizeof(kaVec4)),
                  draw.vertexConstants.data(), GL_DYNAMIC_DRAW);
    gl.BindBufferBase(GL_UNIFORM_BUFFER, 0, mConstants);
    const float adjust[4] = {0, 0, 1, 0};
    gl.Uniform4fv(gl.GetUniformLocation(program, "vx_PositionAdjust"), 1, adjust);
    gl.Uniform4fv(gl.GetUniformLocation(program, "vx_pc"), 8, draw.pixelConstants[0].data());
    for (const auto& [stage, matrix] : draw.bumpMatrices) {
        gl.Uniform4fv(gl.GetUniformLocation(program, ("vx_BumpMat" + std::to_string(stage)).c_str()), 1, matrix.data());
    }
    for (const auto& [stage, luminance] : draw.bumpLuminance) {
        gl.Uniform2fv(gl.GetUniformLocation(program, ("vx_BumpLum" + std::to_string(stage)).c_str()), 1,
                      luminance.data());
    }
    for (uint32_t attribute = 1; attribute < 16; ++attribute) {
        const auto given = draw.attributes.find(attribute);
        const kaVec4 value = given != draw.attributes.end() ? given->second : kaVec4{0, 0, 0, 1};
        gl.VertexAttrib4fv(attribute, value.data());
    }
}

void kaGLTestContext::BindTextures(unsigned program, const kaTestDraw& draw, std::vector<unsigned>& names) {
    for (const auto& [stage, texture] : draw.textures) {
        static const GLenum kTargets[] = {0, GL_TEXTURE_2D, GL_TEXTURE_CUBE_MAP, GL_TEXTURE_3D};
        const GLenum target = kTargets[static_cast<int>(texture.kind)];
        unsigned name = 0;
        gl.GenTextures(1, &name);
        names.push_back(name);
        gl.ActiveTexture(GL_TEXTURE0 + stage);
        gl.BindTexture(target, name);
        const GLsizei n = texture.size;
        const size_t face = static_cast<size_t>(n) * static_cast<size_t>(n) * 4;
        if (texture.kind == kaGLSLTextureKind::Tex2D) {
            gl.TexImage2D(target, 0, GL_RGBA8, n, n, 0, GL_RGBA, GL_UNSIGNED_BYTE, texture.rgba.data());
        } else if (texture.kind == kaGLSLTextureKind::Cube) {
            for (int f = 0; f < 6; ++f) {
                gl.TexImage2D(GL_TEXTURE_CUBE_MAP_POSITIVE_X + f, 0, GL_RGBA8, n, n, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                              texture.rgba.data() + face * f);
            }
        } else {
            gl.TexImage3D(target, 0, GL_RGBA8, n, n, n, 0, GL_RGBA, GL_UNSIGNED_BYTE, texture.rgba.data());
        }
        for (GLenum parameter : {GL_TEXTURE_MIN_FILTER, GL_TEXTURE_MAG_FILTER}) gl.TexParameteri(target, parameter, GL_NEAREST);
        for (GLenum wrap : {GL_TEXTURE_WRAP_S, GL_TEXTURE_WRAP_T, GL_TEXTURE_WRAP_R}) {
            gl.TexParameteri(target, wrap, GL_CLAMP_TO_EDGE);
        }
        gl.Uniform1i(gl.GetUniformLocation(program, ("vx_Sampler" + std::to_string(stage)).c_str()),
                     static_cast<GLint>(stage));
    }
}

bool kaGLTestContext::Draw(const kaTestDraw& draw, kaVec4& pixel, std::string& error) {
    eglMakeCurrent(mDisplay, EGL_NO_SURFACE, EGL_NO_SURFACE, mContext);
    unsigned program = 0;
    if (!Link(draw, program, error)) {
        gl.DeleteProgram(program);
        return false;
    }
    gl.UseProgram(program);
    SetUniforms(program, draw);
    std::vector<unsigned> textures;
    BindTextures(program, draw, textures);
    gl.BindFramebuffer(GL_FRAMEBUFFER, mFramebuffer);
    gl.ClearColor(-7, -7, -7, -7);  // no shader result looks like this
    gl.Clear(GL_COLOR_BUFFER_BIT);
    gl.DrawArrays(GL_TRIANGLE_STRIP, 0, 4);
    gl.ReadPixels(1, 1, 1, 1, GL_RGBA, GL_FLOAT, pixel.data());
    gl.DeleteTextures(static_cast<GLsizei>(textures.size()), textures.data());
    gl.DeleteProgram(program);
    return true;
}
