#pragma once

#include <cstdint>
#include <vector>

#include "kaIndexBuffer.h"
#include "kaLinkedResource.h"

// The index writers of an index buffer, shared by every device.  The buffer's
// indices are kept in memory (all 0 at creation): Lock opens a range of them
// to the writers, with one cursor counted from its start, and the device's
// Unlock sends that range to the platform.  A write past the locked range, or
// while nothing is locked, is dropped.  The copy also lets a draw check the
// indices it reads against the vertices it has.
class kaWritableIndexBuffer : public kaIndexBuffer, public kaLinkedResource {
public:
    static constexpr unsigned kIndexBytes = sizeof(uint16_t);

    void AddIndex(unsigned short index) final;
    void AddIndexArray(unsigned short* indices, unsigned count) final;

    static bool TooLarge(unsigned indexCount) { return indexCount > 0xFFFFFFFFu / kIndexBytes; }

    unsigned getIndexCount() const { return unsigned(mIndices.size()); }
    // True when the indices [first, first + count) lie in the buffer and
    // each of them is below vertexCount; false while a range is locked, as
    // the platform may then hold other indices than the copy.
    bool IndicesBelow(unsigned first, unsigned count, unsigned vertexCount);

protected:
    kaWritableIndexBuffer() = default;
    ~kaWritableIndexBuffer() = default;

    // Makes room for indexCount indices, all 0; false without memory.
    bool Allocate(unsigned indexCount);
    // Opens [first, first + count) to the writers, a count of 0 running to
    // the end.  False, with nothing open, for a range that leaves the buffer.
    bool StartWriting(unsigned first, unsigned count);
    void StopWriting();
    bool isWriting() const { return mWriting; }
    unsigned getLockedFirst() const { return mFirst; }
    unsigned getLockedCount() const { return mCount; }
    // All the indices, and the open range as the writers left it.
    const uint16_t* getIndices() const { return mIndices.data(); }
    const uint16_t* getLockedIndices() const { return getIndices() + mFirst; }

private:
    std::vector<uint16_t> mIndices;
    uint32_t mFirst = 0, mCount = 0, mCursor = 0;
    bool mWriting = false;
    // The largest index of the whole buffer, worked out again after a change.
    uint32_t mLargest = 0;
    bool mLargestKnown = true;
};
