#pragma once

#include "kaInputState.h"

// The platform's keyboard and mouse objects; each platform defines them in
// its own source file.
struct kaInputDevices;

// Keyboard and mouse, read once per frame into a kaInputState whose 256 key
// states are indexed by DirectInput key code (Escape is 1) on every platform.
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

    // ---- Platform ----
    // 1 when the keyboard and mouse of the window (kaApplication::getWindow)
    // are ready, 0 on failure (see getStatus).
    int Init(void* window);
    void Poll();
    // Releases the devices and frees the state; safe to call again.
    void Release();

    // ---- The same everywhere ----
    unsigned char isKeyDown(unsigned char key) const;
    int getStatus() const { return mStatus; }
    const kaInputState* getState() const { return mState; }

private:
    int Fail(Status status);

    int mStatus;
    kaInputState* mState;
    void* mWindow;
    kaInputDevices* mDevices;
};
