#pragma once

// The demo's schedule as plain data: when each of the 23 scenes runs, the
// clip it starts and the paths it loads on its first active frame, and the
// white flashes it draws.  The scenes play it; the media generator stages its
// camera flights and music accents on the same times.

constexpr unsigned kSceneCount = 23;

// The demo's length in seconds: the music time at which it ends, and the end
// of the last scene's window.
constexpr double kDemoEnd = 117.7;

// A white flash rises from nothing at start to full white at end (seconds of
// music time) and is gone outside that window.
struct kaFlashWindow {
    float start, end;
};

struct kaSceneSchedule {
    // Active for after < t <= upTo: bounds in double precision compared with
    // the single-precision music time.  The first scene has no lower bound.
    double after;
    double upTo;
    int clip;        // slot of gClips started on the character; -1: none
    float blendMs;   // its cross-fade; 0 cuts at once
    const char* cameraPath;     // loaded into gCamera, or null: the camera keeps its path
    const char* characterPath;  // loaded into gCharacterPath, or null
    const kaFlashWindow* flashes;
    unsigned flashCount;
};

// The schedule of scene `number`, 1 to kSceneCount.
const kaSceneSchedule& SceneSchedule(unsigned number);
