// One table of generated cases drawn through the device interface and
// compared pixel by pixel with what the Direct3D 8 device drew: texture-stage
// operations with their arguments and modifiers, blend factors and
// operations, alpha test, fog modes, pixel-shader instructions with their
// modifiers and register ranges, the decoding of every texture format, and
// the sections of the state stack.  The Direct3D 8 device's pictures (drawn
// under Wine) are kept in d3d8-reference.txt; with VX_DEVICE_REFERENCE_OUT
// set, the run writes its own pictures there instead of comparing, which is
// how the reference is made.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "kaConformanceTest.h"
#include "kaDeviceNumbers.h"
#include "kaDeviceState.h"
#include "kaResult.h"

namespace {

constexpr unsigned kFormat = 0x1C2;  // position, diffuse, specular, one set of two floats
constexpr unsigned kCell = 4;        // each case covers 4 x 4 pixels, one texel each
constexpr int kTolerance = 8;        // per channel, as the demo's frames are compared
constexpr unsigned kBackground = 0x80336699;

// A state a case sets: a render state, or a state of texture stage 0 or 1.
enum Target : uint8_t { RENDER, STAGE0, STAGE1 };

struct Setting {
    Target target;
    unsigned state, value;
};

struct Case {
    Case(std::string caseName, std::vector<Setting> caseSettings)
        : name(std::move(caseName)), settings(std::move(caseSettings)) {}

