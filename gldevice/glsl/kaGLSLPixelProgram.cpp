#include "kaGLSLPixelProgram.h"

#include <algorithm>

#include "kaShaderOpcodeTable.h"

namespace {

using K = kaRegisterKind;

const char* ShiftFactor(int shift) {
    static const char* const kFactors[] = {"0.125", "0.25", "0.5", "", "2.0", "4.0", "8.0"};
    return kFactors[shift + 3];
}

}  // namespace

kaGLSLPixelProgram::kaGLSLPixelProgram(const kaShaderProgram& program, const kaGLSLTextureKind* kinds,
                                       const uint8_t* projected)
    : mProgram(program),
      mRange(program.version.IsPs14() ? 8.0f : 1.0f),
      mOperands(program.version),
      mArithmetic(mOperands, mBuilder),
      mTexture(program.version, kinds, projected, mOperands, mBuilder) {}

std::string kaGLSLPixelProgram::Text(kaGLSLDialect dialect) {
    const std::vector<kaInstruction>& code = mProgram.instructions;
    for (size_t i = 0; i < code.size(); ++i) {
        const kaInstruction& ins = code[i];
        if (ins.op->opClass == kaOpcodeClass::Texture) {
            mTexture.Translate(ins);
            continue;
        }
        if (ins.op->opClass != kaOpcodeClass::Arithmetic || !ins.hasDest) continue;
        // A co-issued pair reads all its sources before either writes.
        const bool paired = i + 1 < code.size() && code[i + 1].coIssue;
        const std::string first = Evaluate(ins);
        const std::string second = paired ? Evaluate(code[i + 1]) : "";
        Write(ins, first);
        if (paired) Write(code[++i], second);
    }
    DeclareRegisters();
    return mBuilder.Text(dialect, "vec4 vx_ShadePixel()", "    return clamp(r0, 0.0, 1.0);\n");
}

// The instruction's result in a new local: its value shifted, saturated
// and clamped to the register range.
std::string kaGLSLPixelProgram::Evaluate(const kaInstruction& ins) {
    std::string value = "(" + mArithmetic.Value(ins) + ")";
    if (ins.shift != 0) value = "(" + value + " * " + ShiftFactor(ins.shift) + ")";
    const std::string low = ins.saturate ? "0.0" : kaGLSLOperands::Number(-mRange);
    const std::string high = ins.saturate ? "1.0" : kaGLSLOperands::Number(mRange);
    const std::string result = "vx_q" + std::to_string(mResults++);
    mBuilder.Statement("vec4 " + result + " = clamp(" + value + ", " + low + ", " + high + ");");
    return result;
}

void kaGLSLPixelProgram::Write(const kaInstruction& ins, const std::string& result) {
    const std::string name = (ins.dest.reg.kind == K::Texture ? "t" : "r") + std::to_string(ins.dest.reg.index);
    const std::string mask = kaGLSLOperands::Mask(ins.dest.mask);
    mBuilder.Statement(name + mask + " = " + result + mask + ";");
}

// The locals behind the registers: temporaries and texture registers start
// at 0, colours and constants are read once, def constants are fixed.
void kaGLSLPixelProgram::DeclareRegisters() {
    const bool ps14 = mProgram.version.IsPs14();
    const uint32_t temps = ps14 ? 6 : 2;
    for (uint32_t r = 0; r < temps; ++r) mBuilder.Local("vec4 r" + std::to_string(r) + " = vec4(0.0);");
    for (uint32_t t = 0; !ps14 && t < 4; ++t) mBuilder.Local("vec4 t" + std::to_string(t) + " = vec4(0.0);");
    for (uint32_t v : mOperands.Read(K::Input)) {
        mBuilder.Local("vec4 v" + std::to_string(v) + " = clamp(vx_Color" + std::to_string(v) + ", 0.0, 1.0);");
    }
    for (uint32_t c : mOperands.Read(K::Constant)) {
        const std::string name = "c" + std::to_string(c);
        const auto def = std::find_if(mProgram.instructions.begin(), mProgram.instructions.end(), [c](const kaInstruction& ins) {
            return ins.op->opcode == kOpDef && ins.dest.reg.index == c;
        });
        if (def == mProgram.instructions.end()) {
            mBuilder.Local("vec4 " + name + " = clamp(vx_pc[" + std::to_string(c) + "], -1.0, 1.0);");
            continue;
        }
        std::string values;
        for (float v : def->defValues) {
            values += (values.empty() ? "" : ", ") + kaGLSLOperands::Number(std::min(1.0f, std::max(-1.0f, v)));
        }
        mBuilder.Local("const vec4 " + name + " = vec4(" + values + ");");
    }
    mBuilder.Global("uniform vec4 vx_pc[8];");
    mBuilder.Global("in vec4 vx_Color0;");
    mBuilder.Global("in vec4 vx_Color1;");
    for (int t = 0; t < 8; ++t) mBuilder.Global("in vec4 vx_Tex" + std::to_string(t) + ";");
    mBuilder.Global("in float vx_Fog;");
}
