#include "Startup.h"

#include "DemoGlobals.h"
#include "Globals.h"
#include "OutputPicture.h"
#include "OutroPictures.h"
#include "RenderFrame.h"
#include "kaActivation.h"
#include "kaAnimClip.h"
#include "kaApplication.h"
#include "kaCamera.h"
#include "kaCharacter.h"
#include "kaInput.h"
#include "kaLogFile.h"
#include "kaMessageBox.h"
#include "kaMusic.h"
#include "kaOrthoOverlay.h"
#include "kaOutputRequest.h"
#include "kaPluginLoader.h"
#include "kaRenderDevice.h"
#include "kaResult.h"
#include "kaShaderRenderer.h"
#include "kaSpriteBatch.h"
#include "kaTexture.h"
#include "kaTimer.h"

#include <string>

kaPluginLoader gRenderPlugin;
kaInput* gInput = nullptr;
const char* gRenderPluginFile = VX_RENDER_PLUGIN;

namespace {

constexpr unsigned kDepthFormat = 77;  // 24-bit depth in a 32-bit word
constexpr unsigned kOverlayCapacity = 128;
constexpr unsigned kSpriteCapacity = 128;
constexpr unsigned kIntroSlot = 2;
constexpr unsigned kSpriteTextureSlot = 5;

// The back buffer's size: the window's client area, or the render size asked
// for (kaOutputRequest::BackBufferSize).
int gClientWidth = 0;
int gClientHeight = 0;

void OpenLog() {
    gLog.Open("Vessamorix.log", "w");
    gLog.Print("Vessamorix LogFile\n");
    gLog.Print("Log start at %s\n\n\n", "Wed Jul 31 11:27:44 2002");
}

void CloseLog() {
    gLog.Print("\n\nEOF\n");
    gLog.Close();
}

// Reports a failed step (box first, then the log line) and shuts down.
int FailStep(const char* caption, const char* boxText, const char* logFormat, int result) {
    if (boxText != nullptr) ErrorBox(caption, "%s", boxText);
    gLog.Print(logFormat, result);
    gShutdownFailedStartup();
    return 0;
}

// A text with every '%' doubled, to stand as itself in a format.
std::string FormatLiteral(const char* text) {
    std::string literal;
    for (const char* c = text; *c != '\0'; ++c) literal += *c == '%' ? "%%" : std::string(1, *c);
    return literal;
}

// The module did not open: most often it was not copied beside the program,
// so the box and the log name the file.
int FailPluginFile(int result) {
    const std::string box = std::string("Couldn't initialize d3d8 driver:\n") + gRenderPluginFile +
                            " is missing or cannot be loaded.\nIt belongs in the program's folder.";
    const std::string log = "Error! couldn't initialize d3d8 driver: Return %d, cannot load " +
                            FormatLiteral(gRenderPluginFile) + "\n";
    return FailStep("KA_ERR_INITFAILED", box.c_str(), log.c_str(), result);
}

// The back buffer's size, from the window's client area as it came out.
void ReadOutputSize() {
    int clientWidth = 0, clientHeight = 0;
    gApp.getClientSize(&clientWidth, &clientHeight);
    gOutputRequest.BackBufferSize(clientWidth, clientHeight, &gClientWidth, &gClientHeight);
}

int StartRenderDevice() {
    int result = gRenderPlugin.Load(gRenderPluginFile);
    if (result == KA_ERR_OPENFAIL) return FailPluginFile(result);
    if (result != 0) {
        return FailStep("KA_ERR_INITFAILED", "Couldn't initialize d3d8 driver",
                        "Error! couldn't initialize d3d8 driver: Return %d\n", result);
    }
    gLog.Print("Success! initialize d3d8 driver: Return %d\n", result);

    result = gRenderPlugin.GetRenderDevice(&gDevice, 0);
    if (result != 0) {
        gDevice = nullptr;
        return FailStep("KA_ERR_INITFAILED", "Error getting render device",
                        "Error! couldn't get render device: Return %d\n", result);
    }
    gLog.Print("Success! setup d3d8 render device: Return %d\n", result);

    ReadOutputSize();
    result = gDevice->InitializeWindowed(gApp.getWindow(), gClientWidth, gClientHeight,
                                         kDepthFormat, gOutputRequest.multiSampleType,
                                         gOutputRequest.vsync ? 1 : 0);
    if (result != 0) {
        return FailStep("KA_ERR_INITFAILED", "Error initializing render device",
                        "Error! couldn't initialize render device: Return %d\n", result);
    }
    gLog.Print("Success! initialize render device: Return %d\n", result);
    return 1;
}

// The window's drawable changed size: the back buffer is made anew at that
// size where the device can (else the device goes on scaling the one it
// has), and the picture is placed in it.
void OnOutputResized(int width, int height) {
    if (gDevice == nullptr ||
        gRenderPlugin.ResizeBackBuffer(gDevice, unsigned(width), unsigned(height)) != KA_OK) {
        return;
    }
    gClientWidth = width;
    gClientHeight = height;
    SetOutputSize(unsigned(width), unsigned(height));
}

int StartInput() {
    gInput = new kaInput();
    const int result = gInput->Init(gApp.getWindow());
    if (result == 0) {
        return FailStep("KA_ERR_INITFAILED", "Error initializing input device",
                        "Error! initialize input device: Return %d\n", result);
    }
    gLog.Print("Success! initialize input device: Return %d\n", result);
    return 1;
}

int StartRenderer() {
    gShaderRenderer = new kaShaderRenderer();
    if (gShaderRenderer->Init(gClientWidth, gClientHeight) != 0) {
        return FailStep("Error", "Error initializing renderer",
                        "Error! renderer initialization: Return %d\n", 1);
    }
    return 1;
}

void SetGlobalRenderStates() {
    gDevice->setRenderState(22, 2);   // cull clockwise faces
    gDevice->setRenderState(26, 1);   // dithering on
    gDevice->setRenderState(137, 0);  // lighting off
    gDevice->setRenderState(40, 0);   // edge antialiasing off
    gDevice->setRenderState(161, gOutputRequest.multiSampleType != 0 ? 1 : 0);  // as asked
}

int StartOverlay() {
    gOverlay = new kaOrthoOverlay();
    if (gOverlay->Init(kOverlayCapacity) != 0) {
        ErrorBox("KA_ERR_READFAIL", "Error creating ortho-renderer");
        gLog.Print("Error! error ortho-renderer\n");
        gShutdownFailedStartup();
        return 0;
    }
    gOverlayQuad = new kaOverlayQuad{-1, -1, 1, 1, 0, 0, 1, -1, nullptr, 0xFFFFFFFF};
    return 1;
}

// One picture of start-up: a box (when boxText is given) and a log line on
// failure.
int LoadPicture(kaTexture& texture, const char* name, const char* boxText,
                const char* logLine) {
    if (texture.Load(name) == 0) return 1;
    return FailStep("KA_ERR_READFAIL", boxText, logLine, 1);
}

// The loading screen: the intro picture, shown once.
int ShowIntro() {
    gTextures = new kaTexture[kaTextureSlots];
    if (!LoadPicture(gTextures[kIntroSlot], "intro.jpg", "Error loading intro.jpg",
                     "Error! intro.tga: Return %d\n")) {
        return 0;
    }
    ShowPicture(gTextures[kIntroSlot].texture);
    return 1;
}

int LoadPictures() {
    return LoadPicture(gTextures[0], "garrulon.png", "Error loading garrulon.png",
                       "Error! garrulon.png: Return %d\n") &&
           LoadPicture(gTextures[1], "orbelmark.png", "Error loading orbelmark.png",
                       "Error! orbelmark.png: Return %d\n") &&
           LoadPicture(gTextures[3], "concept.jpg", "Error loading concept.jpg",
                       "Error! concept.jpg: Return %d\n") &&
           LoadPicture(gTextures[4], "thanks.jpg", nullptr, "Error! thanks.jpg: Return %d\n");
}

int LoadFlare() {
    gFlareTexture = new kaTexture();
    return LoadPicture(*gFlareTexture, "flare06.tga", nullptr,
                       "Error! flare06.tga: Return %d\n");
}

struct ClipFile {
    const char* name;
    unsigned slot;
    const char* warning;
};

// The clips in loading order; the first six warnings name the file with the
// model extension, as they always have.
const ClipFile kClipFiles[] = {
    {"qx_ajusta_luva.tda", 0, "error loading animation qx_ajusta_luva.tdm"},
    {"qx_ajusta_oculos.tda", 1, "error loading animation qx_ajusta_oculos.tdm"},
    {"qx_ajusta_tomates.tda", 2, "error loading animation qx_ajusta_tomates.tdm"},
    {"qx_corre.tda", 3, "error loading animation qx_corre.tdm"},
    {"qx_respira.tda", 4, "error loading animation qx_respira.tdm"},
    {"qx_ajusta_anal.tda", 5, "error loading animation qx_ajusta_anal.tdm"},
    {"qx_agarra_hoverboard.tda", 8, "error loading animation qx_agarra_hoverboard.tda"},
    {"qx_pontape.tda", 9, "error loading animation qx_pontape.tda"},
    {"qx_dancar.tda", 10, "error loading animation qx_dancar.tda"},
    {"qx_gozo1.tda", 11, "error loading animation qx_gozo1.tda"},
    {"qx_gozo2.tda", 12, "error loading animation qx_gozo2.tda"},
    {"qx_gozo3.tda", 13, "error loading animation qx_gozo3.tda"},
    {"qx_gozo4.tda", 14, "error loading animation qx_gozo4.tda"},
    {"qx_gozo5.tda", 15, "error loading animation qx_gozo5.tda"},
    {"qx_gozo6.tda", 16, "error loading animation qx_gozo6.tda"},
    {"qx_gozo7.tda", 17, "error loading animation qx_gozo7.tda"},
    {"qx_gozo8.tda", 18, "error loading animation qx_gozo8.tda"},
    {"qx_voa.tda", 19, "error loading animation qx_voa.tda"},
};

// The character and its clips load with warnings only: the demo runs with
// what it has.
void LoadCharacter() {
    gCharacter = new kaCharacter();
    if (gCharacter->LoadModel("Garrulon.tdm") == 0) WarningBox("loadTDM", "error loading model...");
    gClips = new kaAnimClip[kaClipSlots];
    for (const ClipFile& clip : kClipFiles) {
        if (gClips[clip.slot].LoadClip(clip.name) == 0) WarningBox("loadTDA", "%s", clip.warning);
    }
    gCharacter->PlayClip(&gClips[0], 0);
}

struct ModelFile {
    kaMeshModel** model;
    const char* name;
    const char* boxText;
    const char* logLine;
};

int LoadModels() {
    const ModelFile models[] = {
        {&gStage1, "stage1.tdm", "Error loading stage1.tdm", "Error! load stage1.tdm: Return %d\n"},
        {&gStage2, "stage2.tdm", "Error loading stage2.tdm", "Error! load stage2.tdm: Return %d\n"},
        {&gCloseStage, "closeStage.tdm", "Error loading closeStage.tdm",
         "Error! load closeStage.tdm: Return %d\n"},
        {&gCloseStage2, "closeStage2.tdm", "Error loading closeStage2.tdm",
         "Error! load closeStage2.tdm: Return %d\n"},
        {&gFinal, "Final.tdm", "Error loading final.tdm", "Error! load final.tdm: Return %d\n"},
        {&gHoverboard, "hoverboard.tdm", "Error loading model", "Error! load model: Return %d\n"},
        {&gSkybox, "skybox.tdm", "Error loading model", "Error! load model: Return %d\n"},
    };
    for (const ModelFile& file : models) {
        *file.model = new kaMeshModel();
        const int result = (*file.model)->Load(file.name);
        if (result != 0) return FailStep("KA_ERR_READFAIL", file.boxText, file.logLine, result);
    }
    return 1;
}

void StartSprites() {
    gSpriteBatch = new kaSpriteBatch();
    gSpriteBatch->Init(kSpriteCapacity);
    gSpriteBatch->texture = gTextures[kSpriteTextureSlot].texture;
    gSprites = new kaSprite[kaSpriteRecords]();
}

void SetTextureFilters() {
    for (unsigned stage = 0; stage < 4; ++stage) {
        gDevice->setTextureState(stage, 18, 2);           // linear mip filter
        gDevice->setTextureState(stage, 17, 2);           // linear minification
        gDevice->setTextureState(stage, 16, 2);           // linear magnification
        gDevice->setTextureState(stage, 19, 0xBF800000);  // mip bias -1.0
    }
}

// Writes the tangent frames of the models that never move.
void PrepareStaticModels() {
    const kaVector3f noOffset = {0, 0, 0};
    for (kaMeshModel* model : {gStage1, gStage2, gCloseStage, gCloseStage2, gFinal, gHoverboard}) {
        gShaderRenderer->MoveModel(model, gCamera, 1, noOffset);
    }
}

}  // namespace

