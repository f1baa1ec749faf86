#include <gtest/gtest.h>

#include <string>

#include "kaPictureRect.h"

namespace {

std::string Describe(const kaViewport& v) {
    return std::to_string(v.width) + "x" + std::to_string(v.height) + "+" + std::to_string(v.x) +
           "+" + std::to_string(v.y);
}

}  // namespace

// The largest 4:3 rectangle centred in outputs of every shape, the odd
// pixel left over going to the right or lower bar, and the bars that hold
// pixels around it: together they cover the output once.
TEST(PictureRectTest, TheLargestCentredFourByThreeRectangleAndItsBars) {
    struct Case {
        unsigned width, height;
        const char* picture;
        std::vector<std::string> bars;
    };
    const Case cases[] = {
        {800, 600, "800x600+0+0", {}},
        {1600, 1200, "1600x1200+0+0", {}},
        {1920, 1080, "1440x1080+240+0", {"240x1080+0+0", "240x1080+1680+0"}},
        {3840, 2160, "2880x2160+480+0", {"480x2160+0+0", "480x2160+3360+0"}},
        {1000, 500, "666x500+167+0", {"167x500+0+0", "167x500+833+0"}},
        {640, 1000, "640x480+0+260", {"640x260+0+0", "640x260+0+740"}},
        {801, 600, "800x600+0+0", {"1x600+800+0"}},
        {800, 601, "800x600+0+0", {"800x1+0+600"}},
        {1, 1, "1x0+0+0", {"1x1+0+0"}},
        {0, 0, "0x0+0+0", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        const kaPictureRect rect = kaPictureRect::Fit(c.width, c.height);
        EXPECT_EQ(rect.outputWidth, c.width);
        EXPECT_EQ(rect.outputHeight, c.height);
        EXPECT_EQ(Describe(rect.picture), c.picture);
        kaViewport bars[2] = {};
        const unsigned count = rect.Bars(bars);
        std::vector<std::string> described;
        uint64_t area = uint64_t(rect.picture.width) * rect.picture.height;
        for (unsigned i = 0; i < count; ++i) {
            described.push_back(Describe(bars[i]));
            area += uint64_t(bars[i].width) * bars[i].height;
        }
        EXPECT_EQ(described, c.bars);
        EXPECT_EQ(area, uint64_t(c.width) * c.height);
    }
}
