// Keyboard and mouse through DirectInput 8.
#include "kaInput.h"

#include <cstring>

#include "kaDirectInputFactory.h"
#include "kaMessageBox.h"

struct kaInputDevices {
    IDirectInput8A* directInput = nullptr;
    IDirectInputDevice8A* keyboard = nullptr;
    IDirectInputDevice8A* mouse = nullptr;
};

namespace {

constexpr DWORD kCooperation = DISCL_NONEXCLUSIVE | DISCL_FOREGROUND;
constexpr DWORD kMouseBufferSize = 16;

kaDirectInputCreateFn sCreate = nullptr;

HRESULT CreateDirectInput(HWND window, IDirectInput8A** out) {
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE));
    kaDirectInputCreateFn create = sCreate != nullptr ? sCreate : DirectInput8Create;
    return create(instance, DIRECTINPUT_VERSION, IID_IDirectInput8A, reinterpret_cast<void**>(out),
                  nullptr);
}

void ReleaseDevice(IDirectInputDevice8A*& device) {
    if (device == nullptr) return;
    device->Unacquire();
    device->Release();
    device = nullptr;
}

// Asks for a lost device again, but only a few times: a device that never
// comes back must not hang the frame loop.
void Reacquire(IDirectInputDevice8A* device) {
    for (int attempt = 0; attempt < kaInput::kMaxReacquire; ++attempt) {
        if (device->Acquire() != DIERR_INPUTLOST) return;
    }
}

// A failed cooperative level or buffer size releases everything; the other
// failures leave what was created to the next Release.
bool ReleasesOnFailure(int status) {
    return status == kaInput::KA_INPUT_KEYBOARD_COOPERATION ||
           status == kaInput::KA_INPUT_MOUSE_COOPERATION ||
           status == kaInput::KA_INPUT_MOUSE_BUFFER;
}

// 0, or the status of the step that failed.
int InitKeyboard(kaInputDevices& devices, HWND window) {
    if (FAILED(devices.directInput->CreateDevice(GUID_SysKeyboard, &devices.keyboard, nullptr))) {
        devices.keyboard = nullptr;
        return kaInput::KA_INPUT_KEYBOARD;
    }
    if (FAILED(devices.keyboard->SetDataFormat(&c_dfDIKeyboard))) {
        return kaInput::KA_INPUT_KEYBOARD_FORMAT;
    }
    if (FAILED(devices.keyboard->SetCooperativeLevel(window, kCooperation))) {
        return kaInput::KA_INPUT_KEYBOARD_COOPERATION;
    }
    devices.keyboard->Acquire();
    return 0;
}

int InitMouse(kaInputDevices& devices, HWND window) {
    if (FAILED(devices.directInput->CreateDevice(GUID_SysMouse, &devices.mouse, nullptr))) {
        devices.mouse = nullptr;
        return kaInput::KA_INPUT_MOUSE;
    }
    if (FAILED(devices.mouse->SetDataFormat(&c_dfDIMouse2))) return kaInput::KA_INPUT_MOUSE_FORMAT;
    if (FAILED(devices.mouse->SetCooperativeLevel(window, kCooperation))) {
        return kaInput::KA_INPUT_MOUSE_COOPERATION;
    }
    DIPROPDWORD bufferSize = {};
    bufferSize.diph.dwSize = sizeof(DIPROPDWORD);
    bufferSize.diph.dwHeaderSize = sizeof(DIPROPHEADER);
    bufferSize.diph.dwObj = 0;
    bufferSize.diph.dwHow = DIPH_DEVICE;
    bufferSize.dwData = kMouseBufferSize;
    if (FAILED(devices.mouse->SetProperty(DIPROP_BUFFERSIZE, &bufferSize.diph))) {
        return kaInput::KA_INPUT_MOUSE_BUFFER;
    }
    devices.mouse->Acquire();
    return 0;
}

void PollKeyboard(IDirectInputDevice8A* keyboard, kaInputState& state) {
    std::memset(state.keys, 0, 4);
    if (FAILED(keyboard->GetDeviceState(sizeof state.keys, state.keys))) Reacquire(keyboard);
}

// A failed mouse read counts as no motion and no buttons down.
void PollMouse(IDirectInputDevice8A* mouse, kaInputState& state) {
    DIMOUSESTATE2 reading = {};
    if (FAILED(mouse->GetDeviceState(sizeof reading, &reading))) {
        Reacquire(mouse);
        std::memset(&reading, 0, sizeof reading);
    }
    for (int button = 0; button < 4; ++button) {
        state.mouseButtons[button] = reading.rgbButtons[button] == 0x80 ? 1 : 0;
    }
    const LONG motion[3] = {reading.lX, reading.lY, reading.lZ};
    for (int axis = 0; axis < 3; ++axis) {
        state.motion[axis] = motion[axis];
        state.totalMotion[axis] += motion[axis];
    }
}

}  // namespace

kaDirectInputCreateFn SetDirectInputCreate(kaDirectInputCreateFn create) {
    const kaDirectInputCreateFn previous = sCreate;
    sCreate = create;
    return previous;
}

int kaInput::Init(void* window) {
    HMODULE direct3D = LoadLibraryA("D3D8.DLL");
    if (direct3D == nullptr) {
        ErrorBox("DAMN!!!", "DX8 not installed");
        return 0;
    }
    FreeLibrary(direct3D);

    Release();
    mStatus = KA_INPUT_OK;
    mWindow = window;
    mDevices = new kaInputDevices();
    HWND handle = static_cast<HWND>(window);
    if (FAILED(CreateDirectInput(handle, &mDevices->directInput))) {
        mDevices->directInput = nullptr;
        return Fail(KA_INPUT_CREATE);
    }
    int status = InitKeyboard(*mDevices, handle);
    if (status == 0) status = InitMouse(*mDevices, handle);
    if (status != 0) {
        if (ReleasesOnFailure(status)) Release();
        return Fail(static_cast<Status>(status));
    }
    mState = new kaInputState();
    return 1;
}

void kaInput::Poll() {
    if (mState == nullptr) return;
    std::memset(mState->motion, 0, sizeof mState->motion);
    if (mDevices == nullptr || mDevices->keyboard == nullptr) return;
    PollKeyboard(mDevices->keyboard, *mState);
    if (mDevices->mouse == nullptr) return;
    PollMouse(mDevices->mouse, *mState);
    POINT cursor;
    if (GetCursorPos(&cursor)) {
        mState->cursor[0] = cursor.x;
        mState->cursor[1] = cursor.y;
    }
}

void kaInput::Release() {
    delete mState;
    mState = nullptr;
    if (mDevices == nullptr) return;
    ReleaseDevice(mDevices->keyboard);
    ReleaseDevice(mDevices->mouse);
    if (mDevices->directInput != nullptr) mDevices->directInput->Release();
    delete mDevices;
    mDevices = nullptr;
}
