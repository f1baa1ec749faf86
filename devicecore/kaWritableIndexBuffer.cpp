#include "kaWritableIndexBuffer.h"

#include <cstring>

// Indices are copied bytewise: the locked memory need not be aligned for 16 bits.
void kaWritableIndexBuffer::AddIndex(unsigned short index) {
    std::memcpy(mData + kIndexBytes * mCursor++, &index, kIndexBytes);
}

void kaWritableIndexBuffer::AddIndexArray(unsigned short* indices, unsigned count) {
    std::memcpy(mData + kIndexBytes * mCursor, indices, count * kIndexBytes);
    mCursor += count;
}

void kaWritableIndexBuffer::StartWriting(unsigned char* data) {
    mData = data;
    mCursor = 0;
}

void kaWritableIndexBuffer::StopWriting() {
    mData = nullptr;
    mCursor = 0;
}
