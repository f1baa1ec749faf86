#pragma once

// Translation of Direct3D 8 shader token streams (vs.1.0, vs.1.1, ps.1.0 to
// ps.1.4, as kaShaderAssembler produces them) into GLSL for the OpenGL
// device, with the results Direct3D 8 hardware gives.  No GL calls: the
// functions only turn tokens into text.
//
// Every stream is decoded and checked with the assembler's own rules first;
// a stream the assembler would not have produced fails with an error that
// names the bad token or instruction, for example
//   "instruction 3 (mov r9, v0): register r9 is out of range (ps.1.1 has r0 to r1)".
//
// Both dialects give the same text apart from the first lines:
//   Core330: "#version 330 core"
//   Es300:   "#version 300 es" and "precision highp float;", "precision highp int;",
//            "precision highp sampler3D;", "precision highp samplerCube;"
// No desktop-only function is used.
//
// VERTEX PROGRAM (complete: it has main)
//   inputs     register vN is `layout(location = N) in vec4 vx_v<N>;`, declared only
//              when the shader reads it.  Bind each vertex-declaration element to
//              the location of its register; missing components read as 0, 0, 0, 1.
//   constants  `layout(std140) uniform vx_VertexConstants { vec4 vx_c[96]; };`
//              c[a0.x + n] reads vx_c[clamp(a0.x + n, 0, 95)].  A vertex shader's
//              def constants are not in its token stream: the device loads them
//              into the block when the shader is set.  A def token in a vertex
//              stream is refused.
//   outputs    always all of `out vec4 vx_Color0, vx_Color1; out vec4 vx_Tex0 ... vx_Tex7;
//              out float vx_Fog;`.  What the shader does not write keeps its
//              default: colours (1, 1, 1, 1), texture coordinates (0, 0, 0, 1), fog
//              1.0 (a written component replaces only that component).  oPts
//              becomes gl_PointSize, which is otherwise the x of `uniform vec4
//              vx_PointSize;` (the point-size render state).  oD0, oD1 and oFog are saturated to [0, 1] per
//              vertex, before interpolation, as Direct3D saturates them.
//   position   oPos goes to a local `vec4 p`; main ends with kaGLSLPositionEpilogue(),
//              which reads `uniform vec4 vx_PositionAdjust;` (declared by the
//              program).
//   a0         `mov a0.x, src` takes floor(src): vs.1.1 hardware rounds towards
//              minus infinity (-0.4 gives -1, 1.6 gives 1).
//   rcp, rsq   of 1 give exactly 1, of 0 give +infinity; rsq takes the absolute
//              value first.  log of 0 gives -FLT_MAX, logp of 0 gives
//              (-FLT_MAX, 1, -FLT_MAX, 1); expp and logp give their partial-
//              precision z with the low 8 mantissa bits cleared.
//
// PIXEL PROGRAM (no main: it defines `vec4 vx_ShadePixel()`)
//   The text declares every pixel input, `in vec4 vx_Color0, vx_Color1;
//   in vec4 vx_Tex0 ... vx_Tex7; in float vx_Fog;`, so that the device's tail
//   (which declares `out vec4 vx_FragColor;` and main, and may read vx_Fog) must
//   not declare them again.  vx_ShadePixel returns r0 saturated to [0, 1], the
//   value Direct3D 8 writes to the target; the tail applies alpha test and fog.
//   constants  `uniform vec4 vx_pc[8];`, read clamped to [-1, 1] as Direct3D 8
//              clamps pixel shader constants; def constants replace their
//              registers in the code (also clamped).
//   colours    v0, v1 read vx_Color0, vx_Color1 clamped to [0, 1].
//   samplers   stage N is `uniform sampler2D / samplerCube / sampler3D vx_Sampler<N>;`
//              by kinds[N], declared only when the shader samples stage N; stage N
//              uses texture unit N.  A stage of kind None samples (0, 0, 0, 1).
//              Every lookup of stage N adds the stage's mip-level bias from
//              `uniform vec4 vx_MipBias[2];`, element N / 4, component N % 4.
//              2D lookups use the coordinate's x, y; cube and volume x, y, z.
//   coordinates  stage N's coordinates are vx_Tex<N> (ps.1.0-1.3 tN; ps.1.4 tN read
//              by texld, texcrd, texkill).  ps.1.0-1.3 tex divides them by their
//              component projected[N] (2 y, 3 z, 4 w) where that is given, as
//              Direct3D does for a stage with D3DTTFF_PROJECTED; 0 divides nothing.
//   bump       texbem, texbeml and bem read the bump-environment matrix of the
//              stage (the texbem destination's stage, bem's destination register
//              number) from `uniform vec4 vx_BumpMat<N>;` = (M00, M01, M10, M11)
//              and texbeml its luminance scale and offset from
//              `uniform vec2 vx_BumpLum<N>;`; declared only when used.
//   range      every arithmetic result is, after its _x2.._d8 shift and _sat,
//              clamped to the register range: [-1, 1] in ps.1.0-1.3, [-8, 8] in
//              ps.1.4; texture registers hold sampled colours, texcoord gives the
//              coordinate clamped to [0, 1] (alpha 1).
//   co-issue   an instruction written with '+' and the one before it read their
//              sources before either writes, as the two pipes run in parallel.
//   cnd        ps.1.0-1.3: src0 is r0.a, src1 where r0.a > 0.5 else src2;
//              ps.1.4 per component.  cmp: src1 where src0 >= 0 else src2.
//   depth      texm3x2depth and texdepth write gl_FragDepth (1.0 where the
//              divisor is 0), clamped to [0, 1].
//   texkill    discards the pixel when any of x, y, z is below 0.

#include <cstddef>
#include <cstdint>
#include <string>

enum class kaGLSLDialect { Core330, Es300 };

// What is bound at a texture stage.
enum class kaGLSLTextureKind : uint8_t { None, Tex2D, Cube, Volume };

// Texture stages a pixel shader may sample: 4 in ps.1.0-1.3, 6 in ps.1.4.
constexpr size_t kaGLSLStageCount = 6;

struct kaGLSLSource {
    bool ok = false;
    std::string text;   // the GLSL source when ok
    std::string error;  // names the bad token or instruction when not ok
};

kaGLSLSource kaTranslateVertexShader(const uint32_t* tokens, size_t count, kaGLSLDialect dialect);

// `kinds` has kaGLSLStageCount entries (those past the version's stages are
// not read), and so has `projected` where it is given.
kaGLSLSource kaTranslatePixelShader(const uint32_t* tokens, size_t count, const kaGLSLTextureKind kinds[kaGLSLStageCount],
                                    kaGLSLDialect dialect, const uint8_t* projected = nullptr);

// GLSL statements that turn the clip-space position `p` (a vec4) into
// gl_Position, ending every vertex program (the device's fixed-function
// ones too):
//   gl_Position = vec4(p.x + vx_PositionAdjust.x * p.w,
//                      (p.y + vx_PositionAdjust.y * p.w) * vx_PositionAdjust.z,
//                      2.0 * p.z - p.w, p.w);
// vx_PositionAdjust.xy moves Direct3D's pixel centres onto GL's (-1/width,
// +1/height of the current target), .z is +1 on screen and -1 when drawing
// into a texture, and the z term maps Direct3D's depth range 0..1 onto GL's
// -1..1.
std::string kaGLSLPositionEpilogue();
