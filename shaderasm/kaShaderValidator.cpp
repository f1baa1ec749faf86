#include "kaShaderValidator.h"

#include "kaInstructionAccess.h"
#include "kaShaderErrorLog.h"
#include "kaShaderOpcodeTable.h"

namespace {

using K = kaRegisterKind;
using RS = kaShaderRegisterSet;

bool HasPhase(const kaShaderProgram& program) {
    for (const kaInstruction& ins : program.instructions) {
        if (ins.op->opClass == kaOpcodeClass::Phase) return true;
    }
    return false;
}

}  // namespace

kaShaderValidator::kaShaderValidator(const kaShaderProgram& program, kaShaderErrorLog& log)
    : mProgram(program),
      mLog(log),
      mRegisters(program.version),
      mUsage(program.version),
      mContext{program.version, mRegisters, log, mUsage},
      mVertexRules(mContext),
      mPixelRules(mContext, HasPhase(program)) {}

void kaShaderValidator::Validate() {
    const kaInstruction* previous = nullptr;
    for (const kaInstruction& ins : mProgram.instructions) {
        CheckInstruction(ins, previous);
        RecordWrites(ins);
        if (mProgram.version.IsPixel()) {
            mPixelRules.Count(ins);
        } else {
            mVertexRules.Count(ins);
        }
        previous = &ins;
    }
    if (mProgram.version.IsPixel()) {
        mPixelRules.Finish();
    } else {
        mVertexRules.Finish(mProgram.lastLine);
    }
}

bool kaShaderValidator::CheckInstruction(const kaInstruction& ins, const kaInstruction* previous) {
    if (!CheckAvailable(ins) || !CheckDefine(ins) || !CheckRegisters(ins)) return false;
    const bool kindOk = mProgram.version.IsPixel() ? mPixelRules.Check(ins, previous) : mVertexRules.Check(ins);
    return kindOk && CheckReadPorts(ins) && CheckReads(ins);
}

bool kaShaderValidator::CheckAvailable(const kaInstruction& ins) {
    if (kaShaderOpcodeTable::AvailableIn(*ins.op, mProgram.version)) return true;
    return mLog.Add(ins.line, "instruction '" + std::string(ins.op->name) + "' is not available in " +
                                  mProgram.version.Name());
}

// def comes before every other instruction and names a constant register.
bool kaShaderValidator::CheckDefine(const kaInstruction& ins) {
    if (ins.op->opClass != kaOpcodeClass::Define) {
        mSawInstruction = true;
        return true;
    }
    if (mSawInstruction) return mLog.Add(ins.line, "def must come before all other instructions");
    if (ins.dest.reg.kind != K::Constant) return mLog.Add(ins.line, "def defines constant registers only");
    if (ins.dest.maskGiven) return mLog.Add(ins.line, "def takes no write mask");
    return true;
}

bool kaShaderValidator::CheckRegisters(const kaInstruction& ins) {
    const kaOpcodeInfo& op = *ins.op;
    // texkill only tests its operand, and def fills a constant.
    const bool destRead = op.opcode == kOpTexKill || op.opClass == kaOpcodeClass::Define;
    if (ins.hasDest && !CheckRegister(ins.dest.reg, ins.line, !destRead)) return false;
    for (const kaSourceOperand& src : ins.sources) {
        if (!CheckRegister(src.reg, ins.line, false)) return false;
    }
    return true;
}

bool kaShaderValidator::CheckRegister(const kaRegisterRef& reg, int line, bool write) {
    const kaRegisterFileInfo& info = mRegisters.Info(reg.kind);
    const std::string name = RS::Name(reg);
    const std::string version = mProgram.version.Name();
    if (info.count == 0) return mLog.Add(line, "register " + name + " is not available in " + version);
    if (reg.index >= info.count) {
        const std::string file = RS::FileName(reg.kind);
        return mLog.Add(line, "register " + name + " is out of range (" + version + " has " + file + "0 to " +
                                  file + std::to_string(info.count - 1) + ")");
    }
    if (write && !info.writable) return mLog.Add(line, "register " + name + " cannot be written");
    if (!write && !info.readable) return mLog.Add(line, "register " + name + " cannot be read");
    return true;
}

// Each register file allows reading only so many different registers in
// one instruction.
bool kaShaderValidator::CheckReadPorts(const kaInstruction& ins) {
    for (size_t k = 0; k < static_cast<size_t>(K::Count); ++k) {
        const size_t distinct = kaInstructionAccess::DistinctRegisters({&ins}, static_cast<K>(k));
        const kaRegisterFileInfo& info = mRegisters.Info(static_cast<K>(k));
        if (distinct > info.readPorts) {
            return mLog.Add(ins.line, "'" + std::string(ins.op->name) + "' reads " + std::to_string(distinct) +
                                          " different " + RS::FileName(static_cast<K>(k)) + " registers; " +
                                          mProgram.version.Name() + " allows " + std::to_string(info.readPorts));
        }
    }
    return true;
}

bool kaShaderValidator::CheckReads(const kaInstruction& ins) {
    for (const kaRegisterRead& read : kaInstructionAccess::Reads(ins)) {
        const uint32_t missing = mUsage.Unwritten(read.reg, read.mask);
        if (missing == 0) continue;
        return mLog.Add(ins.line, RS::Name(read.reg) + RS::ComponentText(missing, mProgram.version.IsPixel()) +
                                      " is read before it is written");
    }
    return true;
}

void kaShaderValidator::RecordWrites(const kaInstruction& ins) {
    const uint32_t mask = kaInstructionAccess::WriteMask(ins);
    if (mask != 0) mUsage.Write(ins.dest.reg, mask);
}
