#include "kaMemoryStream.h"

#include <cstdio>
#include <cstring>

kaMemoryStream::kaMemoryStream(const void* data, size_t size)
    : mData(static_cast<const unsigned char*>(data)), mSize(data != nullptr ? size : 0),
      mPosition(0) {}

unsigned kaMemoryStream::Read(void* buffer, unsigned count) {
    const size_t left = mPosition < mSize ? mSize - mPosition : 0;
    const unsigned got = count < left ? count : static_cast<unsigned>(left);
    if (got != 0) std::memcpy(buffer, mData + mPosition, got);
    mPosition += got;
    return got;
}

unsigned kaMemoryStream::Write(const void*, unsigned) { return 0; }

int kaMemoryStream::Seek(int offset, int origin) {
    long long base = 0;
    if (origin == SEEK_CUR) base = static_cast<long long>(mPosition);
    if (origin == SEEK_END) base = static_cast<long long>(mSize);
    const long long target = base + offset;
    if (target < 0 || target > 0x7FFFFFFF) return -1;
    mPosition = static_cast<size_t>(target);
    return static_cast<int>(mPosition);
}

int kaMemoryStream::Tell() { return static_cast<int>(mPosition); }

unsigned kaMemoryStream::getSize() { return static_cast<unsigned>(mSize); }

int kaMemoryStream::Close() {
    mData = nullptr;
    mSize = mPosition = 0;
    return 0;
}
