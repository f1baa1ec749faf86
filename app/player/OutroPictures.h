#pragma once

#include "kaTimer.h"

class kaBaseTexture;

// Full-screen pictures drawn on the overlay quad: the loading screen of
// start-up and the two closing pictures of shutdown.

// How long each closing picture is shown.
constexpr float kClosingPictureSeconds = 5.0f;

// One frame showing the picture (the loading screen).
void ShowPicture(kaBaseTexture* picture);

// The two closing pictures, each shown for just over `seconds` on the timer
// (a timer of their own when none is given), one frame at a time.
class kaClosingPictures {
public:
    kaClosingPictures(kaBaseTexture* first, kaBaseTexture* second, kaTimer* timer, float seconds);
    kaClosingPictures(const kaClosingPictures&) = delete;
    kaClosingPictures& operator=(const kaClosingPictures&) = delete;

    // Draws the next frame; false once it was the last.
    bool Frame();
    // Seconds since the first picture began, as far as the frames have gone.
    float getSeconds() const;

private:
    kaBaseTexture* mPictures[2];
    kaTimer mOwnTimer;
    kaTimer& mTimer;
    float mSeconds;
    int mShowing;
    bool mStarted;
};
