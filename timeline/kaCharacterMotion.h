#pragma once

#include "kaRenderTypes.h"

// The character's motion in a frame: its pose (gCharacter->Update, which
// also skins) and then the rewrite of its vertex buffers at the place the
// shot gives (gShaderRenderer->MoveModel).  The shots move the character
// through here so that a fast forward can hold the costly half back: while
// held, every frame still poses the character (the clip clock is read, the
// tracks sampled and the cross-fades decided, all of which carry over from
// frame to frame), but the skin and the rewrite are owed instead of done.
// A full skin and a full rewrite replace everything the earlier ones wrote,
// so the last pair owed is all that is left to do when the hold ends.
class kaCharacterMotion {
public:
    // From now on skins and rewrites with their refresh flags set are owed.
    static void Hold();
    // Pays what is owed (the skin for the pose as it stands, then the
    // rewrite at the place last given) and ends the hold.
    static void Release();

    // The pose and skin of a frame whose rewrite follows (Move).
    static void Update(int refresh);
    // The rewrite after Update, `offset` added to every position.
    static void Move(int refresh, const kaVector3f& offset);
    // A pose and skin that no rewrite follows (a set-up): what is owed is
    // paid first, and this one is done at once, as its skin would otherwise
    // be read by the next rewrite in place of the one the owed rewrite read.
    static void UpdateAlone(int refresh);

private:
    // Does what is owed, in the order it was owed; the hold goes on.
    static void Settle();
};
