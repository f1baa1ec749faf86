#include "kaFileStream.h"

#include <cstdlib>

#include "kaResult.h"

kaFileStream::kaFileStream() : mFile(nullptr), mFlags(0) {}

kaFileStream::~kaFileStream() {
    if (mFile != nullptr) std::fclose(mFile);
}

int kaFileStream::Open(const char* path, const char* mode) {
    if (mFile != nullptr) Close();
    mFile = std::fopen(path, mode);
    return mFile != nullptr ? KA_OK : KA_ERR_OPENFAIL;
}

unsigned kaFileStream::Read(void* buffer, unsigned count) {
    if (mFile == nullptr) return 0;
    return static_cast<unsigned>(std::fread(buffer, 1, count, mFile));
}

unsigned kaFileStream::Write(const void* buffer, unsigned count) {
    if (mFile == nullptr || (mFlags & kReadOnly)) return 0;
    return static_cast<unsigned>(std::fwrite(buffer, 1, count, mFile));
}

int kaFileStream::Seek(int offset, int origin) {
    if (mFile == nullptr || std::fseek(mFile, offset, origin) != 0) return -1;
    return static_cast<int>(std::ftell(mFile));
}

int kaFileStream::Tell() {
    if (mFile == nullptr) return -1;
    return static_cast<int>(std::ftell(mFile));
}

unsigned kaFileStream::getSize() {
    const int position = Tell();
    if (position < 0) return 0;
    const int length = Seek(0, SEEK_END);
    Seek(position, SEEK_SET);
    return length < 0 ? 0 : static_cast<unsigned>(length);
}

int kaFileStream::Close() {
    if (mFile != nullptr) {
        std::fclose(mFile);
        mFile = nullptr;
    }
    return 0;
}

template <typename Sink>
int kaFileStream::CopyWhole(Sink sink) {
    const unsigned size = getSize();
    const int position = Tell();
    Seek(0, SEEK_SET);
    void* buffer = std::malloc(size);
    if (buffer == nullptr) return KA_ERR_OUTOFMEMORY;
    int result = KA_OK;
    if (Read(buffer, size) < size) {
        result = KA_ERR_READFAIL;
    } else if (sink(buffer, size) < size) {
        result = KA_ERR_WRITEFAIL;
    }
    std::free(buffer);
    if (result == KA_OK) Seek(position, SEEK_SET);
    return result;
}

int kaFileStream::SaveToFile(const char* path) {
    if (getSize() == 0) return KA_ERR_UNSUPPORTED;
    FILE* output = std::fopen(path, "wb");
    if (output == nullptr) return KA_ERR_PLATFORM;
    const int result = CopyWhole([output](const void* data, unsigned size) {
        return static_cast<unsigned>(std::fwrite(data, 1, size, output));
    });
    std::fclose(output);
    return result;
}

int kaFileStream::CopyTo(kaFileStream* other) {
    if (getSize() == 0) return KA_ERR_UNSUPPORTED;
    return CopyWhole([other](const void* data, unsigned size) {
        return other->Write(data, size);
    });
}
