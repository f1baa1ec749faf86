#include <gtest/gtest.h>

#include "kaMessageBox.h"
#include "kaRecordingMessageBoxes.h"

namespace {

TEST(MessageBoxTest, EachRoutineShowsItsIconWithTheFormattedText) {
    kaRecordingMessageBoxes recorder;
    EXPECT_EQ(ErrorBox("KA_ERR_INITFAILED", "Error reading %s", "a.png"), KA_IDOK);
    WarningBox("Failed", "Creating vertex buffer for %s", "m.tdm");
    EXPECT_EQ(InfoBox("Error!!!", "Setting pixel shader.."), KA_IDOK);

    ASSERT_EQ(recorder.boxes().size(), 3u);
    EXPECT_EQ(recorder.boxes()[0].caption, "KA_ERR_INITFAILED");
    EXPECT_EQ(recorder.boxes()[0].text, "Error reading a.png");
    EXPECT_EQ(recorder.boxes()[0].style, 0x10u);
    EXPECT_EQ(recorder.boxes()[1].text, "Creating vertex buffer for m.tdm");
    EXPECT_EQ(recorder.boxes()[1].style, 0x30u);
    EXPECT_EQ(recorder.boxes()[2].caption, "Error!!!");
    EXPECT_EQ(recorder.boxes()[2].style, 0x40u);
}

TEST(MessageBoxTest, TheAnswerComesBackFromTheBox) {
    kaRecordingMessageBoxes recorder(KA_IDNO);
    EXPECT_EQ(ShowMessageBox("DAMM!!!", "Use windowed mode ?", KA_MB_ICONWARNING | KA_MB_YESNO),
              KA_IDNO);
    EXPECT_EQ(ErrorBox("c", "t"), KA_IDNO);
    EXPECT_EQ(recorder.boxes()[0].style, 0x34u);
}

TEST(MessageBoxTest, LongTextsAreCutToTheBuffer) {
    kaRecordingMessageBoxes recorder;
    const std::string name(1000, 'n');
    ErrorBox("Error", "loading %s", name.c_str());
    ASSERT_EQ(recorder.boxes().size(), 1u);
    EXPECT_EQ(recorder.boxes()[0].text.size(), kaMaxBoxText - 1);
    EXPECT_EQ(recorder.boxes()[0].text.substr(0, 10), "loading nn");
}

TEST(MessageBoxTest, RecorderRestoresThePreviousHook) {
    kaRecordingMessageBoxes outer;
    {
        kaRecordingMessageBoxes inner;
        InfoBox("inner", "x");
        EXPECT_EQ(inner.boxes().size(), 1u);
    }
    EXPECT_TRUE(outer.boxes().empty());
    InfoBox("outer", "y");
    ASSERT_EQ(outer.boxes().size(), 1u);
    EXPECT_EQ(outer.boxes()[0].caption, "outer");
}

}  // namespace
