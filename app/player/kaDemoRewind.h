#pragma once

// The demo's world put back as start-up left it, so that the frames played
// next are those of a demo played from its start: every scene as before its
// first call, the models the scenes freed loaded again and every model's
// vertices as start-up wrote them, the character posed on its first clip,
// the camera and the character's path as new, no sprites, the light, the
// render states, the clip clock's rate and the music closed and opened again
// unplayed.  Every clock must already read frame 0 (kaFrameClock::Drive).
class kaDemoRewind {
public:
    // False when a model cannot be loaded again (its box has been shown); the
    // demo cannot be played then.
    static bool Rewind();
    // The render and texture states as a new device has them (the device's
    // own defaults, whichever states the frames played before changed; a
    // list kept here would drift from them) and no texture on any stage.
    // Start-up's states are to be set again after it.
    static void ResetDeviceStates();

private:
    static bool RemakeModels();
    static void ResetMotion();
    static void ResetSprites();
};
