// Drawing: the cached state becomes GL state, a program and its uniforms.
#include <cmath>
#include <cstring>

#include "kaDeviceNumbers.h"
#include "kaGLBaseTexture.h"
#include "kaGLIndexBuffer.h"
#include "kaGLPixelShader.h"
#include "kaGLRenderDevice.h"
#include "kaGLSLTranslator.h"
#include "kaGLVertexBuffer.h"
#include "kaGLVertexShader.h"
#include "kaMatrixMath.h"
#include "kaResult.h"
#include "kaVertexLayout.h"

namespace {

using L = kaVertexLayout;

// What PrimitiveMode gives for a type Direct3D does not have (GL_POINTS is
// 0, the value of GL_NONE, so that cannot mark it).
constexpr GLenum kNoPrimitive = 0xFFFFFFFFu;

GLenum PrimitiveMode(unsigned type) {
    switch (type) {
    case KA_PT_POINTLIST: return GL_POINTS;
    case KA_PT_LINELIST: return GL_LINES;
    case KA_PT_LINESTRIP: return GL_LINE_STRIP;
    case KA_PT_TRIANGLELIST: return GL_TRIANGLES;
    case KA_PT_TRIANGLESTRIP: return GL_TRIANGLE_STRIP;
    case KA_PT_TRIANGLEFAN: return GL_TRIANGLE_FAN;
    default: return kNoPrimitive;
    }
}

GLenum CompareFunc(uint32_t func) {
    switch (func) {
    case KA_CMP_NEVER: return GL_NEVER;
    case KA_CMP_LESS: return GL_LESS;
    case KA_CMP_EQUAL: return GL_EQUAL;
    case KA_CMP_LESSEQUAL: return GL_LEQUAL;
    case KA_CMP_GREATER: return GL_GREATER;
    case KA_CMP_NOTEQUAL: return GL_NOTEQUAL;
    case KA_CMP_GREATEREQUAL: return GL_GEQUAL;
    default: return GL_ALWAYS;
    }
}

GLenum BlendFactor(uint32_t blend) {
    switch (blend) {
    case KA_BLEND_ZERO: return GL_ZERO;
    case KA_BLEND_SRCCOLOR: return GL_SRC_COLOR;
    case KA_BLEND_INVSRCCOLOR: return GL_ONE_MINUS_SRC_COLOR;
    case KA_BLEND_SRCALPHA: return GL_SRC_ALPHA;
    case KA_BLEND_INVSRCALPHA: return GL_ONE_MINUS_SRC_ALPHA;
    case KA_BLEND_DESTALPHA: return GL_DST_ALPHA;
    case KA_BLEND_INVDESTALPHA: return GL_ONE_MINUS_DST_ALPHA;
    case KA_BLEND_DESTCOLOR: return GL_DST_COLOR;
    case KA_BLEND_INVDESTCOLOR: return GL_ONE_MINUS_DST_COLOR;
    case KA_BLEND_SRCALPHASAT: return GL_SRC_ALPHA_SATURATE;
    default: return GL_ONE;
    }
}

GLenum BlendEquation(uint32_t op) {
    switch (op) {
    case KA_BLENDOP_SUBTRACT: return GL_FUNC_SUBTRACT;
    case KA_BLENDOP_REVSUBTRACT: return GL_FUNC_REVERSE_SUBTRACT;
    case KA_BLENDOP_MIN: return GL_MIN;
    case KA_BLENDOP_MAX: return GL_MAX;
    default: return GL_FUNC_ADD;
    }
}

GLenum StencilOp(uint32_t op) {
    switch (op) {
    case KA_STENCILOP_ZERO: return GL_ZERO;
    case KA_STENCILOP_REPLACE: return GL_REPLACE;
    case KA_STENCILOP_INCRSAT: return GL_INCR;
    case KA_STENCILOP_DECRSAT: return GL_DECR;
    case KA_STENCILOP_INVERT: return GL_INVERT;
    case KA_STENCILOP_INCR: return GL_INCR_WRAP;
    case KA_STENCILOP_DECR: return GL_DECR_WRAP;
    default: return GL_KEEP;
    }
}

GLenum AddressMode(uint32_t mode) {
    switch (mode) {
    case KA_TADDRESS_MIRROR:
    case KA_TADDRESS_MIRRORONCE: return GL_MIRRORED_REPEAT;
    case KA_TADDRESS_CLAMP:
    case KA_TADDRESS_BORDER: return GL_CLAMP_TO_EDGE;  // OpenGL ES 3.0 has no border
    default: return GL_REPEAT;
    }
}

GLenum MinFilter(uint32_t min, uint32_t mip) {
    const bool linear = min >= KA_TEXF_LINEAR;
    if (mip == KA_TEXF_NONE) return linear ? GL_LINEAR : GL_NEAREST;
    if (mip == KA_TEXF_POINT) return linear ? GL_LINEAR_MIPMAP_NEAREST : GL_NEAREST_MIPMAP_NEAREST;
    return linear ? GL_LINEAR_MIPMAP_LINEAR : GL_NEAREST_MIPMAP_LINEAR;
}

float FloatOf(uint32_t bits) {
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

void ColourOf(uint32_t packed, float out[4]) {
    out[0] = float((packed >> 16) & 0xFF) / 255.0f;
    out[1] = float((packed >> 8) & 0xFF) / 255.0f;
    out[2] = float(packed & 0xFF) / 255.0f;
    out[3] = float(packed >> 24) / 255.0f;
}

// The matrix that takes normals along with m: the inverse transpose of its
// upper 3 x 3 (the cofactors divided by the determinant), as a 4 x 4.
kaMatrix44f NormalMatrix(const kaMatrix44f& m) {
    auto at = [&m](int r, int c) { return m.m[4 * r + c]; };
    kaMatrix44f n = kaMatrixMath::Identity();
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) {
            const int r1 = (r + 1) % 3, r2 = (r + 2) % 3, c1 = (c + 1) % 3, c2 = (c + 2) % 3;
            n.m[4 * r + c] = at(r1, c1) * at(r2, c2) - at(r1, c2) * at(r2, c1);
        }
    }
    const float det = at(0, 0) * n.m[0] + at(0, 1) * n.m[1] + at(0, 2) * n.m[2];
    const float scale = det != 0.0f ? 1.0f / det : 0.0f;
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) n.m[4 * r + c] *= scale;
    }
    return n;
}

