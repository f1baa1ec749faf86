#pragma once

#include <cstddef>

#include "kaFileStream.h"

// A read-only file stream over a block of memory that the caller keeps for
// the stream's life, so that readers of streams can take bytes that never
// were a file.  Positions behave as a file's do: a seek before the start
// fails, a seek past the end succeeds and reads there give nothing.
class kaMemoryStream final : public kaFileStream {
public:
    kaMemoryStream(const void* data, size_t size);

    unsigned Read(void* buffer, unsigned count) override;
    unsigned Write(const void* buffer, unsigned count) override;
    int Seek(int offset, int origin) override;
    int Tell() override;
    unsigned getSize() override;
    int Close() override;

private:
    const unsigned char* mData;
    size_t mSize;
    size_t mPosition;
};
