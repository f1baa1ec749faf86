#include "kaPcmSource.h"

#include <algorithm>
#include <cstring>

#include "kaOggDecoder.h"

namespace {

// Frames decoded at a time: small enough to keep memory low, large enough
// to keep the per-call cost of the decoder out of the way.
constexpr int kPieceFrames = 4096;

}  // namespace

kaPcmSource::kaPcmSource(kaOggDecoder& decoder, int mixRate)
    : mDecoder(decoder), mConverter(mixRate), mPendingStart(0), mEnded(false) {}

unsigned kaPcmSource::Fill(int16_t* out, unsigned frames) {
    unsigned written = 0;
    while (written < frames) {
        if (mPendingStart == mPending.size() && !DecodeMore()) break;
        const size_t available = (mPending.size() - mPendingStart) / 2;
        const size_t count = std::min<size_t>(available, frames - written);
        std::memcpy(out + written * 2, mPending.data() + mPendingStart, count * 2 * sizeof(int16_t));
        mPendingStart += count * 2;
        written += static_cast<unsigned>(count);
    }
    return written;
}

bool kaPcmSource::DecodeMore() {
    mPending.clear();
    mPendingStart = 0;
    while (!mEnded && mPending.empty()) {
        float** pcm = nullptr;
        int channels = 0, rate = 0;
        const int frames = mDecoder.Read(&pcm, kPieceFrames, &channels, &rate);
        if (frames > 0) {
            mConverter.Convert(pcm, frames, channels, rate, mPending);
        } else {
            mConverter.Flush(mPending);
            mEnded = true;
        }
    }
    return !mPending.empty();
}