// A point and a direction of a light taken into camera space.
void ToCamera(const kaMatrix44f& view, const kaVector3f& v, float w, float out[4]) {
    for (int c = 0; c < 3; ++c) {
        out[c] = v.x * view.m[c] + v.y * view.m[4 + c] + v.z * view.m[8 + c] + w * view.m[12 + c];
    }
}

uint8_t KindOf(const kaBaseTexture* texture) {
    if (texture == nullptr) return KA_GL_TEX_NONE;
    switch (static_cast<const kaGLBaseTexture*>(texture)->getKind()) {
    case kaGLBaseTexture::KIND_CUBE: return KA_GL_TEX_CUBE;
    case kaGLBaseTexture::KIND_VOLUME: return KA_GL_TEX_VOLUME;
    default: return KA_GL_TEX_2D;
    }
}

// Render states come from what the platform holds (rs), which for states
// never set are Direct3D's initial values rather than the cache's filler.
kaGLVertexKey VertexKeyOf(const kaDeviceState& state, const uint32_t* rs) {
    if (state.vertexProcessing.shader != nullptr) {
        return kaGLVertexKey::OfShader(
            static_cast<const kaGLVertexShader*>(state.vertexProcessing.shader)->getSerial());
    }
    kaGLVertexKey key;
    std::memset(&key, 0, sizeof key);
    key.format = state.vertexProcessing.format;
    key.lighting = rs[KA_RS_LIGHTING] != 0;
    key.specular = rs[KA_RS_SPECULARENABLE] != 0;
    key.localViewer = rs[KA_RS_LOCALVIEWER] != 0;
    key.normalize = rs[KA_RS_NORMALIZENORMALS] != 0;
    key.colorVertex = rs[KA_RS_COLORVERTEX] != 0;
    key.materialSource[0] = uint8_t(rs[KA_RS_DIFFUSEMATERIALSOURCE] & 3);
    key.materialSource[1] = uint8_t(rs[KA_RS_SPECULARMATERIALSOURCE] & 3);
    key.materialSource[2] = uint8_t(rs[KA_RS_AMBIENTMATERIALSOURCE] & 3);
    key.materialSource[3] = uint8_t(rs[KA_RS_EMISSIVEMATERIALSOURCE] & 3);
    for (unsigned i = 0; i < kaMaxLights; ++i) {
        const uint32_t type = state.lights.light[i].type;
        const bool valid = type >= KA_LIGHT_POINT && type <= KA_LIGHT_DIRECTIONAL;
        key.lightType[i] = state.lights.enabled[i] && valid ? uint8_t(type) : 0;
    }
    if (rs[KA_RS_FOGENABLE] && rs[KA_RS_FOGTABLEMODE] == KA_FOG_NONE) {
        key.fogMode = uint8_t(rs[KA_RS_FOGVERTEXMODE] & 3);
        key.rangeFog = rs[KA_RS_RANGEFOGENABLE] != 0;
    }
    for (unsigned s = 0; s < kaMaxTextureStages; ++s) {
        key.texCoordIndex[s] = state.textureStates[s][KA_TSS_TEXCOORDINDEX] & 0x30007u;
        key.transformFlags[s] = state.textureStates[s][KA_TSS_TEXTURETRANSFORMFLAGS] & 0x1FFu;
    }
    return key;
}

