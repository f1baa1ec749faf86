#pragma once

#include "kaSprite.h"

// The flares written into gSprites: the twelve of the opening shots (cyan
// then yellow) and the thirty-one red ones along the hoverboard ride.
constexpr unsigned kOpeningSpriteCount = 12;
constexpr unsigned kRideSpriteCount = 31;

extern const kaSprite kOpeningSprites[kOpeningSpriteCount];
extern const kaSprite kRideSprites[kRideSpriteCount];
