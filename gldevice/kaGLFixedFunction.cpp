#include "kaGLFixedFunction.h"

#include <cstring>

#include "kaDeviceNumbers.h"
#include "kaGLSLTranslator.h"
#include "kaVertexLayout.h"

namespace {

using L = kaVertexLayout;

std::string Num(unsigned n) { return std::to_string(n); }

bool IsPretransformed(uint32_t format) {
    return (format & KA_FVF_POSITION_MASK) == KA_FVF_XYZRHW;
}

// A coordinate set as Direct3D hands it to a texture transform: the element
// after the last given one is 1, the rest 0.
std::string SetCoordinates(const L& layout, unsigned set) {
    const unsigned component = L::TEXCOORD0 + set;
    if (set >= 4 || layout.size[component] == 0) return "vec4(0.0, 0.0, 0.0, 1.0)";
    const std::string v = "vx_v" + Num(7 + set);
    switch (layout.size[component] / 4) {
    case 1: return "vec4(" + v + ".x, 1.0, 0.0, 0.0)";
    case 2: return "vec4(" + v + ".xy, 1.0, 0.0)";
    case 3: return "vec4(" + v + ".xyz, 1.0)";
    default: return v;
    }
}

std::string Inputs(const L& layout) {
    std::string text = "layout(location = 0) in vec4 vx_v0;\n";
    const unsigned components[] = {L::NORMAL, L::POINT_SIZE, L::DIFFUSE, L::SPECULAR};
    const unsigned registers[] = {3, 4, 5, 6};
    for (int i = 0; i < 4; ++i) {
        if (layout.size[components[i]] == 0) continue;
        text += "layout(location = " + Num(registers[i]) + ") in vec4 vx_v" + Num(registers[i]) + ";\n";
    }
    for (unsigned set = 0; set < 4; ++set) {
        if (layout.size[L::TEXCOORD0 + set] == 0) continue;
        text += "layout(location = " + Num(7 + set) + ") in vec4 vx_v" + Num(7 + set) + ";\n";
    }
    return text;
}

const char kVertexUniforms[] =
    "uniform mat4 vx_WorldViewProj, vx_WorldView, vx_NormalMatrix;\n"
    "uniform mat4 vx_TexMatrix[8];\n"
    "uniform vec4 vx_Viewport;\n"
    "uniform vec4 vx_LightDiffuse[8], vx_LightSpecular[8], vx_LightAmbient[8];\n"
    "uniform vec4 vx_LightPosition[8], vx_LightDirection[8], vx_LightAttenuation[8];\n"
    "uniform vec4 vx_LightCone[8];\n"
    "uniform vec4 vx_Material[5];\n"
    "uniform vec4 vx_Ambient, vx_FogParams, vx_PointSize;\n"
    "uniform vec4 vx_PositionAdjust;\n";

// The material colour that lighting takes from a source: the material, or a
// vertex colour when colour-vertex is on and the vertex has that colour.
std::string MaterialColour(const kaGLVertexKey& key, const L& layout, unsigned which) {
    const std::string material = "vx_Material[" + Num(which) + "]";
    if (!key.colorVertex) return material;
    const unsigned source = key.materialSource[which == 0 ? 0 : which == 2 ? 1 : which == 1 ? 2 : 3];
    if (source == KA_MCS_COLOR1 && layout.size[L::DIFFUSE] != 0) return "vx_v5";
    if (source == KA_MCS_COLOR2 && layout.size[L::SPECULAR] != 0) return "vx_v6";
    return material;
}

// Direct3D's lighting in camera space, summed over the lights that are on.
std::string Lighting(const kaGLVertexKey& key, const L& layout) {
    std::string text =
        "    vec3 n = mat3(vx_NormalMatrix) * " +
        std::string(layout.size[L::NORMAL] != 0 ? "vx_v3.xyz" : "vec3(0.0)") + ";\n";
    if (key.normalize) text += "    n = length(n) > 0.0 ? normalize(n) : n;\n";
    text += "    vec3 ambient = vec3(0.0), diffuseSum = vec3(0.0), specularSum = vec3(0.0);\n";
    text += key.localViewer ? "    vec3 toEye = length(eye) > 0.0 ? -normalize(eye) : vec3(0.0);\n"
                            : "    vec3 toEye = vec3(0.0, 0.0, -1.0);\n";
    for (unsigned i = 0; i < 8; ++i) {
        const unsigned type = key.lightType[i];
        if (type == 0) continue;
        const std::string n = Num(i);
        text += "    {\n        vec3 l; float k = 1.0;\n";
        if (type == KA_LIGHT_DIRECTIONAL) {
            text += "        l = -normalize(vx_LightDirection[" + n + "].xyz);\n";
        } else {
            text += "        vec3 d = vx_LightPosition[" + n + "].xyz - eye; float dist = length(d);\n"
                    "        l = dist > 0.0 ? d / dist : vec3(0.0);\n"
                    "        vec4 a = vx_LightAttenuation[" + n + "];\n"
                    "        k = dist > vx_LightPosition[" + n + "].w ? 0.0 : 1.0 / max(a.x + a.y * dist + a.z * dist * dist, 1e-6);\n";
        }
        if (type == KA_LIGHT_SPOT) {
            text += "        float rho = dot(-l, normalize(vx_LightDirection[" + n + "].xyz));\n"
                    "        vec4 cone = vx_LightCone[" + n + "];\n"
                    "        k *= rho > cone.x ? 1.0 : rho <= cone.y ? 0.0 : pow((rho - cone.y) / max(cone.x - cone.y, 1e-6), vx_LightAttenuation[" + n + "].w);\n";
        }
        text += "        float ndl = max(dot(n, l), 0.0);\n"
                "        ambient += k * vx_LightAmbient[" + n + "].rgb;\n"
                "        diffuseSum += k * ndl * vx_LightDiffuse[" + n + "].rgb;\n";
        if (key.specular) {
            text += "        vec3 h = normalize(l + toEye);\n"
                    "        if (ndl > 0.0) specularSum += k * pow(max(dot(n, h), 0.0), vx_Material[4].x) * vx_LightSpecular[" + n + "].rgb;\n";
        }
        text += "    }\n";
    }
    const std::string md = MaterialColour(key, layout, 0), ma = MaterialColour(key, layout, 1);
    const std::string ms = MaterialColour(key, layout, 2), me = MaterialColour(key, layout, 3);
    text += "    colour0 = vec4(" + me + ".rgb + " + ma + ".rgb * (vx_Ambient.rgb + ambient) + " + md +
            ".rgb * diffuseSum, " + md + ".a);\n";
    text += key.specular ? "    colour1 = vec4(" + ms + ".rgb * specularSum, " + ms + ".a);\n"
                         : "    colour1 = vec4(0.0);\n";
    return text;
}

std::string TextureCoordinates(const kaGLVertexKey& key, const L& layout) {
    std::string text;
    for (unsigned stage = 0; stage < 8; ++stage) {
        const uint32_t index = key.texCoordIndex[stage];
        std::string source;
        switch (index & 0xFFFF0000u) {
        case KA_TCI_CAMERASPACENORMAL: source = "vec4(n, 1.0)"; break;
        case KA_TCI_CAMERASPACEPOSITION: source = "vec4(eye, 1.0)"; break;
        case KA_TCI_CAMERASPACEREFLECTIONVECTOR:
            source = "vec4(reflect(length(eye) > 0.0 ? normalize(eye) : eye, n), 1.0)";
            break;
        default: source = SetCoordinates(layout, index & 7u); break;
        }
        if ((key.transformFlags[stage] & 0xFF) != 0) {
            source = "vx_TexMatrix[" + Num(stage) + "] * " + source;
        }
        text += "    vx_Tex" + Num(stage) + " = " + source + ";\n";
    }
    return text;
}

std::string VertexFog(const kaGLVertexKey& key, bool pretransformed, const L& layout) {
    if (pretransformed) {
        return layout.size[L::SPECULAR] != 0 ? "    vx_Fog = vx_v6.a;\n" : "    vx_Fog = 1.0;\n";
    }
    const std::string depth = key.rangeFog ? "length(eye)" : "abs(eye.z)";
    switch (key.fogMode) {
    case KA_FOG_LINEAR:
        return "    vx_Fog = (vx_FogParams.y - " + depth + ") / (vx_FogParams.y - vx_FogParams.x);\n";
    case KA_FOG_EXP: return "    vx_Fog = exp(-vx_FogParams.z * " + depth + ");\n";
    case KA_FOG_EXP2:
        return "    vx_Fog = exp(-(vx_FogParams.z * " + depth + ") * (vx_FogParams.z * " + depth + "));\n";
    default: return "    vx_Fog = 1.0;\n";
    }
}

// A texture-stage argument as a vec4.
std::string Argument(unsigned arg) {
    static const char* const kSources[] = {"diffuse", "current", "tex", "vx_TFactor",
                                           "specular", "temp"};
    const unsigned source = arg & KA_TA_SELECTMASK;
    std::string value = source < 6 ? kSources[source] : "current";
    if (arg & KA_TA_ALPHAREPLICATE) value = value + ".aaaa";
    if (arg & KA_TA_COMPLEMENT) value = "(vec4(1.0) - " + value + ")";
    return value;
}

// One texture-stage operation on the arguments a1, a2, a0 (vec4s), taking
// the channels `ch` (".rgb" or ".a").
std::string Operation(unsigned op, const std::string& ch) {
    const std::string a1 = "a1" + ch, a2 = "a2" + ch, a0 = "a0" + ch;
    switch (op) {
    case KA_TOP_SELECTARG2: return a2;
    case KA_TOP_MODULATE: return a1 + " * " + a2;
    case KA_TOP_MODULATE2X: return a1 + " * " + a2 + " * 2.0";
    case KA_TOP_MODULATE4X: return a1 + " * " + a2 + " * 4.0";
    case KA_TOP_ADD: return a1 + " + " + a2;
    case KA_TOP_ADDSIGNED: return a1 + " + " + a2 + " - 0.5";
    case KA_TOP_ADDSIGNED2X: return "(" + a1 + " + " + a2 + " - 0.5) * 2.0";
    case KA_TOP_SUBTRACT: return a1 + " - " + a2;
    case KA_TOP_ADDSMOOTH: return a1 + " + " + a2 + " - " + a1 + " * " + a2;
    case KA_TOP_BLENDDIFFUSEALPHA: return "mix(" + a2 + ", " + a1 + ", diffuse.a)";
    case KA_TOP_BLENDTEXTUREALPHA: return "mix(" + a2 + ", " + a1 + ", tex.a)";
    case KA_TOP_BLENDFACTORALPHA: return "mix(" + a2 + ", " + a1 + ", vx_TFactor.a)";
    case KA_TOP_BLENDCURRENTALPHA: return "mix(" + a2 + ", " + a1 + ", current.a)";
    case KA_TOP_BLENDTEXTUREALPHAPM: return a1 + " + " + a2 + " * (1.0 - tex.a)";
    case KA_TOP_MODULATEALPHA_ADDCOLOR: return a1 + " + a1.a * " + a2;
    case KA_TOP_MODULATECOLOR_ADDALPHA: return a1 + " * " + a2 + " + a1.a";
    case KA_TOP_MODULATEINVALPHA_ADDCOLOR: return "(1.0 - a1.a) * " + a2 + " + " + a1;
    case KA_TOP_MODULATEINVCOLOR_ADDALPHA: return "(1.0 - " + a1 + ") * " + a2 + " + a1.a";
    case KA_TOP_DOTPRODUCT3:
        return "vec4(4.0 * dot(a1.rgb - 0.5, a2.rgb - 0.5))" + ch;
    case KA_TOP_MULTIPLYADD: return a0 + " + " + a1 + " * " + a2;
    case KA_TOP_LERP: return "mix(" + a2 + ", " + a1 + ", " + a0 + ")";
    // Bump mapping is not carried out: the stage passes its first argument.
    default: return a1;
    }
}

std::string Sample(const kaGLPixelKey::Stage& stage, unsigned index) {
    const std::string n = Num(index);
    if (stage.kind == KA_GL_TEX_NONE) return "vec4(1.0)";
    std::string coords = "vx_Tex" + Num(stage.coordinates);
    const std::string swizzle = stage.kind == KA_GL_TEX_2D ? ".xy" : ".xyz";
    if (stage.projectedCount >= 2) {
        static const char* const kLast[] = {"", "", ".y", ".z", ".w"};
        coords = "(" + coords + swizzle + " / " + coords + kLast[stage.projectedCount] + ")";
    } else {
        coords += swizzle;
    }
    return "texture(vx_Sampler" + n + ", " + coords + ", vx_MipBias[" + Num(index / 4) + "][" +
           Num(index % 4) + "])";
}

std::string Stage(const kaGLPixelKey::Stage& stage, unsigned index) {
    const std::string target = stage.result == KA_TA_TEMP ? "temp" : "current";
    std::string text = "    {\n        vec4 tex = " + Sample(stage, index) + ";\n";
    text += "        vec4 a1 = " + Argument(stage.colorArg[0]) + ", a2 = " +
            Argument(stage.colorArg[1]) + ", a0 = " + Argument(stage.colorArg[2]) + ";\n";
    text += "        vec3 rgb = " + Operation(stage.colorOp, ".rgb") + ";\n";
    std::string alpha = "current.a";
    if (stage.colorOp == KA_TOP_DOTPRODUCT3) {
        alpha = "rgb.r";
    } else if (stage.alphaOp != KA_TOP_DISABLE) {
        text += "        a1 = " + Argument(stage.alphaArg[0]) + "; a2 = " +
                Argument(stage.alphaArg[1]) + "; a0 = " + Argument(stage.alphaArg[2]) + ";\n";
        alpha = Operation(stage.alphaOp, ".a");
    }
    text += "        float a = " + alpha + ";\n";
    text += "        " + target + " = clamp(vec4(rgb, a), 0.0, 1.0);\n    }\n";
    return text;
}

const char* CompareOperator(unsigned func) {
    switch (func) {
    case KA_CMP_NEVER: return nullptr;
    case KA_CMP_LESS: return "<";
    case KA_CMP_EQUAL: return "==";
    case KA_CMP_LESSEQUAL: return "<=";
    case KA_CMP_GREATER: return ">";
    case KA_CMP_NOTEQUAL: return "!=";
    case KA_CMP_GREATEREQUAL: return ">=";
    default: return "";
    }
}

}  // namespace

