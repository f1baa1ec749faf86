#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "kaFileStream.h"
#include "kaResult.h"
#include "kaTempDir.h"

namespace {

class FileStreamTest : public ::testing::Test {
protected:
    kaTempDir dir;
    kaFileStream stream;
};

TEST_F(FileStreamTest, ClosedStreamAnswersItsNoFileValues) {
    char buffer[4];
    EXPECT_EQ(stream.Read(buffer, 4), 0u);
    EXPECT_EQ(stream.Write("abcd", 4), 0u);
    EXPECT_EQ(stream.Seek(0, SEEK_SET), -1);
    EXPECT_EQ(stream.Tell(), -1);
    EXPECT_EQ(stream.getSize(), 0u);
    EXPECT_EQ(stream.Close(), 0);
}

TEST_F(FileStreamTest, OpeningAMissingFileFailsAndLeavesTheStreamClosed) {
    EXPECT_EQ(stream.Open(dir.file("absent.bin").c_str(), "rb"), KA_ERR_OPENFAIL);
    EXPECT_FALSE(stream.isOpen());
    EXPECT_EQ(stream.getSize(), 0u);
}

TEST_F(FileStreamTest, ReadsSeeksAndTellsPositionsFromTheStart) {
    const std::string path = dir.write("data.bin", "0123456789");
    ASSERT_EQ(stream.Open(path.c_str(), "rb"), KA_OK);
    char buffer[16] = {};
    EXPECT_EQ(stream.Read(buffer, 4), 4u);
    EXPECT_STREQ(buffer, "0123");
    EXPECT_EQ(stream.Tell(), 4);
    EXPECT_EQ(stream.Seek(2, SEEK_CUR), 6);
    EXPECT_EQ(stream.Seek(-3, SEEK_END), 7);
    EXPECT_EQ(stream.Read(buffer, 16), 3u);
    EXPECT_EQ(std::string(buffer, 3), "789");
    EXPECT_EQ(stream.Seek(-1, SEEK_SET), -1);
}

TEST_F(FileStreamTest, GetSizeLeavesThePositionWhereItWas) {
    const std::string path = dir.write("data.bin", std::string(1000, 'x'));
    ASSERT_EQ(stream.Open(path.c_str(), "rb"), KA_OK);
    stream.Seek(123, SEEK_SET);
    EXPECT_EQ(stream.getSize(), 1000u);
    EXPECT_EQ(stream.Tell(), 123);
}

TEST_F(FileStreamTest, ReadOnlyFlagRefusesWrites) {
    const std::string path = dir.file("out.bin");
    ASSERT_EQ(stream.Open(path.c_str(), "wb"), KA_OK);
    stream.setFlags(kaFileStream::kReadOnly);
    EXPECT_EQ(stream.Write("abc", 3), 0u);
    stream.setFlags(0);
    EXPECT_EQ(stream.Write("abc", 3), 3u);
    stream.Close();
    EXPECT_EQ(kaTempDir::read(path), "abc");
}

TEST_F(FileStreamTest, SecondOpenClosesTheFirstFile) {
    const std::string first = dir.write("a.bin", "first");
    const std::string second = dir.write("b.bin", "second!");
    ASSERT_EQ(stream.Open(first.c_str(), "rb"), KA_OK);
    ASSERT_EQ(stream.Open(second.c_str(), "rb"), KA_OK);
    EXPECT_EQ(stream.getSize(), 7u);
}

TEST_F(FileStreamTest, SaveToFileOfAnEmptyStreamFailsWithoutCreatingOutput) {
    const std::string path = dir.write("empty.bin", "");
    const std::string output = dir.file("copy.bin");
    ASSERT_EQ(stream.Open(path.c_str(), "rb"), KA_OK);
    EXPECT_EQ(stream.getSize(), 0u);
    EXPECT_EQ(stream.SaveToFile(output.c_str()), KA_ERR_UNSUPPORTED);
    EXPECT_EQ(kaTempDir::read(output), "<missing>");
}

TEST_F(FileStreamTest, SaveToFileCopiesEveryByteAndRestoresThePosition) {
    std::string bytes;
    for (int i = 0; i < 70000; ++i) bytes.push_back(static_cast<char>(i * 7));
    const std::string path = dir.write("data.bin", bytes);
    const std::string output = dir.file("copy.bin");
    ASSERT_EQ(stream.Open(path.c_str(), "rb"), KA_OK);
    stream.Seek(500, SEEK_SET);
    EXPECT_EQ(stream.SaveToFile(output.c_str()), KA_OK);
    EXPECT_EQ(kaTempDir::read(output), bytes);
    EXPECT_EQ(stream.Tell(), 500);
}

TEST_F(FileStreamTest, SaveToFileReportsAnOutputThatCannotBeCreated) {
    const std::string path = dir.write("data.bin", "abc");
    ASSERT_EQ(stream.Open(path.c_str(), "rb"), KA_OK);
    EXPECT_EQ(stream.SaveToFile(dir.file("no/such/folder/x.bin").c_str()), KA_ERR_PLATFORM);
}

TEST_F(FileStreamTest, CopyToWritesThroughTheOtherStream) {
    const std::string path = dir.write("data.bin", "payload");
    const std::string output = dir.file("copy.bin");
    kaFileStream target;
    ASSERT_EQ(stream.Open(path.c_str(), "rb"), KA_OK);
    ASSERT_EQ(target.Open(output.c_str(), "wb"), KA_OK);
    stream.Seek(3, SEEK_SET);
    EXPECT_EQ(stream.CopyTo(&target), KA_OK);
    EXPECT_EQ(stream.Tell(), 3);
    target.Close();
    EXPECT_EQ(kaTempDir::read(output), "payload");
}

TEST_F(FileStreamTest, CopyToAStreamThatRefusesWritesIsAShortWrite) {
    const std::string path = dir.write("data.bin", "payload");
    kaFileStream target;
    ASSERT_EQ(stream.Open(path.c_str(), "rb"), KA_OK);
    ASSERT_EQ(target.Open(dir.file("copy.bin").c_str(), "wb"), KA_OK);
    target.setFlags(kaFileStream::kReadOnly);
    EXPECT_EQ(stream.CopyTo(&target), KA_ERR_WRITEFAIL);

    kaFileStream closed;
    EXPECT_EQ(stream.CopyTo(&closed), KA_ERR_WRITEFAIL);
}

TEST_F(FileStreamTest, CopyToFromAnEmptyStreamIsUnsupported) {
    kaFileStream target;
    EXPECT_EQ(stream.CopyTo(&target), KA_ERR_UNSUPPORTED);
}

// The table slot of a virtual operation.  GCC follows the Itanium C++ ABI on
// Linux and on MinGW alike: a pointer to a virtual member holds 1 plus the
// byte offset of its slot in the table.
template <class Member>
long TableSlot(Member member) {
    struct {
        uintptr_t pointer;
        ptrdiff_t adjustment;
    } raw;
    static_assert(sizeof member == sizeof raw, "a member pointer of the Itanium ABI");
    std::memcpy(&raw, &member, sizeof raw);
    if ((raw.pointer & 1) == 0) return -1;  // not a virtual operation
    return static_cast<long>((raw.pointer - 1) / sizeof(void*));
}

// The stream's table of operations has a fixed layout: the eight operations
// first, in this order, and the destructor after them.
TEST(FileStreamTableTest, TheEightOperationsHoldSlotsZeroToSeven) {
    EXPECT_EQ(TableSlot(&kaFileStream::Read), 0);
    EXPECT_EQ(TableSlot(&kaFileStream::Write), 1);
    EXPECT_EQ(TableSlot(&kaFileStream::Seek), 2);
    EXPECT_EQ(TableSlot(&kaFileStream::Tell), 3);
    EXPECT_EQ(TableSlot(&kaFileStream::getSize), 4);
    EXPECT_EQ(TableSlot(&kaFileStream::Close), 5);
    EXPECT_EQ(TableSlot(&kaFileStream::SaveToFile), 6);
    EXPECT_EQ(TableSlot(&kaFileStream::CopyTo), 7);
}

}  // namespace