// The component a stage's lookups divide its coordinates by (0 for none):
// with D3DTTFF_PROJECTED the last of the count the flags give, and with a
// vertex shader, whose outputs have no count, w.
uint8_t ProjectedCount(const kaDeviceState& state, unsigned stage) {
    const uint32_t flags = state.textureStates[stage][KA_TSS_TEXTURETRANSFORMFLAGS];
    if ((flags & KA_TTFF_PROJECTED) == 0) return 0;
    return state.vertexProcessing.shader != nullptr ? 4 : uint8_t(flags & 7u);
}

void FixedStagesOf(const kaDeviceState& state, kaGLPixelKey* key) {
    const bool fixedVertices = state.vertexProcessing.shader == nullptr;
    for (unsigned s = 0; s < kaMaxTextureStages; ++s) {
        const uint32_t* ts = state.textureStates[s];
        kaGLPixelKey::Stage& stage = key->stage[s];
        stage.colorOp = uint8_t(ts[KA_TSS_COLOROP]);
        stage.colorArg[0] = uint8_t(ts[KA_TSS_COLORARG1]);
        stage.colorArg[1] = uint8_t(ts[KA_TSS_COLORARG2]);
        stage.colorArg[2] = uint8_t(ts[KA_TSS_COLORARG0]);
        stage.alphaOp = uint8_t(ts[KA_TSS_ALPHAOP]);
        stage.alphaArg[0] = uint8_t(ts[KA_TSS_ALPHAARG1]);
        stage.alphaArg[1] = uint8_t(ts[KA_TSS_ALPHAARG2]);
        stage.alphaArg[2] = uint8_t(ts[KA_TSS_ALPHAARG0]);
        stage.result = uint8_t(ts[KA_TSS_RESULTARG]);
        stage.kind = KindOf(state.textures[s]);
        stage.coordinates = uint8_t(fixedVertices ? s : ts[KA_TSS_TEXCOORDINDEX] & 7u);
        stage.projectedCount = ProjectedCount(state, s);
        key->textureKind[s] = stage.kind;
        if (stage.colorOp == KA_TOP_DISABLE) break;
    }
}

