#pragma once

#include <cstdint>

// Direct3D 8 numbers that cross the render-device interface and that the
// devices themselves look at: render states, texture-stage states, their
// values, and texture formats.  Every other number is passed through.

enum kaRenderStateNumber : unsigned {
    KA_RS_ZENABLE = 7,
    KA_RS_FILLMODE = 8,
    KA_RS_SHADEMODE = 9,
    KA_RS_LINEPATTERN = 10,
    KA_RS_ZWRITEENABLE = 14,
    KA_RS_ALPHATESTENABLE = 15,
    KA_RS_SRCBLEND = 19,
    KA_RS_DESTBLEND = 20,
    KA_RS_CULLMODE = 22,
    KA_RS_ZFUNC = 23,
    KA_RS_ALPHAREF = 24,
    KA_RS_ALPHAFUNC = 25,
    KA_RS_DITHERENABLE = 26,
    KA_RS_ALPHABLENDENABLE = 27,
    KA_RS_FOGENABLE = 28,
    KA_RS_SPECULARENABLE = 29,
    KA_RS_FOGCOLOR = 34,
    KA_RS_FOGTABLEMODE = 35,
    KA_RS_FOGSTART = 36,
    KA_RS_FOGEND = 37,
    KA_RS_FOGDENSITY = 38,
    KA_RS_EDGEANTIALIAS = 40,
    KA_RS_ZBIAS = 47,
    KA_RS_RANGEFOGENABLE = 48,
    KA_RS_STENCILENABLE = 52,
    KA_RS_STENCILFAIL = 53,
    KA_RS_STENCILZFAIL = 54,
    KA_RS_STENCILPASS = 55,
    KA_RS_STENCILFUNC = 56,
    KA_RS_STENCILREF = 57,
    KA_RS_STENCILMASK = 58,
    KA_RS_STENCILWRITEMASK = 59,
    KA_RS_TEXTUREFACTOR = 60,
    KA_RS_LIGHTING = 137,
    KA_RS_AMBIENT = 139,
    KA_RS_FOGVERTEXMODE = 140,
    KA_RS_COLORVERTEX = 141,
    KA_RS_LOCALVIEWER = 142,
    KA_RS_NORMALIZENORMALS = 143,
    KA_RS_DIFFUSEMATERIALSOURCE = 145,
    KA_RS_SPECULARMATERIALSOURCE = 146,
    KA_RS_AMBIENTMATERIALSOURCE = 147,
    KA_RS_EMISSIVEMATERIALSOURCE = 148,
    KA_RS_VERTEXBLEND = 151,
    KA_RS_SOFTWAREVERTEXPROCESSING = 153,
    KA_RS_POINTSIZE = 154,
    KA_RS_POINTSIZE_MIN = 155,
    KA_RS_POINTSPRITEENABLE = 156,
    KA_RS_POINTSCALEENABLE = 157,
    KA_RS_POINTSCALE_A = 158,
    KA_RS_POINTSCALE_B = 159,
    KA_RS_POINTSCALE_C = 160,
    KA_RS_MULTISAMPLEANTIALIAS = 161,
    KA_RS_POINTSIZE_MAX = 166,
    KA_RS_INDEXEDVERTEXBLENDENABLE = 167,
    KA_RS_COLORWRITEENABLE = 168,
    KA_RS_BLENDOP = 171,
};

enum kaTextureStateNumber : unsigned {
    KA_TSS_COLOROP = 1,
    KA_TSS_COLORARG1 = 2,
    KA_TSS_COLORARG2 = 3,
    KA_TSS_ALPHAOP = 4,
    KA_TSS_ALPHAARG1 = 5,
    KA_TSS_ALPHAARG2 = 6,
    KA_TSS_BUMPENVMAT00 = 7,
    KA_TSS_BUMPENVMAT01 = 8,
    KA_TSS_BUMPENVMAT10 = 9,
    KA_TSS_BUMPENVMAT11 = 10,
    KA_TSS_TEXCOORDINDEX = 11,
    KA_TSS_ADDRESSU = 13,
    KA_TSS_ADDRESSV = 14,
    KA_TSS_BORDERCOLOR = 15,
    KA_TSS_MAGFILTER = 16,
    KA_TSS_MINFILTER = 17,
    KA_TSS_MIPFILTER = 18,
    KA_TSS_MIPMAPLODBIAS = 19,
    KA_TSS_MAXMIPLEVEL = 20,
    KA_TSS_MAXANISOTROPY = 21,
    KA_TSS_BUMPENVLSCALE = 22,
    KA_TSS_BUMPENVLOFFSET = 23,
    KA_TSS_TEXTURETRANSFORMFLAGS = 24,
    KA_TSS_ADDRESSW = 25,
    KA_TSS_COLORARG0 = 26,
    KA_TSS_ALPHAARG0 = 27,
    KA_TSS_RESULTARG = 28,
};

