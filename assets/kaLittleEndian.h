#pragma once

#include <cstdint>

// Little-endian fields of file headers held in byte arrays.
inline uint32_t GetLe16(const unsigned char* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8; }

inline uint32_t GetLe32(const unsigned char* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

inline void PutLe16(unsigned char* p, uint32_t v) {
    p[0] = static_cast<unsigned char>(v);
    p[1] = static_cast<unsigned char>(v >> 8);
}