// A pixel shader's program depends on the kinds of texture bound to the
// stages it may sample and on their projection, the texture stages' program
// on their states; the tail on alpha test and fog.
kaGLPixelKey PixelKeyOf(const kaDeviceState& state, const kaPixelShader* shader,
                        const uint32_t* rs) {
    kaGLPixelKey key;
    std::memset(&key, 0, sizeof key);
    if (shader != nullptr) {
        key.shader = static_cast<const kaGLPixelShader*>(shader)->getSerial();
        for (unsigned s = 0; s < kaGLSLStageCount; ++s) {
            key.textureKind[s] = KindOf(state.textures[s]);
            key.stage[s].projectedCount = ProjectedCount(state, s);
        }
    } else {
        FixedStagesOf(state, &key);
        key.specular = rs[KA_RS_SPECULARENABLE] != 0;
    }
    key.alphaFunc = rs[KA_RS_ALPHATESTENABLE] ? uint8_t(rs[KA_RS_ALPHAFUNC] & 0xF) : 0;
    if (rs[KA_RS_FOGENABLE]) {
        const uint32_t table = rs[KA_RS_FOGTABLEMODE];
        key.fog = table != KA_FOG_NONE ? uint8_t(2 + (table & 3)) : 1;
    }
    return key;
}

}  // namespace

int kaGLRenderDevice::DrawPrimitive(unsigned primitiveType, unsigned startVertex,
                                    unsigned primitiveCount) {
    if (!mContext || PrimitiveMode(primitiveType) == kNoPrimitive) return KA_ERR_PLATFORM;
    if (primitiveCount == 0) return KA_OK;
    if (!PrepareDraw("DrawPrimitive")) return KA_ERR_PLATFORM;
    const int inside = CheckDraw(primitiveType, startVertex, primitiveCount);
    if (inside != KA_OK) return Outside("DrawPrimitive", inside);
    const kaGLFunctions& gl = mContext->gl();
    gl.DrawArrays(PrimitiveMode(primitiveType), GLint(startVertex),
                  GLsizei(PrimitiveVertices(primitiveType, primitiveCount)));
    return gl.GetError() == GL_NO_ERROR ? KA_OK : KA_ERR_PLATFORM;
}

int kaGLRenderDevice::DrawIndexedPrimitive(unsigned primitiveType, unsigned startIndex,
                                           unsigned vertexCount, unsigned primitiveCount) {
    if (!mContext || PrimitiveMode(primitiveType) == kNoPrimitive) return KA_ERR_PLATFORM;
    if (primitiveCount == 0) return KA_OK;
    const kaIndexBuffer* indices = getCurrentState().indexBuffer;
    if (indices == nullptr) return Refuse("DrawIndexedPrimitive", "no index buffer is set");
    if (!PrepareDraw("DrawIndexedPrimitive")) return KA_ERR_PLATFORM;
    const int inside = CheckIndexedDraw(primitiveType, startIndex, vertexCount, primitiveCount);
    if (inside != KA_OK) return Outside("DrawIndexedPrimitive", inside);
    const kaGLFunctions& gl = mContext->gl();
    gl.BindBuffer(GL_ELEMENT_ARRAY_BUFFER, static_cast<const kaGLIndexBuffer*>(indices)->getName());
    const uintptr_t offset = uintptr_t(startIndex) * sizeof(uint16_t);
    gl.DrawElements(PrimitiveMode(primitiveType),
                    GLsizei(PrimitiveVertices(primitiveType, primitiveCount)),
                    GL_UNSIGNED_SHORT, reinterpret_cast<const void*>(offset));
    return gl.GetError() == GL_NO_ERROR ? KA_OK : KA_ERR_PLATFORM;
}