// Texture-stage operations (KA_TSS_COLOROP, KA_TSS_ALPHAOP).
enum kaTextureOp : unsigned {
    KA_TOP_DISABLE = 1,
    KA_TOP_SELECTARG1 = 2,
    KA_TOP_SELECTARG2 = 3,
    KA_TOP_MODULATE = 4,
    KA_TOP_MODULATE2X = 5,
    KA_TOP_MODULATE4X = 6,
    KA_TOP_ADD = 7,
    KA_TOP_ADDSIGNED = 8,
    KA_TOP_ADDSIGNED2X = 9,
    KA_TOP_SUBTRACT = 10,
    KA_TOP_ADDSMOOTH = 11,
    KA_TOP_BLENDDIFFUSEALPHA = 12,
    KA_TOP_BLENDTEXTUREALPHA = 13,
    KA_TOP_BLENDFACTORALPHA = 14,
    KA_TOP_BLENDTEXTUREALPHAPM = 15,
    KA_TOP_BLENDCURRENTALPHA = 16,
    KA_TOP_PREMODULATE = 17,
    KA_TOP_MODULATEALPHA_ADDCOLOR = 18,
    KA_TOP_MODULATECOLOR_ADDALPHA = 19,
    KA_TOP_MODULATEINVALPHA_ADDCOLOR = 20,
    KA_TOP_MODULATEINVCOLOR_ADDALPHA = 21,
    KA_TOP_BUMPENVMAP = 22,
    KA_TOP_BUMPENVMAPLUMINANCE = 23,
    KA_TOP_DOTPRODUCT3 = 24,
    KA_TOP_MULTIPLYADD = 25,
    KA_TOP_LERP = 26,
};

// Texture-stage arguments: a source in the low bits and two modifier bits.
enum kaTextureArg : unsigned {
    KA_TA_DIFFUSE = 0,
    KA_TA_CURRENT = 1,
    KA_TA_TEXTURE = 2,
    KA_TA_TFACTOR = 3,
    KA_TA_SPECULAR = 4,
    KA_TA_TEMP = 5,
    KA_TA_SELECTMASK = 0xF,
    KA_TA_COMPLEMENT = 0x10,
    KA_TA_ALPHAREPLICATE = 0x20,
};

// KA_TSS_TEXCOORDINDEX: the set in the low 16 bits, generated coordinates above.
enum kaTexCoordIndex : unsigned {
    KA_TCI_PASSTHRU = 0x00000,
    KA_TCI_CAMERASPACENORMAL = 0x10000,
    KA_TCI_CAMERASPACEPOSITION = 0x20000,
    KA_TCI_CAMERASPACEREFLECTIONVECTOR = 0x30000,
};

// KA_TSS_TEXTURETRANSFORMFLAGS: the number of coordinates kept, and projection.
enum kaTextureTransformFlags : unsigned {
    KA_TTFF_DISABLE = 0,
    KA_TTFF_COUNT1 = 1,
    KA_TTFF_COUNT2 = 2,
    KA_TTFF_COUNT3 = 3,
    KA_TTFF_COUNT4 = 4,
    KA_TTFF_PROJECTED = 256,
};

enum kaTextureAddress : unsigned {
    KA_TADDRESS_WRAP = 1,
    KA_TADDRESS_MIRROR = 2,
    KA_TADDRESS_CLAMP = 3,
    KA_TADDRESS_BORDER = 4,
    KA_TADDRESS_MIRRORONCE = 5,
};

enum kaTextureFilter : unsigned {
    KA_TEXF_NONE = 0,
    KA_TEXF_POINT = 1,
    KA_TEXF_LINEAR = 2,
    KA_TEXF_ANISOTROPIC = 3,
};

enum kaCompareFunc : unsigned {
    KA_CMP_NEVER = 1,
    KA_CMP_LESS = 2,
    KA_CMP_EQUAL = 3,
    KA_CMP_LESSEQUAL = 4,
    KA_CMP_GREATER = 5,
    KA_CMP_NOTEQUAL = 6,
    KA_CMP_GREATEREQUAL = 7,
    KA_CMP_ALWAYS = 8,
};

