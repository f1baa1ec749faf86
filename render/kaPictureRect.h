#pragma once

#include "kaRenderTypes.h"

// Where the demo's picture lies in an output (the back buffer) of any size:
// the largest 4:3 rectangle centred in it, in the output's own pixels, and
// black bars in the rest.  The demo is staged for an 800x600 picture; every
// size it draws at follows from this rectangle, so an 800x600 output draws
// exactly as the demo always has.
struct kaPictureRect {
    static constexpr unsigned kStageWidth = 800;
    static constexpr unsigned kStageHeight = 600;

    unsigned outputWidth = kStageWidth;
    unsigned outputHeight = kStageHeight;
    kaViewport picture = {0, 0, kStageWidth, kStageHeight};

    // The rectangle for an output of width x height pixels; a side the 4:3
    // shape leaves over is split between the two bars, the right or lower
    // one taking the odd pixel.  An output without pixels has no picture.
    static kaPictureRect Fit(unsigned width, unsigned height);

    // The parts of the output outside the picture that hold pixels, left
    // then right or top then bottom: how many of bars[0..1] were written (0
    // when the picture fills the output).
    unsigned Bars(kaViewport bars[2]) const;
};