    std::string name;
    std::vector<Setting> settings;
    int texture = 0;              // index of the texture at stage 0
    int pixelShader = -1;         // index of the pixel shader, -1 for the texture stages
    unsigned pushMask = 0;        // with a state-stack case: the sections pushed around its changes
    std::vector<Setting> pushed;  // changed between PushState(pushMask) and PopState
};

struct Texture {
    unsigned format;
    std::vector<unsigned char> texels;  // one 4 x 4 level in the caller's layout
};

// The same bytes every run and on every device.
std::vector<unsigned char> Noise(size_t count, unsigned seed) {
    std::vector<unsigned char> bytes(count);
    for (unsigned char& b : bytes) {
        seed = seed * 1103515245u + 12345u;
        b = static_cast<unsigned char>(seed >> 16);
    }
    return bytes;
}

std::vector<Texture> Textures() {
    const std::pair<unsigned, size_t> formats[] = {
        {KA_FMT_A8R8G8B8, 64}, {KA_FMT_X8R8G8B8, 64}, {KA_FMT_R5G6B5, 32}, {KA_FMT_A1R5G5B5, 32},
        {KA_FMT_A4R4G4B4, 32}, {KA_FMT_A8, 16},       {KA_FMT_L8, 16},     {KA_FMT_A8L8, 32},
        {KA_FMT_DXT1, 8},      {KA_FMT_DXT2, 16},     {KA_FMT_DXT3, 16},   {KA_FMT_DXT4, 16},
        {KA_FMT_DXT5, 16}};
    std::vector<Texture> textures;
    unsigned seed = 7;
    for (const auto& f : formats) textures.push_back({f.first, Noise(f.second, seed++)});
    // DXT1 in its three-colour mode with every index in each row, DXT5 with
    // six interpolated alphas and every alpha index.
    textures.push_back({KA_FMT_DXT1, {0x00, 0x10, 0xFF, 0xFF, 0xE4, 0xE4, 0xE4, 0xE4}});
    Texture sixAlphas{KA_FMT_DXT5, Noise(16, 92)};
    const unsigned char alphas[8] = {0x20, 0xE0, 0x88, 0xC6, 0xFA, 0x77, 0x39, 0x05};
    std::copy(alphas, alphas + 8, sixAlphas.texels.begin());
    textures.push_back(sixAlphas);
    return textures;
}

std::string Hex(unsigned value) {
    char text[16];
    std::snprintf(text, sizeof text, "%X", value);
    return text;
}

const unsigned kOps[] = {
    KA_TOP_DISABLE, KA_TOP_SELECTARG1, KA_TOP_SELECTARG2, KA_TOP_MODULATE, KA_TOP_MODULATE2X,
    KA_TOP_MODULATE4X, KA_TOP_ADD, KA_TOP_ADDSIGNED, KA_TOP_ADDSIGNED2X, KA_TOP_SUBTRACT,
    KA_TOP_ADDSMOOTH, KA_TOP_BLENDDIFFUSEALPHA, KA_TOP_BLENDTEXTUREALPHA, KA_TOP_BLENDFACTORALPHA,
    KA_TOP_BLENDTEXTUREALPHAPM, KA_TOP_BLENDCURRENTALPHA, KA_TOP_MODULATEALPHA_ADDCOLOR,
    KA_TOP_MODULATECOLOR_ADDALPHA, KA_TOP_MODULATEINVALPHA_ADDCOLOR,
    KA_TOP_MODULATEINVCOLOR_ADDALPHA, KA_TOP_DOTPRODUCT3, KA_TOP_MULTIPLYADD, KA_TOP_LERP};

const std::vector<Setting> kBlendOver = {{RENDER, KA_RS_ALPHABLENDENABLE, 1},
                                         {RENDER, KA_RS_SRCBLEND, KA_BLEND_SRCALPHA},
                                         {RENDER, KA_RS_DESTBLEND, KA_BLEND_INVSRCALPHA}};

// Every colour operation with arguments of each source and modifier.
void AddColourOperations(std::vector<Case>& cases) {
    const unsigned first[] = {KA_TA_TEXTURE, KA_TA_DIFFUSE, KA_TA_SPECULAR, KA_TA_TFACTOR, KA_TA_CURRENT,
                              KA_TA_TEXTURE | KA_TA_COMPLEMENT, KA_TA_DIFFUSE | KA_TA_ALPHAREPLICATE};
    const unsigned second[] = {KA_TA_DIFFUSE, KA_TA_TFACTOR, KA_TA_TEXTURE | KA_TA_ALPHAREPLICATE};
    for (unsigned op : kOps) {
        for (unsigned a1 : first) {
            for (unsigned a2 : second) {
                cases.push_back({"colour op " + Hex(op) + " " + Hex(a1) + " " + Hex(a2),
                                 {{STAGE0, KA_TSS_COLOROP, op},
                                  {STAGE0, KA_TSS_COLORARG1, a1},
                                  {STAGE0, KA_TSS_COLORARG2, a2},
                                  {STAGE0, KA_TSS_COLORARG0, KA_TA_SPECULAR}}});
            }
        }
    }
}

// Every alpha operation, shown by blending over the background.
void AddAlphaOperations(std::vector<Case>& cases) {
    const unsigned first[] = {KA_TA_TEXTURE, KA_TA_DIFFUSE, KA_TA_TFACTOR | KA_TA_COMPLEMENT};
    const unsigned second[] = {KA_TA_DIFFUSE, KA_TA_SPECULAR};
    for (unsigned op : kOps) {
        // Wine's Direct3D 8 draws BLENDFACTORALPHA as an alpha operation
        // whatever its arguments, so the reference cannot judge it.
        if (op == KA_TOP_DOTPRODUCT3 || op == KA_TOP_DISABLE || op == KA_TOP_BLENDFACTORALPHA) continue;
        for (unsigned a1 : first) {
            for (unsigned a2 : second) {
                Case c{"alpha op " + Hex(op) + " " + Hex(a1) + " " + Hex(a2),
                       {{STAGE0, KA_TSS_ALPHAOP, op}, {STAGE0, KA_TSS_ALPHAARG1, a1},
                        {STAGE0, KA_TSS_ALPHAARG2, a2}, {STAGE0, KA_TSS_ALPHAARG0, KA_TA_TEXTURE}}};
                c.settings.insert(c.settings.end(), kBlendOver.begin(), kBlendOver.end());
                cases.push_back(c);
            }
        }
    }
}

// Every pair of blend factors with addition, and every operation.
void AddBlending(std::vector<Case>& cases) {
    for (unsigned source = KA_BLEND_ZERO; source <= KA_BLEND_BOTHINVSRCALPHA; ++source) {
        for (unsigned dest = KA_BLEND_ZERO; dest <= KA_BLEND_SRCALPHASAT; ++dest) {
            cases.push_back({"blend " + Hex(source) + " " + Hex(dest),
                             {{RENDER, KA_RS_ALPHABLENDENABLE, 1},
                              {RENDER, KA_RS_SRCBLEND, source},
                              {RENDER, KA_RS_DESTBLEND, dest}}});
        }
    }
    for (unsigned op = KA_BLENDOP_ADD; op <= KA_BLENDOP_MAX; ++op) {
        Case c{"blend op " + Hex(op), {{RENDER, KA_RS_BLENDOP, op}}};
        c.settings.insert(c.settings.end(), kBlendOver.begin(), kBlendOver.end());
        cases.push_back(c);
    }
}

// Alpha test of every function around the texels' alphas; fog of every mode.
void AddAlphaTestAndFog(std::vector<Case>& cases) {
    for (unsigned func = KA_CMP_NEVER; func <= KA_CMP_ALWAYS; ++func) {
        for (unsigned reference : {0x00u, 0x7Fu, 0x80u, 0xFFu}) {
            cases.push_back({"alpha test " + Hex(func) + " " + Hex(reference),
                             {{RENDER, KA_RS_ALPHATESTENABLE, 1},
                              {RENDER, KA_RS_ALPHAFUNC, func},
                              {RENDER, KA_RS_ALPHAREF, reference},
                              {STAGE0, KA_TSS_ALPHAOP, KA_TOP_SELECTARG1}}});
        }
    }
    const float start = 0.25f, end = 0.875f, density = 1.5f;
    unsigned bits[3];
    std::memcpy(&bits[0], &start, 4);
    std::memcpy(&bits[1], &end, 4);
    std::memcpy(&bits[2], &density, 4);
    for (unsigned mode = KA_FOG_EXP; mode <= KA_FOG_LINEAR; ++mode) {
        for (unsigned table : {0u, 1u}) {
            cases.push_back({"fog " + Hex(mode) + (table ? " per pixel" : " per vertex"),
                             {{RENDER, KA_RS_FOGENABLE, 1},
                              {RENDER, KA_RS_FOGCOLOR, 0xFF20E040},
                              {RENDER, KA_RS_FOGSTART, bits[0]},
                              {RENDER, KA_RS_FOGEND, bits[1]},
                              {RENDER, KA_RS_FOGDENSITY, bits[2]},
                              {RENDER, table ? KA_RS_FOGTABLEMODE : KA_RS_FOGVERTEXMODE, mode}}});
        }
    }
}

// Each texture format's texels, colour and alpha, blended over the background.
void AddFormats(std::vector<Case>& cases, size_t textureCount) {
    for (size_t t = 1; t < textureCount; ++t) {
        Case c{"texture " + std::to_string(t), kBlendOver};
        c.settings.push_back({STAGE0, KA_TSS_ALPHAOP, KA_TOP_SELECTARG1});
        c.settings.push_back({STAGE0, KA_TSS_COLOROP, KA_TOP_SELECTARG1});
        c.texture = int(t);
        cases.push_back(c);
    }
}

// Changes to render states, texture-stage states and fog inside a push of
// each section, undone by the pop only where the section was pushed.
void AddStateStack(std::vector<Case>& cases) {
    const std::vector<Setting> changes = {{RENDER, KA_RS_TEXTUREFACTOR, 0xFF10C0F0},
                                          {STAGE0, KA_TSS_COLORARG1, KA_TA_TFACTOR},
                                          {RENDER, KA_RS_FOGCOLOR, 0xFFF0F000}};
    for (unsigned mask : {0u, unsigned(KA_STATE_RENDERSTATES), unsigned(KA_STATE_TEXTURESTATES),
                          unsigned(KA_STATE_FOG), unsigned(KA_STATE_ALL)}) {
        Case c{"state stack " + Hex(mask),
               {{STAGE0, KA_TSS_COLOROP, KA_TOP_SELECTARG1}, {RENDER, KA_RS_FOGENABLE, 1},
                {RENDER, KA_RS_FOGVERTEXMODE, KA_FOG_LINEAR}}};
        c.pushMask = mask;
        c.pushed = changes;
        cases.push_back(c);
    }
}

std::vector<std::string> PixelShaders() {
    const char* const ops[] = {"mov {d} r1, {x}",         "add {d} r1, {x}, c2",
                               "sub {d} r1, {x}, c2",     "mul {d} r1, {x}, c2",
                               "mad {d} r1, {x}, c2, v0", "lrp {d} r1, c2, {x}, v0",
                               "dp3 {d} r1, {x}, c2"};
    const char* const sourceModifiers[] = {"{r}", "{r}_bias", "{r}_bx2", "1-{r}", "-{r}"};
    const char* const destModifiers[] = {"", "_x2", "_x4", "_d2", "_sat"};
    // ps.1.1 shows r1 in [-1, 1] as 0.5 r1 + 0.5, ps.1.4 shows r1 in [-8, 8]
    // as r1 / 16 + 0.5.
    const char* const versions[][3] = {{"ps.1.1\ntex t0\n", "t0", "mad r0, r1, c3, c3\n"},
                                       {"ps.1.4\ntexld r0, t0\n", "r0", "mad r0, r1, c4, c3\n"}};
    std::vector<std::string> shaders;
    for (const auto& version : versions) {
        for (const char* op : ops) {
            for (const char* source : sourceModifiers) {
                for (const char* dest : destModifiers) {
                    std::string x = source, text = op;
                    x.replace(x.find("{r}"), 3, version[1]);
                    text.replace(text.find("{x}"), 3, x);
                    text.replace(text.find(" {d}"), 4, dest);
                    shaders.push_back(std::string(version[0]) + text + "\n" + version[2]);
                }
            }
        }
    }
    return shaders;
}

class DifferentialTest : public kaConformanceTest {
protected:
    void TearDown() override {
        if (mDevice) {
            mDevice->setTexture(0, nullptr);
            mDevice->setPixelShader(nullptr);
        }
        for (kaVertexBuffer* buffer : mBuffers) buffer->Release();
        for (kaBaseTexture* texture : mTextures) texture->Release();
        for (kaPixelShader* shader : mShaders) shader->Release();
        kaConformanceTest::TearDown();
    }

