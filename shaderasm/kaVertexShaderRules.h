#pragma once

#include <cstdint>

#include "kaValidationContext.h"

// The rules of vs.1.0 and vs.1.1 beyond register availability: modifiers,
// the address register and relative addressing, the macro instructions,
// the 128-slot limit and the complete write of oPos.
class kaVertexShaderRules {
public:
    explicit kaVertexShaderRules(kaValidationContext& context);

    bool Check(const kaInstruction& ins);
    // Counts the instruction's slots and what it writes of oPos; runs for
    // every instruction, whether or not it passed Check.
    void Count(const kaInstruction& ins);
    void Finish(int lastLine);

private:
    bool CheckModifiers(const kaInstruction& ins);
    bool CheckSource(const kaSourceOperand& src, int line);
    bool CheckDestination(const kaInstruction& ins);
    bool CheckMatrix(const kaInstruction& ins);

    kaValidationContext& mContext;
    uint32_t mSlots = 0;
    uint32_t mPositionMask = 0;
};
