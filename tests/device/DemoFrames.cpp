// demo_frames: plays the demo on the device of the conformance suite (the
// OpenGL device natively, the Direct3D 8 device under Windows) and writes the
// frames at chosen demo times as PNG pictures, so that the devices' pictures
// of the same moments can be compared.
//
//   demo_frames [--fps N] [--closing] MEDIA_ROOT OUT_DIR TIME...
//
// MEDIA_ROOT is the folder that holds xMedia (the media generator's output);
// the program works from MEDIA_ROOT/bin as the player does.  The demo runs
// frame by frame on a clock of its own, N frames a second (30 unless told):
// frame n shows demo time n / N, with the frame delta 1 / N, and the clips
// run on the same clock, so a time always gives the same picture.  The frame
// of each TIME (seconds, rounded down to a frame) goes to
// OUT_DIR/frame-SSS.sss.png; --closing also writes the two closing pictures.
// With the OpenGL device, VX_GL_CONTEXT chooses the context (core33 or es3)
// and SDL_VIDEODRIVER=offscreen runs without a display.  Exit code 0, 1 on a
// failure (said on standard error), 2 for a usage error.
#include <png.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "DemoFrame.h"
#include "DemoGlobals.h"
#include "OutroPictures.h"
#include "kaAnimClip.h"
#include "kaCamera.h"
#include "kaCharacter.h"
#include "kaClipClock.h"
#include "kaDeviceGlobal.h"
#include "kaDeviceNumbers.h"
#include "kaMeshModel.h"
#include "kaOrthoOverlay.h"
#include "kaShaderRenderer.h"
#include "kaSpriteBatch.h"
#include "kaRenderDevice.h"
#include "kaTestDevice.h"
#include "kaTexture.h"
#include "kaTimer.h"

namespace {

constexpr unsigned kWidth = 800, kHeight = 600;
constexpr unsigned kSpriteSlot = 5, kConceptSlot = 3, kThanksSlot = 4;

// The clip files by slot, as start-up loads them (slots 6 and 7 stay empty).
const char* const kClipsBySlot[] = {
    "qx_ajusta_luva.tda",   "qx_ajusta_oculos.tda", "qx_ajusta_tomates.tda", "qx_corre.tda",
    "qx_respira.tda",       "qx_ajusta_anal.tda",   nullptr,                 nullptr,
    "qx_agarra_hoverboard.tda", "qx_pontape.tda",   "qx_dancar.tda",         "qx_gozo1.tda",
    "qx_gozo2.tda",         "qx_gozo3.tda",         "qx_gozo4.tda",          "qx_gozo5.tda",
    "qx_gozo6.tda",         "qx_gozo7.tda",         "qx_gozo8.tda",          "qx_voa.tda"};

uint32_t gMilliseconds = 0;
uint32_t FrameMilliseconds() { return gMilliseconds; }

int Fail(const std::string& what) {
    std::fprintf(stderr, "demo_frames: %s\n", what.c_str());
    return 1;
}

// The world start-up builds: the renderer, the overlay, pictures, the
// character and its clips, the models, the sprites and the cameras.
bool BuildWorld() {
    gShaderRenderer = new kaShaderRenderer();
    if (gShaderRenderer->Init(int(kWidth), int(kHeight)) != 0) return false;
    gDevice->setRenderState(KA_RS_CULLMODE, KA_CULL_CW);
    gDevice->setRenderState(KA_RS_LIGHTING, 0);
    gOverlay = new kaOrthoOverlay();
    if (gOverlay->Init(128) != 0) return false;
    gOverlayQuad = new kaOverlayQuad{-1, -1, 1, 1, 0, 0, 1, -1, nullptr, 0xFFFFFFFF};
    gTextures = new kaTexture[kaTextureSlots];
    const std::pair<unsigned, const char*> pictures[] = {
        {0, "garrulon.png"}, {1, "orbelmark.png"}, {kConceptSlot, "concept.jpg"},
        {kThanksSlot, "thanks.jpg"}};
    for (const auto& picture : pictures) {
        if (gTextures[picture.first].Load(picture.second) != 0) return false;
    }
    gFlareTexture = new kaTexture();
    if (gFlareTexture->Load("flare06.tga") != 0) return false;
    gCharacter = new kaCharacter();
    if (gCharacter->LoadModel("Garrulon.tdm") == 0) return false;
    gClips = new kaAnimClip[kaClipSlots];
    for (unsigned slot = 0; slot < sizeof kClipsBySlot / sizeof *kClipsBySlot; ++slot) {
        if (kClipsBySlot[slot] && gClips[slot].LoadClip(kClipsBySlot[slot]) == 0) return false;
    }
    gCharacter->PlayClip(&gClips[0], 0);
    const std::pair<kaMeshModel**, const char*> models[] = {
        {&gStage1, "stage1.tdm"},   {&gStage2, "stage2.tdm"}, {&gCloseStage, "closeStage.tdm"},
        {&gCloseStage2, "closeStage2.tdm"}, {&gFinal, "Final.tdm"}, {&gHoverboard, "hoverboard.tdm"},
        {&gSkybox, "skybox.tdm"}};
    for (const auto& model : models) {
        *model.first = new kaMeshModel();
        if ((*model.first)->Load(model.second) != 0) return false;
    }
    gSpriteBatch = new kaSpriteBatch();
    gSpriteBatch->Init(128);
    gSpriteBatch->texture = gTextures[kSpriteSlot].texture;
    gSprites = new kaSprite[kaSpriteRecords]();
    for (unsigned stage = 0; stage < 4; ++stage) {
        gDevice->setTextureState(stage, KA_TSS_MIPFILTER, KA_TEXF_LINEAR);
        gDevice->setTextureState(stage, KA_TSS_MINFILTER, KA_TEXF_LINEAR);
        gDevice->setTextureState(stage, KA_TSS_MAGFILTER, KA_TEXF_LINEAR);
        gDevice->setTextureState(stage, KA_TSS_MIPMAPLODBIAS, 0xBF800000);  // -1.0
    }
    gCamera = new kaCamera();
    gCamera->Init(kWidth, kHeight);
    gCharacterPath = new kaCamera();
    gCharacterPath->LoadPath("qxPath01.spl");
    for (kaMeshModel* model : {gStage1, gStage2, gCloseStage, gCloseStage2, gFinal, gHoverboard}) {
        gShaderRenderer->MoveModel(model, gCamera, 1, {0, 0, 0});
    }
    gCharacter->Update(1);
    return true;
}

// The frame last shown (shown once more, which changes nothing) as an RGB PNG.
bool WritePng(const std::string& path) {
    const std::vector<uint32_t> frame = kaTestDevice::PresentAndRead(gDevice, kWidth, kHeight);
    if (frame.size() != size_t(kWidth) * kHeight) return false;
    std::vector<unsigned char> rgb;
    rgb.reserve(frame.size() * 3);
    for (uint32_t pixel : frame) rgb.insert(rgb.end(), {uint8_t(pixel >> 16), uint8_t(pixel >> 8), uint8_t(pixel)});
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = kWidth;
    image.height = kHeight;
    image.format = PNG_FORMAT_RGB;
    return png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), 0, nullptr) != 0;
}

