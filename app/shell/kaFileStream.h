#pragma once

#include <cstdio>

// A C library file behind eight virtual operations.  Every operation on a
// closed stream answers its "no file" value instead of failing.  The stream
// owns its file: destroying it closes the file.
class kaFileStream {
public:
    // Flag bit 0: the stream refuses writes.
    static constexpr unsigned kReadOnly = 1;

    kaFileStream();
    kaFileStream(const kaFileStream&) = delete;
    kaFileStream& operator=(const kaFileStream&) = delete;

    // The eight operations fill slots 0 to 7 of the table, in this order;
    // the destructor comes after them.
    virtual unsigned Read(void* buffer, unsigned count);
    virtual unsigned Write(const void* buffer, unsigned count);
    virtual int Seek(int offset, int origin);
    virtual int Tell();
    virtual unsigned getSize();
    virtual int Close();
    virtual int SaveToFile(const char* path);
    virtual int CopyTo(kaFileStream* other);
    virtual ~kaFileStream();

    // Opens a file ("rb" for reading); 0, or 8 when it cannot be opened.
    int Open(const char* path, const char* mode);

    bool isOpen() const { return mFile != nullptr; }
    void setFlags(unsigned flags) { mFlags = flags; }

private:
    // Reads the whole stream from the start into a new buffer and hands it to
    // sink; the result codes of SaveToFile and CopyTo.
    template <typename Sink>
    int CopyWhole(Sink sink);

    FILE* mFile;
    unsigned mFlags;
};
