// tests/s/file/win/FileInputStreamTest.cpp
#include "s/file/win/FileInputStream.h"

#include "PathFixture.h"

namespace {

using s::file::win::FileInputStream;
using tests::PathFixture;

class FileInputStreamTest : public PathFixture {};

TEST_F(FileInputStreamTest, ReadsAndSeeks) {
    ASSERT_TRUE(box.writeFile(L"in.txt", "0123456789"));
    tests::Pooled<FileInputStream> in;
    ASSERT_TRUE(in->open(box.at(L"in.txt").c_str()));
    char buffer[16] = {0};
    uint32_t got = 0;
    ASSERT_TRUE(in->read(buffer, 4, &got));
    EXPECT_EQ(std::string(buffer, got), "0123");
    EXPECT_EQ(in->position(), 4u);
    EXPECT_EQ(in->skip(3), 3u);
    ASSERT_TRUE(in->read(buffer, 16, &got));
    EXPECT_EQ(std::string(buffer, got), "789");
    EXPECT_FALSE(in->read(buffer, 16, &got)) << "nothing left";
    EXPECT_EQ(got, 0u);
    EXPECT_TRUE(in->read(buffer, 0, &got)) << "a request of nothing";
    EXPECT_TRUE(in->seekFromEnd(2));
    EXPECT_EQ(in->position(), 8u);
    EXPECT_EQ(in->skipBack(100), 8u) << "never before the start";
    EXPECT_EQ(in->position(), 0u);
    EXPECT_TRUE(in->seekFromEnd(100));
    EXPECT_EQ(in->position(), 0u);
    EXPECT_TRUE(in->seekEnd());
    EXPECT_EQ(in->position(), 10u);
    EXPECT_TRUE(in->seek(5));
    ASSERT_TRUE(in->read(buffer, 2, &got));
    EXPECT_EQ(std::string(buffer, got), "56");
    in->close();
    EXPECT_FALSE(in->read(buffer, 2, &got));
    EXPECT_FALSE(in->open(box.at(L"missing.txt").c_str()));
}

TEST_F(FileInputStreamTest, AnOpenFileCanBeReadWhileAnotherHandleWrites) {
    ASSERT_TRUE(box.writeFile(L"shared.txt", "abc"));
    HANDLE writer = CreateFileW(box.at(L"shared.txt").c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    tests::Pooled<FileInputStream> in;
    EXPECT_TRUE(in->open(box.at(L"shared.txt").c_str()));
    CloseHandle(writer);
}

}  // namespace