    void Apply(const std::vector<Setting>& settings) {
        for (const Setting& s : settings) {
            if (s.target == RENDER) {
                mDevice->setRenderState(s.state, s.value);
            } else {
                mDevice->setTextureState(s.target == STAGE0 ? 0 : 1, s.state, s.value);
            }
        }
    }

    void DrawCase(const Case& c, unsigned x, unsigned y) {
        ASSERT_EQ(mDevice->PushState(KA_STATE_ALL), KA_OK);
        Apply(c.settings);
        if (!c.pushed.empty()) {
            ASSERT_EQ(mDevice->PushState(c.pushMask), KA_OK);
            Apply(c.pushed);
            ASSERT_EQ(mDevice->PopState(), KA_OK);
        }
        mDevice->setTexture(0, mTextures[size_t(c.texture)]);
        mDevice->setPixelShader(c.pixelShader >= 0 ? mShaders[size_t(c.pixelShader)] : nullptr);
        kaVertexBuffer* quad = nullptr;
        ASSERT_EQ(mDevice->CreateVertexBuffer(&quad, kFormat, 4, 0), KA_OK);
        mBuffers.push_back(quad);
        ASSERT_EQ(quad->Lock(0, 0, 0), KA_OK);
        // Each pixel centre on a texel centre, the quad half-way through the depth range.
        const float x0 = float(x) - 0.5f, y0 = float(y) - 0.5f;
        for (unsigned corner = 0; corner < 4; ++corner) {
            quad->Vertex3f(x0 + kCell * float(corner % 2), y0 + kCell * float(corner / 2), 0.5f);
            quad->Diffuse4ub(0xC0, 0x60, 0x30, 0x90);
            quad->Specular4ub(0x20, 0x50, 0x80, 0x70);
            quad->TexCoord2f(0, float(corner % 2), float(corner / 2));
        }
        ASSERT_EQ(quad->Unlock(), KA_OK);
        ASSERT_EQ(mDevice->setVertexFormat(kFormat), KA_OK);
        ASSERT_EQ(mDevice->setVertexBuffer(quad), KA_OK);
        ASSERT_EQ(mDevice->DrawPrimitive(KA_PT_TRIANGLESTRIP, 0, 2), KA_OK) << c.name;
        ASSERT_EQ(mDevice->PopState(), KA_OK);
    }

