#include "kaActivation.h"

int gActive = 0;

int OnActivate(uintptr_t wParam, intptr_t /*lParam*/) {
    gActive = (wParam & 0xFFFF) != 0 ? 1 : 0;
    return gActive;
}
