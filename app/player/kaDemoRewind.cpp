#include "kaDemoRewind.h"

#include "DemoGlobals.h"
#include "Scenes.h"
#include "Startup.h"
#include "kaAnimClip.h"
#include "kaCamera.h"
#include "kaCharacter.h"
#include "kaClipClock.h"
#include "kaDeviceGlobal.h"
#include "kaFrameClock.h"
#include "kaMeshModel.h"
#include "kaMusic.h"
#include "kaRenderDevice.h"
#include "kaShaderRenderer.h"
#include "kaSpriteBatch.h"
#include "kaTimer.h"

namespace {

struct StaticModel {
    kaMeshModel** model;
    const char* file;
    bool moves;
};

// The models that never move but for the hoverboard, which the ride moves;
// the scenes free the stages and the hoverboard once they are past them.
const StaticModel kStaticModels[] = {
    {&gStage1, "stage1.tdm", false},         {&gStage2, "stage2.tdm", false},
    {&gCloseStage, "closeStage.tdm", false}, {&gCloseStage2, "closeStage2.tdm", false},
    {&gFinal, "Final.tdm", false},           {&gHoverboard, "hoverboard.tdm", true},
};

// The texture stages of the device, none with a texture on a new device.
constexpr unsigned kTextureStages = 8;

// The first clip and path of the demo, as start-up sets them.
constexpr unsigned kFirstClip = 0;
constexpr char kFirstCharacterPath[] = "qxPath01.spl";

}  // namespace

bool kaDemoRewind::Rewind() {
    ResetScenes();
    gRefreshFlag = 1;
    gClipClock.SetRate(1.0f);
    const int width = gCamera->width, height = gCamera->height;
    *gCamera = kaCamera();
    gCamera->Init(width, height);
    if (!RemakeModels()) return false;
    ResetMotion();
    ResetSprites();
    gShaderRenderer->lightOffset = {};
    ResetDeviceStates();
    SetStartupRenderStates();
    // The picture as start-up leaves it, which the demo's first frame, a
    // set-up frame, keeps.
    gDevice->Clear(KA_CLEAR_TARGET, 0, 1.0f, 0);
    *gFrameTimer = kaTimer(kaFrameClock::Counter());
    gFrameTimer->Start();
    return ReopenMusic() == 1;
}

void kaDemoRewind::ResetDeviceStates() {
    gDevice->ResetState(KA_STATE_RENDERSTATES | KA_STATE_TEXTURESTATES);
    for (unsigned stage = 0; stage < kTextureStages; ++stage) gDevice->setTexture(stage, nullptr);
}

// A freed model is loaded again and its vertices written as start-up wrote
// them, without offset; so are the hoverboard's, which the ride moved.
bool kaDemoRewind::RemakeModels() {
    const kaVector3f noOffset = {0, 0, 0};
    for (const StaticModel& entry : kStaticModels) {
        kaMeshModel*& model = *entry.model;
        const bool freed = model == nullptr;
        if (freed) {
            model = new kaMeshModel();
            if (model->Load(entry.file) != 0) {
                delete model;
                model = nullptr;
                return false;
            }
        }
        if (!freed && !entry.moves) continue;
        model->SetRefresh(1);
        gShaderRenderer->MoveModel(model, gCamera, 1, noOffset);
    }
    return true;
}

// The character back on its first clip without a cross-fade, posed and
// skinned at clip time 0, and the path it follows as loaded at start-up.
void kaDemoRewind::ResetMotion() {
    gCharacter->current = nullptr;
    gCharacter->PlayClip(&gClips[kFirstClip], 0);
    gCharacter->Update(1);
    *gCharacterPath = kaCamera();
    gCharacterPath->LoadPath(kFirstCharacterPath);
}

void kaDemoRewind::ResetSprites() {
    gSpriteBatch->list.RemoveAll();
    for (unsigned i = 0; i < kaSpriteRecords; ++i) gSprites[i] = kaSprite{};
}
