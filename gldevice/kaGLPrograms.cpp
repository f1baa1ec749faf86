#include "kaGLPrograms.h"

#include <cstdio>
#include <set>
#include <vector>

#include "kaGLSLTranslator.h"

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

kaGLSLDialect DialectOf(kaGLContextKind kind) {
    return kind == kaGLContextKind::Es30 ? kaGLSLDialect::Es300 : kaGLSLDialect::Core330;
}

}  // namespace

void kaGLPrograms::Init(const kaGLFunctions* gl, kaGLContextKind kind) {
    mGL = gl;
    mKind = kind;
}

// A shader that does not compile is logged to standard error with its log,
// since nothing else would show why a draw failed; *error gets the log too.
GLuint kaGLPrograms::Compile(GLenum type, const std::string& source, std::string* error) {
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
    if (error) *error = log;
    mGL->DeleteShader(shader);
    return 0;
}

uint32_t kaGLPrograms::AddVertexShader(const std::vector<uint32_t>& tokens, std::string* error) {
    const kaGLSLSource source =
        kaTranslateVertexShader(tokens.data(), tokens.size(), DialectOf(mKind));
    if (!source.ok) {
        *error = source.error;
        return 0;
    }
    const GLuint shader = Compile(GL_VERTEX_SHADER, source.text, error);
    if (shader == 0) return 0;
    const uint32_t serial = ++mLastSerial;
    mVertexShaders.emplace(Bytes(kaGLVertexKey::OfShader(serial)), Compiled{shader, serial});
    return serial;
}

uint32_t kaGLPrograms::AddPixelShader(const std::vector<uint32_t>& tokens, std::string* error) {
    kaGLSLTextureKind kinds[kaGLSLStageCount];
    for (auto& kind : kinds) kind = kaGLSLTextureKind::Tex2D;
    const kaGLSLSource source =
        kaTranslatePixelShader(tokens.data(), tokens.size(), kinds, DialectOf(mKind));
    if (!source.ok) {
        *error = source.error;
        return 0;
    }
    const uint32_t serial = ++mLastSerial;
    mPixelTokens.emplace(serial, tokens);
    return serial;
}

void kaGLPrograms::Forget(uint32_t serial) {
    if (mGL == nullptr || serial == 0) return;
    std::set<GLuint> names;
    for (auto* shaders : {&mVertexShaders, &mPixelShaders}) {
        for (auto it = shaders->begin(); it != shaders->end();) {
            if (it->second.serial != serial) {
                ++it;
                continue;
            }
            names.insert(it->second.name);
            if (it->second.name != 0) mGL->DeleteShader(it->second.name);
            it = shaders->erase(it);
        }
    }
    for (auto it = mLinked.begin(); it != mLinked.end();) {
        if (names.count(it->first.first) == 0 && names.count(it->first.second) == 0) {
            ++it;
            continue;
        }
        if (it->second.name != 0) mGL->DeleteProgram(it->second.name);
        it = mLinked.erase(it);
    }
    mPixelTokens.erase(serial);
}

GLuint kaGLPrograms::VertexShader(const kaGLVertexKey& key) {
    const std::string bytes = Bytes(key);
    auto found = mVertexShaders.find(bytes);
    if (found != mVertexShaders.end()) return found->second.name;
    if (key.shader != 0) return 0;  // a released or never registered shader
    const GLuint shader =
        Compile(GL_VERTEX_SHADER, kaGLFixedFunction::VertexProgram(key, mKind));
    mVertexShaders.emplace(bytes, Compiled{shader, 0});
    return shader;
}

// The pixel shader's translation for the texture kinds bound, or the texture
// stages' program, each followed by the device's tail.  Empty when a shader's
// stream does not translate (which its creation has already ruled out).
std::string kaGLPrograms::PixelSource(const kaGLPixelKey& key) {
    const std::string tail = kaGLFixedFunction::PixelTail(key);
    if (key.shader == 0) {
        return kaGLFixedFunction::Header(mKind) + kaGLFixedFunction::PixelStages(key) + tail;
    }
    const auto tokens = mPixelTokens.find(key.shader);
    if (tokens == mPixelTokens.end()) return std::string();
    kaGLSLTextureKind kinds[kaGLSLStageCount];
    uint8_t projected[kaGLSLStageCount];
    for (size_t stage = 0; stage < kaGLSLStageCount; ++stage) {
        kinds[stage] = kaGLSLTextureKind(key.textureKind[stage]);
        projected[stage] = key.stage[stage].projectedCount;
    }
    const kaGLSLSource source = kaTranslatePixelShader(
        tokens->second.data(), tokens->second.size(), kinds, DialectOf(mKind), projected);
    if (!source.ok) {
        std::fprintf(stderr, "kaGLRenderDevice: a pixel shader does not translate: %s\n",
                     source.error.c_str());
        return std::string();
    }
    return source.text + tail;
}

GLuint kaGLPrograms::PixelShader(const kaGLPixelKey& key) {
    const std::string bytes = Bytes(key);
    auto found = mPixelShaders.find(bytes);
    if (found != mPixelShaders.end()) return found->second.name;
    const std::string source = PixelSource(key);
    const GLuint shader = source.empty() ? 0 : Compile(GL_FRAGMENT_SHADER, source);
    mPixelShaders.emplace(bytes, Compiled{shader, key.shader});
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
        program.textureKind[stage] = key.textureKind[stage];
        const std::string n = std::to_string(stage);
        const GLint location = mGL->GetUniformLocation(program.name, ("vx_Sampler" + n).c_str());
        if (location >= 0) mGL->Uniform1i(location, GLint(stage));
        if (stage >= 6) continue;
        program.bumpMatrix[stage] = mGL->GetUniformLocation(program.name, ("vx_BumpMat" + n).c_str());
        program.bumpLuminance[stage] =
            mGL->GetUniformLocation(program.name, ("vx_BumpLum" + n).c_str());
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
    if (mGL == nullptr) return;
    for (auto& linked : mLinked) {
        if (linked.second.name != 0) mGL->DeleteProgram(linked.second.name);
    }
    for (auto* shaders : {&mVertexShaders, &mPixelShaders}) {
        for (auto& shader : *shaders) {
            if (shader.second.name != 0) mGL->DeleteShader(shader.second.name);
        }
        shaders->clear();
    }
    mLinked.clear();
    mPixelTokens.clear();
    mGL = nullptr;
}
