#pragma once

// The OpenGL entry points the device uses: what OpenGL ES 3.0 (and so
// WebGL 2) has, which OpenGL 3.3 core has too.  They are loaded through the
// context seam, never linked, so the same code runs on any GL library.
#define GL_GLES_PROTOTYPES 0
#include <GLES3/gl3.h>
#include <GLES2/gl2ext.h>

#define KA_GL_FUNCTIONS(X)                                                   \
    X(PFNGLACTIVETEXTUREPROC, ActiveTexture)                                 \
    X(PFNGLATTACHSHADERPROC, AttachShader)                                   \
    X(PFNGLBINDBUFFERPROC, BindBuffer)                                       \
    X(PFNGLBINDBUFFERBASEPROC, BindBufferBase)                               \
    X(PFNGLBINDFRAMEBUFFERPROC, BindFramebuffer)                             \
    X(PFNGLBINDRENDERBUFFERPROC, BindRenderbuffer)                           \
    X(PFNGLBINDSAMPLERPROC, BindSampler)                                     \
    X(PFNGLBINDTEXTUREPROC, BindTexture)                                     \
    X(PFNGLBINDVERTEXARRAYPROC, BindVertexArray)                             \
    X(PFNGLBLENDEQUATIONPROC, BlendEquation)                                 \
    X(PFNGLBLENDFUNCPROC, BlendFunc)                                         \
    X(PFNGLBLITFRAMEBUFFERPROC, BlitFramebuffer)                             \
    X(PFNGLBUFFERDATAPROC, BufferData)                                       \
    X(PFNGLBUFFERSUBDATAPROC, BufferSubData)                                 \
    X(PFNGLCHECKFRAMEBUFFERSTATUSPROC, CheckFramebufferStatus)               \
    X(PFNGLCLEARPROC, Clear)                                                 \
    X(PFNGLCLEARCOLORPROC, ClearColor)                                       \
    X(PFNGLCLEARSTENCILPROC, ClearStencil)                                   \
    X(PFNGLCOLORMASKPROC, ColorMask)                                         \
    X(PFNGLCOMPILESHADERPROC, CompileShader)                                 \
    X(PFNGLCOMPRESSEDTEXIMAGE2DPROC, CompressedTexImage2D)                   \
    X(PFNGLCOMPRESSEDTEXIMAGE3DPROC, CompressedTexImage3D)                   \
    X(PFNGLCREATEPROGRAMPROC, CreateProgram)                                 \
    X(PFNGLCREATESHADERPROC, CreateShader)                                   \
    X(PFNGLCULLFACEPROC, CullFace)                                           \
    X(PFNGLDELETEBUFFERSPROC, DeleteBuffers)                                 \
    X(PFNGLDELETEFRAMEBUFFERSPROC, DeleteFramebuffers)                       \
    X(PFNGLDELETEPROGRAMPROC, DeleteProgram)                                 \
    X(PFNGLDELETERENDERBUFFERSPROC, DeleteRenderbuffers)                     \
    X(PFNGLDELETESAMPLERSPROC, DeleteSamplers)                               \
    X(PFNGLDELETESHADERPROC, DeleteShader)                                   \
    X(PFNGLDELETETEXTURESPROC, DeleteTextures)                               \
    X(PFNGLDELETEVERTEXARRAYSPROC, DeleteVertexArrays)                       \
    X(PFNGLDEPTHFUNCPROC, DepthFunc)                                         \
    X(PFNGLDEPTHMASKPROC, DepthMask)                                         \
    X(PFNGLDISABLEPROC, Disable)                                             \
    X(PFNGLDISABLEVERTEXATTRIBARRAYPROC, DisableVertexAttribArray)           \
    X(PFNGLDRAWARRAYSPROC, DrawArrays)                                       \
    X(PFNGLDRAWELEMENTSPROC, DrawElements)                                   \
    X(PFNGLENABLEPROC, Enable)                                               \
    X(PFNGLENABLEVERTEXATTRIBARRAYPROC, EnableVertexAttribArray)             \
    X(PFNGLFRAMEBUFFERRENDERBUFFERPROC, FramebufferRenderbuffer)             \
    X(PFNGLFRAMEBUFFERTEXTURE2DPROC, FramebufferTexture2D)                   \
    X(PFNGLFRONTFACEPROC, FrontFace)                                         \
    X(PFNGLGENBUFFERSPROC, GenBuffers)                                       \
    X(PFNGLGENFRAMEBUFFERSPROC, GenFramebuffers)                             \
    X(PFNGLGENRENDERBUFFERSPROC, GenRenderbuffers)                           \
    X(PFNGLGENSAMPLERSPROC, GenSamplers)                                     \
    X(PFNGLGENTEXTURESPROC, GenTextures)                                     \
    X(PFNGLGENVERTEXARRAYSPROC, GenVertexArrays)                             \
    X(PFNGLGETERRORPROC, GetError)                                           \
    X(PFNGLGETINTEGERVPROC, GetIntegerv)                                     \
    X(PFNGLGETPROGRAMINFOLOGPROC, GetProgramInfoLog)                         \
    X(PFNGLGETPROGRAMIVPROC, GetProgramiv)                                   \
    X(PFNGLGETRENDERBUFFERPARAMETERIVPROC, GetRenderbufferParameteriv)       \
    X(PFNGLGETSHADERINFOLOGPROC, GetShaderInfoLog)                           \
    X(PFNGLGETSHADERIVPROC, GetShaderiv)                                     \
    X(PFNGLGETSTRINGPROC, GetString)                                         \
    X(PFNGLGETSTRINGIPROC, GetStringi)                                       \
    X(PFNGLGETUNIFORMBLOCKINDEXPROC, GetUniformBlockIndex)                   \
    X(PFNGLGETUNIFORMLOCATIONPROC, GetUniformLocation)                       \
    X(PFNGLLINKPROGRAMPROC, LinkProgram)                                     \
    X(PFNGLPIXELSTOREIPROC, PixelStorei)                                     \
    X(PFNGLPOLYGONOFFSETPROC, PolygonOffset)                                 \
    X(PFNGLREADBUFFERPROC, ReadBuffer)                                       \
    X(PFNGLREADPIXELSPROC, ReadPixels)                                       \
    X(PFNGLRENDERBUFFERSTORAGEMULTISAMPLEPROC, RenderbufferStorageMultisample) \
    X(PFNGLSAMPLERPARAMETERFPROC, SamplerParameterf)                         \
    X(PFNGLSAMPLERPARAMETERIPROC, SamplerParameteri)                         \
    X(PFNGLSCISSORPROC, Scissor)                                             \
    X(PFNGLSHADERSOURCEPROC, ShaderSource)                                   \
    X(PFNGLSTENCILFUNCPROC, StencilFunc)                                     \
    X(PFNGLSTENCILMASKPROC, StencilMask)                                     \
    X(PFNGLSTENCILOPPROC, StencilOp)                                         \
    X(PFNGLTEXIMAGE2DPROC, TexImage2D)                                       \
    X(PFNGLTEXIMAGE3DPROC, TexImage3D)                                       \
    X(PFNGLTEXPARAMETERIPROC, TexParameteri)                                 \
    X(PFNGLUNIFORM1IPROC, Uniform1i)                                         \
    X(PFNGLUNIFORM2FVPROC, Uniform2fv)                                       \
    X(PFNGLUNIFORM4FVPROC, Uniform4fv)                                       \
    X(PFNGLUNIFORMMATRIX4FVPROC, UniformMatrix4fv)                           \
    X(PFNGLUNIFORMBLOCKBINDINGPROC, UniformBlockBinding)                     \
    X(PFNGLUSEPROGRAMPROC, UseProgram)                                       \
    X(PFNGLVERTEXATTRIBPOINTERPROC, VertexAttribPointer)                     \
    X(PFNGLVIEWPORTPROC, Viewport)

// The table of loaded entry points; every member is non-null after a
// successful Load.
struct kaGLFunctions {
#define KA_GL_MEMBER(type, name) type name = nullptr;
    KA_GL_FUNCTIONS(KA_GL_MEMBER)
#undef KA_GL_MEMBER
    // glClearDepthf exists in OpenGL ES and desktop 4.1; 3.3 has the double form.
    void (*ClearDepthf)(GLfloat depth) = nullptr;
    void (*ClearDepth)(double depth) = nullptr;
    // Mapping a buffer to read it, which WebGL 2 lacks: null there.
    PFNGLMAPBUFFERRANGEPROC MapBufferRange = nullptr;
    PFNGLUNMAPBUFFERPROC UnmapBuffer = nullptr;

    // Looks every entry point up through getProcAddress; false when one is missing.
    bool Load(void* (*getProcAddress)(const char* name));
    void ClearDepthValue(float depth) const;
};
