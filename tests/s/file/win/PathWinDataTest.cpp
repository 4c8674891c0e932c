// tests/s/file/win/PathWinDataTest.cpp
//
// Whole-file reads and writes through a path, and the alternate data streams of one (as far
// as Wine shows them: it keeps none).
#include "PathFixture.h"
#include "s/col/_array/ArrayU08.h"
#include "s/file/IFileInputStream.h"
#include "s/file/IFileOutputStream.h"

#include <cstring>

namespace {

using s::col::_array::ArrayU08;
using tests::PathFixture;

class PathWinData : public PathFixture {};

TEST_F(PathWinData, WholeFilesRoundTrip) {
    tests::Pooled<ArrayU08> bytes;
    for (int i = 0; i < 70000; ++i) bytes->add(static_cast<uint8_t>(i * 7));
    auto p = path(L"made\\on\\the\\way.bin");
    ASSERT_TRUE(p->writeAll(bytes.get(), false)) << "the folders are made first";
    ASSERT_TRUE(p->writeAll(bytes.get(), true));
    tests::Pooled<ArrayU08> back;
    back->add(1);
    ASSERT_TRUE(p->readAll(back.get()) == back.get());
    ASSERT_EQ(back->count(), 140000u) << "the array was emptied first";
    EXPECT_EQ(0, std::memcmp(back->data(), bytes->data(), 70000));
    EXPECT_EQ(0, std::memcmp(back->data() + 70000, bytes->data(), 70000));
    EXPECT_TRUE(p->writeObject(bytes.get(), false)) << "an array's byte form";
    ArrayU08* fresh = p->readAll(nullptr);
    ASSERT_TRUE(fresh != nullptr);
    EXPECT_EQ(fresh->count(), 70000u);
    fresh->releaseToPool();
    ASSERT_TRUE(box.writeFile(L"empty", ""));
    ArrayU08* none = path(L"empty")->readAll(nullptr);
    ASSERT_TRUE(none != nullptr);
    EXPECT_EQ(none->count(), 0u);
    none->releaseToPool();
    EXPECT_TRUE(path(L"missing")->readAll(nullptr) == nullptr);
}

// A sparse file of 3 GB costs no disk; a 32-bit process cannot hold it.
TEST_F(PathWinData, AFileTooLargeToHoldFailsCleanly) {
    HANDLE h = CreateFileW(box.at(L"huge.bin").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    LARGE_INTEGER size;
    size.QuadPart = 3LL << 30;
    ASSERT_TRUE(SetFilePointerEx(h, size, nullptr, FILE_BEGIN));
    ASSERT_TRUE(SetEndOfFile(h));
    CloseHandle(h);
    tests::Pooled<ArrayU08> mine;
    mine->add(42);
    EXPECT_TRUE(path(L"huge.bin")->readAll(mine.get()) == nullptr);
    EXPECT_EQ(mine->count(), 0u) << "the caller's array is left empty";
    EXPECT_TRUE(path(L"huge.bin")->readAll(nullptr) == nullptr);
}

TEST_F(PathWinData, StreamsOpenThroughThePath) {
    auto p = path(L"s.txt");
    s::file::IFileOutputStream* out = p->openOutputStream(false);
    ASSERT_TRUE(out != nullptr);
    EXPECT_TRUE(out->write("hello", 5, nullptr));
    out->closeAndRelease();
    s::file::IFileInputStream* in = p->openInputStream();
    ASSERT_TRUE(in != nullptr);
    char text[8] = {0};
    uint32_t got = 0;
    EXPECT_TRUE(in->read(text, 8, &got));
    EXPECT_STREQ(text, "hello");
    EXPECT_STREQ(in->interfaceClassId(), L"s_file_IFileInputStream");
    EXPECT_STREQ(in->classId(), L"s_file_win_FileInputStream");
    in->closeAndRelease();
    EXPECT_TRUE(path(L"missing.txt")->openInputStream() == nullptr);
}

}  // namespace
