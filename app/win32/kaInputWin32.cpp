#include "kaInput.h"

#include <cstring>

#include "kaMessageBox.h"

namespace {

constexpr DWORD kCooperation = DISCL_NONEXCLUSIVE | DISCL_FOREGROUND;
constexpr DWORD kMouseBufferSize = 16;

void ReleaseDevice(IDirectInputDevice8A*& device) {
    if (device == nullptr) return;
    device->Unacquire();
    device->Release();
    device = nullptr;
}

}  // namespace

kaInput::kaInput()
    : mStatus(0), mState(nullptr), mWindow(nullptr), mDirectInput(nullptr), mKeyboard(nullptr),
      mMouse(nullptr) {}

kaInput::~kaInput() { Release(); }

int kaInput::Fail(Status status) {
    mStatus = status;
    return 0;
}

int kaInput::Init(HWND window) {
    HMODULE direct3D = LoadLibraryA("D3D8.DLL");
    if (direct3D == nullptr) {
        ErrorBox("DAMN!!!", "DX8 not installed");
        return 0;
    }
    FreeLibrary(direct3D);

    mStatus = KA_INPUT_OK;
    mDirectInput = nullptr;
    mKeyboard = nullptr;
    mMouse = nullptr;
    mWindow = window;
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE));
    if (FAILED(DirectInput8Create(instance, DIRECTINPUT_VERSION, IID_IDirectInput8A,
                                  reinterpret_cast<void**>(&mDirectInput), nullptr))) {
        mDirectInput = nullptr;
        return Fail(KA_INPUT_CREATE);
    }
    if (!InitKeyboard() || !InitMouse()) return 0;
    mState = new kaInputState();
    return 1;
}

int kaInput::InitKeyboard() {
    if (FAILED(mDirectInput->CreateDevice(GUID_SysKeyboard, &mKeyboard, nullptr))) {
        mKeyboard = nullptr;
        return Fail(KA_INPUT_KEYBOARD);
    }
    if (FAILED(mKeyboard->SetDataFormat(&c_dfDIKeyboard))) return Fail(KA_INPUT_KEYBOARD_FORMAT);
    if (FAILED(mKeyboard->SetCooperativeLevel(mWindow, kCooperation))) {
        Release();
        return Fail(KA_INPUT_KEYBOARD_COOPERATION);
    }
    mKeyboard->Acquire();
    return 1;
}

int kaInput::InitMouse() {
    if (FAILED(mDirectInput->CreateDevice(GUID_SysMouse, &mMouse, nullptr))) {
        mMouse = nullptr;
        return Fail(KA_INPUT_MOUSE);
    }
    if (FAILED(mMouse->SetDataFormat(&c_dfDIMouse2))) return Fail(KA_INPUT_MOUSE_FORMAT);
    if (FAILED(mMouse->SetCooperativeLevel(mWindow, kCooperation))) {
        Release();
        return Fail(KA_INPUT_MOUSE_COOPERATION);
    }
    DIPROPDWORD bufferSize = {};
    bufferSize.diph.dwSize = sizeof(DIPROPDWORD);
    bufferSize.diph.dwHeaderSize = sizeof(DIPROPHEADER);
    bufferSize.diph.dwObj = 0;
    bufferSize.diph.dwHow = DIPH_DEVICE;
    bufferSize.dwData = kMouseBufferSize;
    if (FAILED(mMouse->SetProperty(DIPROP_BUFFERSIZE, &bufferSize.diph))) {
        Release();
        return Fail(KA_INPUT_MOUSE_BUFFER);
    }
    mMouse->Acquire();
    return 1;
}

// Asks for a lost device again, but only a few times: a device that never
// comes back must not hang the frame loop.
void kaInput::Reacquire(IDirectInputDevice8A* device) {
    for (int attempt = 0; attempt < kMaxReacquire; ++attempt) {
        if (device->Acquire() != DIERR_INPUTLOST) return;
    }
}

void kaInput::Poll() {
    if (mState == nullptr) return;
    std::memset(mState->motion, 0, sizeof mState->motion);
    if (mKeyboard == nullptr) return;
    PollKeyboard();
    if (mMouse == nullptr) return;
    PollMouse();
    POINT cursor;
    if (GetCursorPos(&cursor)) {
        mState->cursor[0] = cursor.x;
        mState->cursor[1] = cursor.y;
    }
}

void kaInput::PollKeyboard() {
    std::memset(mState->keys, 0, 4);
    if (FAILED(mKeyboard->GetDeviceState(sizeof mState->keys, mState->keys))) {
        Reacquire(mKeyboard);
    }
}

// A failed mouse read counts as no motion and no buttons down.
void kaInput::PollMouse() {
    DIMOUSESTATE2 mouse = {};
    if (FAILED(mMouse->GetDeviceState(sizeof mouse, &mouse))) {
        Reacquire(mMouse);
        std::memset(&mouse, 0, sizeof mouse);
    }
    for (int button = 0; button < 4; ++button) {
        mState->mouseButtons[button] = mouse.rgbButtons[button] == 0x80 ? 1 : 0;
    }
    const LONG motion[3] = {mouse.lX, mouse.lY, mouse.lZ};
    for (int axis = 0; axis < 3; ++axis) {
        mState->motion[axis] = motion[axis];
        mState->totalMotion[axis] += motion[axis];
    }
}

unsigned char kaInput::isKeyDown(unsigned char key) const {
    return mState != nullptr ? mState->keys[key] : 0;
}

void kaInput::Release() {
    delete mState;
    mState = nullptr;
    ReleaseDevice(mKeyboard);
    ReleaseDevice(mMouse);
    if (mDirectInput != nullptr) {
        mDirectInput->Release();
        mDirectInput = nullptr;
    }
}
