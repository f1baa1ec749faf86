#pragma once

#include <vector>

#include "kaDirectInputFactory.h"

// A DirectInput 8 of the test's own for kaInput: any step of kaInput's
// set-up can be made to fail, device reads and re-acquisitions answer as the
// test says, and every call that matters is counted.  One script is active
// at a time; kaFakeDirectInput::Create is the creation function to hand to
// SetDirectInputCreate.
struct kaFakeInputScript {
    enum Device { kKeyboard, kMouse };

    // The set-up step that fails, numbered as kaInput's statuses are
    // (1 the interface ... 8 the mouse's buffer size); 0 for none.
    int failingStep = 0;
    bool readsFail = false;
    // What Acquire answers after a failed read, call by call; the last one
    // repeats.
    std::vector<HRESULT> reacquired = {DI_OK};
    unsigned char keys[256] = {};

    // ---- Counted ----
    int acquires[2] = {};
    int reads[2] = {};
    int created = 0;   // interfaces and devices handed out
    int released = 0;  // final releases of those
};

namespace kaFakeDirectInput {

// Makes `script` the active one.
void Use(kaFakeInputScript* script);
HRESULT WINAPI Create(HINSTANCE instance, DWORD version, REFIID interfaceId, void** out,
                      IUnknown* outer);

}  // namespace kaFakeDirectInput
