#pragma once

#include "Schedule.h"

struct kaShot;

// The demo's 23 shots, in schedule order.  Each is called every frame with
// the frame delta and the music time t in seconds, and runs only while t lies
// in its window; the windows follow one another without gaps.  A shot sets
// itself up once, on its first active frame, and draws on the later ones.
void Scene01(float frameDelta, float t);
void Scene02(float frameDelta, float t);
void Scene03(float frameDelta, float t);
void Scene04(float frameDelta, float t);
void Scene05(float frameDelta, float t);
void Scene06(float frameDelta, float t);
void Scene07(float frameDelta, float t);
void Scene08(float frameDelta, float t);
void Scene09(float frameDelta, float t);
void Scene10(float frameDelta, float t);
void Scene11(float frameDelta, float t);
void Scene12(float frameDelta, float t);
void Scene13(float frameDelta, float t);
void Scene14(float frameDelta, float t);
void Scene15(float frameDelta, float t);
void Scene16(float frameDelta, float t);
void Scene17(float frameDelta, float t);
void Scene18(float frameDelta, float t);
void Scene19(float frameDelta, float t);
void Scene20(float frameDelta, float t);
void Scene21(float frameDelta, float t);
void Scene22(float frameDelta, float t);
void Scene23(float frameDelta, float t);

// The description of scene `number` (1 to kSceneCount).
const kaShot& SceneShot(unsigned number);

// Every scene as before its first call: each sets itself up again on its
// next active frame.  The objects the scenes set up or free are the
// caller's to build again.
void ResetScenes();
