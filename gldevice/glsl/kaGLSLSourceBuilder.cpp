#include "kaGLSLSourceBuilder.h"

#include <algorithm>

void kaGLSLSourceBuilder::AddOnce(std::vector<std::string>& list, const std::string& entry) {
    if (std::find(list.begin(), list.end(), entry) == list.end()) list.push_back(entry);
}

void kaGLSLSourceBuilder::Global(const std::string& declaration) { AddOnce(mGlobals, declaration); }
void kaGLSLSourceBuilder::Helper(const std::string& definition) { AddOnce(mHelpers, definition); }
void kaGLSLSourceBuilder::Local(const std::string& declaration) { AddOnce(mLocals, declaration); }

std::string kaGLSLSourceBuilder::Text(kaGLSLDialect dialect, const std::string& head, const std::string& tail) const {
    std::string text = dialect == kaGLSLDialect::Core330 ? "#version 330 core\n"
                                                         : "#version 300 es\n"
                                                           "precision highp float;\n"
                                                           "precision highp int;\n"
                                                           "precision highp sampler3D;\n"
                                                           "precision highp samplerCube;\n";
    for (const std::string& line : mGlobals) text += line + "\n";
    for (const std::string& helper : mHelpers) text += helper;
    text += head + " {\n";
    for (const std::string& line : mLocals) text += "    " + line + "\n";
    for (const std::string& line : mStatements) text += "    " + line + "\n";
    return text + tail + "}\n";
}
