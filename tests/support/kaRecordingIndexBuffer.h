#pragma once

#include <cstdint>
#include <vector>

#include "kaBufferLock.h"
#include "kaIndexBuffer.h"

class kaRecordingDevice;

// An index buffer of the recording device, backed by ordinary memory.
// Indices are stored from the cursor as the Direct3D 8 device stores them;
// an index added while unlocked or past the locked range is not stored and
// is reported to the device's misuse list.  Lock, Unlock and Release are
// recorded on the device as "IndexBuffer.Lock", "IndexBuffer.Unlock" and
// "IndexBuffer.Release" with the buffer first.
class kaRecordingIndexBuffer final : public kaIndexBuffer {
public:
    kaRecordingIndexBuffer(kaRecordingDevice& device, unsigned indexCount, unsigned usage);
    kaRecordingIndexBuffer(const kaRecordingIndexBuffer&) = delete;
    kaRecordingIndexBuffer& operator=(const kaRecordingIndexBuffer&) = delete;

    int Release() override;
    void AddIndex(unsigned short index) override;
    void AddIndexArray(unsigned short* indices, unsigned count) override;
    int Lock(unsigned firstIndex, unsigned indexCount, unsigned lockFlags) override;
    int Unlock() override;

    // The whole buffer, zero where nothing was written.
    const std::vector<uint16_t>& indices() const { return mIndices; }
    unsigned indexCount() const { return mLock.capacity(); }
    unsigned usage() const { return mUsage; }
    bool isLocked() const { return mLock.isLocked(); }
    unsigned lockCount() const { return mLock.lockCount(); }
    unsigned unlockCount() const { return mLock.unlockCount(); }
    // Next position, from the start of the locked range, that AddIndex fills.
    unsigned cursor() const { return mCursor; }

private:
    friend class kaRecordingDevice;
    ~kaRecordingIndexBuffer() = default;

    kaRecordingDevice& mDevice;
    unsigned mUsage;
    std::vector<uint16_t> mIndices;
    kaBufferLock mLock;
    unsigned mCursor = 0;
};