// Everything a draw needs: a vertex buffer, vertex processing and a program;
// what is missing is named on standard error with the call.
bool kaGLRenderDevice::PrepareDraw(const char* call) {
    const kaDeviceState& state = getCurrentState();
    if (state.vertexBuffer == nullptr) return Refuse(call, "no vertex buffer is set") == KA_OK;
    if (state.vertexProcessing.isNone()) {
        return Refuse(call, "neither a vertex format nor a vertex shader is set") == KA_OK;
    }
    kaGLProgram* program = mPrograms.Get(VertexKeyOf(state, mPlatformRenderStates),
                                         PixelKeyOf(state, getPixelShader(), mPlatformRenderStates));
    if (program == nullptr) return Refuse(call, "the program for the state does not build") == KA_OK;
    const kaGLFunctions& gl = mContext->gl();
    BindTarget();
    gl.UseProgram(program->name);
    ApplyPipelineState();
    ApplyVertexInputs();
    ApplyTextures(*program);
    if (mVertexConstantsDirty) {
        gl.BindBuffer(GL_UNIFORM_BUFFER, mConstantBuffer);
        gl.BufferSubData(GL_UNIFORM_BUFFER, 0, sizeof mVertexConstants, mVertexConstants);
        mVertexConstantsDirty = false;
    }
    if (program->uniformVersion != mUniformVersion) SetUniforms(*program);
    return true;
}

void kaGLRenderDevice::ApplyPipelineState() {
    const kaGLFunctions& gl = mContext->gl();
    const uint32_t* rs = mPlatformRenderStates;
    const kaViewport& v = getCurrentState().viewport;
    gl.Viewport(GLint(v.x), GLint(v.y), GLsizei(v.width), GLsizei(v.height));
    gl.Disable(GL_DITHER);
    if (rs[KA_RS_ZENABLE]) gl.Enable(GL_DEPTH_TEST); else gl.Disable(GL_DEPTH_TEST);
    gl.DepthFunc(CompareFunc(rs[KA_RS_ZFUNC]));
    gl.DepthMask(rs[KA_RS_ZWRITEENABLE] ? GL_TRUE : GL_FALSE);
    // Every target is drawn upside down in GL's terms, which turns windings
    // over: what Direct3D sees counter-clockwise is clockwise, a back face, for GL.
    const uint32_t cull = rs[KA_RS_CULLMODE];
    if (cull == KA_CULL_CW || cull == KA_CULL_CCW) {
        gl.Enable(GL_CULL_FACE);
        gl.FrontFace(GL_CCW);
        gl.CullFace(cull == KA_CULL_CCW ? GL_BACK : GL_FRONT);
    } else {
        gl.Disable(GL_CULL_FACE);
    }
    if (rs[KA_RS_ALPHABLENDENABLE]) gl.Enable(GL_BLEND); else gl.Disable(GL_BLEND);
    GLenum source = BlendFactor(rs[KA_RS_SRCBLEND]), destination = BlendFactor(rs[KA_RS_DESTBLEND]);
    if (rs[KA_RS_SRCBLEND] == KA_BLEND_BOTHSRCALPHA) {
        source = GL_SRC_ALPHA;
        destination = GL_ONE_MINUS_SRC_ALPHA;
    } else if (rs[KA_RS_SRCBLEND] == KA_BLEND_BOTHINVSRCALPHA) {
        source = GL_ONE_MINUS_SRC_ALPHA;
        destination = GL_SRC_ALPHA;
    }
    gl.BlendFunc(source, destination);
    gl.BlendEquation(BlendEquation(rs[KA_RS_BLENDOP]));
    const uint32_t mask = rs[KA_RS_COLORWRITEENABLE];
    gl.ColorMask(mask & 1 ? GL_TRUE : GL_FALSE, mask & 2 ? GL_TRUE : GL_FALSE,
                 mask & 4 ? GL_TRUE : GL_FALSE, mask & 8 ? GL_TRUE : GL_FALSE);
    if (rs[KA_RS_STENCILENABLE]) gl.Enable(GL_STENCIL_TEST); else gl.Disable(GL_STENCIL_TEST);
    gl.StencilFunc(CompareFunc(rs[KA_RS_STENCILFUNC]), GLint(rs[KA_RS_STENCILREF] & 0xFF),
                   rs[KA_RS_STENCILMASK]);
    gl.StencilOp(StencilOp(rs[KA_RS_STENCILFAIL]), StencilOp(rs[KA_RS_STENCILZFAIL]),
                 StencilOp(rs[KA_RS_STENCILPASS]));
    gl.StencilMask(rs[KA_RS_STENCILWRITEMASK]);
    if (rs[KA_RS_ZBIAS] != 0) {
        gl.Enable(GL_POLYGON_OFFSET_FILL);
        gl.PolygonOffset(0.0f, -float(rs[KA_RS_ZBIAS] & 0xFF));
    } else {
        gl.Disable(GL_POLYGON_OFFSET_FILL);
    }
}

