#include "kaShaderParser.h"

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "kaShaderErrorLog.h"
#include "kaShaderOpcodeTable.h"
#include "kaShaderRegisterSet.h"

namespace {

std::string Describe(const kaShaderToken& token) {
    return token.kind == kaTokenKind::EndOfLine ? "the end of the line" : "'" + token.text + "'";
}

// Splits "word_rest" at its first underscore.
std::pair<std::string, std::string> SplitAtUnderscore(const std::string& word) {
    const size_t cut = word.find('_');
    if (cut == std::string::npos) return {word, ""};
    return {word.substr(0, cut), word.substr(cut + 1)};
}

// Component letters: x y z w or r g b a, never mixed.  Returns false for
// any other letter.
bool ComponentIndices(const std::string& text, uint8_t (&out)[4], size_t& count) {
    const bool colour = !text.empty() && std::strchr("rgba", text[0]) != nullptr;
    const char* letters = colour ? "rgba" : "xyzw";
    if (text.empty() || text.size() > 4) return false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char* at = std::strchr(letters, text[i]);
        if (at == nullptr || text[i] == '\0') return false;
        out[i] = static_cast<uint8_t>(at - letters);
    }
    count = text.size();
    return true;
}

// The whole text as a float; false when it is not one or out of range.
bool ReadFloat(const std::string& text, float& value) {
#if defined(__cpp_lib_to_chars)
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc() && result.ptr == text.data() + text.size();
#else
    // Older libc++ (Emscripten's) reads no floats with from_chars; number
    // tokens are plain decimals, which strtof reads alike in the "C" locale.
    char* end = nullptr;
    errno = 0;
    value = std::strtof(text.c_str(), &end);
    return !text.empty() && errno == 0 && end == text.c_str() + text.size();
#endif
}

}  // namespace

kaShaderParser::kaShaderParser(std::vector<kaShaderToken> tokens, kaShaderErrorLog& log)
    : mTokens(std::move(tokens)), mLog(log) {}

const kaShaderToken& kaShaderParser::Peek(size_t ahead) const {
    const size_t at = mPos + ahead;
    return at < mTokens.size() ? mTokens[at] : mTokens.back();
}

const kaShaderToken& kaShaderParser::Next() {
    const kaShaderToken& token = Peek();
    if (mPos < mTokens.size() - 1) ++mPos;
    return token;
}

bool kaShaderParser::IsPunct(const char* text, size_t ahead) const {
    return Peek(ahead).kind == kaTokenKind::Punct && Peek(ahead).text == text;
}

bool kaShaderParser::AcceptPunct(const char* text) {
    if (!IsPunct(text)) return false;
    Next();
    return true;
}

bool kaShaderParser::Expect(const char* text, const char* context) {
    if (AcceptPunct(text)) return true;
    return Fail(std::string("expected '") + text + "' " + context + ", found " + Describe(Peek()));
}

bool kaShaderParser::Fail(const std::string& message) { return mLog.Add(Peek().line, message); }

void kaShaderParser::SkipToNextLine() {
    while (!AtLineEnd()) Next();
    Next();
}

void kaShaderParser::SkipEmptyLines() {
    while (AtLineEnd() && mPos < mTokens.size() - 1) Next();
}

bool kaShaderParser::Parse(kaShaderProgram& program) {
    SkipEmptyLines();
    if (!ParseVersion(program)) return false;
    SkipToNextLine();
    for (SkipEmptyLines(); mPos < mTokens.size() - 1; SkipEmptyLines()) {
        ParseStatement(program);
    }
    for (const kaShaderToken& token : mTokens) {
        if (token.kind != kaTokenKind::EndOfLine) program.lastLine = token.line;
    }
    return true;
}

bool kaShaderParser::ParseVersion(kaShaderProgram& program) {
    const kaShaderToken& word = Peek();
    if (word.kind != kaTokenKind::Word || (word.text != "vs" && word.text != "ps")) {
        const int line = word.kind == kaTokenKind::EndOfLine ? 1 : word.line;  // no statement at all
        return mLog.Add(line, "missing version line: a shader starts with vs.1.0, vs.1.1 or ps.1.0 to ps.1.4");
    }
    Next();
    const kaShaderToken& number = Peek(1);
    const bool pixel = word.text == "ps";
    const std::string written = word.text + "." + number.text;
    const std::string& v = number.text;
    const char lastMinor = pixel ? '4' : '1';
    const bool known = v.size() == 3 && v[0] == '1' && v[1] == '.' && v[2] >= '0' && v[2] <= lastMinor;
    if (!IsPunct(".") || number.kind != kaTokenKind::Number || !known) {
        return Fail("unsupported shader version '" + written +
                    "' (expected vs.1.0, vs.1.1 or ps.1.0 to ps.1.4)");
    }
    Next();
    Next();
    program.version.kind = pixel ? kaShaderKind::Pixel : kaShaderKind::Vertex;
    program.version.major = 1;
    program.version.minor = static_cast<uint32_t>(number.text[2] - '0');
    if (!AtLineEnd()) return Fail("unexpected " + Describe(Peek()) + " after the version");
    return true;
}

