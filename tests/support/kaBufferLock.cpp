#include "kaBufferLock.h"

#include "kaRecordingDevice.h"
#include "kaResult.h"

int kaBufferLock::Lock(kaRecordingDevice& device, const kaDeviceCall& call, unsigned first,
                       unsigned count) {
    mLocked = false;
    if (int injected = device.Record(call)) return injected;
    if (first > mCapacity || count > mCapacity - first) return KA_ERR_PLATFORM;
    mFirst = first;
    mCount = count != 0 ? count : mCapacity - first;
    mLocked = true;
    ++mLocks;
    return KA_OK;
}

int kaBufferLock::Unlock(kaRecordingDevice& device, const kaDeviceCall& call) {
    if (int injected = device.Record(call)) return injected;
    if (!mLocked) {
        device.noteMisuse(call.name + " without Lock");
        return KA_ERR_PLATFORM;
    }
    mLocked = false;
    ++mUnlocks;
    return KA_OK;
}
