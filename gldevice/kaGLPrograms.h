#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

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
    GLint bumpMatrix[6] = {};     // vx_BumpMat<N> and vx_BumpLum<N> of a pixel shader
    GLint bumpLuminance[6] = {};
    uint8_t textureKind[8] = {};  // what each stage's sampler expects
};

// Compiles the vertex and pixel programs for their keys and links each pair
// once; everything is kept until Release, or until the shader a program was
// translated from is released.  A failure is remembered too, so a broken
// program is not compiled again at every draw.  Shaders are registered under
// a serial (never 0, which keys use for the fixed-function pipeline).
class kaGLPrograms {
public:
    static constexpr unsigned kVertexConstants = 96;
    static constexpr unsigned kPixelConstants = 8;
    static constexpr GLuint kConstantBinding = 0;

    void Init(const kaGLFunctions* gl, kaGLContextKind kind);
    // The program for the keys, or null when it does not compile or link.
    kaGLProgram* Get(const kaGLVertexKey& vertex, const kaGLPixelKey& pixel);
    void Release();

    // A vertex shader's token stream is translated and compiled at once, a
    // pixel shader's translated for 2D textures at every stage to check it.
    // The serial, or 0 with the reason in *error.
    uint32_t AddVertexShader(const std::vector<uint32_t>& tokens, std::string* error);
    uint32_t AddPixelShader(const std::vector<uint32_t>& tokens, std::string* error);
    // Deletes what was made from a shader: its GL shaders and their programs.
    void Forget(uint32_t serial);

private:
    struct Compiled {
        GLuint name;
        uint32_t serial;  // the shader it was translated from, 0 for none
    };

    GLuint Compile(GLenum type, const std::string& source, std::string* error = nullptr);
    std::string PixelSource(const kaGLPixelKey& key);
    GLuint VertexShader(const kaGLVertexKey& key);
    GLuint PixelShader(const kaGLPixelKey& key);
    kaGLProgram Link(GLuint vertex, GLuint pixel, const kaGLPixelKey& key);

    const kaGLFunctions* mGL = nullptr;
    kaGLContextKind mKind = kaGLContextKind::Core33;
    std::unordered_map<std::string, Compiled> mVertexShaders;
    std::unordered_map<std::string, Compiled> mPixelShaders;
    std::unordered_map<uint32_t, std::vector<uint32_t>> mPixelTokens;
    std::map<std::pair<GLuint, GLuint>, kaGLProgram> mLinked;
    uint32_t mLastSerial = 0;
};
