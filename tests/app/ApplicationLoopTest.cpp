#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "kaActivation.h"
#include "kaApplication.h"
#include "kaRecordingMessageBoxes.h"
#include "kaTimer.h"
#include "kaWindowEvents.h"

namespace {

int sFrames = 0;
bool sKeysSeenOnFirstFrame = false;

int CountFrame() {
    ++sFrames;
    return 1;
}

int EndOnThirdFrame() { return ++sFrames < 3 ? 1 : 0; }

std::vector<std::pair<int, int>> sResizes;

void RecordResize(int width, int height) { sResizes.emplace_back(width, height); }

int CheckKeysThenEnd() {
    kaApplication* app = kaApplication::Instance();
    if (sFrames++ == 0) {
        sKeysSeenOnFirstFrame = app->isKeyDown('A') && app->isKeyDown('B') && app->isKeyDown('C');
    }
    return 0;
}

// The message loop on the platform's own window and events (Win32 under
// Wine, SDL natively).
class ApplicationLoopTest : public ::testing::Test {
protected:
    void SetUp() override {
        sFrames = 0;
        sKeysSeenOnFirstFrame = false;
        sResizes.clear();
        gActive = 1;
        UseHeadlessDisplay();
        ASSERT_EQ(app.Create("Vessamorix loop test", 320, 200, 16, 0), 0);
        EXPECT_TRUE(boxes.boxes().empty());
        int width = 0, height = 0;
        app.getClientSize(&width, &height);
        EXPECT_EQ(width, 320);
        EXPECT_EQ(height, 200);
    }
    void TearDown() override { StopQuitTimer(); }

    kaRecordingMessageBoxes boxes;
    kaApplication app;
};

TEST_F(ApplicationLoopTest, AFrameResultOfZeroEndsTheLoopWithOne) {
    app.setFrameCallback(EndOnThirdFrame);
    EXPECT_EQ(app.Run(), 1);
    EXPECT_EQ(sFrames, 3);
}

TEST_F(ApplicationLoopTest, AllWaitingMessagesAreHandledBeforeTheNextFrame) {
    for (char key : {'A', 'B', 'C'}) PostKeyDown(app, key);
    app.setFrameCallback(CheckKeysThenEnd);
    EXPECT_EQ(app.Run(), 1);
    EXPECT_TRUE(sKeysSeenOnFirstFrame);
}

TEST_F(ApplicationLoopTest, ClosingTheWindowEndsTheLoop) {
    app.setFrameCallback(CountFrame);
    PostClose(app);
    EXPECT_EQ(app.Run(), 1);
    EXPECT_EQ(sFrames, 0);
}

TEST_F(ApplicationLoopTest, NoFrameIsDrawnWhileInactive) {
    app.setFrameCallback(CountFrame);
    OnActivate(0, 0);
    QuitAfter(100);
    EXPECT_EQ(app.Run(), 1);
    EXPECT_EQ(sFrames, 0);
}

// Under a frame-rate limit the loop waits between frames: three frames at 20
// a second lie at least two frames' time (100 ms) apart from first to last.
// So do three frames of a loop that sleeps for them instead.
TEST_F(ApplicationLoopTest, AFrameRateLimitSpacesTheFrames) {
    app.setFrameRateLimit(20);
    app.setFrameCallback(EndOnThirdFrame);
    kaTimer timer(kaCounterSource::Platform());
    timer.Start();
    EXPECT_EQ(app.Run(), 1);
    EXPECT_EQ(sFrames, 3);
    EXPECT_GE(timer.Elapsed(), 0.099f);

    app.setFrameRateLimit(20);
    timer.Start();
    for (int frame = 0; frame < 3; ++frame) app.WaitForFrame();
    EXPECT_GE(timer.Elapsed(), 0.099f);
}

// Losing and regaining the window's activation drives the flag through the
// callback; frames stop and resume with it.
TEST_F(ApplicationLoopTest, ActivationEventsReachTheCallback) {
    app.setActivateCallback(OnActivate);
    app.setFrameCallback(CountFrame);
    PostActivation(app, false);
    PostQuit();
    EXPECT_EQ(app.Run(), 1);
    EXPECT_EQ(gActive, 0);
    EXPECT_EQ(sFrames, 0);

    app.setFrameCallback(EndOnThirdFrame);
    PostActivation(app, true);
    EXPECT_EQ(app.Run(), 1);
    EXPECT_EQ(gActive, 1);
    EXPECT_EQ(sFrames, 3);
}

// A new client size is kept and passed on once; the same size again and a
// zero side (a minimised window) are not.
TEST_F(ApplicationLoopTest, ANewClientSizeReachesTheResizeCallbackOnce) {
    app.setResizeCallback(RecordResize);
    struct Case {
        int width, height;
        int clientWidth, clientHeight;
    };
    const Case cases[] = {
        {640, 480, 640, 480}, {640, 480, 640, 480}, {0, 480, 640, 480},
        {640, 0, 640, 480},   {1920, 1080, 1920, 1080}, {320, 200, 320, 200},
    };
    for (const Case& c : cases) {
        app.OnResize(c.width, c.height);
        int width = 0, height = 0;
        app.getClientSize(&width, &height);
        EXPECT_EQ(width, c.clientWidth) << c.width << "x" << c.height;
        EXPECT_EQ(height, c.clientHeight) << c.width << "x" << c.height;
    }
    const std::vector<std::pair<int, int>> passed = {{640, 480}, {1920, 1080}, {320, 200}};
    EXPECT_EQ(sResizes, passed);
}

}  // namespace