    void MakeTexturesAndShaders() {
        for (Texture& t : Textures()) {
            kaBaseTexture* texture = nullptr;
            ASSERT_EQ(mDevice->CreateTexture(&texture, 4, 4, t.format, 1, 0), KA_OK);
            mTextures.push_back(texture);
            unsigned format = 0;
            ASSERT_EQ(texture->getLevelDesc(&format, nullptr, nullptr, nullptr, 0), KA_OK);
            ASSERT_EQ(format, t.format) << "the device keeps the format";
            ASSERT_EQ(texture->UpdateBuffer(t.texels.data(), 0), KA_OK) << t.format;
        }
        for (std::string text : PixelShaders()) {
            kaPixelShader* shader = nullptr;
            ASSERT_EQ(mDevice->CreatePixelShader(&shader, &text[0], unsigned(text.size())), KA_OK) << text;
            mShaders.push_back(shader);
        }
    }

    // The 4 x 4 pixels of a cell, "all equal" written as one.
    std::string Samples(unsigned x, unsigned y) const {
        std::vector<unsigned> pixels;
        for (unsigned dy = 0; dy < kCell; ++dy) {
            for (unsigned dx = 0; dx < kCell; ++dx) pixels.push_back(At(x + dx, y + dy));
        }
        bool same = true;
        for (unsigned p : pixels) same = same && p == pixels[0];
        std::string text;
        for (size_t i = 0; i < (same ? 1 : pixels.size()); ++i) text += (i ? " " : "") + Hex(pixels[i]);
        return text;
    }

