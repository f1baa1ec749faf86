#include "kaVertexShader.h"

// Defined here so that the exported class carries its special members.
kaVertexShader::kaVertexShader() = default;
kaVertexShader::kaVertexShader(const kaVertexShader&) = default;
kaVertexShader& kaVertexShader::operator=(const kaVertexShader&) = default;
kaVertexShader::~kaVertexShader() = default;
