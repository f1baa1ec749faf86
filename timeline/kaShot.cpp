#include "kaShot.h"

#include <algorithm>

#include "DemoGlobals.h"
#include "PictureOverlay.h"
#include "WhiteFlash.h"
#include "kaAnimClip.h"
#include "kaCamera.h"
#include "kaCharacter.h"
#include "kaCharacterMotion.h"
#include "kaClipClock.h"
#include "kaDeviceGlobal.h"
#include "kaMusic.h"
#include "kaRenderDevice.h"
#include "kaShaderRenderer.h"
#include "kaSpriteBatch.h"
#include "kaTexture.h"

namespace {

// Direct3D 8 render state and value of the culling.
constexpr unsigned kCullMode = 22, kCullNone = 1;

// The hoverboard's place while the character rides it.
constexpr kaVector3f kHoverboardOffset = {1002, -171342, 1500};

kaVector3f Plus(kaVector3f v, const kaVector3f& w, unsigned axes) {
    if (axes & kaAxisX) v.x += w.x;
    if (axes & kaAxisY) v.y += w.y;
    if (axes & kaAxisZ) v.z += w.z;
    return v;
}

kaVector3f Minus(kaVector3f v, const kaVector3f& w, unsigned axes) {
    if (axes & kaAxisX) v.x -= w.x;
    if (axes & kaAxisY) v.y -= w.y;
    if (axes & kaAxisZ) v.z -= w.z;
    return v;
}

// Releases a model, deletes it and clears its global.
void FreeModel(kaMeshModel*& model) {
    if (model == nullptr) return;
    model->Release();
    delete model;
    model = nullptr;
}

void SetRate(float rate) {
    if (rate != kaKeepRate) gClipClock.SetRate(rate);
}

void SetUpSprites(const kaShot& shot) {
    std::copy(shot.spriteTable, shot.spriteTable + shot.spriteCount, gSprites);
    for (unsigned i = shot.addFirst; i < shot.addEnd; ++i) gSpriteBatch->Add(&gSprites[i]);
    for (unsigned i = 0; i < shot.removeEnd; ++i) gSpriteBatch->Remove(&gSprites[i]);
}

// The first active frame: clip, paths, clock, models and sprites; nothing is
// drawn.  The sprite table and the clip clock do not depend on each other.
void SetUp(const kaShot& shot) {
    for (kaMeshModel** model : shot.freed) {
        if (model != nullptr) FreeModel(*model);
    }
    SetRate(shot.rateBefore);
    if (shot.resetClock) gClipClock.Reset();
    SetRate(shot.rateAfterReset);
    const kaSceneSchedule& schedule = shot.schedule;
    if (schedule.clip >= 0) gCharacter->PlayClip(&gClips[schedule.clip], schedule.blendMs);
    if (schedule.cameraPath != nullptr) gCamera->LoadPath(schedule.cameraPath);
    if (schedule.characterPath != nullptr) gCharacterPath->LoadPath(schedule.characterPath);
    if (shot.opening) {
        kaCharacterMotion::UpdateAlone(1);
        FSOUND_Stream_Play(FSOUND_FREE, gMusicStream);
    }
    if (shot.refreshHoverboard && gHoverboard != nullptr) gHoverboard->SetRefresh(1);
    SetRate(shot.rateAfter);
    SetUpSprites(shot);
}

// D: the shot's target point less the character's anchor, plus its place on
// the character path.
kaVector3f Displacement(const kaShot& shot, const kaShotState& state, const kaVector3f& onPath) {
    const kaVector3f centre = {gCharacter->centre[0], gCharacter->centre[1], gCharacter->centre[2]};
    const kaVector3f position = {gCharacter->position[0], gCharacter->position[1],
                                 gCharacter->position[2]};
    kaVector3f d = Minus(state.target, shot.anchorOnPosition ? position : centre, shot.anchorAxes);
    d = Plus(d, onPath, shot.pathAxes);
    d.x += shot.shiftX;
    return d;
}

// Moves the character by its displacement and the camera along its path, then
// begins the renderer's frame.
void Move(const kaShot& shot, kaShotState& state, float frameDelta) {
    kaCharacterMotion::Update(shot.updateWithOne ? 1 : gRefreshFlag);
    state.p += shot.speed * frameDelta;
    kaVector3f onPath{};
    if (shot.characterPathScale != 0) onPath = gCharacterPath->PointAt(shot.characterPathScale * state.p);
    const kaVector3f d = Displacement(shot, state, onPath);

    gCamera->target = shot.targetOnModel ? d : kaVector3f{};
    gCamera->target.z += shot.lift;
    gCamera->Follow(shot.cameraScale * state.p, Plus(shot.eyeBase, onPath, shot.eyePathAxes));

    kaVector3f& light = gShaderRenderer->lightOffset;
    if (shot.lightAxes & kaAxisY) light.y = shot.light.y;
    if (shot.lightAxes & kaAxisZ) light.z = shot.light.z;

    if (shot.beginFrameFirst) gShaderRenderer->BeginFrame();
    kaCharacterMotion::Move(gRefreshFlag, d);
    if (shot.hoverboard) gShaderRenderer->MoveModel(gHoverboard, gCamera, gRefreshFlag, kHoverboardOffset);
    if (!shot.beginFrameFirst) gShaderRenderer->BeginFrame();
}

void DrawItem(const kaShot& shot, kaShotDraw item) {
    switch (item) {
    case kaShotDraw::Sky:
        gShaderRenderer->DrawSkyBox(gSkybox, gCamera);
        break;
    case kaShotDraw::Stage:
        gShaderRenderer->DrawBumpedModel(*shot.stage, gCamera, shot.stageSpecular);
        break;
    case kaShotDraw::Sprites:
        gSpriteBatch->texture = gFlareTexture->texture;
        gSpriteBatch->Draw();
        break;
    case kaShotDraw::Character:
        gShaderRenderer->DrawBumpedModel(gCharacter, gCamera, 1);
        if (shot.hoverboard) gShaderRenderer->DrawBumpedModel(gHoverboard, gCamera, 1);
        break;
    case kaShotDraw::End:
        break;
    }
}

void Draw(const kaShot& shot, float t) {
    if (shot.cullNone) gDevice->setRenderState(kCullMode, kCullNone);
    for (kaShotDraw item : shot.draws) {
        if (item == kaShotDraw::End) break;
        DrawItem(shot, item);
    }
    if (shot.picture != nullptr) DrawPicture(*shot.picture);
    const kaSceneSchedule& schedule = shot.schedule;
    for (unsigned i = 0; i < schedule.flashCount; ++i) {
        WhiteFlash(schedule.flashes[i].start, schedule.flashes[i].end, t);
    }
}

}  // namespace

bool isShotActive(const kaShot& shot, float t) {
    return t > shot.schedule.after && t <= shot.schedule.upTo;
}

void PlayShot(const kaShot& shot, kaShotState& state, float frameDelta, float t) {
    if (!isShotActive(shot, t)) return;
    if (state.firstCall) {
        state.firstCall = 0;
        SetUp(shot);
        return;
    }
    if (!state.targetSet) {
        state.targetSet = 1;
        state.target = shot.target;
    }
    if (shot.still) {
        gShaderRenderer->BeginFrame();
    } else {
        Move(shot, state, frameDelta);
    }
    Draw(shot, t);
}
