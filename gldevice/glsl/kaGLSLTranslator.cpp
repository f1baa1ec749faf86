#include "kaGLSLTranslator.h"

#include "kaGLSLPixelProgram.h"
#include "kaGLSLVertexProgram.h"
#include "kaShaderDecoder.h"
#include "kaShaderDisassembler.h"
#include "kaShaderErrorLog.h"
#include "kaShaderOpcodeTable.h"
#include "kaShaderValidator.h"

namespace {

// "instruction 3 (mov r9, v0): " for an error on that instruction's line of
// the disassembly, the version's name otherwise.
std::string Where(const kaShaderProgram& program, int line) {
    const size_t count = program.instructions.size();
    if (line < 2 || static_cast<size_t>(line - 2) >= count) return program.version.Name() + ": ";
    const kaInstruction& ins = program.instructions[static_cast<size_t>(line - 2)];
    return "instruction " + std::to_string(line - 1) + " (" +
           kaShaderDisassembler::InstructionText(ins, program.version) + "): ";
}

// Decodes the stream and checks it with the assembler's rules.
bool Load(const uint32_t* tokens, size_t count, kaShaderKind kind, kaShaderDecoding& decoded, std::string& error) {
    decoded = kaShaderDecoder::Decode(tokens, count);
    if (!decoded.ok) {
        error = decoded.error;
        return false;
    }
    const kaShaderProgram& program = decoded.program;
    if (program.version.kind != kind) {
        error = "token 0: " + program.version.Name() + " is not a " +
                (kind == kaShaderKind::Pixel ? "pixel" : "vertex") + " shader";
        return false;
    }
    kaShaderErrorLog log("tokens");
    kaShaderValidator(program, log).Validate();
    int line = 0;
    std::string message;
    if (log.First(line, message)) {
        error = Where(program, line) + message;
        return false;
    }
    for (const kaInstruction& ins : program.instructions) {
        if (kind == kaShaderKind::Vertex && ins.op->opcode == kOpDef) {
            error = Where(program, ins.line) +
                    "a vertex shader's def constants belong in the constant block, not in its token stream";
            return false;
        }
    }
    return true;
}

}  // namespace

kaGLSLSource kaTranslateVertexShader(const uint32_t* tokens, size_t count, kaGLSLDialect dialect) {
    kaGLSLSource source;
    kaShaderDecoding decoded;
    if (!Load(tokens, count, kaShaderKind::Vertex, decoded, source.error)) return source;
    source.text = kaGLSLVertexProgram(decoded.program).Text(dialect);
    source.ok = true;
    return source;
}

kaGLSLSource kaTranslatePixelShader(const uint32_t* tokens, size_t count, const kaGLSLTextureKind kinds[kaGLSLStageCount],
                                    kaGLSLDialect dialect, const uint8_t* projected) {
    kaGLSLSource source;
    kaShaderDecoding decoded;
    if (kinds == nullptr) {
        source.error = "no texture kinds given";
        return source;
    }
    if (!Load(tokens, count, kaShaderKind::Pixel, decoded, source.error)) return source;
    source.text = kaGLSLPixelProgram(decoded.program, kinds, projected).Text(dialect);
    source.ok = true;
    return source;
}

std::string kaGLSLPositionEpilogue() {
    return "    gl_Position = vec4(p.x + vx_PositionAdjust.x * p.w,\n"
           "                       (p.y + vx_PositionAdjust.y * p.w) * vx_PositionAdjust.z,\n"
           "                       2.0 * p.z - p.w, p.w);\n";
}
