#include "kaGLSLVertexProgram.h"

#include "kaInstructionAccess.h"

namespace {

using K = kaRegisterKind;

// The outputs and what they hold until the shader writes them.
const char* const kOutputs[] = {
    "vx_Color0 = vec4(1.0);", "vx_Color1 = vec4(1.0);", "vx_Tex0 = vec4(0.0, 0.0, 0.0, 1.0);",
    "vx_Tex1 = vec4(0.0, 0.0, 0.0, 1.0);", "vx_Tex2 = vec4(0.0, 0.0, 0.0, 1.0);", "vx_Tex3 = vec4(0.0, 0.0, 0.0, 1.0);",
    "vx_Tex4 = vec4(0.0, 0.0, 0.0, 1.0);", "vx_Tex5 = vec4(0.0, 0.0, 0.0, 1.0);", "vx_Tex6 = vec4(0.0, 0.0, 0.0, 1.0);",
    "vx_Tex7 = vec4(0.0, 0.0, 0.0, 1.0);", "vx_Fog = 1.0;", "vec4 p = vec4(0.0, 0.0, 0.0, 1.0);",
    "gl_PointSize = vx_PointSize.x;",
};

}  // namespace

kaGLSLVertexProgram::kaGLSLVertexProgram(const kaShaderProgram& program)
    : mProgram(program), mOperands(program.version), mArithmetic(mOperands, mBuilder) {}

std::string kaGLSLVertexProgram::Text(kaGLSLDialect dialect) {
    for (const char* output : kOutputs) mBuilder.Local(output);
    for (const kaInstruction& ins : mProgram.instructions) {
        const std::string value = mArithmetic.Value(ins);
        if (!value.empty()) Write(ins, value);
    }
    DeclareInterface();
    return mBuilder.Text(dialect, "void main()", kaGLSLPositionEpilogue());
}

void kaGLSLVertexProgram::Write(const kaInstruction& ins, const std::string& value) {
    const kaRegisterRef& reg = ins.dest.reg;
    const std::string mask = kaGLSLOperands::Mask(kaInstructionAccess::WriteMask(ins));
    const std::string index = std::to_string(reg.index);
    std::string target;
    switch (reg.kind) {
        case K::Address:
            mBuilder.Local("int a0x = 0;");
            mBuilder.Statement("a0x = int(floor((" + value + ").x));");
            return;
        case K::Fog: mBuilder.Statement("vx_Fog = clamp((" + value + ").x, 0.0, 1.0);"); return;
        case K::PointSize: mBuilder.Statement("gl_PointSize = (" + value + ").x;"); return;
        case K::Position: target = "p"; break;
        case K::Color:
            // Colours are saturated per vertex, before they are interpolated.
            mBuilder.Statement("vx_Color" + index + mask + " = clamp(" + value + ", 0.0, 1.0)" + mask + ";");
            return;
        case K::TexCoordOut: target = "vx_Tex" + index; break;
        default:
            target = "r" + index;
            mBuilder.Local("vec4 " + target + " = vec4(0.0);");
            break;
    }
    mBuilder.Statement(target + mask + " = (" + value + ")" + mask + ";");
}

void kaGLSLVertexProgram::DeclareInterface() {
    mBuilder.Global("layout(std140) uniform vx_VertexConstants { vec4 vx_c[96]; };");
    mBuilder.Global("uniform vec4 vx_PositionAdjust;");
    mBuilder.Global("uniform vec4 vx_PointSize;");
    for (uint32_t input : mOperands.Read(K::Input)) {
        mBuilder.Global("layout(location = " + std::to_string(input) + ") in vec4 vx_v" + std::to_string(input) + ";");
    }
    mBuilder.Global("out vec4 vx_Color0;");
    mBuilder.Global("out vec4 vx_Color1;");
    for (int t = 0; t < 8; ++t) mBuilder.Global("out vec4 vx_Tex" + std::to_string(t) + ";");
    mBuilder.Global("out float vx_Fog;");
}