const char kDemoTitle[] = "Vessamorix Demo (v0.02)";

void (*gShutdownFailedStartup)() = Shutdown;

void SetStartupRenderStates() {
    SetGlobalRenderStates();
    SetTextureFilters();
}

int Startup() { return StartupBegin() && StartupFinish(); }

int StartupBegin() {
    OpenLog();

    const int created = gApp.Create(kDemoTitle, gOutputRequest.width, gOutputRequest.height, 16,
                                    gOutputRequest.windowed ? 0 : 1);
    if (created != 0) {
        gLog.Print("Error! initializing application: Return %d\n", created);
        return 0;
    }
    gLog.Print("Success! initializing application: Return %d\n", created);

    gApp.setFrameCallback(RenderFrame);
    gApp.setActivateCallback(OnActivate);
    gApp.setResizeCallback(OnOutputResized);

    if (!StartRenderDevice() || !StartInput()) return 0;
    if (!StartMusic()) {
        gShutdownFailedStartup();
        return 0;
    }
    gApp.ShowCursor(false);
    ReadOutputSize();
    SetOutputSize(static_cast<unsigned>(gClientWidth), static_cast<unsigned>(gClientHeight));
    if (!StartRenderer()) return 0;
    CloseLog();

    SetGlobalRenderStates();
    return StartOverlay() && ShowIntro();
}

int StartupFinish() {
    if (!LoadPictures() || !LoadFlare()) return 0;
    LoadCharacter();
    if (!LoadModels()) return 0;
    StartSprites();
    gTextures[kIntroSlot].Release();
    SetTextureFilters();

    gFrameTimer = new kaTimer();
    gActive = 1;
    gCamera = new kaCamera();
    gCamera->Init(gPictureRect.picture);
    gCharacterPath = new kaCamera();
    gCharacterPath->LoadPath("qxPath01.spl");
    PrepareStaticModels();
    gCharacter->Update(1);
    gFrameTimer->Start();
    return 1;
}
