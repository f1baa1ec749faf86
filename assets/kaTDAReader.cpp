#include "kaTDAReader.h"

#include <cstring>

namespace {

constexpr uint64_t kTrackBytes = 5;
constexpr uint64_t kKeyBytes = 28;

}  // namespace

kaTDAReader::kaTDAReader()
    : mMagic(), mVersion(), mNameLength(0), mName(), mDuration(0), mHeaderValue(0),
      mFrameCount(0), mTrackCount(0), mError(0) {}

int kaTDAReader::Open(const char* path) {
    Release();
    return Finish(mFile.Open(path) ? ReadAll() : kCannotOpen);
}

int kaTDAReader::OpenMemory(const void* data, size_t size) {
    Release();
    mFile.OpenMemory(data, size);
    return Finish(ReadAll());
}

int kaTDAReader::ReadAll() {
    int result = ReadHeader();
    if (result == 0) {
        mTracks.resize(mTrackCount);
        result = ReadTracks();
    }
    return result;
}

int kaTDAReader::Finish(int result) {
    mFile.Close();
    mError = result;
    if (result == 0) return 1;
    Release();
    return 0;
}

void kaTDAReader::Release() {
    mTracks.clear();
    mTrackCount = 0;
}

int kaTDAReader::ReadHeader() {
    std::memset(mMagic, 0, sizeof mMagic);
    mFile.Read(mMagic, 9);
    if (std::strcmp(mMagic, "TDMU_ANIM") != 0) return kBadMagic;
    mVersion[0] = mFile.U8();
    mVersion[1] = mFile.U8();
    if (mVersion[0] != 1 || mVersion[1] != 2) return kBadVersion;
    mFile.ShortString(&mNameLength, mName);
    mDuration = mFile.F32();
    mHeaderValue = mFile.U32();
    mFrameCount = mFile.I32();
    if (mFile.failed()) return kBadData;
    if (mFrameCount == 0) return kNoFrames;
    const int16_t tracks = mFile.I16();
    if (mFile.failed()) return kBadData;
    // A negative count is refused like an empty one, before anything is allocated.
    if (tracks <= 0) return kNoTracks;
    if (!mFile.Holds(tracks, kTrackBytes)) return kBadData;
    mTrackCount = tracks;
    return 0;
}

int kaTDAReader::ReadTracks() {
    const float step = mDuration / mFrameCount;
    for (kaTDATrack& track : mTracks) {
        mFile.ShortString(&track.nameLength, track.name);
        track.keyCount = mFile.I32();
        if (track.keyCount < 0 || !mFile.Holds(uint64_t(track.keyCount), kKeyBytes))
            return kBadData;
        track.keys.resize(track.keyCount);
        for (int32_t k = 0; k < track.keyCount; ++k) {
            kaAnimKey& key = track.keys[k];
            mFile.F32();  // the stored time is replaced by the derived one
            key.time = k * step;
            mFile.F32s(key.position, 3);
            mFile.F32s(key.rotation, 3);
        }
        if (mFile.failed()) return kBadData;
    }
    return 0;
}
