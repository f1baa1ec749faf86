#pragma once

#include <cstdint>
#include <string>

#include "kaShaderTypes.h"

enum class kaOpcodeClass : uint8_t {
    Arithmetic,  // including the vertex shader macros
    Texture,     // pixel shader texture address instructions
    Define,      // def
    Phase,       // phase
};

// Which components of a source an instruction reads, given its swizzle.
enum class kaReadPattern : uint8_t {
    PerComponent,  // the components the destination mask selects
    Dot3,          // x, y, z
    Dot4,          // x, y, z, w
    Scalar,        // w (a replicate swizzle selects the component)
    Lit,           // x, y, w
    Dst,           // first source y, z; second source y, w
    Matrix,        // the vector: as many components as the matrix has columns
    None,          // nothing that the validator tracks
};

struct kaOpcodeInfo {
    const char* name;
    uint16_t opcode;  // D3DSIO_*
    kaShaderKind kind;
    uint8_t minors;   // bit n set: available in version 1.n
    uint8_t sourceCount;
    bool hasDest;
    kaOpcodeClass opClass;
    kaReadPattern reads;
    uint8_t slots;        // vertex shader instruction slots
    uint8_t matrixWidth;  // m#x#: components of the vector (first #)
    uint8_t matrixRows;   // m#x#: registers of the matrix (second #)
};

// The instruction sets of vs.1.0, vs.1.1 and ps.1.0 to ps.1.4.
class kaShaderOpcodeTable {
public:
    // The instruction of that (lower-case) name for the shader kind, or null.
    static const kaOpcodeInfo* Find(const std::string& name, kaShaderKind kind);
    // The instruction of that opcode in the version, or null.
    static const kaOpcodeInfo* FindOpcode(uint32_t opcode, const kaShaderVersion& version);

    static bool AvailableIn(const kaOpcodeInfo& op, const kaShaderVersion& version) {
        return version.major == 1 && version.minor < 8 && ((op.minors >> version.minor) & 1);
    }
};

// D3DSIO_* opcodes, named for the code that treats them one by one.
enum : uint16_t {
    kOpMov = 1,
    kOpAdd = 2,
    kOpSub = 3,
    kOpMad = 4,
    kOpMul = 5,
    kOpRcp = 6,
    kOpRsq = 7,
    kOpDp3 = 8,
    kOpDp4 = 9,
    kOpMin = 10,
    kOpMax = 11,
    kOpSlt = 12,
    kOpSge = 13,
    kOpExp = 14,
    kOpLog = 15,
    kOpLit = 16,
    kOpDst = 17,
    kOpLrp = 18,
    kOpFrc = 19,
    kOpTexCoord = 64,  // texcrd in ps.1.4
    kOpTexKill = 65,
    kOpTex = 66,  // texld in ps.1.4
    kOpTexBem = 67,
    kOpTexBemL = 68,
    kOpTexReg2AR = 69,
    kOpTexReg2GB = 70,
    kOpTexM3x2Pad = 71,
    kOpTexM3x2Tex = 72,
    kOpTexM3x3Pad = 73,
    kOpTexM3x3Tex = 74,
    kOpTexM3x3Spec = 76,
    kOpTexM3x3VSpec = 77,
    kOpExpP = 78,
    kOpLogP = 79,
    kOpCnd = 80,
    kOpDef = 81,
    kOpTexReg2RGB = 82,
    kOpTexDp3Tex = 83,
    kOpTexM3x2Depth = 84,
    kOpTexDp3 = 85,
    kOpTexM3x3 = 86,
    kOpTexDepth = 87,
    kOpCmp = 88,
    kOpBem = 89,
    kOpPhase = 0xFFFD,
    kOpComment = 0xFFFE,
};
