#pragma once

#include <cstdint>

#include "kaIndexBuffer.h"

// The index writers of an index buffer, shared by every device: one cursor
// counted from the start of the locked range, no checks.  A device's buffer
// provides the memory between its Lock and Unlock and hands it over with
// StartWriting.
class kaWritableIndexBuffer : public kaIndexBuffer {
public:
    static constexpr unsigned kIndexBytes = sizeof(uint16_t);

    void AddIndex(unsigned short index) final;
    void AddIndexArray(unsigned short* indices, unsigned count) final;

    static bool TooLarge(unsigned indexCount) { return indexCount > 0xFFFFFFFFu / kIndexBytes; }

protected:
    kaWritableIndexBuffer() : mCursor(0), mData(nullptr) {}
    ~kaWritableIndexBuffer() = default;

    void StartWriting(unsigned char* data);
    void StopWriting();
    bool isWriting() const { return mData != nullptr; }

private:
    uint32_t mCursor;
    unsigned char* mData;
};
