// Keyboard and mouse in a browser: the page's key and mouse events, kept by
// DirectInput key code and handed over at each poll.
#include <emscripten/html5.h>

#include <cstring>

#include "kaInput.h"

struct kaInputDevices {
    kaInputState live = {};  // what the events said since the last poll
    uint8_t pressed[256] = {};  // keys that went down since the last poll
};

namespace {

struct KeyCode {
    const char* code;  // KeyboardEvent.code
    uint8_t dik;
};

// The keys of a PC keyboard's main block, with their DirectInput codes.
const KeyCode kKeys[] = {
    {"Escape", 0x01}, {"Digit1", 0x02}, {"Digit2", 0x03}, {"Digit3", 0x04}, {"Digit4", 0x05},
    {"Digit5", 0x06}, {"Digit6", 0x07}, {"Digit7", 0x08}, {"Digit8", 0x09}, {"Digit9", 0x0A},
    {"Digit0", 0x0B}, {"Minus", 0x0C}, {"Equal", 0x0D}, {"Backspace", 0x0E}, {"Tab", 0x0F},
    {"KeyQ", 0x10}, {"KeyW", 0x11}, {"KeyE", 0x12}, {"KeyR", 0x13}, {"KeyT", 0x14},
    {"KeyY", 0x15}, {"KeyU", 0x16}, {"KeyI", 0x17}, {"KeyO", 0x18}, {"KeyP", 0x19},
    {"BracketLeft", 0x1A}, {"BracketRight", 0x1B}, {"Enter", 0x1C}, {"ControlLeft", 0x1D},
    {"KeyA", 0x1E}, {"KeyS", 0x1F}, {"KeyD", 0x20}, {"KeyF", 0x21}, {"KeyG", 0x22},
    {"KeyH", 0x23}, {"KeyJ", 0x24}, {"KeyK", 0x25}, {"KeyL", 0x26}, {"Semicolon", 0x27},
    {"Quote", 0x28}, {"Backquote", 0x29}, {"ShiftLeft", 0x2A}, {"Backslash", 0x2B},
    {"KeyZ", 0x2C}, {"KeyX", 0x2D}, {"KeyC", 0x2E}, {"KeyV", 0x2F}, {"KeyB", 0x30},
    {"KeyN", 0x31}, {"KeyM", 0x32}, {"Comma", 0x33}, {"Period", 0x34}, {"Slash", 0x35},
    {"ShiftRight", 0x36}, {"AltLeft", 0x38}, {"Space", 0x39}, {"F1", 0x3B}, {"F2", 0x3C},
    {"F3", 0x3D}, {"F4", 0x3E}, {"F5", 0x3F}, {"F6", 0x40}, {"F7", 0x41}, {"F8", 0x42},
    {"F9", 0x43}, {"F10", 0x44}, {"F11", 0x57}, {"F12", 0x58}, {"ControlRight", 0x9D},
    {"AltRight", 0xB8}, {"Home", 0xC7}, {"ArrowUp", 0xC8}, {"PageUp", 0xC9},
    {"ArrowLeft", 0xCB}, {"ArrowRight", 0xCD}, {"End", 0xCF}, {"ArrowDown", 0xD0},
    {"PageDown", 0xD1}, {"Insert", 0xD2}, {"Delete", 0xD3},
};

// 0 for a key without a DirectInput code.
uint8_t DirectInputCode(const char* code) {
    for (const KeyCode& key : kKeys) {
        if (std::strcmp(key.code, code) == 0) return key.dik;
    }
    return 0;
}

EM_BOOL OnKeyEvent(int type, const EmscriptenKeyboardEvent* event, void* devices) {
    const uint8_t dik = DirectInputCode(event->code);
    if (dik != 0) {
        auto* state = static_cast<kaInputDevices*>(devices);
        state->live.keys[dik] = type == EMSCRIPTEN_EVENT_KEYDOWN ? 0x80 : 0;
        state->pressed[dik] |= state->live.keys[dik];
    }
    return EM_FALSE;
}

EM_BOOL OnMouseEvent(int type, const EmscriptenMouseEvent* event, void* devices) {
    kaInputState& live = static_cast<kaInputDevices*>(devices)->live;
    if (type == EMSCRIPTEN_EVENT_MOUSEMOVE) {
        live.motion[0] += event->movementX;
        live.motion[1] += event->movementY;
        live.cursor[0] = event->screenX;
        live.cursor[1] = event->screenY;
    } else if (event->button <= 2) {
        static const int kButton[3] = {0, 2, 1};  // the page: 1 middle, 2 right
        live.mouseButtons[kButton[event->button]] = type == EMSCRIPTEN_EVENT_MOUSEDOWN ? 1 : 0;
    }
    return EM_FALSE;
}

void Listen(kaInputDevices* devices) {
    // The document, not the window or the canvas: the application listens
    // there, and taking one target's handlers away takes them all.
    const em_key_callback_func key = devices != nullptr ? OnKeyEvent : nullptr;
    const em_mouse_callback_func mouse = devices != nullptr ? OnMouseEvent : nullptr;
    emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, devices, EM_FALSE, key);
    emscripten_set_keyup_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, devices, EM_FALSE, key);
    emscripten_set_mousemove_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, devices, EM_FALSE, mouse);
    emscripten_set_mousedown_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, devices, EM_FALSE, mouse);
    emscripten_set_mouseup_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, devices, EM_FALSE, mouse);
}

}  // namespace

int kaInput::Init(void* window) {
    Release();
    mWindow = window;
    if (window == nullptr) return Fail(KA_INPUT_CREATE);
    mState = new kaInputState();
    mDevices = new kaInputDevices();
    Listen(mDevices);
    mStatus = KA_INPUT_OK;
    return 1;
}

// The keys and buttons as they are now, and a key pressed and released since
// the last poll as down; the motion summed since the last poll.
void kaInput::Poll() {
    if (mDevices == nullptr) return;
    kaInputState& live = mDevices->live;
    for (size_t key = 0; key < sizeof live.keys; ++key) {
        mState->keys[key] = live.keys[key] | mDevices->pressed[key];
    }
    std::memset(mDevices->pressed, 0, sizeof mDevices->pressed);
    std::memcpy(mState->mouseButtons, live.mouseButtons, sizeof live.mouseButtons);
    std::memcpy(mState->cursor, live.cursor, sizeof live.cursor);
    for (int axis = 0; axis < 3; ++axis) {
        mState->motion[axis] = live.motion[axis];
        mState->totalMotion[axis] += live.motion[axis];
        live.motion[axis] = 0;
    }
}

void kaInput::Release() {
    if (mDevices != nullptr) Listen(nullptr);
    delete mDevices;
    mDevices = nullptr;
    delete mState;
    mState = nullptr;
    mWindow = nullptr;
}
