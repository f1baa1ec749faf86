#include "kaRecordingIndexBuffer.h"

#include <algorithm>

#include "kaRecordingDevice.h"
#include "kaResult.h"

kaRecordingIndexBuffer::kaRecordingIndexBuffer(kaRecordingDevice& device, unsigned indexCount,
                                               unsigned usage)
    : mDevice(device), mUsage(usage), mIndices(indexCount), mLock(indexCount) {}

int kaRecordingIndexBuffer::Release() {
    return mDevice.ReleaseResource("IndexBuffer.Release", this);
}

void kaRecordingIndexBuffer::AddIndex(unsigned short index) {
    AddIndexArray(&index, 1);
}

void kaRecordingIndexBuffer::AddIndexArray(unsigned short* indices, unsigned count) {
    const unsigned at = mCursor;
    mCursor += count;
    if (!mLock.isLocked()) {
        mDevice.noteMisuse("index buffer: indices added while unlocked");
    } else if (indices == nullptr && count != 0) {
        mDevice.noteMisuse("index buffer: AddIndexArray without indices");
    } else if (at > mLock.count() || count > mLock.count() - at) {
        mDevice.noteMisuse("index buffer: indices added past the locked range");
    } else {
        std::copy(indices, indices + count, mIndices.begin() + mLock.first() + at);
    }
}

int kaRecordingIndexBuffer::Lock(unsigned firstIndex, unsigned indexCount,
                                 unsigned lockFlags) {
    const int result = mLock.Lock(mDevice,
                                  kaDeviceCall("IndexBuffer.Lock")
                                      << this << firstIndex << indexCount << lockFlags,
                                  firstIndex, indexCount);
    if (result == KA_OK) mCursor = 0;
    return result;
}

// Unlocking starts the next fill at the front of the range again.
int kaRecordingIndexBuffer::Unlock() {
    const int result = mLock.Unlock(mDevice, kaDeviceCall("IndexBuffer.Unlock") << this);
    if (result == KA_OK) mCursor = 0;
    return result;
}
