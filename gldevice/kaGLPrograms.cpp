#include "kaGLPrograms.h"

#include <cstdio>
#include <vector>

namespace {

const char* const kUniformNames[KA_U_COUNT] = {
    "vx_WorldViewProj", "vx_WorldView", "vx_NormalMatrix", "vx_TexMatrix", "vx_Viewport",
    "vx_LightDiffuse", "vx_LightSpecular", "vx_LightAmbient", "vx_LightPosition",
    "vx_LightDirection", "vx_LightAttenuation", "vx_LightCone", "vx_Material", "vx_Ambient",
    "vx_FogParams", "vx_PointSize", "vx_PositionAdjust", "vx_TFactor", "vx_MipBias",
    "vx_FogColor", "vx_FogTable", "vx_AlphaRef", "vx_pc"};

template <typename Key>
std::string Bytes(const Key& key) {
    return std::string(reinterpret_cast<const char*>(&key), sizeof key);
}

}  // namespace

void kaGLPrograms::Init(const kaGLFunctions* gl, kaGLContextKind kind) {
    mGL = gl;
    mKind = kind;
}

// A shader that does not compile is logged to standard error with its log,
// since nothing else would show why a draw failed.
GLuint kaGLPrograms::Compile(GLenum type, const std::string& source) {
    const GLuint shader = mGL->CreateShader(type);
    const char* text = source.c_str();
    mGL->ShaderSource(shader, 1, &text, nullptr);
    mGL->CompileShader(shader);
    GLint compiled = GL_FALSE;
    mGL->GetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    if (compiled == GL_TRUE) return shader;
    char log[2048] = {};
    mGL->GetShaderInfoLog(shader, sizeof log - 1, nullptr, log);
    std::fprintf(stderr, "kaGLRenderDevice: a generated shader does not compile:\n%s\n%s\n", log,
                 text);
    mGL->DeleteShader(shader);
    return 0;
}

GLuint kaGLPrograms::VertexShader(const kaGLVertexKey& key) {
    const std::string bytes = Bytes(key);
    auto found = mVertexShaders.find(bytes);
    if (found != mVertexShaders.end()) return found->second;
    const GLuint shader =
        Compile(GL_VERTEX_SHADER, kaGLFixedFunction::VertexProgram(key, mKind));
    mVertexShaders.emplace(bytes, shader);
    return shader;
}

GLuint kaGLPrograms::PixelShader(const kaGLPixelKey& key) {
    const std::string bytes = Bytes(key);
    auto found = mPixelShaders.find(bytes);
    if (found != mPixelShaders.end()) return found->second;
    const std::string source = kaGLFixedFunction::Header(mKind) +
                               kaGLFixedFunction::PixelStages(key) +
                               kaGLFixedFunction::PixelTail(key);
    const GLuint shader = Compile(GL_FRAGMENT_SHADER, source);
    mPixelShaders.emplace(bytes, shader);
    return shader;
}

kaGLProgram kaGLPrograms::Link(GLuint vertex, GLuint pixel, const kaGLPixelKey& key) {
    kaGLProgram program;
    program.name = mGL->CreateProgram();
    mGL->AttachShader(program.name, vertex);
    mGL->AttachShader(program.name, pixel);
    mGL->LinkProgram(program.name);
    GLint linked = GL_FALSE;
    mGL->GetProgramiv(program.name, GL_LINK_STATUS, &linked);
    if (linked != GL_TRUE) {
        char log[2048] = {};
        mGL->GetProgramInfoLog(program.name, sizeof log - 1, nullptr, log);
        std::fprintf(stderr, "kaGLRenderDevice: a program does not link:\n%s\n", log);
        mGL->DeleteProgram(program.name);
        program.name = 0;
        return program;
    }
    mGL->UseProgram(program.name);
    for (unsigned u = 0; u < KA_U_COUNT; ++u) {
        program.location[u] = mGL->GetUniformLocation(program.name, kUniformNames[u]);
    }
    for (unsigned stage = 0; stage < 8; ++stage) {
        program.textureKind[stage] = key.stage[stage].kind;
        const std::string sampler = "vx_Sampler" + std::to_string(stage);
        const GLint location = mGL->GetUniformLocation(program.name, sampler.c_str());
        if (location >= 0) mGL->Uniform1i(location, GLint(stage));
    }
    const GLuint block = mGL->GetUniformBlockIndex(program.name, "vx_VertexConstants");
    if (block != GL_INVALID_INDEX) mGL->UniformBlockBinding(program.name, block, kConstantBinding);
    return program;
}

kaGLProgram* kaGLPrograms::Get(const kaGLVertexKey& vertexKey, const kaGLPixelKey& pixelKey) {
    const GLuint vertex = VertexShader(vertexKey);
    const GLuint pixel = PixelShader(pixelKey);
    if (vertex == 0 || pixel == 0) return nullptr;
    auto found = mLinked.find({vertex, pixel});
    if (found == mLinked.end()) {
        found = mLinked.emplace(std::make_pair(vertex, pixel), Link(vertex, pixel, pixelKey)).first;
    }
    return found->second.name != 0 ? &found->second : nullptr;
}

void kaGLPrograms::Release() {
    for (auto& linked : mLinked) {
        if (linked.second.name != 0) mGL->DeleteProgram(linked.second.name);
    }
    for (auto* shaders : {&mVertexShaders, &mPixelShaders}) {
        for (auto& shader : *shaders) {
            if (shader.second != 0) mGL->DeleteShader(shader.second);
        }
        shaders->clear();
    }
    mLinked.clear();
}
