#include "Scenes.h"

#include <array>
#include <cstddef>
#include <limits>

#include "DemoGlobals.h"
#include "SceneSprites.h"
#include "kaShot.h"

namespace {

using Draw = kaShotDraw;

constexpr double kNoStart = -std::numeric_limits<double>::infinity();

// The first shots' target, in the first stage.
constexpr kaVector3f kStageTarget = {300, 3450, 1320};

const kaFlashWindow kFlashes05[] = {{17.1f, 17.6f}, {17.8f, 18.45f}, {18.65f, 19.0f}};
const kaFlashWindow kFlashes07[] = {{24.1f, 24.6f}, {24.8f, 25.45f}, {25.65f, 26.0f}};
const kaFlashWindow kFlashes08[] = {{30.1f, 30.6f}, {30.8f, 31.45f}, {31.65f, 32.0f}};
const kaFlashWindow kFlashes10[] = {{35.1f, 35.6f},  {35.8f, 36.45f}, {36.65f, 37.0f},
                                    {37.1f, 37.6f},  {37.8f, 38.45f}, {38.65f, 39.0f},
                                    {39.1f, 39.6f}};
const kaFlashWindow kFlashes11[] = {{40.4f, 41.05f}, {41.25f, 41.6f}, {44.1f, 44.6f},
                                    {44.8f, 45.45f}, {45.65f, 46.0f}};
const kaFlashWindow kFlashes15[] = {{84.3f, 84.95f}, {85.15f, 85.5f}, {88.0f, 88.5f},
                                    {88.7f, 89.35f}, {89.55f, 89.9f}};
const kaFlashWindow kFlashes17[] = {{90.8f, 91.45f}, {91.65f, 92.0f}, {94.5f, 95.0f},
                                    {95.2f, 95.85f}, {96.05f, 96.4f}};
const kaFlashWindow kFlashes18[] = {{96.8f, 97.45f}, {97.65f, 98.0f}, {100.5f, 101.0f},
                                    {101.2f, 101.85f}, {102.05f, 102.4f}};
const kaFlashWindow kFlashes19[] = {{102.9f, 103.55f}, {103.75f, 104.1f}, {106.6f, 107.1f},
                                    {107.3f, 107.95f}, {108.15f, 108.5f}};

// The character's picture and the title.
const kaShotPicture kPortrait = {0, 1, 1, 0, 0.5f};
const kaShotPicture kTitle = {1, 0.75f, 0.75f, 0.25f, 0.25f};

template <size_t N>
void SetFlashes(kaShot& shot, const kaFlashWindow (&flashes)[N]) {
    shot.flashes = flashes;
    shot.flashCount = N;
}

template <size_t N>
kaShot Flashing(kaShot shot, const kaFlashWindow (&flashes)[N]) {
    SetFlashes(shot, flashes);
    return shot;
}

kaShot Shot(double after, double upTo, int clip, float blendMs, const char* cameraPath) {
    kaShot shot;
    shot.after = after;
    shot.upTo = upTo;
    shot.clip = clip;
    shot.blendMs = blendMs;
    shot.cameraPath = cameraPath;
    return shot;
}

// The character in the first stage under the sky, among the flares.
kaShot Opening(double after, double upTo, int clip, float blendMs, const char* cameraPath,
               float lift) {
    kaShot shot = Shot(after, upTo, clip, blendMs, cameraPath);
    shot.target = kStageTarget;
    shot.speed = 2;
    shot.lift = lift;
    shot.stage = &gStage1;
    shot.draws = {Draw::Sky, Draw::Stage, Draw::Sprites, Draw::Character};
    return shot;
}

// The character in a closed stage, lit from above and in front.
kaShot Closing(double after, double upTo, int clip, float blendMs, kaVector3f target) {
    kaShot shot = Shot(after, upTo, clip, blendMs, nullptr);
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
kaShot Fight(double after, double upTo, int clip, const char* cameraPath, kaVector3f target) {
    kaShot shot = Closing(after, upTo, clip, 0, target);
    shot.cameraPath = cameraPath;
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
    kaShot shot = Opening(kNoStart, 7.3, 0, 1000, "cPath01.spl", 2000);
    shot.opening = true;
    shot.spriteTable = kOpeningSprites;
    shot.spriteCount = kOpeningSpriteCount;
    shot.addEnd = 4;
    shot.updateWithOne = true;
    return shot;
}

kaShot Scene02Shot() {
    kaShot shot = Opening(7.3, 9.5, 1, 400, "cPath02.spl", 2000);
    shot.resetClock = true;
    shot.beginFrameFirst = true;
    return shot;
}

kaShot Scene04Shot() {
    kaShot shot = Opening(12.6, 17.0, 2, 0, "cPath04.spl", 2000);
    shot.draws = {Draw::Sky, Draw::Character, Draw::Stage};
    return shot;
}

// The run through the first stage along the character's path.
kaShot Scene08Shot() {
    kaShot shot = Opening(25.2, 31.5, 3, 500, "cPath06.spl", 2500);
    shot.characterPath = "qxPath01.spl";
    shot.addFirst = 4;
    shot.addEnd = kOpeningSpriteCount;
    shot.rateAfter = 0.83f;
    shot.target = {300, 1950, 1320};
    shot.characterPathScale = 0.06f;
    shot.pathAxes = kaAxesXY;
    shot.eyePathAxes = kaAxesXYZ;
    SetFlashes(shot, kFlashes08);
    return shot;
}

// The portrait over a still frame.
kaShot Scene09Shot() {
    kaShot shot = Opening(31.5, 34.0, -1, 0, nullptr, 0);
    shot.rateAfter = 1.0f;
    shot.still = true;
    shot.picture = &kPortrait;
    return shot;
}

// The hoverboard ride through the second stage between red flares.
kaShot Scene10Shot() {
    kaShot shot = Opening(34.0, 40.0, 3, 0, "cPath09.spl", 2500);
    shot.freed = {&gStage1, nullptr};
    shot.characterPath = "qxPath02.spl";
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
    SetFlashes(shot, kFlashes10);
    return shot;
}

// The title in the first closed stage.
kaShot Scene11Shot() {
    kaShot shot = Closing(40.0, 50.0, 8, 0, {0, 0, 0});
    shot.freed = {&gStage2, &gHoverboard};
    shot.rateBefore = 1.0f;
    shot.cameraPath = "cPath10.spl";
    shot.rateAfter = 1.0f;
    shot.removeEnd = kRideSpriteCount;
    shot.speed = 2;
    shot.lightAxes = kaAxisZ;
    shot.stage = &gCloseStage;
    shot.picture = &kTitle;
    SetFlashes(shot, kFlashes11);
    return shot;
}

kaShot Scene12Shot() {
    kaShot shot = Fight(50.0, 54.5, 9, "cPath12.spl", {0, 0, 0});
    shot.freed = {&gCloseStage, nullptr};
    return shot;
}

kaShot Scene14Shot() {
    kaShot shot = Closing(78.0, 82.0, 11, 0, {0, 0, 0});
    shot.freed = {&gCloseStage2, nullptr};
    shot.cameraPath = "cPath13.spl";
    return shot;
}

// The flight: the character follows its own path and the clock stands still.
kaShot Flight(double after, double upTo, const char* cameraPath) {
    kaShot shot = Closing(after, upTo, 19, 0, {0, 0, 0});
    shot.cameraPath = cameraPath;
    shot.characterPath = "qxPath03.spl";
    shot.rateAfter = 0;
    shot.lift = 0;
    return shot;
}

kaShot Scene22Shot() {
    kaShot shot = Flight(112.0, 115.5, "cPath13.spl");
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
    kaShot shot = Flight(115.5, 117.7, "cPath14.spl");
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
    Opening(9.5, 12.6, 4, 1500, "cPath03.spl", 2500),
    Scene04Shot(),
    Flashing(Opening(17.0, 18.7, 4, 0, "cPath02.spl", 2500), kFlashes05),
    Opening(18.7, 23.5, 5, 0, "cPath07.spl", 2500),
    Flashing(Opening(23.5, 25.2, 4, 400, "cPath02.spl", 2500), kFlashes07),
    Scene08Shot(),
    Scene09Shot(),
    Scene10Shot(),
    Scene11Shot(),
    Scene12Shot(),
    Fight(54.5, 78.0, 10, "cPath10.spl", {2000, -5000, 0}),
    Scene14Shot(),
    Flashing(Closing(82.0, 86.0, 12, 200, {0, 0, 0}), kFlashes15),
    Closing(86.0, 90.0, 13, 200, {0, 0, 0}),
    Flashing(Closing(90.0, 94.0, 14, 200, {0, 0, 0}), kFlashes17),
    Flashing(Closing(94.0, 100.0, 15, 200, {0, 0, 0}), kFlashes18),
    Flashing(Closing(100.0, 104.0, 16, 0, {0, 0, -1200}), kFlashes19),
    Closing(104.0, 108.0, 17, 0, {0, 0, 0}),
    Closing(108.0, 112.0, 18, 0, {0, 0, -400}),
    Scene22Shot(),
    Scene23Shot(),
};

// Plays scene N with its own first-call flag, target and path parameter.
template <unsigned N>
void PlayScene(float frameDelta, float t) {
    static kaShotState state;
    PlayShot(kShots[N - 1], state, frameDelta, t);
}

}  // namespace

const kaShot& SceneShot(unsigned number) { return kShots.at(number - 1); }

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
