#include "kaTestSoundDevice.h"

#include <SDL.h>

void UseTestSoundDevice() { SDL_SetHint(SDL_HINT_AUDIODRIVER, "dummy"); }