// Binds the vertex buffer's components to the input registers of the vertex
// format in use, a vertex shader's own or the one set (position v0, normal v3, point size v4, colours v5 and v6,
// texture sets v7 to v10); registers without data read 0, 0, 0, 1.
void kaGLRenderDevice::ApplyVertexInputs() {
    const kaGLFunctions& gl = mContext->gl();
    const kaDeviceState& state = getCurrentState();
    auto* buffer = static_cast<kaGLVertexBuffer*>(state.vertexBuffer);
    const auto* shader = static_cast<const kaGLVertexShader*>(state.vertexProcessing.shader);
    const L layout = L::FromFormat(shader ? shader->getFormat() : state.vertexProcessing.format);
    const GLsizei stride = GLsizei(buffer->getVertexSize());
    gl.BindBuffer(GL_ARRAY_BUFFER, buffer->getName());
    struct Input {
        unsigned component;
        GLuint reg;
    };
    static const Input kInputs[] = {{L::POSITION, 0}, {L::NORMAL, 3}, {L::POINT_SIZE, 4},
                                    {L::DIFFUSE, 5},  {L::SPECULAR, 6}, {L::TEXCOORD0, 7},
                                    {L::TEXCOORD1, 8}, {L::TEXCOORD2, 9}, {L::TEXCOORD3, 10}};
    for (GLuint reg = 0; reg < 16; ++reg) gl.DisableVertexAttribArray(reg);
    for (const Input& input : kInputs) {
        const uint32_t size = layout.size[input.component];
        if (size == 0) continue;
        const void* offset = reinterpret_cast<const void*>(uintptr_t(layout.offset[input.component]));
        gl.EnableVertexAttribArray(input.reg);
        if (input.component == L::DIFFUSE || input.component == L::SPECULAR) {
            gl.VertexAttribPointer(input.reg, 4, GL_UNSIGNED_BYTE, GL_TRUE, stride, offset);
        } else {
            gl.VertexAttribPointer(input.reg, GLint(size / 4), GL_FLOAT, GL_FALSE, stride, offset);
        }
    }
}

void kaGLRenderDevice::ApplyTextures(const kaGLProgram& program) {
    const kaGLFunctions& gl = mContext->gl();
    const kaDeviceState& state = getCurrentState();
    for (unsigned stage = 0; stage < kaMaxTextureStages; ++stage) {
        if (program.textureKind[stage] == KA_GL_TEX_NONE) continue;
        const auto* texture = static_cast<const kaGLBaseTexture*>(state.textures[stage]);
        gl.ActiveTexture(GL_TEXTURE0 + stage);
        gl.BindTexture(texture->getTarget(), texture->getName());
        gl.BindSampler(stage, SamplerFor(stage));
    }
    gl.ActiveTexture(GL_TEXTURE0);
}

