// tests/s/file/win/FileOutputStreamTest.cpp
#include "s/file/win/FileOutputStream.h"

#include "PathFixture.h"

namespace {

using s::file::win::FileOutputStream;
using tests::PathFixture;

class FileOutputStreamTest : public PathFixture {
protected:
    // The size another handle sees: what has reached the file.
    int64_t sizeOnFile(const std::wstring& relative) const {
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (!GetFileAttributesExW(box.at(relative).c_str(), GetFileExInfoStandard, &data)) return -1;
        return (static_cast<int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    }

    static std::string pattern(size_t n) {
        std::string bytes(n, 0);
        for (size_t i = 0; i < n; ++i) bytes[i] = static_cast<char>(i * 31 + i / 256);
        return bytes;
    }
};

TEST_F(FileOutputStreamTest, AWriteFillsTheBufferWritesItWholeAndKeepsTheRest) {
    tests::Pooled<FileOutputStream> out;
    ASSERT_TRUE(out->open(box.at(L"big.bin").c_str(), false));
    const std::string bytes = pattern(100000);
    uint32_t written = 0;
    ASSERT_TRUE(out->write(bytes.data(), 100000, &written));
    EXPECT_EQ(written, 100000u);
    EXPECT_EQ(out->position(), 100000u);
    EXPECT_EQ(out->bufferedBytes(), 34464u);
    EXPECT_EQ(sizeOnFile(L"big.bin"), 65536) << "one WriteFile of the full buffer";
    out->close();
    EXPECT_EQ(sizeOnFile(L"big.bin"), 100000);
    EXPECT_EQ(contentOf(L"big.bin"), bytes);
}

int g_flushes = 0;
BOOL WINAPI countedFlush(HANDLE file) {
    ++g_flushes;
    return FlushFileBuffers(file);
}

// Closing puts the data on the disk, not only into the system's cache.
TEST_F(FileOutputStreamTest, CloseFlushesToTheDisk) {
    FileOutputStream::FlushFunction before = FileOutputStream::installFlushFunction(&countedFlush);
    g_flushes = 0;
    {
        tests::Pooled<FileOutputStream> out;
        ASSERT_TRUE(out->open(box.at(L"saved.txt").c_str(), false));
        ASSERT_TRUE(out->write("kept", 4, nullptr));
        out->close();
        EXPECT_EQ(1, g_flushes);
        EXPECT_EQ(contentOf(L"saved.txt"), "kept");
    }
    FileOutputStream::installFlushFunction(before);
}

TEST_F(FileOutputStreamTest, SmallWritesReachTheFileAtFlush) {
    tests::Pooled<FileOutputStream> out;
    ASSERT_TRUE(out->open(box.at(L"small.bin").c_str(), false));
    for (int i = 0; i < 100; ++i) ASSERT_TRUE(out->write("abc", 3, nullptr));
    EXPECT_EQ(sizeOnFile(L"small.bin"), 0);
    EXPECT_TRUE(out->flush());
    EXPECT_EQ(sizeOnFile(L"small.bin"), 300);
    EXPECT_TRUE(out->seek(3)) << "a seek writes the buffer first";
    ASSERT_TRUE(out->write("XYZ", 3, nullptr));
    EXPECT_TRUE(out->seekStart());
    char back[7] = {0};
    uint32_t got = 0;
    EXPECT_TRUE(out->read(back, 6, &got)) << "reading back through the same handle";
    EXPECT_EQ(got, 6u);
    EXPECT_STREQ(back, "abcXYZ");
    EXPECT_TRUE(out->seek(150));
    EXPECT_TRUE(out->truncate());
    out->close();
    EXPECT_EQ(sizeOnFile(L"small.bin"), 150);
}

TEST_F(FileOutputStreamTest, AppendingMakesAMissingFileWhileWritingEmptiesAnExistingOne) {
    tests::Pooled<FileOutputStream> out;
    ASSERT_TRUE(out->open(box.at(L"new.txt").c_str(), true));
    ASSERT_TRUE(out->write("one", 3, nullptr));
    out->close();
    EXPECT_EQ(contentOf(L"new.txt"), "one");
    ASSERT_TRUE(out->open(box.at(L"new.txt").c_str(), true));
    EXPECT_EQ(out->position(), 3u);
    ASSERT_TRUE(out->write("two", 3, nullptr));
    out->close();
    EXPECT_EQ(contentOf(L"new.txt"), "onetwo");
    ASSERT_TRUE(out->open(box.at(L"new.txt").c_str(), false));
    out->close();
    EXPECT_EQ(contentOf(L"new.txt"), "");
    EXPECT_FALSE(out->open(box.at(L"no-folder\\x.txt").c_str(), false)) << "the stream makes no folder";
    EXPECT_FALSE(out->write("x", 1, nullptr)) << "closed";
}

// ext4 ends files at 16 TiB - 4 KiB: a write just before that end is cut short (Wine 8.0,
// checked). The bytes that did not go are dropped with the buffer, never written again.
TEST_F(FileOutputStreamTest, AFailedWriteDropsTheBufferAndTakesNoMore) {
    const uint64_t end = 0xFFFFFFFF000ULL;
    tests::Pooled<FileOutputStream> out;
    ASSERT_TRUE(out->open(box.at(L"sparse.bin").c_str(), false));
    ASSERT_TRUE(out->seek(end - 5));
    ASSERT_TRUE(out->write("0123456789", 10, nullptr)) << "buffered";
    EXPECT_FALSE(out->flush()) << "only 5 bytes fitted";
    EXPECT_TRUE(out->hasFailed());
    EXPECT_EQ(out->bufferedBytes(), 0u) << "nothing left to write a second time at close";
    uint32_t written = 99;
    EXPECT_FALSE(out->write("x", 1, &written));
    EXPECT_EQ(written, 0u);
    out->close();
    EXPECT_EQ(sizeOnFile(L"sparse.bin"), static_cast<int64_t>(end));

    ASSERT_TRUE(out->open(box.at(L"sparse2.bin").c_str(), false));
    ASSERT_TRUE(out->seek(end - 5));
    const std::string bytes = pattern(70000);
    EXPECT_FALSE(out->write(bytes.data(), 70000, &written)) << "the full buffer does not fit";
    EXPECT_EQ(written, 0u) << "none of the call's bytes reached the file whole";
    EXPECT_EQ(out->bufferedBytes(), 0u);
    out->close();
    EXPECT_FALSE(out->hasFailed()) << "a new open starts clean";
}

}  // namespace
