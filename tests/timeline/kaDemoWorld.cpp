#include "kaDemoWorld.h"

#include <gtest/gtest.h>

#include <cstring>

#include "DemoGlobals.h"
#include "kaAnimClip.h"
#include "kaCamera.h"
#include "kaCharacter.h"
#include "kaClipClock.h"
#include "kaDeviceGlobal.h"
#include "kaMusic.h"
#include "kaOggTone.h"
#include "kaOrthoOverlay.h"
#include "kaRecordingVertexBuffer.h"
#include "kaShaderRenderer.h"
#include "kaSpriteBatch.h"
#include "kaTestModels.h"
#include "kaTestPictures.h"
#include "kaTexture.h"

namespace {

using namespace kaTestModels;

uint32_t sMilliseconds = 0;
uint32_t TestCounter() { return sMilliseconds; }

const char* const kShaders[] = {"DiffSpecCM.psh", "DiffCM.psh", "Atten.psh",  "SkyBox.psh", "Render2d.psh",
                                "vertex.vsh",     "Atten.vsh",  "SkyBox.vsh", "vertex2d.vsh"};
const char* const kPictures[] = {"c.tga", "n.tga", "p0.tga", "p1.tga", "flare06.tga", "atten2D.jpg", "atten1D.jpg"};
const int kClipSlots[] = {0, 1, 2, 3, 4, 5, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19};

// The character: bones "r" (at kPosition) and "c"; one triangle with both
// maps whose first corner hangs on the child bone.
std::string CharacterModel() {
    Material maps;
    maps.textures = {"c.tga", "n.tga"};
    Mesh mesh = Triangle(0);
    for (Vertex& v : mesh.vertices) v.kind = 1;
    mesh.vertices[0].bone = 1;
    std::string tdm = Tdm({maps}, {mesh}, {{"r", -1}, {"c", 0}});
    // The rest position of the first bone: 4 bytes into its 28-byte record.
    const float rest[3] = {kaDemoWorld::kPosition.x, kaDemoWorld::kPosition.y, kaDemoWorld::kPosition.z};
    std::memcpy(&tdm[tdm.size() - 2 * 28 + 4], rest, sizeof rest);
    return tdm;
}

// Two tracks that slide along x over a second.
void FillClip(kaAnimClip& clip, float slide) {
    clip.durationMs = 1000;
    clip.frameCount = 1;
    clip.trackCount = 2;
    clip.tracks.resize(2);
    for (kaAnimTrack& track : clip.tracks) {
        track.keyCount = 2;
        track.keys = {kaAnimKey{0, {0, 0, 0}, {0, 0, 0}}, kaAnimKey{1000, {slide, 0, 0}, {0, 0, 0}}};
    }
}

kaMeshModel* LoadMeshModel(const char* name) {
    kaMeshModel* model = new kaMeshModel;
    EXPECT_EQ(model->Load(name), 0) << name;
    return model;
}

template <class T>
void Free(T*& object) {
    delete object;
    object = nullptr;
}

void FreeModel(kaMeshModel*& model) {
    if (model != nullptr) model->Release();
    Free(model);
}

}  // namespace

kaDemoWorld::kaDemoWorld() {
    gDevice = &device;
    gClipClock.setCounter(TestCounter);
    gClipClock.SetRate(1.0f);
    gClipClock.Reset();
    gRefreshFlag = 1;
    WriteMedia();
    EXPECT_EQ(StartMusic(), 1);
    CreateObjects();
    LoadModels();
}

kaDemoWorld::~kaDemoWorld() {
    StopMusic();
    FreeMusicData();
    if (gShaderRenderer != nullptr) gShaderRenderer->Release();
    Free(gShaderRenderer);
    Free(gOverlayQuad);
    for (kaMeshModel** model : {&gSkybox, &gStage1, &gStage2, &gHoverboard, &gCloseStage, &gCloseStage2,
                                &gFinal}) {
        FreeModel(*model);
    }
    gCharacter->Release();
    Free(gCharacter);
    gFlareTexture->Release();
    Free(gFlareTexture);
    delete[] gSprites;
    gSprites = nullptr;
    gSpriteBatch->Release();
    Free(gSpriteBatch);
    delete[] gClips;
    gClips = nullptr;
    for (unsigned i = 0; i < kaTextureSlots; ++i) gTextures[i].Release();
    delete[] gTextures;
    gTextures = nullptr;
    Free(gCharacterPath);
    Free(gCamera);
    gOverlay->Release();
    Free(gOverlay);
    gClipClock.setCounter(kaClipClock::PlatformCounter);
    gClipClock.SetRate(1.0f);
    gClipClock.Reset();
    gDevice = nullptr;
}

