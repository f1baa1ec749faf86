// vxglframes: plays the demo on the OpenGL render device, off screen, and
// writes the frames at chosen demo times as PNG pictures.
//
//   vxglframes [--fps N] [--closing] MEDIA_ROOT OUT_DIR TIME...
//
// MEDIA_ROOT is the folder that holds xMedia (the media generator's output);
// the program works from MEDIA_ROOT/bin as the player does.  The demo runs
// frame by frame on a clock of its own, N frames a second (30 unless told):
// frame n shows demo time n / N, with the frame delta 1 / N, and the clips
// run on the same clock, so a time always gives the same picture.  The frame
// of each TIME (seconds, rounded down to a frame) goes to
// OUT_DIR/frame-SSS.sss.png; --closing also writes the two closing pictures.
// VX_GL_CONTEXT chooses the context (core33 or es3); SDL_VIDEODRIVER=offscreen
// runs without a display.  Exit code 0, 1 on a failure (said on standard
// error), 2 for a usage error.
#include <SDL.h>
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
#include "kaGLContext.h"
#include "kaGLRenderDevice.h"
#include "kaMeshModel.h"
#include "kaOrthoOverlay.h"
#include "kaShaderRenderer.h"
#include "kaSpriteBatch.h"
#include "kaTexture.h"
#include "kaTimer.h"

namespace {

constexpr unsigned kWidth = 800, kHeight = 600;
constexpr unsigned kDepthFormat = 77;
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
    std::fprintf(stderr, "vxglframes: %s\n", what.c_str());
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

bool WritePng(const std::string& path, kaGLRenderDevice& device) {
    std::vector<unsigned char> pixels(kWidth * kHeight * 4);
    if (device.ReadPresentedFrame(pixels.data(), kWidth, kHeight) != 0) return false;
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = kWidth;
    image.height = kHeight;
    image.format = PNG_FORMAT_BGRA;
    for (size_t i = 3; i < pixels.size(); i += 4) pixels[i] = 0xFF;  // the frame is opaque
    return png_image_write_to_file(&image, path.c_str(), 0, pixels.data(), 0, nullptr) != 0;
}

// The closing pictures through the player's own code, with the states
// shutdown sets before them (no blending, no pixel shader); each is shown
// twice in a row, so that the frame presented last is that picture.
bool WriteClosingPictures(const std::string& outDir, kaGLRenderDevice& device) {
    gDevice->setRenderState(KA_RS_ALPHABLENDENABLE, 0);
    gDevice->setPixelShader(nullptr);
    const std::pair<unsigned, const char*> pictures[] = {{kConceptSlot, "closing-1.png"},
                                                         {kThanksSlot, "closing-2.png"}};
    for (const auto& picture : pictures) {
        kaTimer timer;
        kaBaseTexture* texture = gTextures[picture.first].texture;
        ShowClosingPictures(texture, texture, timer, 0.0f);
        if (!WritePng(outDir + "/" + picture.second, device)) return false;
    }
    return true;
}

int Play(unsigned fps, const std::vector<double>& times, const std::string& outDir,
         bool closing, kaGLRenderDevice& device) {
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
            if (!WritePng(outDir + name, device)) return Fail("cannot write " + outDir + name);
            std::printf("%s%s (demo time %.3f)\n", outDir.c_str(), name, double(t));
        }
    }
    if (next < times.size()) return Fail("the demo ends before the time " + std::to_string(times[next]));
    if (closing && !WriteClosingPictures(outDir, device)) return Fail("cannot write the closing pictures");
    return 0;
}

int Usage() {
    std::fprintf(stderr, "usage: vxglframes [--fps N] [--closing] MEDIA_ROOT OUT_DIR TIME...\n");
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

    if (kaGLContext::LoadPlatform() != 0) return Fail("SDL does not start");
    SDL_Window* window = SDL_CreateWindow("vxglframes", 0, 0, kWidth, kHeight,
                                          SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (window == nullptr) return Fail(std::string("no window: ") + SDL_GetError());
    auto* device = new kaGLRenderDevice(0);
    if (device->InitializeWindowed(window, kWidth, kHeight, kDepthFormat, 0, 0) != 0) {
        device->Release();
        return Fail("the OpenGL device does not start");
    }
    gDevice = device;
    const int result = BuildWorld() ? Play(fps, times, outDir, closing, *device)
                                    : Fail("the demo's media do not load from " + root.string());
    // The process ends here: the device goes with its context, the rest with the process.
    gDevice = nullptr;
    device->Release();
    SDL_DestroyWindow(window);
    kaGLContext::UnloadPlatform();
    return result;
}