kaGLVertexKey kaGLVertexKey::OfShader(uint32_t serial) {
    kaGLVertexKey key;
    std::memset(&key, 0, sizeof key);
    key.shader = serial;
    return key;
}

std::string kaGLFixedFunction::Header(kaGLContextKind kind) {
    if (kind == kaGLContextKind::Core33) return "#version 330 core\n";
    return "#version 300 es\nprecision highp float;\nprecision highp int;\n"
           "precision highp sampler3D;\nprecision highp samplerCube;\n";
}

std::string kaGLFixedFunction::VertexOutputs() {
    std::string text = "out vec4 vx_Color0;\nout vec4 vx_Color1;\n";
    for (unsigned i = 0; i < 8; ++i) text += "out vec4 vx_Tex" + Num(i) + ";\n";
    return text + "out float vx_Fog;\n";
}

std::string kaGLFixedFunction::VertexProgram(const kaGLVertexKey& key, kaGLContextKind kind) {
    const L layout = L::FromFormat(key.format);
    const bool pretransformed = IsPretransformed(key.format);
    std::string text = Header(kind) + Inputs(layout) + kVertexUniforms + VertexOutputs();
    text += "void main() {\n    vec4 p;\n    vec3 eye = vec3(0.0);\n    vec3 n = vec3(0.0, 0.0, 1.0);\n";
    if (pretransformed) {
        text += "    float w = vx_v0.w != 0.0 ? 1.0 / vx_v0.w : 1.0;\n"
                "    p = vec4((2.0 * (vx_v0.x - vx_Viewport.x) / vx_Viewport.z - 1.0) * w,\n"
                "             (1.0 - 2.0 * (vx_v0.y - vx_Viewport.y) / vx_Viewport.w) * w, vx_v0.z * w, w);\n";
    } else {
        text += "    vec4 position = vec4(vx_v0.xyz, 1.0);\n"
                "    p = vx_WorldViewProj * position;\n"
                "    eye = (vx_WorldView * position).xyz;\n";
    }
    text += "    vec4 colour0 = " + std::string(layout.size[L::DIFFUSE] ? "vx_v5" : "vec4(1.0)") + ";\n";
    // A colour the vertex lacks is white, as Direct3D defaults both.
    text += "    vec4 colour1 = " + std::string(layout.size[L::SPECULAR] ? "vx_v6" : "vec4(1.0)") + ";\n";
    if (key.lighting && !pretransformed) {
        text += "    {\n" + Lighting(key, layout) + "    }\n";
        if (layout.size[L::NORMAL] != 0) {
            text += "    n = mat3(vx_NormalMatrix) * vx_v3.xyz;\n";
        }
    } else if (layout.size[L::NORMAL] != 0 && !pretransformed) {
        text += "    n = mat3(vx_NormalMatrix) * vx_v3.xyz;\n";
    }
    text += "    vx_Color0 = clamp(colour0, 0.0, 1.0);\n    vx_Color1 = clamp(colour1, 0.0, 1.0);\n";
    text += TextureCoordinates(key, layout);
    text += VertexFog(key, pretransformed, layout);
    text += std::string("    gl_PointSize = ") +
            (layout.size[L::POINT_SIZE] ? "vx_v4.x" : "vx_PointSize.x") + ";\n";
    return text + kaGLSLPositionEpilogue() + "}\n";
}

