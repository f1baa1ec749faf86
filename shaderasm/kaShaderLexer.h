#pragma once

#include <cstddef>
#include <string>
#include <vector>

class kaShaderErrorLog;

enum class kaTokenKind { Word, Number, Punct, EndOfLine };

struct kaShaderToken {
    kaTokenKind kind = kaTokenKind::EndOfLine;
    std::string text;  // words are lower-cased: the language ignores case
    int line = 1;
};

// Splits shader text into words (names, which may hold '_' and digits),
// numbers, the punctuation , . [ ] + - and one end-of-line token per line.
// Comments (//, ; and /* */) are dropped.  The text ends at its length or at
// the first zero byte, whichever comes first.
class kaShaderLexer {
public:
    kaShaderLexer(const char* text, size_t length, kaShaderErrorLog& log);

    std::vector<kaShaderToken> Tokenize();

private:
    char At(size_t offset) const;
    bool AtEnd() const { return mPos >= mLength; }
    void Emit(kaTokenKind kind, std::string text);
    bool StartsNumber() const;
    void SkipLineComment();
    void SkipBlockComment();
    void ReadWord();
    void ReadNumber();
    void ReadDigits(std::string& text);
    void ReadOne();

    const char* mText;
    size_t mLength;
    size_t mPos = 0;
    int mLine = 1;
    kaShaderErrorLog& mLog;
    std::vector<kaShaderToken> mTokens;
};
