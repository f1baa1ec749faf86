#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "kaBinaryFile.h"

// One key of a bone track: time, position, rotation angles about x, y, z.
struct kaAnimKey {
    float time;
    float position[3];
    float rotation[3];
};

struct kaTDATrack {
    uint8_t nameLength;
    char name[256];
    int32_t keyCount;
    std::vector<kaAnimKey> keys;
};

// Reads a TDA animation file whole.  Key times are derived from the key's
// index: key k lies at k x duration / frame count seconds.  A file that is
// cut short or announces more keys than it holds is refused.
class kaTDAReader {
public:
    enum HeaderResult : int {
        kBadMagic = -1,
        kBadVersion = -2,
        kNoTracks = -4,
        kNoFrames = -5,
    };
    // A file cut short, or a key count that is negative or beyond the file.
    enum : int { kBadData = -6, kCannotOpen = -7 };

    kaTDAReader();
    kaTDAReader(const kaTDAReader&) = delete;
    kaTDAReader& operator=(const kaTDAReader&) = delete;

    // 1 when the whole clip was read, else 0 (getError tells why).
    int Open(const char* path);
    // As Open, from size bytes of a file's contents in memory.
    int OpenMemory(const void* data, size_t size);
    void Release();

    // Why the last Open failed (0 after a success).
    int getError() const { return mError; }
    const char* getName() const { return mName; }
    float getDuration() const { return mDuration; }
    uint32_t getHeaderValue() const { return mHeaderValue; }
    int32_t getFrameCount() const { return mFrameCount; }
    int16_t getTrackCount() const { return mTrackCount; }
    const kaTDATrack* getTracks() const { return mTracks.data(); }

    int ReadHeader();
    int ReadTracks();

private:
    // The steps after opening, and the closing step of Open.
    int ReadAll();
    int Finish(int result);

    char mMagic[10];
    uint8_t mVersion[2];
    uint8_t mNameLength;
    char mName[256];
    float mDuration;
    uint32_t mHeaderValue;
    int32_t mFrameCount;
    int16_t mTrackCount;
    std::vector<kaTDATrack> mTracks;
    kaBinaryFile mFile;
    int mError;
};
