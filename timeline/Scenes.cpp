#include "Scenes.h"

#include <array>

#include "DemoGlobals.h"
#include "SceneSprites.h"
#include "kaShot.h"

namespace {

using Draw = kaShotDraw;

// The first shots' target, in the first stage.
constexpr kaVector3f kStageTarget = {300, 3450, 1320};

// The character's picture and the title.
const kaShotPicture kPortrait = {0, 1, 1, 0, 0.5f};
const kaShotPicture kTitle = {1, 0.75f, 0.75f, 0.25f, 0.25f};

// Scene `number` with its schedule: window, clip, paths and flashes.
kaShot Shot(unsigned number) {
    kaShot shot;
    shot.schedule = SceneSchedule(number);
    return shot;
}

// The character in the first stage under the sky, among the flares.
kaShot Opening(unsigned number, float lift) {
    kaShot shot = Shot(number);
    shot.target = kStageTarget;
    shot.speed = 2;
    shot.lift = lift;
    shot.stage = &gStage1;
    shot.draws = {Draw::Sky, Draw::Stage, Draw::Sprites, Draw::Character};
    return shot;
}

// The character in a closed stage, lit from above and in front.
kaShot Closing(unsigned number, kaVector3f target) {
    kaShot shot = Shot(number);
    shot.target = target;
    shot.speed = 1;
    shot.anchorAxes = kaAxesXY;
    shot.lift = 2000;
    shot.lightAxes = kaAxisY | kaAxisZ;
    shot.light = {0, -1000, 1000};
    shot.stage = &gFinal;
    shot.stageSpecular = 1;
    shot.rateAfter = 0.2f;
    shot.draws = {Draw::Stage, Draw::Character};
    return shot;
}

// The kick and the dance: the character stands at T, the camera looks at a
// fixed point above the origin.
kaShot Fight(unsigned number, kaVector3f target) {
    kaShot shot = Closing(number, target);
    shot.rateAfter = kaKeepRate;
    shot.rateBefore = 1.0f;
    shot.resetClock = true;
    shot.rateAfterReset = 0.3f;
    shot.anchorOnPosition = true;
    shot.targetOnModel = false;
    shot.lift = 1000;
    shot.light.y = -3000;
    shot.stage = &gCloseStage2;
    return shot;
}

kaShot Scene01Shot() {
    kaShot shot = Opening(1, 2000);
    shot.opening = true;
    shot.spriteTable = kOpeningSprites;
    shot.spriteCount = kOpeningSpriteCount;
    shot.addEnd = 4;
    shot.updateWithOne = true;
    return shot;
}

kaShot Scene02Shot() {
    kaShot shot = Opening(2, 2000);
    shot.resetClock = true;
    shot.beginFrameFirst = true;
    return shot;
}

kaShot Scene04Shot() {
    kaShot shot = Opening(4, 2000);
    shot.draws = {Draw::Sky, Draw::Character, Draw::Stage};
    return shot;
}

// The run through the first stage along the character's path.
kaShot Scene08Shot() {
    kaShot shot = Opening(8, 2500);
    shot.addFirst = 4;
    shot.addEnd = kOpeningSpriteCount;
    shot.rateAfter = 0.83f;
    shot.target = {300, 1950, 1320};
    shot.characterPathScale = 0.06f;
    shot.pathAxes = kaAxesXY;
    shot.eyePathAxes = kaAxesXYZ;
    return shot;
}

// The portrait over a still frame.
kaShot Scene09Shot() {
    kaShot shot = Opening(9, 0);
    shot.rateAfter = 1.0f;
    shot.still = true;
    shot.picture = &kPortrait;
    return shot;
}

// The hoverboard ride through the second stage between red flares.
kaShot Scene10Shot() {
    kaShot shot = Opening(10, 2500);
    shot.freed = {&gStage1, nullptr};
    shot.refreshHoverboard = true;
    shot.rateAfter = 0.83f;
    shot.spriteTable = kRideSprites;
    shot.spriteCount = kRideSpriteCount;
    shot.addFirst = kOpeningSpriteCount;
    shot.addEnd = kRideSpriteCount;
    shot.target = {919, -51785, 1267};
    shot.cameraScale = 0.5f;
    shot.characterPathScale = 0.026f;
    shot.pathAxes = kaAxesXY;
    shot.shiftX = -600;
    shot.eyePathAxes = kaAxesXY;
    shot.stage = &gStage2;
    shot.hoverboard = true;
    return shot;
}

// The title in the first closed stage.
kaShot Scene11Shot() {
    kaShot shot = Closing(11, {0, 0, 0});
    shot.freed = {&gStage2, &gHoverboard};
    shot.rateBefore = 1.0f;
    shot.rateAfter = 1.0f;
    shot.removeEnd = kRideSpriteCount;
    shot.speed = 2;
    shot.lightAxes = kaAxisZ;
    shot.stage = &gCloseStage;
    shot.picture = &kTitle;
    return shot;
}

kaShot Scene12Shot() {
    kaShot shot = Fight(12, {0, 0, 0});
    shot.freed = {&gCloseStage, nullptr};
    return shot;
}

kaShot Scene14Shot() {
    kaShot shot = Closing(14, {0, 0, 0});
    shot.freed = {&gCloseStage2, nullptr};
    return shot;
}

// The flight: the character follows its own path and the clock stands still.
kaShot Flight(unsigned number) {
    kaShot shot = Closing(number, {0, 0, 0});
    shot.rateAfter = 0;
    shot.lift = 0;
    return shot;
}

kaShot Scene22Shot() {
    kaShot shot = Flight(22);
    shot.cameraScale = 1.5f;
    shot.characterPathScale = 0.3f;
    shot.anchorAxes = kaAxesXYZ;
    shot.pathAxes = kaAxesXYZ;
    shot.eyeBase = {0, 0, 2000};
    shot.eyePathAxes = kaAxisZ;
    return shot;
}

// The last shot flies under the sky with culling off.
kaShot Scene23Shot() {
    kaShot shot = Flight(23);
    shot.cameraScale = 2;
    shot.characterPathScale = 0.8f;
    shot.anchorAxes = 0;
    shot.pathAxes = kaAxisZ;
    shot.eyeBase = {0, -2000, -1000};
    shot.cullNone = true;
    shot.draws = {Draw::Sky, Draw::Stage, Draw::Character};
    return shot;
}

const std::array<kaShot, kSceneCount> kShots = {
    Scene01Shot(),
    Scene02Shot(),
    Opening(3, 2500),
    Scene04Shot(),
    Opening(5, 2500),
    Opening(6, 2500),
    Opening(7, 2500),
    Scene08Shot(),
    Scene09Shot(),
    Scene10Shot(),
    Scene11Shot(),
    Scene12Shot(),
    Fight(13, {2000, -5000, 0}),
    Scene14Shot(),
    Closing(15, {0, 0, 0}),
    Closing(16, {0, 0, 0}),
    Closing(17, {0, 0, 0}),
    Closing(18, {0, 0, 0}),
    Closing(19, {0, 0, -1200}),
    Closing(20, {0, 0, 0}),
    Closing(21, {0, 0, -400}),
    Scene22Shot(),
    Scene23Shot(),
};

// Each scene's first-call flag, target and path parameter.
std::array<kaShotState, kSceneCount> sStates;

template <unsigned N>
void PlayScene(float frameDelta, float t) {
    PlayShot(kShots[N - 1], sStates[N - 1], frameDelta, t);
}

}  // namespace

