#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "kaGLSLTranslator.h"
#include "kaGLTestContext.h"

// A shader pair for the translator's tests: assembled from source, drawn
// once with chosen inputs, and (when `numeric`) the colour of the pixel
// compared with a value worked out by hand from the Direct3D 8 definitions.
// Cases without a vertex shader use a pass-through one (oPos = v0, oD0 = v5,
// oD1 = v6, oTn = v(7 + n) for n = 0 to 5); cases without a pixel shader
// return the varying named by `probe` unclamped, so that vertex results
// outside [0, 1] show.
struct kaGLSLCase {
    std::string name;
    std::string vertex;
    std::string pixel;
    std::string probe = "vx_Tex0";
    kaTestDraw draw;  // inputs; the program texts are filled in per dialect
    bool numeric = true;
    kaVec4 expected{};
    float tolerance = 1e-5f;
};

const std::vector<kaGLSLCase>& kaGLSLCases();

// A media shader's source text, read from the source tree.
std::string kaReadMediaShader(const std::string& name);

struct kaTranslatedPair {
    bool ok = false;
    std::string error;
    std::string vertexText;
    std::string pixelText;
    std::vector<uint32_t> defConstants;  // the vertex shader's, for the constant block
};

// Assembles and translates the case's shaders (the pass-through and probe
// stand-ins where it has none).
kaTranslatedPair kaTranslateCase(const kaGLSLCase& c, kaGLSLDialect dialect);
// Assembles and translates one shader's source text.
kaGLSLSource kaTranslateSource(const std::string& source, const kaGLSLTextureKind* kinds, kaGLSLDialect dialect,
                               std::vector<uint32_t>* defConstants = nullptr);
