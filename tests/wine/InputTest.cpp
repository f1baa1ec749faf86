#include <gtest/gtest.h>

#include "kaFakeDirectInput.h"
#include "kaInput.h"

namespace {

// kaInput on a DirectInput of the test's own: the status of each set-up step
// that fails, and a poll that gives up on a device that stays lost.
class InputTest : public ::testing::Test {
protected:
    void SetUp() override {
        kaFakeDirectInput::Use(&script);
        previous = SetDirectInputCreate(kaFakeDirectInput::Create);
        window = CreateWindowExA(0, "STATIC", "input test", WS_POPUP, 0, 0, 8, 8, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(window, nullptr);
    }
    void TearDown() override {
        SetDirectInputCreate(previous);
        DestroyWindow(window);
        kaFakeDirectInput::Use(nullptr);
    }

    kaFakeInputScript script;
    kaDirectInputCreateFn previous = nullptr;
    HWND window = nullptr;
};

// Steps 1 to 8 fail in turn: Init answers 0 with the step's status, and
// nothing it made outlives Release (a failed cooperative level or buffer
// size releases at once, the other failures at Release).
TEST_F(InputTest, EachFailingStepGivesItsStatusAndLeavesNothingBehind) {
    for (int step = 1; step <= 8; ++step) {
        SCOPED_TRACE("failing step " + std::to_string(step));
        script = kaFakeInputScript();
        script.failingStep = step;
        kaInput input;
        EXPECT_EQ(input.Init(window), 0);
        EXPECT_EQ(input.getStatus(), -step);
        EXPECT_EQ(input.getState(), nullptr);
        const bool releasedAtOnce = step == 4 || step == 7 || step == 8;
        EXPECT_EQ(script.released, releasedAtOnce ? script.created : 0);
        input.Release();
        EXPECT_EQ(script.released, script.created);
        // The interface from step 2 on, the keyboard from 3, the mouse from 6.
        EXPECT_EQ(script.created, (step >= 2) + (step >= 3) + (step >= 6));
    }
}

TEST_F(InputTest, PollReadsTheKeysByDirectInputCode) {
    kaInput input;
    ASSERT_EQ(input.Init(window), 1);
    EXPECT_EQ(input.getStatus(), 0);
    EXPECT_EQ(script.acquires[kaFakeInputScript::kKeyboard], 1);
    EXPECT_EQ(script.acquires[kaFakeInputScript::kMouse], 1);
    script.keys[1] = 0x80;    // Escape
    script.keys[200] = 0x80;  // up arrow: codes above 127 read the same
    input.Poll();
    EXPECT_EQ(input.isKeyDown(1), 0x80);
    EXPECT_EQ(input.isKeyDown(200), 0x80);
    EXPECT_EQ(input.isKeyDown(2), 0);
    input.Release();
    EXPECT_EQ(script.released, 3);
}

// A device that stays lost is asked back a bounded number of times per poll
// (the frame goes on); one that comes back is asked until it does.
TEST_F(InputTest, ALostDeviceIsReacquiredBoundedly) {
    kaInput input;
    ASSERT_EQ(input.Init(window), 1);
    script.readsFail = true;
    script.reacquired = {DIERR_INPUTLOST};
    input.Poll();
    for (int device : {kaFakeInputScript::kKeyboard, kaFakeInputScript::kMouse}) {
        EXPECT_EQ(script.reads[device], 1);
        EXPECT_EQ(script.acquires[device], 1 + kaInput::kMaxReacquire);
    }
    EXPECT_EQ(input.getState()->mouseButtons[0], 0);

    script.acquires[kaFakeInputScript::kKeyboard] = 1;
    script.acquires[kaFakeInputScript::kMouse] = 1;
    script.reacquired = {DIERR_INPUTLOST, DIERR_INPUTLOST, DI_OK};
    input.Poll();
    EXPECT_EQ(script.acquires[kaFakeInputScript::kKeyboard], 1 + 3);
    EXPECT_EQ(script.acquires[kaFakeInputScript::kMouse], 1 + 3);
}

}  // namespace
