#pragma once

#include <string>
#include <vector>

#include "kaGLSLTranslator.h"

// Collects the parts of one GLSL program as a translator finds them
// (global declarations, helper functions, the locals of the one function
// and its statements) and puts them together in the order GLSL needs.
class kaGLSLSourceBuilder {
public:
    // Each of these keeps the first of equal entries only.
    void Global(const std::string& declaration);
    void Helper(const std::string& definition);
    void Local(const std::string& declaration);

    void Statement(const std::string& statement) { mStatements.push_back(statement); }

    // The version line and precision statements of the dialect, the
    // globals, the helpers, then `head` { locals statements `tail` }.
    std::string Text(kaGLSLDialect dialect, const std::string& head, const std::string& tail) const;

private:
    static void AddOnce(std::vector<std::string>& list, const std::string& entry);

    std::vector<std::string> mGlobals;
    std::vector<std::string> mHelpers;
    std::vector<std::string> mLocals;
    std::vector<std::string> mStatements;
};