// A sampler object for the filter, address and mip states of a stage; one is
// made for each combination seen and kept.
GLuint kaGLRenderDevice::SamplerFor(unsigned stage) {
    const uint32_t* ts = getCurrentState().textureStates[stage];
    const uint64_t key = uint64_t(ts[KA_TSS_MAGFILTER] & 3) | uint64_t(ts[KA_TSS_MINFILTER] & 3) << 2 |
                         uint64_t(ts[KA_TSS_MIPFILTER] & 3) << 4 |
                         uint64_t(ts[KA_TSS_ADDRESSU] & 7) << 6 |
                         uint64_t(ts[KA_TSS_ADDRESSV] & 7) << 9 |
                         uint64_t(ts[KA_TSS_ADDRESSW] & 7) << 12 |
                         uint64_t(ts[KA_TSS_MAXMIPLEVEL] & 0xFF) << 16;
    for (const auto& sampler : mSamplers) {
        if (sampler.first == key) return sampler.second;
    }
    const kaGLFunctions& gl = mContext->gl();
    GLuint sampler = 0;
    gl.GenSamplers(1, &sampler);
    gl.SamplerParameteri(sampler, GL_TEXTURE_MAG_FILTER,
                         ts[KA_TSS_MAGFILTER] >= KA_TEXF_LINEAR ? GL_LINEAR : GL_NEAREST);
    gl.SamplerParameteri(sampler, GL_TEXTURE_MIN_FILTER,
                         GLint(MinFilter(ts[KA_TSS_MINFILTER], ts[KA_TSS_MIPFILTER])));
    gl.SamplerParameteri(sampler, GL_TEXTURE_WRAP_S, GLint(AddressMode(ts[KA_TSS_ADDRESSU])));
    gl.SamplerParameteri(sampler, GL_TEXTURE_WRAP_T, GLint(AddressMode(ts[KA_TSS_ADDRESSV])));
    gl.SamplerParameteri(sampler, GL_TEXTURE_WRAP_R, GLint(AddressMode(ts[KA_TSS_ADDRESSW])));
    gl.SamplerParameterf(sampler, GL_TEXTURE_MIN_LOD, float(ts[KA_TSS_MAXMIPLEVEL] & 0xFF));
    mSamplers.emplace_back(key, sampler);
    return sampler;
}

