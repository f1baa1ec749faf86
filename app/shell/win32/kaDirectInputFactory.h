#pragma once

#define DIRECTINPUT_VERSION 0x0800
#include <windows.h>
#include <dinput.h>

// How kaInput creates its DirectInput interface: DirectInput8Create unless a
// test hands in a function that makes a fake one.
using kaDirectInputCreateFn = HRESULT(WINAPI*)(HINSTANCE instance, DWORD version,
                                               REFIID interfaceId, void** out,
                                               IUnknown* outer);

// Installs the creation function (null restores DirectInput8Create) and
// returns the previous one.
kaDirectInputCreateFn SetDirectInputCreate(kaDirectInputCreateFn create);