std::string kaGLFixedFunction::PixelStages(const kaGLPixelKey& key) {
    std::string text = "in vec4 vx_Color0;\nin vec4 vx_Color1;\nin float vx_Fog;\n";
    for (unsigned i = 0; i < 8; ++i) text += "in vec4 vx_Tex" + Num(i) + ";\n";
    static const char* const kSamplers[] = {"", "sampler2D", "samplerCube", "sampler3D"};
    for (unsigned i = 0; i < 8; ++i) {
        if (key.stage[i].kind == KA_GL_TEX_NONE) continue;
        text += std::string("uniform ") + kSamplers[key.stage[i].kind] + " vx_Sampler" + Num(i) + ";\n";
    }
    text += "uniform vec4 vx_TFactor;\nuniform vec4 vx_MipBias[2];\n";
    text += "vec4 vx_ShadePixel() {\n    vec4 diffuse = vx_Color0, specular = vx_Color1;\n"
            "    vec4 current = diffuse, temp = vec4(0.0);\n";
    for (unsigned i = 0; i < 8 && key.stage[i].colorOp != KA_TOP_DISABLE; ++i) {
        text += Stage(key.stage[i], i);
    }
    if (key.specular) text += "    current.rgb = clamp(current.rgb + specular.rgb, 0.0, 1.0);\n";
    return text + "    return current;\n}\n";
}

