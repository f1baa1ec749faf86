#include "kaPixelShader.h"

// Defined here so that the exported class carries its special members.
kaPixelShader::kaPixelShader() = default;
kaPixelShader::kaPixelShader(const kaPixelShader&) = default;
kaPixelShader& kaPixelShader::operator=(const kaPixelShader&) = default;
kaPixelShader::~kaPixelShader() = default;