const kaShot& SceneShot(unsigned number) { return kShots.at(number - 1); }

void ResetScenes() { sStates.fill(kaShotState{}); }

void Scene01(float frameDelta, float t) { PlayScene<1>(frameDelta, t); }
void Scene02(float frameDelta, float t) { PlayScene<2>(frameDelta, t); }
void Scene03(float frameDelta, float t) { PlayScene<3>(frameDelta, t); }
void Scene04(float frameDelta, float t) { PlayScene<4>(frameDelta, t); }
void Scene05(float frameDelta, float t) { PlayScene<5>(frameDelta, t); }
void Scene06(float frameDelta, float t) { PlayScene<6>(frameDelta, t); }
void Scene07(float frameDelta, float t) { PlayScene<7>(frameDelta, t); }
void Scene08(float frameDelta, float t) { PlayScene<8>(frameDelta, t); }
void Scene09(float frameDelta, float t) { PlayScene<9>(frameDelta, t); }
void Scene10(float frameDelta, float t) { PlayScene<10>(frameDelta, t); }
void Scene11(float frameDelta, float t) { PlayScene<11>(frameDelta, t); }
void Scene12(float frameDelta, float t) { PlayScene<12>(frameDelta, t); }
void Scene13(float frameDelta, float t) { PlayScene<13>(frameDelta, t); }
void Scene14(float frameDelta, float t) { PlayScene<14>(frameDelta, t); }
void Scene15(float frameDelta, float t) { PlayScene<15>(frameDelta, t); }
void Scene16(float frameDelta, float t) { PlayScene<16>(frameDelta, t); }
void Scene17(float frameDelta, float t) { PlayScene<17>(frameDelta, t); }
void Scene18(float frameDelta, float t) { PlayScene<18>(frameDelta, t); }
void Scene19(float frameDelta, float t) { PlayScene<19>(frameDelta, t); }
void Scene20(float frameDelta, float t) { PlayScene<20>(frameDelta, t); }
void Scene21(float frameDelta, float t) { PlayScene<21>(frameDelta, t); }
void Scene22(float frameDelta, float t) { PlayScene<22>(frameDelta, t); }
void Scene23(float frameDelta, float t) { PlayScene<23>(frameDelta, t); }