std::string kaGLFixedFunction::PixelTail(const kaGLPixelKey& key) {
    std::string text =
        "uniform vec4 vx_FogColor, vx_FogTable, vx_AlphaRef;\n"
        "out vec4 vx_FragColor;\nvoid main() {\n    vec4 c = vx_ShadePixel();\n";
    if (key.alphaFunc != 0) {
        const char* op = CompareOperator(key.alphaFunc);
        if (op == nullptr) {
            text += "    discard;\n";
        } else if (*op != '\0') {
            text += std::string("    if (!(floor(clamp(c.a, 0.0, 1.0) * 255.0 + 0.5) ") + op +
                    " vx_AlphaRef.x)) discard;\n";
        }
    }
    if (key.fog == 1) {
        text += "    float f = clamp(vx_Fog, 0.0, 1.0);\n";
    } else if (key.fog >= 2) {
        text += "    float d = vx_FogTable.w > 0.5 ? 1.0 / gl_FragCoord.w : gl_FragCoord.z;\n";
        switch (key.fog - 2) {
        case KA_FOG_EXP: text += "    float f = exp(-vx_FogTable.z * d);\n"; break;
        case KA_FOG_EXP2: text += "    float f = exp(-(vx_FogTable.z * d) * (vx_FogTable.z * d));\n"; break;
        default: text += "    float f = (vx_FogTable.y - d) / (vx_FogTable.y - vx_FogTable.x);\n"; break;
        }
        text += "    f = clamp(f, 0.0, 1.0);\n";
    }
    if (key.fog != 0) text += "    c.rgb = mix(vx_FogColor.rgb, c.rgb, f);\n";
    return text + "    vx_FragColor = c;\n}\n";
}
