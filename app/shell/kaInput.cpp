#include "kaInput.h"

kaInput::kaInput() : mStatus(0), mState(nullptr), mWindow(nullptr), mDevices(nullptr) {}

kaInput::~kaInput() { Release(); }

int kaInput::Fail(Status status) {
    mStatus = status;
    return 0;
}

unsigned char kaInput::isKeyDown(unsigned char key) const {
    return mState != nullptr ? mState->keys[key] : 0;
}
