#pragma once

#include <cstdint>
#include <cstring>
#include <string>

// Builds the bytes of a binary test file field by field, little-endian.
class kaByteWriter {
public:
    kaByteWriter& u8(unsigned v) { mBytes.push_back(static_cast<char>(v)); return *this; }
    kaByteWriter& u16(unsigned v) { return u8(v & 0xFF).u8((v >> 8) & 0xFF); }
    kaByteWriter& u32(uint32_t v) { return u16(v & 0xFFFF).u16(v >> 16); }
    kaByteWriter& f32(float v) {
        uint32_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        return u32(bits);
    }
    kaByteWriter& text(const std::string& s) { mBytes += s; return *this; }
    // A u8 length followed by the text.
    kaByteWriter& shortString(const std::string& s) { return u8(s.size()).text(s); }
    kaByteWriter& zeros(size_t n) { mBytes.append(n, '\0'); return *this; }
    kaByteWriter& floats(std::initializer_list<float> values) {
        for (float v : values) f32(v);
        return *this;
    }

    const std::string& bytes() const { return mBytes; }
    size_t size() const { return mBytes.size(); }
    // Overwrites a 32-bit field already written.
    void patch32(size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) mBytes[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    }

private:
    std::string mBytes;
};
