#pragma once

#include <string>
#include <utility>
#include <vector>

// Collects the assembler's error messages.  The text has one line per
// error, "NAME(LINE): error: MESSAGE", ordered by line (errors of one line
// in the order they were found).
class kaShaderErrorLog {
public:
    explicit kaShaderErrorLog(std::string sourceName);

    // Records an error; returns false so that checks can end with it.
    bool Add(int line, const std::string& message);

    bool HasErrors() const { return !mErrors.empty(); }
    bool HasErrorOnLine(int line) const;
    std::string Text() const;
    // The first error by line (the first found among those of one line);
    // false when there is none.
    bool First(int& line, std::string& message) const;

private:
    std::string mSourceName;
    std::vector<std::pair<int, std::string>> mErrors;
};
