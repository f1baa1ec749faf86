#include "kaShaderOpcodeTable.h"

namespace {

using C = kaOpcodeClass;
using R = kaReadPattern;
constexpr kaShaderKind VS = kaShaderKind::Vertex;
constexpr kaShaderKind PS = kaShaderKind::Pixel;

// Version bit sets.
constexpr uint8_t kVs = 0x03;      // vs.1.0, vs.1.1
constexpr uint8_t kPsAll = 0x1F;   // ps.1.0 to ps.1.4
constexpr uint8_t kPs10to13 = 0x0F;
constexpr uint8_t kPs12to13 = 0x0C;
constexpr uint8_t kPs12to14 = 0x1C;
constexpr uint8_t kPs13 = 0x08;
constexpr uint8_t kPs14 = 0x10;

const kaOpcodeInfo kOpcodes[] = {
    // name, opcode, kind, versions, sources, dest, class, reads, slots, matrix
    {"add", 2, VS, kVs, 2, true, C::Arithmetic, R::PerComponent, 1, 0, 0},
    {"dp3", 8, VS, kVs, 2, true, C::Arithmetic, R::Dot3, 1, 0, 0},
    {"dp4", 9, VS, kVs, 2, true, C::Arithmetic, R::Dot4, 1, 0, 0},
    {"dst", 17, VS, kVs, 2, true, C::Arithmetic, R::Dst, 1, 0, 0},
    {"exp", 14, VS, kVs, 1, true, C::Arithmetic, R::Scalar, 10, 0, 0},
    {"expp", 78, VS, kVs, 1, true, C::Arithmetic, R::Scalar, 1, 0, 0},
    {"frc", 19, VS, kVs, 1, true, C::Arithmetic, R::PerComponent, 3, 0, 0},
    {"lit", 16, VS, kVs, 1, true, C::Arithmetic, R::Lit, 1, 0, 0},
    {"log", 15, VS, kVs, 1, true, C::Arithmetic, R::Scalar, 10, 0, 0},
    {"logp", 79, VS, kVs, 1, true, C::Arithmetic, R::Scalar, 1, 0, 0},
    {"m3x2", 24, VS, kVs, 2, true, C::Arithmetic, R::Matrix, 2, 3, 2},
    {"m3x3", 23, VS, kVs, 2, true, C::Arithmetic, R::Matrix, 3, 3, 3},
    {"m3x4", 22, VS, kVs, 2, true, C::Arithmetic, R::Matrix, 4, 3, 4},
    {"m4x3", 21, VS, kVs, 2, true, C::Arithmetic, R::Matrix, 3, 4, 3},
    {"m4x4", 20, VS, kVs, 2, true, C::Arithmetic, R::Matrix, 4, 4, 4},
    {"mad", 4, VS, kVs, 3, true, C::Arithmetic, R::PerComponent, 1, 0, 0},
    {"max", 11, VS, kVs, 2, true, C::Arithmetic, R::PerComponent, 1, 0, 0},
    {"min", 10, VS, kVs, 2, true, C::Arithmetic, R::PerComponent, 1, 0, 0},
    {"mov", 1, VS, kVs, 1, true, C::Arithmetic, R::PerComponent, 1, 0, 0},
    {"mul", 5, VS, kVs, 2, true, C::Arithmetic, R::PerComponent, 1, 0, 0},
    {"nop", 0, VS, kVs, 0, false, C::Arithmetic, R::None, 1, 0, 0},
    {"rcp", 6, VS, kVs, 1, true, C::Arithmetic, R::Scalar, 1, 0, 0},
    {"rsq", 7, VS, kVs, 1, true, C::Arithmetic, R::Scalar, 1, 0, 0},
    {"sge", 13, VS, kVs, 2, true, C::Arithmetic, R::PerComponent, 1, 0, 0},
    {"slt", 12, VS, kVs, 2, true, C::Arithmetic, R::PerComponent, 1, 0, 0},
    {"sub", 3, VS, kVs, 2, true, C::Arithmetic, R::PerComponent, 1, 0, 0},
    {"def", 81, VS, kVs, 0, true, C::Define, R::None, 0, 0, 0},

    {"add", 2, PS, kPsAll, 2, true, C::Arithmetic, R::PerComponent, 1, 0, 0},
    {"bem", 89, PS, kPs14, 2, true, C::Arithmetic, R::PerComponent, 2, 0, 0},
    {"cmp", 88, PS, kPs12to14, 3, true, C::Arithmetic, R::PerComponent, 1, 0, 0},
    {"cnd", 80, PS, kPsAll, 3, true, C::Arithmetic, R::PerComponent, 1, 0, 0},
    {"dp3", 8, PS, kPsAll, 2, true, C::Arithmetic, R::Dot3, 1, 0, 0},
    {"dp4", 9, PS, kPs12to14, 2, true, C::Arithmetic, R::Dot4, 1, 0, 0},
    {"lrp", 18, PS, kPsAll, 3, true, C::Arithmetic, R::PerComponent, 1, 0, 0},
    {"mad", 4, PS, kPsAll, 3, true, C::Arithmetic, R::PerComponent, 1, 0, 0},
    {"mov", 1, PS, kPsAll, 1, true, C::Arithmetic, R::PerComponent, 1, 0, 0},
    {"mul", 5, PS, kPsAll, 2, true, C::Arithmetic, R::PerComponent, 1, 0, 0},
    {"nop", 0, PS, kPsAll, 0, false, C::Arithmetic, R::None, 0, 0, 0},
    {"sub", 3, PS, kPsAll, 2, true, C::Arithmetic, R::PerComponent, 1, 0, 0},
    {"def", 81, PS, kPsAll, 0, true, C::Define, R::None, 0, 0, 0},
    {"phase", kOpPhase, PS, kPs14, 0, false, C::Phase, R::None, 0, 0, 0},

    {"tex", 66, PS, kPs10to13, 0, true, C::Texture, R::None, 1, 0, 0},
    {"texbem", 67, PS, kPs10to13, 1, true, C::Texture, R::Dot4, 1, 0, 0},
    {"texbeml", 68, PS, kPs10to13, 1, true, C::Texture, R::Dot4, 1, 0, 0},
    {"texcoord", 64, PS, kPs10to13, 0, true, C::Texture, R::None, 1, 0, 0},
    {"texcrd", 64, PS, kPs14, 1, true, C::Texture, R::Dot3, 1, 0, 0},
    {"texdepth", 87, PS, kPs14, 0, true, C::Texture, R::None, 1, 0, 0},
    {"texdp3", 85, PS, kPs12to13, 1, true, C::Texture, R::Dot4, 1, 0, 0},
    {"texdp3tex", 83, PS, kPs12to13, 1, true, C::Texture, R::Dot4, 1, 0, 0},
    {"texkill", 65, PS, kPsAll, 0, true, C::Texture, R::None, 1, 0, 0},
    {"texld", 66, PS, kPs14, 1, true, C::Texture, R::Dot3, 1, 0, 0},
    {"texm3x2depth", 84, PS, kPs13, 1, true, C::Texture, R::Dot4, 1, 0, 0},
    {"texm3x2pad", 71, PS, kPs10to13, 1, true, C::Texture, R::Dot4, 1, 0, 0},
    {"texm3x2tex", 72, PS, kPs10to13, 1, true, C::Texture, R::Dot4, 1, 0, 0},
    {"texm3x3", 86, PS, kPs12to13, 1, true, C::Texture, R::Dot4, 1, 0, 0},
    {"texm3x3pad", 73, PS, kPs10to13, 1, true, C::Texture, R::Dot4, 1, 0, 0},
    {"texm3x3spec", 76, PS, kPs10to13, 2, true, C::Texture, R::Dot4, 1, 0, 0},
    {"texm3x3tex", 74, PS, kPs10to13, 1, true, C::Texture, R::Dot4, 1, 0, 0},
    {"texm3x3vspec", 77, PS, kPs10to13, 1, true, C::Texture, R::Dot4, 1, 0, 0},
    {"texreg2ar", 69, PS, kPs10to13, 1, true, C::Texture, R::Dot4, 1, 0, 0},
    {"texreg2gb", 70, PS, kPs10to13, 1, true, C::Texture, R::Dot4, 1, 0, 0},
    {"texreg2rgb", 82, PS, kPs12to13, 1, true, C::Texture, R::Dot4, 1, 0, 0},
};

}  // namespace

const kaOpcodeInfo* kaShaderOpcodeTable::Find(const std::string& name, kaShaderKind kind) {
    for (const kaOpcodeInfo& op : kOpcodes) {
        if (op.kind == kind && name == op.name) return &op;
    }
    return nullptr;
}

const kaOpcodeInfo* kaShaderOpcodeTable::FindOpcode(uint32_t opcode, const kaShaderVersion& version) {
    for (const kaOpcodeInfo& op : kOpcodes) {
        if (op.kind == version.kind && op.opcode == opcode && AvailableIn(op, version)) return &op;
    }
    return nullptr;
}