void kaShaderParser::ParseStatement(kaShaderProgram& program) {
    const int line = Peek().line;
    if (mLog.HasErrorOnLine(line)) {
        SkipToNextLine();
        return;
    }
    kaInstruction ins;
    ins.line = line;
    const bool versionAgain = Peek().kind == kaTokenKind::Word &&
                              (Peek().text == "vs" || Peek().text == "ps") && IsPunct(".", 1);
    if (versionAgain) {
        Fail("the version line may appear only once, at the start");
    } else if (ParseInstruction(ins, program.version.kind)) {
        if (AtLineEnd()) {
            program.instructions.push_back(std::move(ins));
        } else {
            Fail("unexpected " + Describe(Peek()) + " after the operands");
        }
    }
    SkipToNextLine();
}

bool kaShaderParser::ParseInstruction(kaInstruction& ins, kaShaderKind kind) {
    ins.coIssue = AcceptPunct("+");
    if (Peek().kind != kaTokenKind::Word) return Fail("expected an instruction, found " + Describe(Peek()));
    return ParseMnemonic(ins, kind) && ParseOperands(ins);
}

bool kaShaderParser::ParseMnemonic(kaInstruction& ins, kaShaderKind kind) {
    const std::string word = Next().text;
    auto [name, modifiers] = SplitAtUnderscore(word);
    ins.op = kaShaderOpcodeTable::Find(name, kind);
    if (ins.op == nullptr) {
        const kaShaderKind other = kind == kaShaderKind::Pixel ? kaShaderKind::Vertex : kaShaderKind::Pixel;
        if (kaShaderOpcodeTable::Find(name, other) == nullptr) return Fail("unknown instruction '" + name + "'");
        return Fail("instruction '" + name + "' is not available in " +
                    (kind == kaShaderKind::Pixel ? "pixel" : "vertex") + " shaders");
    }
    while (!modifiers.empty()) {
        auto [modifier, rest] = SplitAtUnderscore(modifiers);
        if (!ParseInstructionModifier(modifier, ins)) return false;
        modifiers = rest;
    }
    return true;
}

bool kaShaderParser::ParseInstructionModifier(const std::string& text, kaInstruction& ins) {
    static const std::pair<const char*, int> kShifts[] = {
        {"x2", 1}, {"x4", 2}, {"x8", 3}, {"d2", -1}, {"d4", -2}, {"d8", -3}};
    if (text == "sat") {
        if (ins.saturate) return Fail("_sat is given twice");
        ins.saturate = true;
        return true;
    }
    for (const auto& [name, shift] : kShifts) {
        if (text != name) continue;
        if (ins.shift != 0) return Fail("only one of _x2, _x4, _x8, _d2, _d4, _d8 may be given");
        ins.shift = shift;
        return true;
    }
    return Fail("unknown instruction modifier '_" + text + "'");
}

bool kaShaderParser::ParseOperands(kaInstruction& ins) {
    const kaOpcodeInfo& op = *ins.op;
    ins.hasDest = op.hasDest;
    if (op.opClass == kaOpcodeClass::Define) return ParseDestination(ins.dest) && ParseDefValues(ins);
    const std::string name = op.name;
    const size_t expected = op.sourceCount + (op.hasDest ? 1 : 0);
    size_t given = 0;
    if (!AtLineEnd() && op.hasDest) {
        if (!ParseDestination(ins.dest)) return false;
        for (given = 1; AcceptPunct(","); ++given) {
            ins.sources.emplace_back();
            if (!ParseSource(ins.sources.back())) return false;
        }
    }
    if (!AtLineEnd() && given == 0) return Fail("'" + name + "' takes no operands");
    if (!AtLineEnd()) return Fail("expected ',' before " + Describe(Peek()));
    if (given == expected) return true;
    return Fail("'" + name + "' takes " + std::to_string(expected) + " operand" + (expected == 1 ? "" : "s") +
                ", " + std::to_string(given) + " given");
}

bool kaShaderParser::ParseDefValues(kaInstruction& ins) {
    for (float& value : ins.defValues) {
        if (!Expect(",", "before each value of def") || !ParseSignedNumber(value)) return false;
    }
    return true;
}

bool kaShaderParser::ParseSignedNumber(float& value) {
    const bool negative = AcceptPunct("-");
    if (!negative) AcceptPunct("+");
    if (Peek().kind != kaTokenKind::Number) return Fail("expected a number, found " + Describe(Peek()));
    const std::string& text = Next().text;
    if (!ReadFloat(text, value)) return Fail("bad number '" + text + "'");
    if (negative) value = -value;
    return true;
}

