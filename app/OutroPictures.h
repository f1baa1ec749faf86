#pragma once

class kaBaseTexture;
class kaTimer;

// Full-screen pictures drawn on the overlay quad: the loading screen of
// start-up and the two closing pictures of shutdown.

// How long each closing picture is shown.
constexpr float kClosingPictureSeconds = 5.0f;

// One frame showing the picture (the loading screen).
void ShowPicture(kaBaseTexture* picture);

// Shows the two closing pictures, each for just over `seconds` on the timer,
// without handling window messages meanwhile.
void ShowClosingPictures(kaBaseTexture* first, kaBaseTexture* second, kaTimer& timer,
                         float seconds);
