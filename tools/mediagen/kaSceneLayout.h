#pragma once

#include <string>
#include <vector>

#include "Schedule.h"
#include "kaModelSpec.h"

// The shots of the demo as the player stages them: when each is on screen,
// which stage it draws, the camera path it follows, where it puts the
// character and where the camera looks.  The media are built to fit these
// numbers; the scene checks replay them.

// How a shot turns its target point T, the character's box centre C, its
// first bone's rest position Pc and the character-path point P into the
// character's displacement D, the camera target and the eye offset.
enum class kaPlacement {
    kRule,   // D = T - C; target D + (0, 0, Z)
    kRun,    // D = T - C + (P.x, P.y, 0); target D + (0, 0, Z); eye offset P
    kTrack,  // D = T - C + (P.x - 600, P.y, 0); target D + (0, 0, Z); eye offset (P.x, P.y, 0)
    kFloor,  // D = (T.x - C.x, T.y - C.y, T.z); target D + (0, 0, Z)
    kBone,   // D = (T.x - Pc.x, T.y - Pc.y, T.z); target (0, 0, 1000)
    kRise,   // D = T - C + P; target D; eye offset (0, 0, P.z + 2000)
    kFloat,  // D = (T.x, T.y, T.z + P.z); target D; eye offset (0, -2000, -1000)
};

struct kaShotSpec {
    std::string scene;       // "Scene01" ...
    float start;             // on screen after this time (s)
    float end;               // up to this time
    const char* stage;       // the stage model drawn
    bool sky;                // the sky box is drawn first
    const char* cameraPath;  // camera path followed
    float pathRate;          // p grows by this much per second
    float cameraScale;       // the camera sits at cameraScale x p on its path
    const char* characterPath;  // null: P = 0
    float characterScale;       // P = PointAt(characterScale x p)
    kaPlacement placement;
    kaVec3 target;     // T
    float lift;        // Z
    const char* clip;  // the clip playing
    float frozenP;     // >= 0: nothing moves, p stays at this value
};

// The 23 shots in schedule order.  Their windows and paths are the player's
// own schedule: a shot that loads no path follows the last one loaded.
const std::vector<kaShotSpec>& Shots();

// Every white flash of the schedule, shot by shot; each rises to full white
// at the end of its window.
std::vector<kaFlashWindow> Flashes();

// The hoverboard's constant displacement in the track shot.
constexpr kaVec3 kHoverboardOffset{1002.0f, -171342.0f, 1500.0f};
// The camera's vertical field of view, aspect and clip distances.
constexpr float kFieldOfViewDegrees = 60.0f;
constexpr float kAspect = 800.0f / 600.0f;
constexpr float kNearPlane = 16.0f;
// Depth reaches 1 at half the far distance with the player's projection.
constexpr float kVisibleDistance = 700000.0f;
