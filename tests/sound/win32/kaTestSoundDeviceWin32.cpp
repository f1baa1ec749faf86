#include "kaTestSoundDevice.h"

void UseTestSoundDevice() {}
