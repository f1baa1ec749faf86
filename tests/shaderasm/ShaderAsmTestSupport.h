#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "kaShaderAssembler.h"
#include "kaShaderDisassembler.h"

// Disassembles an assembled shader and assembles the text again: the same
// tokens and def constants must come back.
inline void ExpectRoundTrip(const kaShaderAssembly& code) {
    const kaShaderDisassembler::Result text = kaShaderDisassembler::Disassemble(
        code.tokens.data(), code.tokens.size(), code.defConstants.data(), code.defConstants.size());
    ASSERT_TRUE(text.ok) << text.error;
    const kaShaderAssembly again = kaShaderAssembler::Assemble(text.text.data(), text.text.size(), "disassembly");
    ASSERT_TRUE(again.ok) << again.errors << text.text;
    EXPECT_EQ(again.tokens, code.tokens) << text.text;
    EXPECT_EQ(again.defConstants, code.defConstants) << text.text;
}

// Every shader that a test assembles also goes through the disassembler
// and back.
inline kaShaderAssembly AssembleText(const std::string& text) {
    const kaShaderAssembly code = kaShaderAssembler::Assemble(text.data(), text.size(), "test");
    if (code.ok) ExpectRoundTrip(code);
    return code;
}

// The whole token stream of a shader that must assemble.
inline std::vector<uint32_t> TokensOf(const std::string& text) {
    const kaShaderAssembly code = AssembleText(text);
    EXPECT_TRUE(code.ok) << code.errors;
    EXPECT_TRUE(code.errors.empty());
    return code.tokens;
}

// The tokens of `body` in a vertex shader: without the version token and
// without the closing "mov oPos, v0" (three tokens) and end token.
inline std::vector<uint32_t> VsBody(const std::string& body) {
    const std::vector<uint32_t> tokens = TokensOf("vs.1.1\n" + body + "\nmov oPos, v0\n");
    if (tokens.size() < 5) return {};
    return std::vector<uint32_t>(tokens.begin() + 1, tokens.end() - 4);
}

// The tokens of `body` in a pixel shader of `version`: without the version
// and end tokens.
inline std::vector<uint32_t> PsBody(const std::string& version, const std::string& body) {
    const std::vector<uint32_t> tokens = TokensOf(version + "\n" + body + "\n");
    if (tokens.size() < 2) return {};
    return std::vector<uint32_t>(tokens.begin() + 1, tokens.end() - 1);
}

// Checks that the shader fails and that its error text has `expected`
// (for instance "test(3): error: unknown instruction 'foo'").
#define EXPECT_ASM_ERROR(text, expected)                                            \
    do {                                                                              \
        const kaShaderAssembly code_ = AssembleText(text);                           \
        EXPECT_FALSE(code_.ok);                                                       \
        EXPECT_TRUE(code_.tokens.empty());                                            \
        EXPECT_NE(code_.errors.find(expected), std::string::npos)                    \
            << "expected: " << (expected) << "\nerrors:\n" << code_.errors;          \
    } while (false)

using Words = std::vector<uint32_t>;
