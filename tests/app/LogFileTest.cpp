#include <gtest/gtest.h>

#include "kaLogFile.h"
#include "kaTempDir.h"

namespace {

// The log is a text-mode file: on Windows each "\n" is written as "\r\n".
std::string TextFile(std::string text) {
#if defined(_WIN32)
    for (size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 2)) {
        text.replace(at, 1, "\r\n");
    }
#endif
    return text;
}

class LogFileTest : public ::testing::Test {
protected:
    kaTempDir dir;
    kaLogFile log;
    std::string path = dir.file("Vessamorix.log");
};

TEST_F(LogFileTest, WritesFormattedLinesExactlyAsGiven) {
    ASSERT_TRUE(log.Open(path.c_str(), "w"));
    EXPECT_TRUE(log.Print("Vessamorix LogFile\n"));
    EXPECT_TRUE(log.Print("Log start at %s\n\n\n", "Wed Jul 31 11:27:44 2002"));
    EXPECT_TRUE(log.Print("Success! initializing application: Return %d\n", 0));
    EXPECT_TRUE(log.Close());
    EXPECT_EQ(kaTempDir::read(path),
              TextFile("Vessamorix LogFile\nLog start at Wed Jul 31 11:27:44 2002\n\n\n"
                       "Success! initializing application: Return 0\n"));
}

TEST_F(LogFileTest, ASecondRunOverwritesTheFirst) {
    ASSERT_TRUE(log.Open(path.c_str(), "w"));
    log.Print("first run, a long line\n");
    log.Close();
    ASSERT_TRUE(log.Open(path.c_str(), "w"));
    log.Print("second\n");
    log.Close();
    EXPECT_EQ(kaTempDir::read(path), TextFile("second\n"));
}

TEST_F(LogFileTest, DisabledLogReportsSuccessAndWritesNothing) {
    ASSERT_TRUE(log.Open(path.c_str(), "w"));
    log.setEnabled(false);
    EXPECT_TRUE(log.Print("dropped %d\n", 1));
    log.Close();
    EXPECT_EQ(kaTempDir::read(path), "");
}

TEST_F(LogFileTest, EmptyFormatAndClosedLogFail) {
    EXPECT_FALSE(log.Print("nothing open\n"));
    ASSERT_TRUE(log.Open(path.c_str(), "w"));
    const char* empty = "";
    EXPECT_FALSE(log.Print(empty));
    log.Close();
    EXPECT_FALSE(log.Print("after close\n"));
    EXPECT_EQ(kaTempDir::read(path), "");
}

TEST_F(LogFileTest, ClosingTwiceClosesOnce) {
    ASSERT_TRUE(log.Open(path.c_str(), "w"));
    EXPECT_TRUE(log.Close());
    EXPECT_FALSE(log.Close());
}

TEST_F(LogFileTest, OpenFailureLeavesTheLogClosed) {
    EXPECT_FALSE(log.Open(dir.file("missing/dir/x.log").c_str(), "w"));
    EXPECT_FALSE(log.isOpen());
    EXPECT_FALSE(log.Print("x\n"));
}

TEST_F(LogFileTest, LongTextsAreCutAtTheBufferSize) {
    ASSERT_TRUE(log.Open(path.c_str(), "w"));
    const std::string longText(2000, 'a');
    EXPECT_TRUE(log.Print("%s", longText.c_str()));
    log.Close();
    EXPECT_EQ(kaTempDir::read(path), std::string(kaLogFile::kMaxText, 'a'));
}

}  // namespace
