#pragma once

#include <cstdint>

#include "kaPixelTextureRules.h"
#include "kaValidationContext.h"

// The rules of ps.1.0 to ps.1.4 beyond register availability: instruction
// order (texture instructions first, per phase in ps.1.4), instruction and
// source modifiers, write masks and selectors, co-issue, and the texture
// and arithmetic instruction limits.
class kaPixelShaderRules {
public:
    kaPixelShaderRules(kaValidationContext& context, bool hasPhase);

    bool Check(const kaInstruction& ins, const kaInstruction* previous);
    // Counts the instruction's texture and arithmetic slots; runs for every
    // instruction, whether or not it passed Check.
    void Count(const kaInstruction& ins);
    void Finish();

private:
    bool CheckPhase(const kaInstruction& ins);
    bool CheckOrder(const kaInstruction& ins);
    bool CheckArithmetic(const kaInstruction& ins);
    bool CheckInstructionModifiers(const kaInstruction& ins);
    bool CheckArithmeticDest(const kaInstruction& ins);
    bool CheckArithmeticSource(const kaInstruction& ins, const kaSourceOperand& src);
    bool CheckSelector(const kaInstruction& ins, const kaSourceOperand& src);
    bool CheckSourceModifier(const kaInstruction& ins, const kaSourceOperand& src);
    bool CheckSpecialArithmetic(const kaInstruction& ins);
    bool CheckCoIssue(const kaInstruction& ins, const kaInstruction* previous);
    bool CheckPairMasks(const kaInstruction& ins, const kaInstruction& previous);
    bool CheckPairReadPorts(const kaInstruction& ins, const kaInstruction& previous);
    void AddSlots(uint32_t& used, uint32_t slots, uint32_t limit, const char* what, int line);

    kaValidationContext& mContext;
    kaPixelTextureRules mTexture;
    bool mHasPhase;
    int mPhase;
    bool mSawArithmetic = false;
    bool mUsedBem = false;
    uint32_t mTextureSlots = 0;
    uint32_t mArithmeticSlots = 0;
    uint32_t mTotalSlots = 0;  // ps.1.0 counts texture and arithmetic together
};
