#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <unordered_map>
#include <utility>

#include "kaGLContext.h"
#include "kaGLFixedFunction.h"

// The uniforms a program may have; the device looks each up once per program.
enum kaGLUniform : unsigned {
    KA_U_WORLDVIEWPROJ, KA_U_WORLDVIEW, KA_U_NORMALMATRIX, KA_U_TEXMATRIX, KA_U_VIEWPORT,
    KA_U_LIGHTDIFFUSE, KA_U_LIGHTSPECULAR, KA_U_LIGHTAMBIENT, KA_U_LIGHTPOSITION,
    KA_U_LIGHTDIRECTION, KA_U_LIGHTATTENUATION, KA_U_LIGHTCONE, KA_U_MATERIAL, KA_U_AMBIENT,
    KA_U_FOGPARAMS, KA_U_POINTSIZE, KA_U_POSITIONADJUST, KA_U_TFACTOR, KA_U_MIPBIAS,
    KA_U_FOGCOLOR, KA_U_FOGTABLE, KA_U_ALPHAREF, KA_U_PIXELCONSTANTS, KA_U_COUNT
};

// A linked program with its uniform locations (-1 for those it lacks).
struct kaGLProgram {
    GLuint name = 0;
    uint32_t uniformVersion = 0xFFFFFFFFu;
    GLint location[KA_U_COUNT] = {};
    uint8_t textureKind[8] = {};  // what each stage's sampler expects
};

// Compiles the vertex and pixel programs for their keys and links each pair
// once; everything is kept until Release.  A failure is remembered too, so a
// broken program is not compiled again at every draw.
class kaGLPrograms {
public:
    static constexpr unsigned kVertexConstants = 96;
    static constexpr unsigned kPixelConstants = 8;
    static constexpr GLuint kConstantBinding = 0;

    void Init(const kaGLFunctions* gl, kaGLContextKind kind);
    // The program for the keys, or null when it does not compile or link.
    kaGLProgram* Get(const kaGLVertexKey& vertex, const kaGLPixelKey& pixel);
    void Release();

private:
    GLuint Compile(GLenum type, const std::string& source);
    GLuint VertexShader(const kaGLVertexKey& key);
    GLuint PixelShader(const kaGLPixelKey& key);
    kaGLProgram Link(GLuint vertex, GLuint pixel, const kaGLPixelKey& key);

    const kaGLFunctions* mGL = nullptr;
    kaGLContextKind mKind = kaGLContextKind::Core33;
    std::unordered_map<std::string, GLuint> mVertexShaders;
    std::unordered_map<std::string, GLuint> mPixelShaders;
    std::map<std::pair<GLuint, GLuint>, kaGLProgram> mLinked;
};
