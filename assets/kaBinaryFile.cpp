#include "kaBinaryFile.h"

#include <cstdio>
#include <cstring>

bool kaBinaryFile::Open(const char* path) {
    Close();
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) return false;
    unsigned char chunk[4096];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        mContents.insert(mContents.end(), chunk, chunk + got);
    std::fclose(file);
    mData = mContents.data();
    mSize = mContents.size();
    return true;
}

void kaBinaryFile::OpenMemory(const void* data, size_t size) {
    Close();
    mData = static_cast<const unsigned char*>(data);
    mSize = data != nullptr ? size : 0;
}

void kaBinaryFile::Close() {
    std::vector<unsigned char>().swap(mContents);
    mData = nullptr;
    mSize = 0;
    mPosition = 0;
    mFailed = false;
}

bool kaBinaryFile::Read(void* out, uint32_t count) {
    if (!mFailed && count <= mSize - mPosition) {
        if (count != 0) std::memcpy(out, mData + mPosition, count);
        mPosition += count;
        return true;
    }
    mFailed = true;
    std::memset(out, 0, count);
    return false;
}

uint8_t kaBinaryFile::U8() {
    unsigned char b = 0;
    Read(&b, 1);
    return b;
}

uint16_t kaBinaryFile::U16() {
    unsigned char b[2];
    Read(b, 2);
    return static_cast<uint16_t>(b[0] | b[1] << 8);
}

int16_t kaBinaryFile::I16() { return static_cast<int16_t>(U16()); }

uint32_t kaBinaryFile::U32() {
    unsigned char b[4];
    Read(b, 4);
    return uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
}

int32_t kaBinaryFile::I32() { return static_cast<int32_t>(U32()); }

float kaBinaryFile::F32() {
    const uint32_t bits = U32();
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

void kaBinaryFile::F32s(float* out, uint32_t count) {
    for (uint32_t i = 0; i < count; ++i) out[i] = F32();
}

void kaBinaryFile::ShortString(uint8_t* length, char (&text)[256]) {
    // At most 255 bytes arrive, so the last byte stays the terminator.
    std::memset(text, 0, sizeof text);
    *length = U8();
    Read(text, *length);
}

bool kaBinaryFile::Holds(uint64_t count, uint64_t recordBytes) {
    if (mFailed || mPosition > mSize || count * recordBytes > mSize - mPosition) {
        mFailed = true;
        return false;
    }
    return true;
}
