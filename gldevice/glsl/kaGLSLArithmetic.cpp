#include "kaGLSLArithmetic.h"

#include <cstring>

#include "kaShaderOpcodeTable.h"

namespace {

// The functions behind Direct3D's special cases: rcp and rsq of 1 and 0,
// log of 0 (-FLT_MAX, which stays finite through a multiply by 0), the
// partial-precision expp and logp, lit's clamped power.  +infinity and
// -FLT_MAX are written through their bits.
struct Helper {
    const char* name;
    const char* definition;
};

const Helper kHelpers[] = {
    {"vx_rcp",
     "float vx_rcp(float f) {\n"
     "    return f == 1.0 ? 1.0 : (f == 0.0 ? uintBitsToFloat(0x7F800000u) : 1.0 / f);\n"
     "}\n"},
    {"vx_rsq",
     "float vx_rsq(float f) {\n"
     "    float a = abs(f);\n"
     "    return a == 1.0 ? 1.0 : (a == 0.0 ? uintBitsToFloat(0x7F800000u) : inversesqrt(a));\n"
     "}\n"},
    {"vx_log",
     "float vx_log(float f) {\n"
     "    float a = abs(f);\n"
     "    return a == 0.0 ? uintBitsToFloat(0xFF7FFFFFu) : log2(a);\n"
     "}\n"},
    {"vx_expp",
     "vec4 vx_expp(float w) {\n"
     "    float f = floor(w);\n"
     "    return vec4(exp2(f), w - f, uintBitsToFloat(floatBitsToUint(exp2(w)) & 0xFFFFFF00u), 1.0);\n"
     "}\n"},
    {"vx_logp",
     "vec4 vx_logp(float w) {\n"
     "    float a = abs(w);\n"
     "    if (a == 0.0) return vec4(uintBitsToFloat(0xFF7FFFFFu), 1.0, uintBitsToFloat(0xFF7FFFFFu), 1.0);\n"
     "    uint bits = floatBitsToUint(a);\n"
     "    return vec4(float(int(bits >> 23) - 127), uintBitsToFloat((bits & 0x7FFFFFu) | 0x3F800000u),\n"
     "                uintBitsToFloat(floatBitsToUint(log2(a)) & 0xFFFFFF00u), 1.0);\n"
     "}\n"},
    {"vx_lit",
     "vec4 vx_lit(vec4 s) {\n"
     "    float power = clamp(s.w, -127.9961, 127.9961);\n"
     "    vec4 d = vec4(1.0, 0.0, 0.0, 1.0);\n"
     "    if (s.x > 0.0) {\n"
     "        d.y = s.x;\n"
     "        if (s.y > 0.0) d.z = pow(s.y, power);\n"
     "    }\n"
     "    return d;\n"
     "}\n"},
};

std::string Replicate(const std::string& scalar) { return "vec4(" + scalar + ")"; }

}  // namespace

std::string kaGLSLArithmetic::Call(const char* helper, const std::string& argument) {
    for (const Helper& h : kHelpers) {
        if (std::strcmp(h.name, helper) == 0) mBuilder.Helper(h.definition);
    }
    return std::string(helper) + "(" + argument + ")";
}

std::string kaGLSLArithmetic::Value(const kaInstruction& ins) {
    if (ins.op->opClass != kaOpcodeClass::Arithmetic) return "";
    switch (ins.op->opcode) {
        case kOpMov: return Source(ins, 0);
        case kOpAdd: return Source(ins, 0) + " + " + Source(ins, 1);
        case kOpSub: return Source(ins, 0) + " - " + Source(ins, 1);
        case kOpMul: return Source(ins, 0) + " * " + Source(ins, 1);
        case kOpMad: return Source(ins, 0) + " * " + Source(ins, 1) + " + " + Source(ins, 2);
        case kOpMin: return "min(" + Source(ins, 0) + ", " + Source(ins, 1) + ")";
        case kOpMax: return "max(" + Source(ins, 0) + ", " + Source(ins, 1) + ")";
        case kOpSge: return "vec4(greaterThanEqual(" + Source(ins, 0) + ", " + Source(ins, 1) + "))";
        case kOpSlt: return "vec4(lessThan(" + Source(ins, 0) + ", " + Source(ins, 1) + "))";
        case kOpDp3: return Replicate("dot((" + Source(ins, 0) + ").xyz, (" + Source(ins, 1) + ").xyz)");
        case kOpDp4: return Replicate("dot(" + Source(ins, 0) + ", " + Source(ins, 1) + ")");
        case kOpFrc: return "fract(" + Source(ins, 0) + ")";
        case kOpRcp: return Replicate(Call("vx_rcp", Scalar(ins)));
        case kOpRsq: return Replicate(Call("vx_rsq", Scalar(ins)));
        case kOpExp: return Replicate("exp2(" + Scalar(ins) + ")");
        case kOpLog: return Replicate(Call("vx_log", Scalar(ins)));
        case kOpExpP: return Call("vx_expp", Scalar(ins));
        case kOpLogP: return Call("vx_logp", Scalar(ins));
        case kOpLit: return Call("vx_lit", Source(ins, 0));
        case kOpDst:
            return "vec4(1.0, (" + Source(ins, 0) + ").y * (" + Source(ins, 1) + ").y, (" + Source(ins, 0) + ").z, (" +
                   Source(ins, 1) + ").w)";
        case kOpLrp: return "mix(" + Source(ins, 2) + ", " + Source(ins, 1) + ", " + Source(ins, 0) + ")";
        case kOpCnd:
            return "mix(" + Source(ins, 2) + ", " + Source(ins, 1) + ", greaterThan(" + Source(ins, 0) + ", vec4(0.5)))";
        case kOpCmp:
            return "mix(" + Source(ins, 2) + ", " + Source(ins, 1) + ", greaterThanEqual(" + Source(ins, 0) +
                   ", vec4(0.0)))";
        case kOpBem: return BumpEnvironment(ins);
        default: break;
    }
    return ins.op->reads == kaReadPattern::Matrix ? Matrix(ins) : "";
}

// m#x#: one dot product of the vector with each row register.
std::string kaGLSLArithmetic::Matrix(const kaInstruction& ins) {
    const bool three = ins.op->matrixWidth == 3;
    const std::string vector = "(" + Source(ins, 0) + ")" + (three ? ".xyz" : "");
    std::string value = "vec4(";
    for (uint32_t row = 0; row < 4; ++row) {
        if (row >= ins.op->matrixRows) {
            value += ", 0.0";
            continue;
        }
        const std::string matrix = "(" + mOperands.Source(ins.sources[1], row) + ")" + (three ? ".xyz" : "");
        value += (row == 0 ? "dot(" : ", dot(") + vector + ", " + matrix + ")";
    }
    return value + ")";
}

// bem rN.rg, src0, src1: src0.rg plus src1.rg through stage N's bump
// environment matrix.
std::string kaGLSLArithmetic::BumpEnvironment(const kaInstruction& ins) {
    const std::string matrix = "vx_BumpMat" + std::to_string(ins.dest.reg.index);
    mBuilder.Global("uniform vec4 " + matrix + ";");
    const std::string a = "(" + Source(ins, 0) + ")";
    const std::string b = "(" + Source(ins, 1) + ")";
    return "vec4(" + a + ".x + " + matrix + ".x * " + b + ".x + " + matrix + ".z * " + b + ".y, " + a + ".y + " + matrix +
           ".y * " + b + ".x + " + matrix + ".w * " + b + ".y, 0.0, 0.0)";
}
