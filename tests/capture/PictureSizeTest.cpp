#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "kaCaptureRun.h"
#include "kaPixelFrame.h"

namespace {

constexpr unsigned kFps = 10;
constexpr double kOneFrame = 1.0 / kFps;

std::string Describe(const kaViewport& v) {
    return std::to_string(v.width) + "x" + std::to_string(v.height) + " at (" +
           std::to_string(v.x) + ", " + std::to_string(v.y) + ")";
}

}  // namespace

// The same moments drawn at 800x600 and at 1600x1200 on the frame clock.
// The larger, reduced to 800x600, is the same picture: it lies on the
// smaller to well within one of its pixels (shifting either by one pixel
// makes the difference half as large again at least), as bright within 2/255, and within a
// mean difference of 2/255.  That last holds but where the 800x600 frame
// aliases: its fine bump-mapped tiles and bricks, sampled a mip level
// sharper than its pixels resolve, show a moire that the larger frame
// resolves (aliased moments, placement and brightness compared only).  And
// the larger is sharper than the smaller enlarged to its size (drawn at its
// own pixels, not scaled up): by 5 % at least, as a closing picture's
// 512x512 texels limit what more pixels can show of it.
TEST(PictureSizeTest, TwiceTheSizeIsTheSamePictureAndSharper) {
    struct Moment {
        const char* what;
        double seconds;
        bool aliased;
    };
    const Moment moments[] = {
        {"Scene 1's flight", 4.0, false},
        {"Scene 3", 11.0, false},
        {"Scene 6 with its flares", 20.0, false},
        {"Scene 9's portrait", 33.0, false},
        {"Scene 11 with its picture", 48.0, true},
        {"Scene 13", 60.0, true},
        {"Scene 17", 92.0, true},
        {"the first closing picture", 120.0, false},
    };
    kaCaptureRun capture;
    for (const Moment& m : moments) {
        SCOPED_TRACE(m.what);
        const std::vector<kaPixelFrame> small =
            capture.Frames(800, 600, kFps, m.seconds, kOneFrame);
        ASSERT_EQ(small.size(), 1u) << capture.error();
        const std::vector<kaPixelFrame> large =
            capture.Frames(1600, 1200, kFps, m.seconds, kOneFrame);
        ASSERT_EQ(large.size(), 1u) << capture.error();

        const kaPixelFrame reduced = large[0].Reduced();
        const double mean = reduced.MeanDifference(small[0]);
        double shifted = reduced.MeanDifference(small[0], 1, 0);
        for (const int d : {-1, 1}) {
            shifted = std::min({shifted, reduced.MeanDifference(small[0], d, 0),
                                reduced.MeanDifference(small[0], 0, d)});
        }
        const double offset = reduced.MeanOffset(small[0]);
        const double sharpLarge = large[0].Sharpness();
        const double sharpEnlarged = small[0].Enlarged().Sharpness();
        std::printf("%-26s mean difference %.3f (shifted by a pixel %.3f), brighter by %.3f; "
                    "sharpness 1600x1200 %.3f, 800x600 enlarged %.3f (x%.2f)\n",
                    m.what, mean, shifted, offset, sharpLarge, sharpEnlarged,
                    sharpLarge / sharpEnlarged);
        EXPECT_LT(mean * 1.5, shifted);
        EXPECT_LE(std::abs(offset), 2.0);
        if (!m.aliased) {
            EXPECT_LE(mean, 2.0);
        }
        EXPECT_GT(sharpLarge, sharpEnlarged * 1.05);
    }
}

// Outputs of other shapes: the picture is the largest 4:3 rectangle centred
// in them and every pixel outside it is exact black, also under a white
// flash at its height (Scene 5, 17.6 s), which lights the whole picture.
TEST(PictureSizeTest, TheBarsAroundThePictureStayExactBlack) {
    struct Output {
        unsigned width, height;
        kaViewport picture;
    };
    const Output outputs[] = {
        {1920, 1080, {240, 0, 1440, 1080}},
        {1000, 500, {167, 0, 666, 500}},
        {640, 1000, {0, 260, 640, 480}},
    };
    kaCaptureRun capture;
    for (const Output& o : outputs) {
        SCOPED_TRACE(std::to_string(o.width) + "x" + std::to_string(o.height));
        // 17.4 s: the flash rising over the scene; 17.6 s: at its height.
        const std::vector<kaPixelFrame> frames = capture.Frames(o.width, o.height, kFps, 17.4, 0.3);
        ASSERT_EQ(frames.size(), 3u) << capture.error();
        const kaViewport rising = frames[0].LitBounds(), full = frames[2].LitBounds();
        EXPECT_EQ(Describe(full), Describe(o.picture)) << "the picture under the whole flash";
        EXPECT_GE(rising.x, o.picture.x);
        EXPECT_GE(rising.y, o.picture.y);
        EXPECT_LE(rising.x + rising.width, o.picture.x + o.picture.width);
        EXPECT_LE(rising.y + rising.height, o.picture.y + o.picture.height);
    }
}
