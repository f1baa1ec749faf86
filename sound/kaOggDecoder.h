#pragma once

#include <cstddef>
#include <cstdint>

#include <vorbis/vorbisfile.h>

// Ogg Vorbis decoding straight from a block of memory that the caller keeps
// alive for as long as the decoder is open.  Chained files may change channel
// count and rate between their parts; every piece says which it has.
class kaOggDecoder {
public:
    // Sample rates a track's parts may have: those the sound system mixes
    // at.  Far below them every decoded frame would become thousands of
    // played ones.
    static constexpr long kMinRate = 4000;
    static constexpr long kMaxRate = 192000;

    kaOggDecoder();
    ~kaOggDecoder();
    kaOggDecoder(const kaOggDecoder&) = delete;
    kaOggDecoder& operator=(const kaOggDecoder&) = delete;

    // False when the data is not Ogg Vorbis, is damaged in its headers or
    // has a part at a rate outside kMinRate to kMaxRate.
    bool Open(const unsigned char* data, size_t size);

    // Length of the whole track in milliseconds.
    int64_t getLengthMilliseconds() const { return mLengthMilliseconds; }

    // Decodes the next piece of at most maxFrames frames: channel arrays of
    // floats in -1..1 in *pcm, valid until the next call.  Returns the frame
    // count, 0 at the end of the track (a damaged page also ends it).
    int Read(float*** pcm, int maxFrames, int* channels, int* rate);
    // Goes to `ms` milliseconds into the track, from where Read goes on;
    // false when the decoder is not open or the time lies outside the track.
    bool Seek(int64_t ms);

private:
    static size_t ReadBytes(void* buffer, size_t size, size_t count, void* self);
    static int SeekBytes(void* self, ogg_int64_t offset, int origin);
    static long TellBytes(void* self);
    bool MeasureLength();

    OggVorbis_File mFile;
    bool mOpen;
    const unsigned char* mData;
    size_t mSize;
    size_t mPosition;
    int64_t mLengthMilliseconds;
};