    std::vector<kaVertexBuffer*> mBuffers;
    std::vector<kaBaseTexture*> mTextures;
    std::vector<kaPixelShader*> mShaders;
};

std::vector<Case> AllCases(size_t textureCount, size_t shaderCount) {
    std::vector<Case> cases;
    AddColourOperations(cases);
    AddAlphaOperations(cases);
    AddBlending(cases);
    AddAlphaTestAndFog(cases);
    AddFormats(cases, textureCount);
    AddStateStack(cases);
    for (size_t s = 0; s < shaderCount; ++s) {
        Case c{"pixel shader " + std::to_string(s), {}};
        c.pixelShader = int(s);
        cases.push_back(c);
    }
    return cases;
}

std::map<std::string, std::string> ReadReference(const std::string& path) {
    std::map<std::string, std::string> reference;
    std::ifstream file(path);
    std::string line;
    while (std::getline(file, line)) {
        const size_t tab = line.find('\t');
        if (tab != std::string::npos) reference[line.substr(0, tab)] = line.substr(tab + 1);
    }
    return reference;
}

std::vector<unsigned> Pixels(const std::string& text) {
    std::vector<unsigned> pixels;
    std::istringstream in(text);
    unsigned value = 0;
    while (in >> std::hex >> value) pixels.push_back(value);
    if (pixels.size() == 1) pixels.assign(kCell * kCell, pixels[0]);
    return pixels;
}

// Every pixel within the tolerance of the reference's.
bool Matches(const std::string& drawn, const std::string& reference) {
    const std::vector<unsigned> a = Pixels(drawn), b = Pixels(reference);
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (!ColorNear(a[i], b[i], kTolerance)) return false;
    }
    return true;
}

}  // namespace

