#pragma once

#if !defined(_WIN32)
#error "kaInput reads the keyboard and mouse through DirectInput 8"
#endif

#define DIRECTINPUT_VERSION 0x0800
#include <windows.h>
#include <dinput.h>

#include "kaInputState.h"

// Keyboard and mouse through DirectInput 8, read once per frame.
class kaInput {
public:
    // Status of Init: 0, or the step that failed.
    enum Status : int {
        KA_INPUT_OK = 0,
        KA_INPUT_CREATE = -1,
        KA_INPUT_KEYBOARD = -2,
        KA_INPUT_KEYBOARD_FORMAT = -3,
        KA_INPUT_KEYBOARD_COOPERATION = -4,
        KA_INPUT_MOUSE = -5,
        KA_INPUT_MOUSE_FORMAT = -6,
        KA_INPUT_MOUSE_COOPERATION = -7,
        KA_INPUT_MOUSE_BUFFER = -8,
    };

    // A device that stays lost is asked again at most this often per poll.
    static constexpr int kMaxReacquire = 8;

    kaInput();
    kaInput(const kaInput&) = delete;
    kaInput& operator=(const kaInput&) = delete;
    ~kaInput();

    // 1 when the keyboard and mouse are ready, 0 on failure (see getStatus).
    int Init(HWND window);
    void Poll();
    unsigned char isKeyDown(unsigned char key) const;
    void Release();

    int getStatus() const { return mStatus; }
    const kaInputState* getState() const { return mState; }

private:
    int Fail(Status status);
    int InitKeyboard();
    int InitMouse();
    void PollKeyboard();
    void PollMouse();
    static void Reacquire(IDirectInputDevice8A* device);

    int mStatus;
    kaInputState* mState;
    HWND mWindow;
    IDirectInput8A* mDirectInput;
    IDirectInputDevice8A* mKeyboard;
    IDirectInputDevice8A* mMouse;
};
