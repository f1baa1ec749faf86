#pragma once

// Makes the sound system open a device that plays in real time without a
// sound card where the platform has one (SDL's dummy driver); Wine plays on
// its own driver, or on none.  Call before the sound system starts.
void UseTestSoundDevice();
