#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

#include "kaOggDecoder.h"
#include "kaOggTone.h"
#include "kaPcmSource.h"

namespace {

struct Decoded {
    bool opened = false;
    int64_t lengthMilliseconds = 0;
    std::vector<int16_t> samples;  // stereo, interleaved

    size_t frames() const { return samples.size() / 2; }

    // Root-mean-square difference of one channel from a signal, in full scale.
    double Error(int channel, const std::function<float(int)>& expected) const {
        double sum = 0;
        for (size_t i = 0; i < frames(); ++i) {
            const double d = samples[i * 2 + channel] / 32767.0 - expected(static_cast<int>(i));
            sum += d * d;
        }
        return std::sqrt(sum / static_cast<double>(frames()));
    }
};

Decoded Decode(const std::string& ogg, int mixRate = 44100) {
    Decoded result;
    kaOggDecoder decoder;
    result.opened = decoder.Open(reinterpret_cast<const unsigned char*>(ogg.data()), ogg.size());
    result.lengthMilliseconds = decoder.getLengthMilliseconds();
    kaPcmSource source(decoder, mixRate);
    int16_t buffer[1000 * 2];
    while (unsigned frames = source.Fill(buffer, 1000)) {
        result.samples.insert(result.samples.end(), buffer, buffer + frames * 2);
    }
    return result;
}

TEST(DecoderTest, StereoAtTheMixingRateGivesItsLengthAndSamples) {
    const Decoded track = Decode(EncodeOgg(2, 44100, 44100, [](int c, int i) {
        return Sine(c == 0 ? 440 : 660, 44100, i);
    }));
    ASSERT_TRUE(track.opened);
    EXPECT_EQ(track.lengthMilliseconds, 1000);
    EXPECT_EQ(track.frames(), 44100u);
    EXPECT_LT(track.Error(0, [](int i) { return Sine(440, 44100, i); }), 0.01);
    EXPECT_LT(track.Error(1, [](int i) { return Sine(660, 44100, i); }), 0.01);
    EXPECT_GT(track.Error(1, [](int i) { return Sine(440, 44100, i); }), 0.2) << "channels kept apart";
}

TEST(DecoderTest, MonoAtAnotherRateIsResampledToBothSides) {
    const Decoded track = Decode(EncodeOgg(1, 22050, 33075, [](int, int i) {
        return Sine(440, 22050, i);
    }));
    ASSERT_TRUE(track.opened);
    EXPECT_EQ(track.lengthMilliseconds, 1500);
    EXPECT_EQ(track.frames(), 66150u);
    EXPECT_LT(track.Error(0, [](int i) { return Sine(440, 44100, i); }), 0.01);
    // Both sides alike (to the last bit where the x87 unit rounds one side
    // from its wider registers and the other from memory).
    for (size_t i = 0; i < track.frames(); ++i) ASSERT_NEAR(track.samples[i * 2], track.samples[i * 2 + 1], 1);
}

TEST(DecoderTest, SixChannelsMixDownToLeftAndRight) {
    const Decoded track = Decode(EncodeOgg(6, 48000, 48000, [](int c, int i) {
        return c == 0 ? Sine(440, 48000, i) : c == 2 ? Sine(660, 48000, i) : 0.0f;
    }));
    ASSERT_TRUE(track.opened);
    EXPECT_EQ(track.lengthMilliseconds, 1000);
    EXPECT_EQ(track.frames(), 44100u);
    // Each side: its front channel with gain 1 over 1 + 0.707 (centre) + 1 (rear).
    const double gain = 1.0 / (2.0 + std::sqrt(0.5));
    EXPECT_LT(track.Error(0, [gain](int i) { return gain * Sine(440, 44100, i); }), 0.01);
    EXPECT_LT(track.Error(1, [gain](int i) { return gain * Sine(660, 44100, i); }), 0.01);
}

TEST(DecoderTest, ChainedPartsWithDifferentFormatsPlayOneAfterTheOther) {
    const std::string ogg =
        EncodeOgg(1, 22050, 11025, [](int, int i) { return Sine(440, 22050, i); }, 1) +
        EncodeOgg(2, 44100, 22050, [](int, int i) { return Sine(440, 44100, i); }, 2);
    const Decoded track = Decode(ogg);
    ASSERT_TRUE(track.opened);
    EXPECT_EQ(track.lengthMilliseconds, 1000);
    EXPECT_NEAR(static_cast<double>(track.frames()), 44100.0, 2.0);
}

TEST(DecoderTest, DataThatIsNotOggVorbisIsRefused) {
    const std::string good = EncodeOgg(1, 44100, 4410, [](int, int i) { return Sine(440, 44100, i); });
    std::string noise(4096, '\0');
    for (size_t i = 0; i < noise.size(); ++i) noise[i] = static_cast<char>(i * 7919 % 251);
    const std::string cases[] = {
        "",
        noise,
        std::string("RIFF\x24\0\0\0WAVEfmt ", 16),
        good.substr(0, 60),                 // cut inside the first header
        "OggS" + noise,                      // a capture pattern and nothing behind it
    };
    for (const std::string& bytes : cases) EXPECT_FALSE(Decode(bytes).opened) << bytes.size() << " bytes";
    kaOggDecoder decoder;
    EXPECT_FALSE(decoder.Open(nullptr, 100));
}

TEST(DecoderTest, TracksOutsideThePlayableRatesAreRefused) {
    // At 1 Hz every decoded frame would become 44100 played ones, a piece of
    // the track hundreds of megabytes.
    const auto track = [](int rate) {
        return EncodeOgg(1, rate, 400, [](int, int i) { return i % 8 < 4 ? 0.25f : -0.25f; });
    };
    for (int rate : {1, 3999, 192001}) EXPECT_FALSE(Decode(track(rate)).opened) << rate << " Hz";
    for (int rate : {4000, 192000}) EXPECT_TRUE(Decode(track(rate)).opened) << rate << " Hz";
}

TEST(DecoderTest, DamageInsideTheAudioEndsOrSkipsWithoutReadingPastTheData) {
    const std::string good = EncodeOgg(2, 44100, 44100, [](int, int i) { return Sine(440, 44100, i); });
    for (size_t at : {good.size() / 3, good.size() / 2, good.size() - 20}) {
        std::string damaged = good;
        for (size_t i = at; i < at + 16 && i < damaged.size(); ++i) damaged[i] = static_cast<char>(~damaged[i]);
        const Decoded track = Decode(damaged);
        EXPECT_LE(track.frames(), 44100u + 2048u) << "damage at " << at;
    }
    const Decoded cut = Decode(good.substr(0, good.size() * 3 / 4));  // past the headers
    ASSERT_TRUE(cut.opened);
    EXPECT_LT(cut.frames(), 44100u);
}

}  // namespace
