#pragma once

#include <cstdint>
#include <string>

// Collects the bytes of a binary file field by field, little-endian.
class kaBinaryWriter {
public:
    void U8(unsigned value);
    void U16(unsigned value);
    void U32(uint32_t value);
    void F32(float value);
    void Bytes(const void* data, size_t count);
    // A u8 length and the text; longer text is refused with false.
    bool ShortString(const std::string& text);

    const std::string& data() const { return mData; }

private:
    std::string mData;
};
