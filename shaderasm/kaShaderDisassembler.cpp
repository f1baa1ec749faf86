#include "kaShaderDisassembler.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "kaShaderOpcodeTable.h"
#include "kaShaderRegisterSet.h"

namespace {

constexpr size_t kListingColumn = 40;

std::string HexWords(const uint32_t* words, size_t count) {
    std::string text;
    char word[12];
    for (size_t i = 0; i < count; ++i) {
        std::snprintf(word, sizeof word, "%s%08X", i == 0 ? "" : " ", static_cast<unsigned>(words[i]));
        text += word;
    }
    return text;
}

std::string ListingLine(const std::string& text, const std::string& hex) {
    std::string line = text;
    line.resize(std::max(line.size() + 1, kListingColumn), ' ');
    return line + "; " + hex + "\n";
}

const char* ShiftText(int shift) {
    static const char* const kNames[] = {"_d8", "_d4", "_d2", "", "_x2", "_x4", "_x8"};
    return shift >= -3 && shift <= 3 ? kNames[shift + 3] : "";
}

const char* SuffixText(kaSourceSuffix suffix) {
    switch (suffix) {
        case kaSourceSuffix::None: break;
        case kaSourceSuffix::Bias: return "_bias";
        case kaSourceSuffix::SignedScale: return "_bx2";
        case kaSourceSuffix::Double: return "_x2";
        case kaSourceSuffix::DivideZ: return "_dz";
        case kaSourceSuffix::DivideW: return "_dw";
    }
    return "";
}

// Pixel shader arithmetic names colour channels; vertex shaders and the
// coordinates of texture instructions name x y z w.
const char* Letters(const kaInstruction& ins, const kaShaderVersion& version) {
    return version.IsPixel() && ins.op->opClass != kaOpcodeClass::Texture ? "rgba" : "xyzw";
}

}  // namespace

kaShaderDisassembler::Result kaShaderDisassembler::Disassemble(const uint32_t* tokens, size_t count,
                                                               const uint32_t* constants, size_t constantCount) {
    const kaShaderDecoding decoded = kaShaderDecoder::Decode(tokens, count, constants, constantCount);
    Result result{decoded.ok, "", decoded.error};
    if (decoded.ok) result.text = ProgramText(decoded.program);
    return result;
}

kaShaderDisassembler::Result kaShaderDisassembler::Listing(const uint32_t* tokens, size_t count,
                                                           const uint32_t* constants, size_t constantCount) {
    const kaShaderDecoding decoded = kaShaderDecoder::Decode(tokens, count, constants, constantCount);
    Result result{decoded.ok, "", decoded.error};
    if (!decoded.ok) return result;
    const kaShaderProgram& program = decoded.program;
    result.text = ListingLine(program.version.Name(), HexWords(tokens, 1));
    size_t comment = 0;
    for (size_t i = 0; i < program.instructions.size(); ++i) {
        for (; comment < program.comments.size() && program.comments[comment].position == i; ++comment) {
            result.text += CommentText(program.comments[comment]) + "\n";
        }
        const kaTokenSpan& span = decoded.spans[i];
        const uint32_t* words = (span.inConstants ? constants : tokens) + span.offset;
        const std::string where = span.inConstants ? " (constant declaration)" : "";
        result.text += ListingLine(InstructionText(program.instructions[i], program.version),
                                   HexWords(words, span.count) + where);
    }
    for (; comment < program.comments.size(); ++comment) result.text += CommentText(program.comments[comment]) + "\n";
    const uint32_t end = 0x0000FFFF;
    result.text += ListingLine("", HexWords(&end, 1) + " (end)");
    return result;
}

std::string kaShaderDisassembler::ProgramText(const kaShaderProgram& program) {
    std::string text = program.version.Name() + "\n";
    size_t comment = 0;
    for (size_t i = 0; i <= program.instructions.size(); ++i) {
        for (; comment < program.comments.size() && program.comments[comment].position == i; ++comment) {
            text += CommentText(program.comments[comment]) + "\n";
        }
        if (i < program.instructions.size()) text += InstructionText(program.instructions[i], program.version) + "\n";
    }
    return text;
}

std::string kaShaderDisassembler::CommentText(const kaShaderComment& comment) {
    return "; comment: " + std::to_string(comment.words.size()) + " words";
}

std::string kaShaderDisassembler::InstructionText(const kaInstruction& ins, const kaShaderVersion& version) {
    std::string text = ins.coIssue ? "+" : "";
    text += ins.op->name;
    text += ShiftText(ins.shift);
    if (ins.saturate) text += "_sat";
    if (ins.op->opClass == kaOpcodeClass::Define) return text + " " + DefText(ins);
    if (!ins.hasDest) return text;
    text += " " + DestinationText(ins, version);
    for (const kaSourceOperand& src : ins.sources) text += ", " + SourceText(ins, src, version);
    return text;
}

std::string kaShaderDisassembler::NumberText(float value) {
    char text[32];
    for (int digits = 1; digits <= 9; ++digits) {
        std::snprintf(text, sizeof text, "%.*g", digits, static_cast<double>(value));
        if (std::strtof(text, nullptr) == value) break;
    }
    return text;
}

std::string kaShaderDisassembler::DefText(const kaInstruction& ins) {
    std::string text = kaShaderRegisterSet::Name(ins.dest.reg);
    for (float value : ins.defValues) text += ", " + NumberText(value);
    return text;
}

std::string kaShaderDisassembler::DestinationText(const kaInstruction& ins, const kaShaderVersion& version) {
    std::string text = kaShaderRegisterSet::Name(ins.dest.reg);
    if (ins.dest.mask == 0xF) return text;
    text += ".";
    for (int c = 0; c < 4; ++c) {
        if (ins.dest.mask & (1u << c)) text += Letters(ins, version)[c];
    }
    return text;
}

std::string kaShaderDisassembler::SourceText(const kaInstruction& ins, const kaSourceOperand& src,
                                             const kaShaderVersion& version) {
    std::string text = src.invert ? "1-" : (src.negate ? "-" : "");
    text += kaShaderRegisterSet::Name(src.reg);
    text += SuffixText(src.suffix);
    if (src.swizzleLength == 0) return text;
    text += ".";
    for (uint8_t i = 0; i < src.swizzleLength; ++i) text += Letters(ins, version)[src.swizzle[i]];
    return text;
}