void kaGLRenderDevice::SetUniforms(kaGLProgram& program) {
    const kaGLFunctions& gl = mContext->gl();
    const kaDeviceState& state = getCurrentState();
    const GLint* at = program.location;
    const kaTransformState& t = state.transforms;
    const kaMatrix44f worldView = kaMatrixMath::Multiply(t.world[0], t.view);
    const kaMatrix44f worldViewProj = kaMatrixMath::Multiply(worldView, t.projection);
    const kaMatrix44f normal = NormalMatrix(worldView);
    gl.UniformMatrix4fv(at[KA_U_WORLDVIEWPROJ], 1, GL_FALSE, worldViewProj.m);
    gl.UniformMatrix4fv(at[KA_U_WORLDVIEW], 1, GL_FALSE, worldView.m);
    gl.UniformMatrix4fv(at[KA_U_NORMALMATRIX], 1, GL_FALSE, normal.m);
    gl.UniformMatrix4fv(at[KA_U_TEXMATRIX], 8, GL_FALSE, t.texture[0].m);
    const kaViewport& v = state.viewport;
    const float viewport[4] = {float(v.x), float(v.y), float(v.width), float(v.height)};
    gl.Uniform4fv(at[KA_U_VIEWPORT], 1, viewport);
    // Direct3D's pixel centres lie half a pixel left of and above GL's: half
    // a pixel of the viewport in clip space; z = -1 turns the picture over so
    // that every target holds its top row first.
    const float adjust[4] = {1.0f / float(v.width ? v.width : 1),
                             -1.0f / float(v.height ? v.height : 1), -1.0f, 0.0f};
    gl.Uniform4fv(at[KA_U_POSITIONADJUST], 1, adjust);

    float lights[7][8][4] = {};
    for (unsigned i = 0; i < kaMaxLights; ++i) {
        const kaLight& l = state.lights.light[i];
        std::memcpy(lights[0][i], &l.diffuse, 16);
        std::memcpy(lights[1][i], &l.specular, 16);
        std::memcpy(lights[2][i], &l.ambient, 16);
        ToCamera(t.view, l.position, 1.0f, lights[3][i]);
        lights[3][i][3] = l.range;
        ToCamera(t.view, l.direction, 0.0f, lights[4][i]);
        const float attenuation[4] = {l.attenuation0, l.attenuation1, l.attenuation2, l.falloff};
        std::memcpy(lights[5][i], attenuation, 16);
        lights[6][i][0] = std::cos(l.theta * 0.5f);
        lights[6][i][1] = std::cos(l.phi * 0.5f);
    }
    for (unsigned u = 0; u < 7; ++u) gl.Uniform4fv(at[KA_U_LIGHTDIFFUSE + u], 8, lights[u][0]);
    float material[5][4] = {};
    std::memcpy(material, &state.material, 4 * 16);
    material[4][0] = state.material.power;
    gl.Uniform4fv(at[KA_U_MATERIAL], 5, material[0]);
    const uint32_t* rs = mPlatformRenderStates;
    float colour[4];
    ColourOf(rs[KA_RS_AMBIENT], colour);
    gl.Uniform4fv(at[KA_U_AMBIENT], 1, colour);
    const float fog[4] = {FloatOf(rs[KA_RS_FOGSTART]), FloatOf(rs[KA_RS_FOGEND]),
                          FloatOf(rs[KA_RS_FOGDENSITY]),
                          t.projection.m[11] != 0.0f ? 1.0f : 0.0f};
    gl.Uniform4fv(at[KA_U_FOGPARAMS], 1, fog);
    gl.Uniform4fv(at[KA_U_FOGTABLE], 1, fog);
    ColourOf(rs[KA_RS_FOGCOLOR], colour);
    gl.Uniform4fv(at[KA_U_FOGCOLOR], 1, colour);
    const float pointSize[4] = {FloatOf(rs[KA_RS_POINTSIZE]), 0.0f, 0.0f, 0.0f};
    gl.Uniform4fv(at[KA_U_POINTSIZE], 1, pointSize);
    ColourOf(rs[KA_RS_TEXTUREFACTOR], colour);
    gl.Uniform4fv(at[KA_U_TFACTOR], 1, colour);
    float bias[8];
    for (unsigned s = 0; s < 8; ++s) bias[s] = FloatOf(state.textureStates[s][KA_TSS_MIPMAPLODBIAS]);
    gl.Uniform4fv(at[KA_U_MIPBIAS], 2, bias);
    const float alphaRef[4] = {float(rs[KA_RS_ALPHAREF] & 0xFF), 0.0f, 0.0f, 0.0f};
    gl.Uniform4fv(at[KA_U_ALPHAREF], 1, alphaRef);
    gl.Uniform4fv(at[KA_U_PIXELCONSTANTS], kaGLPrograms::kPixelConstants, mPixelConstants);
    for (unsigned s = 0; s < 6; ++s) {
        const uint32_t* ts = state.textureStates[s];
        const float matrix[4] = {FloatOf(ts[KA_TSS_BUMPENVMAT00]), FloatOf(ts[KA_TSS_BUMPENVMAT01]),
                                 FloatOf(ts[KA_TSS_BUMPENVMAT10]), FloatOf(ts[KA_TSS_BUMPENVMAT11])};
        gl.Uniform4fv(program.bumpMatrix[s], 1, matrix);
        const float luminance[2] = {FloatOf(ts[KA_TSS_BUMPENVLSCALE]),
                                    FloatOf(ts[KA_TSS_BUMPENVLOFFSET])};
        gl.Uniform2fv(program.bumpLuminance[s], 1, luminance);
    }
    program.uniformVersion = mUniformVersion;
}
