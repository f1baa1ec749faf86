#include <gtest/gtest.h>

#include <cstdio>

#include "kaFileStream.h"
#include "kaLogFile.h"
#include "kaResult.h"
#include "kaTempDir.h"

namespace {

// The Windows C runtime translates line ends in text mode ("w") and not in
// binary mode ("rb"); the log relies on the first, the stream on the second.
TEST(TextModeTest, TheLogWritesWindowsLineEndsAndTheStreamReadsThemRaw) {
    kaTempDir dir;
    const std::string path = dir.file("Vessamorix.log");
    kaLogFile log;
    ASSERT_TRUE(log.Open(path.c_str(), "w"));
    log.Print("Vessamorix LogFile\n");
    log.Close();

    kaFileStream stream;
    ASSERT_EQ(stream.Open(path.c_str(), "rb"), KA_OK);
    EXPECT_EQ(stream.getSize(), 20u);
    char bytes[20];
    ASSERT_EQ(stream.Read(bytes, 20), 20u);
    EXPECT_EQ(std::string(bytes + 18, 2), "\r\n");
}

TEST(TextModeTest, BinaryReadsKeepControlZAndCarriageReturns) {
    kaTempDir dir;
    const std::string path = dir.write("data.bin", std::string("a\r\n\x1a" "b", 5));
    kaFileStream stream;
    ASSERT_EQ(stream.Open(path.c_str(), "rb"), KA_OK);
    char bytes[8] = {};
    EXPECT_EQ(stream.Read(bytes, 8), 5u);
    EXPECT_EQ(bytes[4], 'b');
}

}  // namespace
