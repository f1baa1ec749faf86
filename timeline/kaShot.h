#pragma once

#include <array>
#include <cstdint>

#include "Schedule.h"
#include "kaRenderTypes.h"

class kaMeshModel;
struct kaSprite;

// One shot of the demo, as plain data: the window of music time in which it
// runs, what it sets up on its first active frame, and how it moves the
// character and the camera and what it draws on every later frame.  Every
// scene is a kaShot played by PlayShot; the defaults mean "nothing".

// Components a rule applies to.
enum : unsigned { kaAxisX = 1, kaAxisY = 2, kaAxisZ = 4, kaAxesXY = 3, kaAxesXYZ = 7 };

// What a drawing frame draws, in list order.
enum class kaShotDraw : uint8_t { End, Sky, Stage, Sprites, Character };

// A picture laid over the frame: texture slot, rectangle corners (x0, y0)
// and (x1, y1).  Its texture coordinates are always (0, 0) and (-1, 1).
struct kaShotPicture {
    unsigned slot;
    float x0, y0, x1, y1;
};

// A rate of the clip clock that a set-up leaves alone.
constexpr float kaKeepRate = -1.0f;

struct kaShot {
    // ---- Window, clip, paths and flashes.
    kaSceneSchedule schedule = {};

    // ---- First active frame, in this order: models freed, clip clock,
    // clip and paths of the schedule, then the rest.
    std::array<kaMeshModel**, 2> freed = {};  // globals released, deleted and cleared
    float rateBefore = kaKeepRate;
    bool resetClock = false;
    float rateAfterReset = kaKeepRate;
    bool opening = false;  // updates the character once and starts the music
    bool refreshHoverboard = false;
    float rateAfter = kaKeepRate;
    const kaSprite* spriteTable = nullptr;  // written to gSprites from record 0
    unsigned spriteCount = 0;
    unsigned addFirst = 0, addEnd = 0;  // records [addFirst, addEnd) added to gSpriteBatch
    unsigned removeEnd = 0;             // records [0, removeEnd) removed from it

    // ---- Drawing frames: motion.
    bool still = false;  // neither the character nor the camera moves
    bool updateWithOne = false;  // Update with 1 instead of gRefreshFlag
    bool beginFrameFirst = false;  // BeginFrame before MoveModel
    kaVector3f target{};  // T
    float speed = 0;        // p grows by speed x frame delta
    float cameraScale = 1;  // the camera follows its path at cameraScale x p
    float characterPathScale = 0;  // P = PointAt of gCharacterPath at this x p; 0: P = 0
    // D = T - anchor + P + (shiftX, 0, 0), each term only on its axes; the
    // anchor is the character's bounding-box centre or its position.
    unsigned anchorAxes = kaAxesXYZ;
    bool anchorOnPosition = false;
    unsigned pathAxes = 0;
    float shiftX = 0;
    // Camera target = (D if targetOnModel) + (0, 0, lift).
    bool targetOnModel = true;
    float lift = 0;
    // Eye offset = eyeBase + P on eyePathAxes.
    kaVector3f eyeBase{};
    unsigned eyePathAxes = 0;
    // Components of the renderer's light offset written each frame.
    unsigned lightAxes = 0;
    kaVector3f light{};

    // ---- Drawing frames: draws, then picture, then the schedule's flashes.
    bool cullNone = false;  // culling off before the draws, left off
    kaMeshModel** stage = nullptr;
    int stageSpecular = 0;
    std::array<kaShotDraw, 5> draws = {};  // up to the first End
    bool hoverboard = false;  // gHoverboard moved and drawn after the character
    const kaShotPicture* picture = nullptr;
};

// A shot's own state: first-call flag, target point T and path parameter p.
struct kaShotState {
    int firstCall = 1;
    int targetSet = 0;
    kaVector3f target{};
    float p = 0;
};

// Whether music time t lies in the shot's window.
bool isShotActive(const kaShot& shot, float t);

// One frame of the shot at music time t: nothing outside its window, the
// set-up on the first active frame, drawing on every later one.
void PlayShot(const kaShot& shot, kaShotState& state, float frameDelta, float t);