bool kaShaderParser::ParseRegister(const std::string& name, kaRegisterRef& reg) {
    bool hasIndex = false;
    if (!kaShaderRegisterSet::ParseName(name, reg.kind, reg.index, hasIndex)) {
        return Fail("unknown register '" + name + "'");
    }
    if (reg.kind == kaRegisterKind::Constant && !hasIndex && IsPunct("[")) return ParseRelative(reg);
    if (!hasIndex && kaShaderRegisterSet::IsIndexed(reg.kind)) return Fail("register '" + name + "' needs a number");
    return true;
}

// c[n], c[a0.x], c[a0.x + n] or c[n + a0.x].
bool kaShaderParser::ParseRelative(kaRegisterRef& reg) {
    Next();
    bool haveOffset = false;
    do {
        const kaShaderToken& term = Next();
        const bool integer = term.text.find_first_not_of("0123456789") == std::string::npos;
        if (term.kind == kaTokenKind::Number && integer && !haveOffset) {
            haveOffset = true;
            reg.index = term.text.size() > 4 ? 9999u : static_cast<uint32_t>(std::stoul(term.text));
        } else if (term.kind == kaTokenKind::Word && term.text == "a0" && !reg.relative) {
            if (!AcceptPunct(".") || Peek().text != "x") return Fail("relative addressing must use a0.x");
            Next();
            reg.relative = true;
        } else {
            return Fail("unexpected " + Describe(term) + " in a relative address");
        }
    } while (AcceptPunct("+"));
    return Expect("]", "to close the relative address");
}

bool kaShaderParser::ParseDestination(kaDestOperand& dest) {
    if (Peek().kind != kaTokenKind::Word) return Fail("expected a destination register, found " + Describe(Peek()));
    const std::string word = Next().text;
    if (word.find('_') != std::string::npos) {
        return Fail("'" + word + "': a destination register takes no modifiers");
    }
    if (!ParseRegister(word, dest.reg)) return false;
    if (dest.reg.relative || (dest.reg.kind == kaRegisterKind::Constant && word == "c")) {
        return Fail("relative addressing is only allowed on source registers");
    }
    return !IsPunct(".") || ParseMask(dest);
}

bool kaShaderParser::ParseMask(kaDestOperand& dest) {
    Next();
    const std::string text = Peek().kind == kaTokenKind::Word ? Next().text : "";
    uint8_t components[4];
    size_t count = 0;
    bool ordered = ComponentIndices(text, components, count);
    dest.mask = 0;
    for (size_t i = 0; ordered && i < count; ++i) {
        ordered = i == 0 || components[i] > components[i - 1];
        dest.mask |= 1u << components[i];
    }
    if (!ordered) return Fail("bad write mask '." + text + "'");
    dest.maskGiven = true;
    return true;
}

bool kaShaderParser::ParseSource(kaSourceOperand& src) {
    if (Peek().kind == kaTokenKind::Number && Peek().text == "1" && IsPunct("-", 1)) {
        Next();
        Next();
        src.invert = true;
    } else {
        src.negate = AcceptPunct("-");
    }
    if (Peek().kind != kaTokenKind::Word) return Fail("expected a source register, found " + Describe(Peek()));
    auto [name, suffix] = SplitAtUnderscore(Next().text);
    if (!ParseRegister(name, src.reg) || !ParseSuffix(suffix, src)) return false;
    return !IsPunct(".") || ParseSwizzle(src);
}

bool kaShaderParser::ParseSuffix(const std::string& text, kaSourceOperand& src) {
    using S = kaSourceSuffix;
    static const std::pair<const char*, S> kSuffixes[] = {
        {"bias", S::Bias},   {"bx2", S::SignedScale}, {"x2", S::Double},  {"dz", S::DivideZ},
        {"db", S::DivideZ}, {"dw", S::DivideW},      {"da", S::DivideW},
    };
    if (text.empty()) return true;
    if (src.suffix != S::None) return Fail("only one of _bias, _bx2, _x2, _dz, _dw may be given");
    for (const auto& [name, suffix] : kSuffixes) {
        if (text != name) continue;
        src.suffix = suffix;
        return true;
    }
    return Fail("unknown source modifier '_" + text + "'");
}

// The swizzle may be followed by the modifier ("r0.a_bias"), as some shader
// writers put it after the selector.
bool kaShaderParser::ParseSwizzle(kaSourceOperand& src) {
    Next();
    const std::string word = Peek().kind == kaTokenKind::Word ? Next().text : "";
    auto [text, suffix] = SplitAtUnderscore(word);
    size_t count = 0;
    if (!ComponentIndices(text, src.swizzle, count)) return Fail("bad swizzle '." + text + "'");
    for (size_t i = count; i < 4; ++i) src.swizzle[i] = src.swizzle[count - 1];
    src.swizzleLength = static_cast<uint8_t>(count);
    return ParseSuffix(suffix, src);
}
