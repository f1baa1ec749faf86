#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// A file read field by field in little-endian order, as the TDM and TDA
// readers do.  The bytes come whole from a file, read with the C library, or
// from a block of memory that the caller keeps until Close.  The first short
// read makes the file failed; later reads then give zeros, so a reader
// checks once after a group.
class kaBinaryFile {
public:
    kaBinaryFile() = default;
    ~kaBinaryFile() { Close(); }
    kaBinaryFile(const kaBinaryFile&) = delete;
    kaBinaryFile& operator=(const kaBinaryFile&) = delete;

    // False when the file cannot be opened.
    bool Open(const char* path);
    void OpenMemory(const void* data, size_t size);
    void Close();

    bool Read(void* out, uint32_t count);
    uint8_t U8();
    uint16_t U16();
    int16_t I16();
    uint32_t U32();
    int32_t I32();
    float F32();
    void F32s(float* out, uint32_t count);
    // A u8 length and that many bytes, kept NUL-terminated in a 256-byte
    // field; a name with a NUL byte ends there.
    void ShortString(uint8_t* length, char (&text)[256]);

    bool failed() const { return mFailed; }
    // True when at least count records of recordBytes each remain, so a
    // count read from the file can never ask for more than the file holds.
    bool Holds(uint64_t count, uint64_t recordBytes);

private:
    std::vector<unsigned char> mContents;  // a file's bytes; empty for a memory block
    const unsigned char* mData = nullptr;
    uint64_t mSize = 0;
    uint64_t mPosition = 0;
    bool mFailed = false;
};
