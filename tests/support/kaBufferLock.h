#pragma once

#include "kaDeviceCall.h"

class kaRecordingDevice;

// The locked window of a recording buffer, in elements (vertices or
// indices), and how often the buffer was locked and unlocked.
class kaBufferLock {
public:
    explicit kaBufferLock(unsigned capacity) : mCapacity(capacity) {}

    // Records the call on the device, then opens [first, first + count); a
    // count of 0 reaches to the end of the buffer.  An injected failure or a
    // range outside the buffer (refused as the platform would: 1) leaves the
    // buffer unlocked.
    int Lock(kaRecordingDevice& device, const kaDeviceCall& call, unsigned first,
             unsigned count);
    // Records the call, then closes the window; an unlock without a lock is
    // misuse and gives 1.
    int Unlock(kaRecordingDevice& device, const kaDeviceCall& call);

    bool isLocked() const { return mLocked; }
    unsigned first() const { return mFirst; }
    unsigned count() const { return mCount; }
    unsigned capacity() const { return mCapacity; }
    unsigned lockCount() const { return mLocks; }
    unsigned unlockCount() const { return mUnlocks; }

private:
    unsigned mCapacity;
    unsigned mFirst = 0;
    unsigned mCount = 0;
    bool mLocked = false;
    unsigned mLocks = 0;
    unsigned mUnlocks = 0;
};