// The closing pictures through the player's own code, with the states
// shutdown sets before them (no blending, no pixel shader); each is shown
// twice in a row, so that the frame presented last is that picture.
bool WriteClosingPictures(const std::string& outDir) {
    gDevice->setRenderState(KA_RS_ALPHABLENDENABLE, 0);
    gDevice->setPixelShader(nullptr);
    const std::pair<unsigned, const char*> pictures[] = {{kConceptSlot, "closing-1.png"},
                                                         {kThanksSlot, "closing-2.png"}};
    for (const auto& picture : pictures) {
        kaTimer timer;
        kaBaseTexture* texture = gTextures[picture.first].texture;
        ShowClosingPictures(texture, texture, timer, 0.0f);
        if (!WritePng(outDir + "/" + picture.second)) return false;
    }
    return true;
}

int Play(unsigned fps, const std::vector<double>& times, const std::string& outDir,
         bool closing) {
    gClipClock.setCounter(FrameMilliseconds);
    gClipClock.SetRate(1.0f);
    gClipClock.Reset();
    gRefreshFlag = 1;
    size_t next = 0;
    for (uint64_t frame = 0; next < times.size(); ++frame) {
        gMilliseconds = uint32_t(frame * 1000 / fps);
        float t = 0;
        if (!DemoClock(int(gMilliseconds), &t)) break;
        DrawDemoFrame(1.0f / float(fps), t);
        // Every time up to the next frame's is written from this frame.
        const double nextFrame = double(frame + 1) / fps;
        for (; next < times.size() && times[next] < nextFrame; ++next) {
            char name[64];
            std::snprintf(name, sizeof name, "/frame-%07.3f.png", times[next]);
            if (!WritePng(outDir + name)) return Fail("cannot write " + outDir + name);
            std::printf("%s%s (demo time %.3f)\n", outDir.c_str(), name, double(t));
        }
    }
    if (next < times.size()) return Fail("the demo ends before the time " + std::to_string(times[next]));
    if (closing && !WriteClosingPictures(outDir)) return Fail("cannot write the closing pictures");
    return 0;
}

int Usage() {
    std::fprintf(stderr, "usage: demo_frames [--fps N] [--closing] MEDIA_ROOT OUT_DIR TIME...\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    unsigned fps = 30;
    bool closing = false;
    int arg = 1;
    for (; arg < argc && argv[arg][0] == '-' && argv[arg][1] == '-'; ++arg) {
        if (std::strcmp(argv[arg], "--closing") == 0) {
            closing = true;
        } else if (std::strcmp(argv[arg], "--fps") == 0 && arg + 1 < argc) {
            fps = unsigned(std::strtoul(argv[++arg], nullptr, 10));
            if (fps == 0 || fps > 1000) return Usage();
        } else {
            return Usage();
        }
    }
    if (argc - arg < 2 || (argc - arg < 3 && !closing)) return Usage();
    const std::filesystem::path root = std::filesystem::absolute(argv[arg]);
    const std::string outDir = std::filesystem::absolute(argv[arg + 1]).string();
    std::vector<double> times;
    for (int i = arg + 2; i < argc; ++i) {
        char* end = nullptr;
        times.push_back(std::strtod(argv[i], &end));
        if (*end != '\0' || times.back() < 0) return Usage();
    }
    std::sort(times.begin(), times.end());
    std::error_code error;
    std::filesystem::create_directories(outDir, error);
    std::filesystem::create_directories(root / "bin", error);
    std::filesystem::current_path(root / "bin", error);
    if (error) return Fail("cannot work from " + (root / "bin").string());

    gDevice = kaTestDevice::Create(kWidth, kHeight);
    if (gDevice == nullptr) return Fail("the device does not start");
    const int result = BuildWorld() ? Play(fps, times, outDir, closing)
                                    : Fail("the demo's media do not load from " + root.string());
    // The process ends here: the device goes, the rest with the process.
    kaTestDevice::Destroy(gDevice);
    gDevice = nullptr;
    return result;
}