std::string kaDemoWorld::PathText(int number) {
    const std::string x = std::to_string(1000 * number);
    const std::string x1 = std::to_string(1000 * number + 100);
    return x + " 0 0\n" + x + " 100 0\n" + x1 + " 100 50\n";
}

void kaDemoWorld::AdvanceClock(unsigned milliseconds) { sMilliseconds += milliseconds; }

void kaDemoWorld::WriteMedia() const {
    for (const char* name : kShaders) media.put(std::string("xShaders/") + name, std::string("; ") + name + "\n");
    for (const char* name : kPictures) {
        media.put(std::string("xImages/") + name, kaTestPictures::Tga(2, 1, 1, 24, 0x20, "abc"));
    }
    for (int n = 1; n <= 14; ++n) {
        media.put("xCinematics/cPath" + std::string(n < 10 ? "0" : "") + std::to_string(n) + ".spl", PathText(n));
    }
    for (int n = 1; n <= 3; ++n) media.put("xCinematics/qxPath0" + std::to_string(n) + ".spl", PathText(20 + n));

    Material maps, colour;
    maps.textures = {"c.tga", "n.tga"};
    colour.textures = {"c.tga"};
    for (const char* name : {"stage1.tdm", "stage2.tdm", "closeStage.tdm", "closeStage2.tdm", "Final.tdm",
                             "hoverboard.tdm"}) {
        media.put(std::string("xModels/") + name, Tdm({maps}, {Triangle(0)}, {}));
    }
    media.put("xModels/skybox.tdm", Tdm({colour}, {Triangle(0)}, {}));
    media.put("xModels/Garrulon.tdm", CharacterModel());
    media.put("xMusics/lost_in_space_remix.ogg",
              EncodeOgg(1, 8000, 800, [](int, int i) { return Sine(440, 8000, i); }));
}

void kaDemoWorld::CreateObjects() {
    gShaderRenderer = new kaShaderRenderer;
    EXPECT_EQ(gShaderRenderer->Init(800, 600), 0);
    gOverlay = new kaOrthoOverlay;
    EXPECT_EQ(gOverlay->Init(128), 0);
    gOverlayQuad = new kaOverlayQuad{-1, -1, 1, 1, 0, 0, 1, -1, nullptr, 0xFFFFFFFF};
    gTextures = new kaTexture[kaTextureSlots];
    EXPECT_EQ(gTextures[0].Load("p0.tga"), 0);
    EXPECT_EQ(gTextures[1].Load("p1.tga"), 0);
    gFlareTexture = new kaTexture;
    EXPECT_EQ(gFlareTexture->Load("flare06.tga"), 0);
    gClips = new kaAnimClip[kaClipSlots];
    for (int slot : kClipSlots) FillClip(gClips[slot], static_cast<float>(slot));
    gSpriteBatch = new kaSpriteBatch;
    EXPECT_EQ(gSpriteBatch->Init(128), 0);
    gSpriteBatch->texture = gTextures[5].texture;
    gSprites = new kaSprite[kaSpriteRecords]();
    gCamera = new kaCamera;
    gCamera->Init(800, 600);
    gCharacterPath = new kaCamera;
    EXPECT_EQ(gCharacterPath->LoadPath("qxPath01.spl"), 0);
}

void kaDemoWorld::LoadModels() {
    gCharacter = new kaCharacter;
    EXPECT_EQ(gCharacter->LoadModel("Garrulon.tdm"), 1);
    EXPECT_EQ(gCharacter->PlayClip(&gClips[0], 0), 1);
    gStage1 = LoadMeshModel("stage1.tdm");
    gStage2 = LoadMeshModel("stage2.tdm");
    gCloseStage = LoadMeshModel("closeStage.tdm");
    gCloseStage2 = LoadMeshModel("closeStage2.tdm");
    gFinal = LoadMeshModel("Final.tdm");
    gHoverboard = LoadMeshModel("hoverboard.tdm");
    gSkybox = LoadMeshModel("skybox.tdm");
    for (kaMeshModel* model : {gStage1, gStage2, gCloseStage, gCloseStage2, gFinal, gHoverboard}) {
        gShaderRenderer->MoveModel(model, gCamera, 1, {0, 0, 0});
    }
    gCharacter->Update(1);
}

float BufferPosition(const kaRecordingDevice& device, kaVertexBuffer* buffer, unsigned vertex,
                     unsigned index) {
    return device.recorded(buffer)->floatAt(vertex, kaVertexLayout::POSITION, index);
}
