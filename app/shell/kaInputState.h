#pragma once

#include <cstdint>

// The keyboard and mouse as the last poll saw them.
struct kaInputState {
    uint8_t keys[256];          // by DirectInput key code; down when bit 7 is set
    int32_t mouseButtons[4];    // 1 while the button is down
    int32_t totalMotion[3];     // x, y, z summed over all polls
    int32_t motion[3];          // x, y, z of the last poll
    int32_t cursor[2];          // screen position
};
