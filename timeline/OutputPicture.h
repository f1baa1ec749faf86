#pragma once

#include "kaPictureRect.h"

// The demo's picture in the render device's back buffer.  A player tells the
// demo the size of its back buffer with SetOutputSize; the camera, the
// overlay, the flashes and the pictures then draw into the 4:3 rectangle of
// that size, and every frame begins by clearing the bars around it black.

// Where the picture lies; 800x600 filling an 800x600 output until set.
extern kaPictureRect gPictureRect;

// Places the picture in an output of width x height pixels, the back
// buffer's size; the camera, where there is one, takes its projection and
// viewport from it.  A player calls it after the device was made at that
// size, and again after the back buffer changed size.
void SetOutputSize(unsigned width, unsigned height);

// Before a frame's first clear: clears colour and depth of the bars to
// black, then sets the picture's viewport.  Nothing is done while the
// picture fills the output, so an 800x600 output draws as it always has.
void ClearPictureBars();
