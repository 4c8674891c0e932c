// tests/s/file/wiper/win/MethodsTest.cpp
//
// What the four methods share: class ids, pools and pass counts, and runs on real files in
// a sandbox folder, opened the way the wiper opens them.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <set>
#include <string>

#include "MethodCases.h"
#include "RecordingIo.h"
#include "s/file/wiper/win/Method_DoD_E.h"
#include "s/file/wiper/win/OverwriteIo.h"
#include "s/thread/IPoolable.h"
#include "support/Sandbox.h"

namespace {

using s::file::wiper::IMethod;
using tests::PageBuffer;

constexpr int32_t kWiperBufferSize = 10567680;

TEST(Methods, ClassIdsPoolsAndPassCounts) {
    PageBuffer buffer(1536);
    for (const tests::MethodCase& m : tests::kMethodCases) {
        SCOPED_TRACE(testing::Message() << m.passes << " passes");
        std::unique_ptr<IMethod> made(m.make());
        EXPECT_STREQ(m.classId, made->classId());

        // The wiper lets go of its method through the pool, reached from the interface.
        auto* pooled = static_cast<IMethod*>(made->newInstance());
        ASSERT_NE(nullptr, pooled);
        EXPECT_STREQ(m.classId, pooled->classId());
        auto* poolable = dynamic_cast<s::thread::IPoolable*>(pooled);
        ASSERT_NE(nullptr, poolable);
        poolable->releaseToPool();
        IMethod* again = static_cast<IMethod*>(made->newInstance());
        EXPECT_EQ(pooled, again) << "the pool hands back the instance released last";

        tests::RecordingIo io;
        ASSERT_TRUE(again->overwrite(tests::kFakeFile, 1536, buffer.data(), buffer.size(), 0, 1,
                                     nullptr, nullptr, 0));
        EXPECT_EQ(m.passes, io.count(tests::IoEvent::kSeek));
        EXPECT_EQ(m.passes, io.count(tests::IoEvent::kWrite));
        dynamic_cast<s::thread::IPoolable*>(again)->releaseToPool();
    }
}

HANDLE openLikeTheWiper(const std::wstring& path, DWORD flags) {
    return CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, flags,
                       nullptr);
}
constexpr DWORD kUnbuffered = FILE_FLAG_NO_BUFFERING | FILE_ATTRIBUTE_NORMAL;

bool looksRandom(const std::string& bytes, char formerContent) {
    std::set<char> values(bytes.begin(), bytes.end());
    size_t former = std::count(bytes.begin(), bytes.end(), formerContent);
    return values.size() > 250 && former < bytes.size() / 100;
}

// The wiper's own case: a file of a few hundred KB, its size on disk as the end, the
// 10,567,680-byte buffer. Every method ends with a random pass.
TEST(Methods, EachMethodOverwritesARealFileWithItsLastPass) {
    constexpr size_t kSize = 300 * 1024;
    PageBuffer buffer(kWiperBufferSize);
    ASSERT_NE(nullptr, buffer.data());
    for (const tests::MethodCase& m : tests::kMethodCases) {
        SCOPED_TRACE(testing::Message() << m.passes << " passes");
        tests::Sandbox box;
        ASSERT_TRUE(box.ok());
        ASSERT_TRUE(box.writeFile(L"victim.bin", std::string(kSize, 'A')));
        HANDLE file = openLikeTheWiper(box.at(L"victim.bin"), kUnbuffered);
        ASSERT_NE(INVALID_HANDLE_VALUE, file);
        std::unique_ptr<IMethod> method(m.make());
        std::atomic<float> progress{0.5f};
        std::atomic<bool> stop{false};
        EXPECT_TRUE(method->overwrite(file, kSize, buffer.data(), buffer.size(), 0.5f, 0.75f, &progress,
                                      &stop, 0));
        CloseHandle(file);
        EXPECT_FLOAT_EQ(0.75f, progress.load());
        std::string after;
        ASSERT_TRUE(box.readFile(L"victim.bin", &after));
        ASSERT_EQ(kSize, after.size());
        EXPECT_TRUE(looksRandom(after, 'A'));
    }
}