TEST_F(DifferentialTest, EveryCaseDrawsAsTheDirect3D8DeviceDrewIt) {
    MakeTexturesAndShaders();
    if (HasFatalFailure()) return;
    const std::vector<Case> cases = AllCases(mTextures.size(), mShaders.size());
    const unsigned perRow = kWidth / kCell;
    ASSERT_LE(cases.size(), size_t(perRow) * (kHeight / kCell));
    mDevice->setRenderState(KA_RS_LIGHTING, 0);
    mDevice->setRenderState(KA_RS_CULLMODE, KA_CULL_NONE);
    mDevice->setRenderState(KA_RS_ZENABLE, 0);
    mDevice->setRenderState(KA_RS_TEXTUREFACTOR, 0x60A0D040);
    // The base every case starts from: stage 0 modulates its texture with
    // the diffuse colour and takes the texture's alpha, stage 1 is off.
    const std::vector<Setting> base = {
        {STAGE0, KA_TSS_MAGFILTER, KA_TEXF_POINT},    {STAGE0, KA_TSS_MINFILTER, KA_TEXF_POINT},
        {STAGE0, KA_TSS_COLOROP, KA_TOP_MODULATE},    {STAGE0, KA_TSS_COLORARG1, KA_TA_TEXTURE},
        {STAGE0, KA_TSS_COLORARG2, KA_TA_CURRENT},    {STAGE0, KA_TSS_ALPHAOP, KA_TOP_SELECTARG1},
        {STAGE0, KA_TSS_ALPHAARG1, KA_TA_TEXTURE},    {STAGE0, KA_TSS_ALPHAARG2, KA_TA_CURRENT},
        {STAGE1, KA_TSS_COLOROP, KA_TOP_DISABLE},     {STAGE1, KA_TSS_ALPHAOP, KA_TOP_DISABLE},
        {RENDER, KA_RS_FOGTABLEMODE, KA_FOG_NONE},    {RENDER, KA_RS_FOGVERTEXMODE, KA_FOG_NONE}};
    Apply(base);
    float constants[5][4] = {{0.9f, -0.4f, 0.25f, 0.6f}, {-0.7f, 0.8f, 0.5f, -0.3f}, {0.3f, -0.6f, 0.9f, 0.45f},
                             {0.5f, 0.5f, 0.5f, 0.5f},  {0.0625f, 0.0625f, 0.0625f, 0.0625f}};
    ASSERT_EQ(mDevice->setPixelShaderConstant(0, constants[0], 5), KA_OK);
    mDevice->LoadIdentity(KA_TS_WORLD);
    mDevice->LoadIdentity(KA_TS_VIEW);
    mDevice->LoadIdentity(KA_TS_PROJECTION);
    mDevice->OrthoLH(KA_TS_PROJECTION, float(kWidth), float(kHeight), 0.0f, 1.0f);
    ASSERT_EQ(mDevice->Clear(KA_CLEAR_TARGET, kBackground, 1.0f, 0), KA_OK);
    ASSERT_EQ(mDevice->BeginRender(), KA_OK);
    for (size_t i = 0; i < cases.size(); ++i) {
        DrawCase(cases[i], unsigned(i % perRow) * kCell, unsigned(i / perRow) * kCell);
        if (HasFatalFailure()) return;
    }
    ASSERT_EQ(mDevice->EndRender(), KA_OK);
    PresentFrame();

    const char* out = std::getenv("VX_DEVICE_REFERENCE_OUT");
    if (out != nullptr) {
        std::ofstream file(out);
        for (size_t i = 0; i < cases.size(); ++i) {
            file << cases[i].name << '\t' << Samples(unsigned(i % perRow) * kCell, unsigned(i / perRow) * kCell) << '\n';
        }
        ASSERT_TRUE(file.good()) << "cannot write " << out;
        return;
    }
    const std::map<std::string, std::string> reference = ReadReference(VX_DEVICE_REFERENCE);
    ASSERT_FALSE(reference.empty()) << "no reference in " << VX_DEVICE_REFERENCE;
    size_t differing = 0;
    for (size_t i = 0; i < cases.size(); ++i) {
        const std::string drawn = Samples(unsigned(i % perRow) * kCell, unsigned(i / perRow) * kCell);
        const auto found = reference.find(cases[i].name);
        if (found != reference.end() && Matches(drawn, found->second)) continue;
        ++differing;
        ADD_FAILURE() << cases[i].name << ": drew " << drawn << ", Direct3D 8 "
                      << (found == reference.end() ? std::string("nothing (not in the reference)") : found->second);
    }
    EXPECT_EQ(differing, 0u) << "of " << cases.size() << " cases";
}
