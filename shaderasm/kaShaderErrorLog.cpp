#include "kaShaderErrorLog.h"

#include <algorithm>

kaShaderErrorLog::kaShaderErrorLog(std::string sourceName) : mSourceName(std::move(sourceName)) {}

bool kaShaderErrorLog::Add(int line, const std::string& message) {
    mErrors.emplace_back(line, message);
    return false;
}

bool kaShaderErrorLog::HasErrorOnLine(int line) const {
    return std::any_of(mErrors.begin(), mErrors.end(), [line](const auto& error) { return error.first == line; });
}

std::string kaShaderErrorLog::Text() const {
    std::vector<std::pair<int, std::string>> sorted = mErrors;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::string text;
    for (const auto& [line, message] : sorted) {
        text += mSourceName + "(" + std::to_string(line) + "): error: " + message + "\n";
    }
    return text;
}

bool kaShaderErrorLog::First(int& line, std::string& message) const {
    const auto first = std::min_element(mErrors.begin(), mErrors.end(),
                                        [](const auto& a, const auto& b) { return a.first < b.first; });
    if (first == mErrors.end()) return false;
    line = first->first;
    message = first->second;
    return true;
}
