#pragma once

#include <string>
#include <vector>

#include "kaShaderLexer.h"
#include "kaShaderTypes.h"

class kaShaderErrorLog;

// Turns the token stream into a kaShaderProgram: the version line, then one
// instruction per line with its modifiers and operands.  Only the syntax is
// checked here; what each version allows is the validator's business.  A
// line with an error is reported and left out of the program.
class kaShaderParser {
public:
    kaShaderParser(std::vector<kaShaderToken> tokens, kaShaderErrorLog& log);

    // False when the text has no usable version line; nothing else can be
    // checked then.
    bool Parse(kaShaderProgram& program);

private:
    const kaShaderToken& Peek(size_t ahead = 0) const;
    const kaShaderToken& Next();
    bool AtLineEnd() const { return Peek().kind == kaTokenKind::EndOfLine; }
    bool IsPunct(const char* text, size_t ahead = 0) const;
    bool AcceptPunct(const char* text);
    bool Expect(const char* text, const char* context);
    bool Fail(const std::string& message);
    void SkipToNextLine();
    void SkipEmptyLines();

    bool ParseVersion(kaShaderProgram& program);
    void ParseStatement(kaShaderProgram& program);
    bool ParseInstruction(kaInstruction& ins, kaShaderKind kind);
    bool ParseMnemonic(kaInstruction& ins, kaShaderKind kind);
    bool ParseInstructionModifier(const std::string& text, kaInstruction& ins);
    bool ParseOperands(kaInstruction& ins);
    bool ParseDefValues(kaInstruction& ins);
    bool ParseDestination(kaDestOperand& dest);
    bool ParseSource(kaSourceOperand& src);
    bool ParseRegister(const std::string& name, kaRegisterRef& reg);
    bool ParseRelative(kaRegisterRef& reg);
    bool ParseSuffix(const std::string& text, kaSourceOperand& src);
    bool ParseSwizzle(kaSourceOperand& src);
    bool ParseMask(kaDestOperand& dest);
    bool ParseSignedNumber(float& value);

    std::vector<kaShaderToken> mTokens;
    size_t mPos = 0;
    kaShaderErrorLog& mLog;
};
