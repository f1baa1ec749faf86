#include "kaOggDecoder.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

// Longest length a track reports, in milliseconds: the position is an int.
constexpr int64_t kMaxLength = 0x7FFFFFFF;

// Frames at a rate as milliseconds, held at kMaxLength: a damaged file can
// claim any frame count in its last page.
int64_t FramesToMilliseconds(int64_t frames, int64_t rate) {
    if (frames / rate >= kMaxLength / 1000) return kMaxLength;
    return frames / rate * 1000 + frames % rate * 1000 / rate;
}

}  // namespace

kaOggDecoder::kaOggDecoder()
    : mFile(), mOpen(false), mData(nullptr), mSize(0), mPosition(0), mLengthMilliseconds(0) {}

kaOggDecoder::~kaOggDecoder() {
    if (mOpen) ov_clear(&mFile);
}

bool kaOggDecoder::Open(const unsigned char* data, size_t size) {
    if (mOpen || data == nullptr || size == 0) return false;
    mData = data;
    mSize = size;
    mPosition = 0;
    // No close callback: the block belongs to the caller.
    const ov_callbacks callbacks{ReadBytes, SeekBytes, nullptr, TellBytes};
    if (ov_open_callbacks(this, &mFile, nullptr, 0, callbacks) != 0) return false;
    mOpen = true;
    // After opening a chained file vorbisfile can stand past a short first
    // part; decoding starts from the first byte instead.
    return MeasureLength() && ov_raw_seek(&mFile, 0) == 0;
}

// Sums the parts of a chained file, each at its own rate; false when a part
// cannot be played.
bool kaOggDecoder::MeasureLength() {
    if (!ov_seekable(&mFile)) return false;
    int64_t total = 0;
    for (long link = 0; link < ov_streams(&mFile); ++link) {
        const vorbis_info* info = ov_info(&mFile, static_cast<int>(link));
        const ogg_int64_t frames = ov_pcm_total(&mFile, static_cast<int>(link));
        if (info == nullptr || info->rate < kMinRate || info->rate > kMaxRate || frames < 0)
            return false;
        total = std::min(total + FramesToMilliseconds(frames, info->rate), kMaxLength);
    }
    mLengthMilliseconds = total;
    return true;
}

int kaOggDecoder::Read(float*** pcm, int maxFrames, int* channels, int* rate) {
    if (!mOpen) return 0;
    for (;;) {
        int link = 0;
        const long frames = ov_read_float(&mFile, pcm, maxFrames, &link);
        if (frames == OV_HOLE) continue;  // a gap in the data: decoding goes on after it
        if (frames <= 0) return 0;
        const vorbis_info* info = ov_info(&mFile, link);
        *channels = info->channels;
        *rate = static_cast<int>(info->rate);
        return static_cast<int>(frames);
    }
}

size_t kaOggDecoder::ReadBytes(void* buffer, size_t size, size_t count, void* self) {
    kaOggDecoder* decoder = static_cast<kaOggDecoder*>(self);
    if (size == 0) return 0;
    const size_t left = decoder->mSize - decoder->mPosition;
    const size_t wanted = count < left / size ? count : left / size;
    std::memcpy(buffer, decoder->mData + decoder->mPosition, wanted * size);
    decoder->mPosition += wanted * size;
    return wanted;
}

int kaOggDecoder::SeekBytes(void* self, ogg_int64_t offset, int origin) {
    kaOggDecoder* decoder = static_cast<kaOggDecoder*>(self);
    ogg_int64_t base = 0;
    if (origin == SEEK_CUR) base = static_cast<ogg_int64_t>(decoder->mPosition);
    if (origin == SEEK_END) base = static_cast<ogg_int64_t>(decoder->mSize);
    const ogg_int64_t target = base + offset;
    if (target < 0 || target > static_cast<ogg_int64_t>(decoder->mSize)) return -1;
    decoder->mPosition = static_cast<size_t>(target);
    return 0;
}

long kaOggDecoder::TellBytes(void* self) {
    return static_cast<long>(static_cast<kaOggDecoder*>(self)->mPosition);
}

bool kaOggDecoder::Seek(int64_t ms) {
    if (!mOpen || ms < 0 || ms > mLengthMilliseconds) return false;
    return ov_time_seek(&mFile, static_cast<double>(ms) / 1000.0) == 0;
}
