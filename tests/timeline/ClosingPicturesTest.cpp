#include <gtest/gtest.h>

#include "DemoGlobals.h"
#include "OutroPictures.h"
#include "kaDemoWorld.h"
#include "kaTexture.h"

namespace {

int64_t sNowMs = 0;
const kaCounterSource kTestCounter{[]() -> int64_t { return 1000; }, []() { return sNowMs; }};

// Frame by frame, as the browser shows them: each picture's time starts at
// its first frame and is tested after each frame, so with a second between
// frames and two seconds each, every picture gets four frames (0, 1, 2 and
// 3 s); the last frame answers false and a further call draws nothing.
TEST(ClosingPicturesTest, EachPictureHasItsFramesInTurnAndNothingFollowsTheLast) {
    kaDemoWorld world;
    kaTimer timer(kTestCounter);
    kaBaseTexture* first = gTextures[0].texture;
    kaBaseTexture* second = gTextures[1].texture;
    kaClosingPictures pictures(first, second, &timer, 2.0f);
    world.device.clearCalls();

    std::vector<bool> more;
    for (int frame = 0; frame < 8; ++frame) {
        more.push_back(pictures.Frame());
        sNowMs += 1000;
    }
    EXPECT_EQ(more, std::vector<bool>({true, true, true, true, true, true, true, false}));
    EXPECT_FALSE(pictures.Frame());
    ASSERT_EQ(world.device.count("Flip"), 8u);
    ASSERT_EQ(world.device.draws().size(), 8u);
    for (size_t frame = 0; frame < 8; ++frame) {
        EXPECT_EQ(world.device.draws()[frame].textures[0], frame < 4 ? first : second) << frame;
    }
}

// Without a timer of their own to share, the pictures time themselves and
// still draw a frame each before their time can be up.
TEST(ClosingPicturesTest, OwnTimerShowsBothPicturesAtLeastOnce) {
    kaDemoWorld world;
    world.device.clearCalls();
    kaClosingPictures pictures(gTextures[0].texture, gTextures[1].texture, nullptr, 0.0f);
    while (pictures.Frame()) {
    }
    EXPECT_GE(world.device.count("Flip"), 2u);
    EXPECT_EQ(world.device.draws().front().textures[0], gTextures[0].texture);
    EXPECT_EQ(world.device.draws().back().textures[0], gTextures[1].texture);
}

}  // namespace
