#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "kaSampleConverter.h"

class kaOggDecoder;

// The samples a stream plays: decodes its track piece by piece on demand and
// hands out interleaved stereo 16-bit frames at the mixing rate.
class kaPcmSource {
public:
    kaPcmSource(kaOggDecoder& decoder, int mixRate);

    // Writes up to frames frames to out; fewer only at the end of the track.
    unsigned Fill(int16_t* out, unsigned frames);

private:
    // Converts the next decoded piece into mPending; false at the end.
    bool DecodeMore();

    kaOggDecoder& mDecoder;
    kaSampleConverter mConverter;
    std::vector<int16_t> mPending;
    size_t mPendingStart;
    bool mEnded;
};
