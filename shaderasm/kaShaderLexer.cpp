#include "kaShaderLexer.h"

#include <cctype>
#include <cstring>

#include "kaShaderErrorLog.h"

namespace {

// The loader reads shader files in text mode into a zero-filled buffer of
// the file's byte size, so the text proper ends at the first zero byte.
size_t TextLength(const char* text, size_t length) {
    if (text == nullptr) return 0;
    const void* zero = std::memchr(text, 0, length);
    return zero != nullptr ? static_cast<size_t>(static_cast<const char*>(zero) - text) : length;
}

bool IsWordStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool IsWordChar(char c) { return IsWordStart(c) || std::isdigit(static_cast<unsigned char>(c)); }
bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

std::string Printable(char c) {
    if (std::isprint(static_cast<unsigned char>(c))) return std::string("'") + c + "'";
    static const char kHex[] = "0123456789ABCDEF";
    const auto byte = static_cast<unsigned char>(c);
    return std::string("byte 0x") + kHex[byte >> 4] + kHex[byte & 15];
}

}  // namespace

kaShaderLexer::kaShaderLexer(const char* text, size_t length, kaShaderErrorLog& log)
    : mText(text), mLength(TextLength(text, length)), mLog(log) {}

char kaShaderLexer::At(size_t offset) const {
    return mPos + offset < mLength ? mText[mPos + offset] : '\0';
}

void kaShaderLexer::Emit(kaTokenKind kind, std::string text) {
    mTokens.push_back(kaShaderToken{kind, std::move(text), mLine});
}

std::vector<kaShaderToken> kaShaderLexer::Tokenize() {
    while (!AtEnd()) ReadOne();
    Emit(kaTokenKind::EndOfLine, "");
    return std::move(mTokens);
}

void kaShaderLexer::ReadOne() {
    const char c = At(0);
    if (c == '\n') {
        Emit(kaTokenKind::EndOfLine, "");
        ++mLine;
        ++mPos;
    } else if (c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f') {
        ++mPos;
    } else if (c == ';' || (c == '/' && At(1) == '/')) {
        SkipLineComment();
    } else if (c == '/' && At(1) == '*') {
        SkipBlockComment();
    } else if (IsWordStart(c)) {
        ReadWord();
    } else if (StartsNumber()) {
        ReadNumber();
    } else if (std::strchr(",.[]+-", c) != nullptr) {
        Emit(kaTokenKind::Punct, std::string(1, c));
        ++mPos;
    } else {
        mLog.Add(mLine, "unexpected character " + Printable(c));
        ++mPos;
    }
}

// A number starts with a digit, or with a dot and a digit where no register
// precedes the dot (".5" in a def, but not the swizzle of "r0.5").
bool kaShaderLexer::StartsNumber() const {
    if (IsDigit(At(0))) return true;
    if (At(0) != '.' || !IsDigit(At(1))) return false;
    if (mTokens.empty()) return true;
    const kaShaderToken& last = mTokens.back();
    return last.kind == kaTokenKind::EndOfLine ||
           (last.kind == kaTokenKind::Punct && last.text != "]");
}

void kaShaderLexer::SkipLineComment() {
    while (!AtEnd() && At(0) != '\n') ++mPos;
}

void kaShaderLexer::SkipBlockComment() {
    const int startLine = mLine;
    mPos += 2;
    while (!AtEnd() && !(At(0) == '*' && At(1) == '/')) {
        if (At(0) == '\n') ++mLine;
        ++mPos;
    }
    if (AtEnd()) {
        mLog.Add(startLine, "comment is not closed with */");
        return;
    }
    mPos += 2;
}

void kaShaderLexer::ReadWord() {
    std::string text;
    while (!AtEnd() && IsWordChar(At(0))) {
        text += static_cast<char>(std::tolower(static_cast<unsigned char>(At(0))));
        ++mPos;
    }
    Emit(kaTokenKind::Word, text);
}

void kaShaderLexer::ReadDigits(std::string& text) {
    while (!AtEnd() && IsDigit(At(0))) {
        text += At(0);
        ++mPos;
    }
}

// Digits, an optional fraction, an optional exponent and an optional 'f'.
void kaShaderLexer::ReadNumber() {
    std::string text;
    ReadDigits(text);
    if (At(0) == '.' && (IsDigit(At(1)) || !IsWordStart(At(1)))) {
        text += '.';
        ++mPos;
        ReadDigits(text);
    }
    const bool signedExponent = (At(1) == '+' || At(1) == '-') && IsDigit(At(2));
    if ((At(0) == 'e' || At(0) == 'E') && (IsDigit(At(1)) || signedExponent)) {
        text += 'e';
        text += At(1);
        mPos += 2;
        ReadDigits(text);
    }
    if (At(0) == 'f' || At(0) == 'F') ++mPos;
    Emit(kaTokenKind::Number, text);
}