// The real file calls, with the stop flag raised by the last write of pass 2 (0xFF).
std::atomic<bool>* s_stopAfterSecondPass = nullptr;
int s_writes = 0;
bool writeThenMaybeStop(HANDLE file, const void* bytes, uint32_t length, uint32_t* written) {
    bool ok = s::file::wiper::win::OverwriteIo::platform().write(file, bytes, length, written);
    if (++s_writes == 2) *s_stopAfterSecondPass = true;
    return ok;
}

TEST(Methods, AStopBetweenPassesLeavesTheLastCompletePassOnDisk) {
    tests::Sandbox box;
    ASSERT_TRUE(box.ok());
    ASSERT_TRUE(box.writeFile(L"victim.bin", std::string(64 * 1024, 'A')));
    HANDLE file = openLikeTheWiper(box.at(L"victim.bin"), kUnbuffered);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    std::atomic<bool> stop{false};
    s_stopAfterSecondPass = &stop;
    const s::file::wiper::win::OverwriteIo& platform = s::file::wiper::win::OverwriteIo::platform();
    const s::file::wiper::win::OverwriteIo stopping = {platform.seek, &writeThenMaybeStop, platform.flush};
    const s::file::wiper::win::OverwriteIo* before = s::file::wiper::win::OverwriteIo::install(&stopping);
    PageBuffer buffer(kWiperBufferSize);
    s::file::wiper::win::Method_DoD_E dodE;
    bool result = dodE.overwrite(file, 64 * 1024, buffer.data(), buffer.size(), 0, 1, nullptr, &stop, 0);
    s::file::wiper::win::OverwriteIo::install(before);
    CloseHandle(file);
    EXPECT_TRUE(result) << "stopped between passes";
    EXPECT_EQ(2, s_writes);
    std::string after;
    ASSERT_TRUE(box.readFile(L"victim.bin", &after));
    EXPECT_EQ(std::string(64 * 1024, '\xFF'), after);
}

// Wine does not enforce the rules of unbuffered writes (checked), so the methods refuse a
// call that would break them on Windows, where such a write fails part-way.
TEST(Methods, UnbufferedHandlesGetOnlyWholeSectorsFromAlignedMemory) {
    PageBuffer pages(4 * 4096);
    struct Row {
        DWORD flags;
        size_t fileSize;
        size_t bufferShift;
        int32_t bufferSize;
        int64_t offset;
        uint64_t end;
        bool result;
        const char* why;
    } rows[] = {
        {kUnbuffered, 8192, 512, 3 * 4096, 0, 8192, false, "an unaligned buffer"},
        {kUnbuffered, 8192, 0, 4096, 0, 8192, false, "a buffer size not a multiple of 3"},
        {kUnbuffered, 1000, 0, 3 * 4096, 0, 1000, false, "an end inside a sector"},
        {kUnbuffered, 8192, 0, 3 * 4096, 100, 8192, false, "an offset inside a sector"},
        {kUnbuffered, 8192, 0, 3 * 4096, 4096, 8192, true, "whole sectors from aligned memory"},
        {FILE_ATTRIBUTE_NORMAL, 3000, 16, 1000, 0, 3000, true, "a buffered handle takes any buffer"},
        {FILE_FLAG_WRITE_THROUGH, 1000, 0, 3 * 4096, 1000, 4096, true,
         "a slack tail through a write-through handle: any offset"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        tests::Sandbox box;
        ASSERT_TRUE(box.ok());
        const std::string before(row.fileSize, 'A');
        ASSERT_TRUE(box.writeFile(L"victim.bin", before));
        HANDLE file = openLikeTheWiper(box.at(L"victim.bin"), row.flags);
        ASSERT_NE(INVALID_HANDLE_VALUE, file);
        s::file::wiper::win::Method_DoD_E dodE;
        EXPECT_EQ(row.result, dodE.overwrite(file, row.end, pages.data() + row.bufferShift,
                                             row.bufferSize, 0, 1, nullptr, nullptr, row.offset));
        CloseHandle(file);
        std::string after;
        ASSERT_TRUE(box.readFile(L"victim.bin", &after));
        if (!row.result) {
            EXPECT_EQ(before, after) << "nothing written";
            continue;
        }
        ASSERT_EQ(std::max<size_t>(row.fileSize, row.end), after.size());
        EXPECT_EQ(before.substr(0, row.offset), after.substr(0, row.offset)) << "nothing before the offset";
        EXPECT_EQ(std::string::npos, after.find(std::string(32, 'A'), row.offset)) << "the range was written";
    }
}

}  // namespace