enum kaBlend : unsigned {
    KA_BLEND_ZERO = 1,
    KA_BLEND_ONE = 2,
    KA_BLEND_SRCCOLOR = 3,
    KA_BLEND_INVSRCCOLOR = 4,
    KA_BLEND_SRCALPHA = 5,
    KA_BLEND_INVSRCALPHA = 6,
    KA_BLEND_DESTALPHA = 7,
    KA_BLEND_INVDESTALPHA = 8,
    KA_BLEND_DESTCOLOR = 9,
    KA_BLEND_INVDESTCOLOR = 10,
    KA_BLEND_SRCALPHASAT = 11,
    KA_BLEND_BOTHSRCALPHA = 12,
    KA_BLEND_BOTHINVSRCALPHA = 13,
};

enum kaBlendOp : unsigned {
    KA_BLENDOP_ADD = 1,
    KA_BLENDOP_SUBTRACT = 2,
    KA_BLENDOP_REVSUBTRACT = 3,
    KA_BLENDOP_MIN = 4,
    KA_BLENDOP_MAX = 5,
};

enum kaStencilOp : unsigned {
    KA_STENCILOP_KEEP = 1,
    KA_STENCILOP_ZERO = 2,
    KA_STENCILOP_REPLACE = 3,
    KA_STENCILOP_INCRSAT = 4,
    KA_STENCILOP_DECRSAT = 5,
    KA_STENCILOP_INVERT = 6,
    KA_STENCILOP_INCR = 7,
    KA_STENCILOP_DECR = 8,
};

enum kaCullMode : unsigned {
    KA_CULL_NONE = 1,
    KA_CULL_CW = 2,
    KA_CULL_CCW = 3,
};

enum kaShadeMode : unsigned {
    KA_SHADE_FLAT = 1,
    KA_SHADE_GOURAUD = 2,
};

enum kaFillMode : unsigned {
    KA_FILL_POINT = 1,
    KA_FILL_WIREFRAME = 2,
    KA_FILL_SOLID = 3,
};

enum kaFogMode : unsigned {
    KA_FOG_NONE = 0,
    KA_FOG_EXP = 1,
    KA_FOG_EXP2 = 2,
    KA_FOG_LINEAR = 3,
};

// Where lighting takes a material colour from (KA_RS_*MATERIALSOURCE).
enum kaMaterialColorSource : unsigned {
    KA_MCS_MATERIAL = 0,
    KA_MCS_COLOR1 = 1,
    KA_MCS_COLOR2 = 2,
};

enum kaLightType : unsigned {
    KA_LIGHT_POINT = 1,
    KA_LIGHT_SPOT = 2,
    KA_LIGHT_DIRECTIONAL = 3,
};

enum kaPrimitiveType : unsigned {
    KA_PT_POINTLIST = 1,
    KA_PT_LINELIST = 2,
    KA_PT_LINESTRIP = 3,
    KA_PT_TRIANGLELIST = 4,
    KA_PT_TRIANGLESTRIP = 5,
    KA_PT_TRIANGLEFAN = 6,
};

// Usage bits the devices look at.
enum kaUsage : unsigned {
    KA_USAGE_RENDERTARGET = 0x001,
    KA_USAGE_DYNAMIC = 0x200,
};

constexpr uint32_t kaFourCC(char a, char b, char c, char d) {
    return uint32_t(uint8_t(a)) | uint32_t(uint8_t(b)) << 8 | uint32_t(uint8_t(c)) << 16 |
           uint32_t(uint8_t(d)) << 24;
}

enum kaTextureFormat : uint32_t {
    KA_FMT_UNKNOWN = 0,
    KA_FMT_A8R8G8B8 = 21,
    KA_FMT_X8R8G8B8 = 22,
    KA_FMT_R5G6B5 = 23,
    KA_FMT_X1R5G5B5 = 24,
    KA_FMT_A1R5G5B5 = 25,
    KA_FMT_A4R4G4B4 = 26,
    KA_FMT_A8 = 28,
    KA_FMT_L8 = 50,
    KA_FMT_A8L8 = 51,
    KA_FMT_D16 = 80,
    KA_FMT_D24S8 = 75,
    KA_FMT_D24X8 = 77,
    KA_FMT_D32 = 71,
    KA_FMT_DXT1 = kaFourCC('D', 'X', 'T', '1'),
    KA_FMT_DXT2 = kaFourCC('D', 'X', 'T', '2'),
    KA_FMT_DXT3 = kaFourCC('D', 'X', 'T', '3'),
    KA_FMT_DXT4 = kaFourCC('D', 'X', 'T', '4'),
    KA_FMT_DXT5 = kaFourCC('D', 'X', 'T', '5'),
};
