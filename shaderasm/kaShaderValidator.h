#pragma once

#include "kaPixelShaderRules.h"
#include "kaRegisterUsage.h"
#include "kaShaderRegisterSet.h"
#include "kaValidationContext.h"
#include "kaVertexShaderRules.h"

// Checks a parsed program against the rules of its version and reports
// every problem to the error log: register availability, range and access,
// def placement, read ports, reads of unwritten components, and (through
// the vertex or pixel rule set) everything specific to the shader kind.
class kaShaderValidator {
public:
    kaShaderValidator(const kaShaderProgram& program, kaShaderErrorLog& log);

    void Validate();

private:
    bool CheckInstruction(const kaInstruction& ins, const kaInstruction* previous);
    bool CheckAvailable(const kaInstruction& ins);
    bool CheckDefine(const kaInstruction& ins);
    bool CheckRegisters(const kaInstruction& ins);
    bool CheckRegister(const kaRegisterRef& reg, int line, bool write);
    bool CheckReadPorts(const kaInstruction& ins);
    bool CheckReads(const kaInstruction& ins);
    void RecordWrites(const kaInstruction& ins);

    const kaShaderProgram& mProgram;
    kaShaderErrorLog& mLog;
    kaShaderRegisterSet mRegisters;
    kaRegisterUsage mUsage;
    kaValidationContext mContext;
    kaVertexShaderRules mVertexRules;
    kaPixelShaderRules mPixelRules;
    bool mSawInstruction = false;  // any instruction other than def
};
