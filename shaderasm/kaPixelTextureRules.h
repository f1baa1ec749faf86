#pragma once

#include <cstdint>

#include "kaValidationContext.h"

// The rules of the texture address instructions: destinations, sources and
// their modifiers, one use of each texture stage, the texm3x2 / texm3x3
// instruction sequences of ps.1.0 to ps.1.3, and the texld / texcrd syntax
// of ps.1.4.
class kaPixelTextureRules {
public:
    explicit kaPixelTextureRules(kaValidationContext& context);

    // `phase` is 1 or 2 in ps.1.4 (2 when the shader has no phase marker).
    bool Check(const kaInstruction& ins, int phase);
    // Every instruction of ps.1.0 to ps.1.3 passes here, in order, so that a
    // texm3x2pad or texm3x3pad not followed by the rest of its matrix shows.
    bool CheckSequence(const kaInstruction& ins);
    void StartPhase();
    void Finish();

private:
    struct PendingMatrix {
        int line = 0;
        uint16_t padOpcode = 0;
        uint32_t nextIndex = 0;
        int padsLeft = 0;
    };

    bool CheckLegacy(const kaInstruction& ins);
    bool CheckLegacySource(const kaInstruction& ins, size_t index);
    bool CheckPs14(const kaInstruction& ins, int phase);
    bool CheckPs14Destination(const kaInstruction& ins, int phase);
    bool CheckCoordinateSource(const kaInstruction& ins, int phase);
    bool CheckProjection(const kaInstruction& ins, const kaSourceOperand& src);
    bool CheckSelectorUse(const kaSourceOperand& src, bool xyw, int line);
    bool ClaimStage(const kaInstruction& ins);
    bool ContinueMatrix(const kaInstruction& ins);
    std::string ExpectedMatrixStep() const;

    kaValidationContext& mContext;
    PendingMatrix mPending;
    bool mStageUsed[8] = {};
    int8_t mCoordinateSelector[8];  // -1 unused, 0 .xyz, 1 .xyw
    int mDivideZCount = 0;
};
