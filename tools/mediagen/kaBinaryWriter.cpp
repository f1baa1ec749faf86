#include "kaBinaryWriter.h"

#include <cstring>

void kaBinaryWriter::U8(unsigned value) { mData.push_back(static_cast<char>(value & 0xFF)); }

void kaBinaryWriter::U16(unsigned value) {
    U8(value);
    U8(value >> 8);
}

void kaBinaryWriter::U32(uint32_t value) {
    U16(value & 0xFFFF);
    U16(value >> 16);
}

void kaBinaryWriter::F32(float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    U32(bits);
}

void kaBinaryWriter::Bytes(const void* data, size_t count) {
    mData.append(static_cast<const char*>(data), count);
}

bool kaBinaryWriter::ShortString(const std::string& text) {
    if (text.size() > 255) return false;
    U8(static_cast<unsigned>(text.size()));
    mData += text;
    return true;
}
