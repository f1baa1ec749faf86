#include <gtest/gtest.h>

#include <windows.h>

#include "kaActivation.h"
#include "kaApplication.h"
#include "kaRecordingMessageBoxes.h"

namespace {

int sFrames = 0;
bool sKeysSeenOnFirstFrame = false;

int CountFrame() {
    ++sFrames;
    return 1;
}

int EndOnThirdFrame() { return ++sFrames < 3 ? 1 : 0; }

int CheckKeysThenEnd() {
    kaApplication* app = kaApplication::Instance();
    if (sFrames++ == 0) {
        sKeysSeenOnFirstFrame = app->isKeyDown('A') && app->isKeyDown('B') && app->isKeyDown('C');
    }
    return 0;
}

void CALLBACK QuitSoon(HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(0); }

class ApplicationLoopTest : public ::testing::Test {
protected:
    void SetUp() override {
        sFrames = 0;
        sKeysSeenOnFirstFrame = false;
        gActive = 1;
        ASSERT_EQ(app.Create("Vessamorix loop test", 320, 200, 16, 0), 0);
    }
    void TearDown() override { KillTimer(nullptr, timer); }
    HWND window() const { return static_cast<HWND>(app.getWindow()); }

    kaRecordingMessageBoxes boxes;
    kaApplication app;
    UINT_PTR timer = 0;
};

TEST_F(ApplicationLoopTest, AFrameResultOfZeroEndsTheLoopWithOne) {
    app.setFrameCallback(EndOnThirdFrame);
    EXPECT_EQ(app.Run(), 1);
    EXPECT_EQ(sFrames, 3);
}

TEST_F(ApplicationLoopTest, AllWaitingMessagesAreHandledBeforeTheNextFrame) {
    for (char key : {'A', 'B', 'C'}) PostMessageA(window(), WM_KEYDOWN, key, 0);
    app.setFrameCallback(CheckKeysThenEnd);
    EXPECT_EQ(app.Run(), 1);
    EXPECT_TRUE(sKeysSeenOnFirstFrame);
}

TEST_F(ApplicationLoopTest, ClosingTheWindowEndsTheLoopThroughTheQuitMessage) {
    app.setFrameCallback(CountFrame);
    PostMessageA(window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(app.Run(), 1);
}

TEST_F(ApplicationLoopTest, NoFrameIsDrawnWhileInactive) {
    app.setFrameCallback(CountFrame);
    OnActivate(0, 0);  // WA_INACTIVE
    timer = SetTimer(nullptr, 0, 100, QuitSoon);
    ASSERT_NE(timer, 0u);
    EXPECT_EQ(app.Run(), 1);
    EXPECT_EQ(sFrames, 0);
}

TEST_F(ApplicationLoopTest, ActivationMessagesReachTheCallback) {
    app.setActivateCallback(OnActivate);
    SendMessageA(window(), WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_EQ(gActive, 0);
    SendMessageA(window(), WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(gActive, 1);
}

}  // namespace
