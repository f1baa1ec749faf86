#pragma once

#include <cstdint>

// 1 while the window is active; frames are drawn only then.
extern int gActive;

// Activation callback: the window is active when the low 16 bits of wParam
// are non-zero.  Sets gActive and returns it.
int OnActivate(uintptr_t wParam, intptr_t lParam);
