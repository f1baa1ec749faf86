#pragma once

#include <cstdint>
#include <string>

#include "kaGLContext.h"

// What a vertex program depends on: a translated vertex shader (the key is
// then zero apart from its serial), or the fixed-function state that shapes
// the generated one.  Plain bytes, zeroed
// before they are filled, so that keys compare and hash as memory.
struct kaGLVertexKey {
    uint32_t shader;  // serial of a vertex shader, 0 for fixed-function processing
    uint32_t format;
    uint8_t lighting, specular, localViewer, normalize;
    uint8_t colorVertex, rangeFog, fogMode, pad;
    uint8_t materialSource[4];  // diffuse, specular, ambient, emissive
    uint8_t lightType[8];       // 0 for a light that is off
    uint32_t texCoordIndex[8];
    uint32_t transformFlags[8];

    // The key of a vertex shader's program.
    static kaGLVertexKey OfShader(uint32_t serial);
};

// What a pixel program depends on: a pixel shader (with the kinds of texture
// its stages sample and the stages' projection, in stage[].projectedCount)
// or the texture-stage state, and the tail the device adds after it (alpha
// test, fog).
struct kaGLPixelKey {
    struct Stage {
        uint8_t colorOp, colorArg[3];  // arguments 1, 2, 0
        uint8_t alphaOp, alphaArg[3];
        uint8_t result, kind, coordinates, projectedCount;
    };
    uint32_t shader;         // serial of a pixel shader, 0 for the texture stages
    uint8_t textureKind[8];  // kaGLTextureKind of the texture at each stage
    Stage stage[8];
    uint8_t specular;
    uint8_t alphaFunc;  // 0: no alpha test
    uint8_t fog;        // 0 none, 1 from the vertices, 2 + mode per pixel
    uint8_t pad;
};

// Texture kinds as the programs see them.
enum kaGLTextureKind : uint8_t { KA_GL_TEX_NONE, KA_GL_TEX_2D, KA_GL_TEX_CUBE, KA_GL_TEX_VOLUME };

// GLSL for the fixed-function pipeline and the device's common pieces.
class kaGLFixedFunction {
public:
    // "#version ..." and, for ES, the precision statements.
    static std::string Header(kaGLContextKind kind);
    // The varyings every vertex program writes and the position epilogue.
    static std::string VertexOutputs();
    static std::string VertexProgram(const kaGLVertexKey& key, kaGLContextKind kind);
    // vx_ShadePixel() of the texture stages with every pixel input declared
    // (without the header), as the shader translator declares them too.
    static std::string PixelStages(const kaGLPixelKey& key);
    // The tail: alpha test, fog and the output, with main(); it reads vx_Fog.
    static std::string PixelTail(const kaGLPixelKey& key);
};
