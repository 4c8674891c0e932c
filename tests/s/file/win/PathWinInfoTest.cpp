// tests/s/file/win/PathWinInfoTest.cpp
//
// What a path reads from the disk: existence, attributes, sizes, size on disk, times and
// the volume. Every item lives in the test's sandbox.
#include "PathFixture.h"

namespace {

using s::file::win::PathWin;
using tests::PathFixture;

class PathWinInfo : public PathFixture {};

TEST_F(PathWinInfo, SizeOnDiskIsRoundedToWholeClusters) {
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters, clusters;
    ASSERT_TRUE(GetDiskFreeSpaceW(L"T:\\", &sectorsPerCluster, &bytesPerSector, &freeClusters, &clusters));
    ASSERT_EQ(sectorsPerCluster * bytesPerSector, 4096u) << "Wine reports the Linux block size";
    struct Row {
        size_t bytes;
        int64_t onDisk;
    } rows[] = {{1, 4096}, {4096, 4096}, {4097, 8192}, {0, 0}, {10000, 12288}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.bytes);
        std::wstring name = L"f" + std::to_wstring(row.bytes);
        ASSERT_TRUE(box.writeFile(name, std::string(row.bytes, 'x')));
        auto p = path(name);
        EXPECT_EQ(p->getSize(false, false, nullptr, nullptr, true), static_cast<int64_t>(row.bytes));
        EXPECT_EQ(p->getSizeOnDisk(), row.onDisk);
        EXPECT_EQ(p->roundUpToCluster(static_cast<int64_t>(row.bytes)), row.onDisk);
    }
    EXPECT_EQ(path(L"f1")->roundUpToCluster(-5), 0);
}

TEST_F(PathWinInfo, ItemsBeyondMaxPathAreFoundThroughTheLongForm) {
    std::wstring relative = L"d";
    ASSERT_TRUE(box.makeFolder(relative));
    while (box.at(relative).size() < 280) {
        relative += L"\\" + std::wstring(40, L'n');
        ASSERT_TRUE(CreateDirectoryW((L"\\\\?\\" + box.at(relative)).c_str(), nullptr));
    }
    const std::wstring file = box.at(relative + L"\\deep.bin");
    HANDLE h = CreateFileW((L"\\\\?\\" + file).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD written;
    WriteFile(h, "12345", 5, &written, nullptr);
    CloseHandle(h);
    auto p = path(relative + L"\\deep.bin");
    ASSERT_GE(p->getLength(), 260u);
    EXPECT_TRUE(p->exists());
    EXPECT_TRUE(p->isFile());
    EXPECT_TRUE(p->isReadWritable());
    EXPECT_EQ(p->getSize(false, false, nullptr, nullptr, true), 5);
    EXPECT_TRUE(p->remove(false, false));
    EXPECT_EQ(GetFileAttributesW((L"\\\\?\\" + file).c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(PathWinInfo, AttributesRoundTrip) {
    ASSERT_TRUE(box.writeFile(L"a.txt", "a"));
    auto p = path(L"a.txt");
    EXPECT_TRUE(p->isFile());
    EXPECT_TRUE(p->isWritable());
    EXPECT_TRUE(p->setAttributes(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM));
    EXPECT_EQ(attributesOf(L"a.txt") & 0x17, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM);
    EXPECT_TRUE(p->isSystem());
    EXPECT_FALSE(p->isWritable());
    EXPECT_TRUE(p->makeHidden());
    EXPECT_EQ(attributesOf(L"a.txt") & 0x17, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN);
    EXPECT_TRUE(p->makeWritable());
    EXPECT_EQ(attributesOf(L"a.txt") & 0x17, FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN);
    EXPECT_TRUE(p->addAttributes(FILE_ATTRIBUTE_HIDDEN)) << "bits already set";
    EXPECT_TRUE(p->setAttributes(FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(attributesOf(L"a.txt") & 0x17, 0u);
}

// The wiper sets NORMAL on a folder and adds the folder bit back; the cache must keep
// knowing the item is a folder in between.
TEST_F(PathWinInfo, AFolderStaysAFolderAfterItsAttributesAreSet) {
    ASSERT_TRUE(box.makeFolder(L"f"));
    auto p = path(L"f");
    ASSERT_TRUE(p->isDirectory());
    EXPECT_TRUE(p->setAttributes(FILE_ATTRIBUTE_NORMAL));
    EXPECT_TRUE(p->isDirectory());
    EXPECT_TRUE(p->addAttributes(FILE_ATTRIBUTE_NOT_CONTENT_INDEXED | FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_TRUE(p->isDirectory());
}

TEST_F(PathWinInfo, AStreamPathIsAlwaysAFile) {
    ASSERT_TRUE(box.makeFolder(L"f"));
    // No stream is made (Wine would make a sibling named so): the path alone must tell.
    auto stream = path(L"f:info");
    ASSERT_TRUE(stream->isStream());
    EXPECT_FALSE(stream->isDirectory()) << "a stream whose attributes cannot be read is still no folder";
    EXPECT_TRUE(stream->isFile());
    EXPECT_EQ(stream->getCreationTime(false), 0);
}

TEST_F(PathWinInfo, TimesAreSetAndReadInUnixSeconds) {
    ASSERT_TRUE(box.writeFile(L"t.txt", "t"));
    auto p = path(L"t.txt");
    const int64_t write = 1500000000, access = 1600000000;
    EXPECT_TRUE(p->setTimes(-1, write, access, true, true, true, true, false));
    EXPECT_EQ(p->getWriteTime(true), write);
    EXPECT_EQ(p->getAccessTime(false), access);
    // Wine keeps no creation time of its own: only write and access can be checked.
}

TEST_F(PathWinInfo, TimesFollowTheClassSwitches) {
    ASSERT_TRUE(box.makeFolder(L"f"));
    ASSERT_TRUE(box.writeFile(L"f\\plain.txt", "p"));
    ASSERT_TRUE(box.writeFile(L"f\\hidden.txt", "h"));
    SetFileAttributesW(box.at(L"f\\hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
    const int64_t before = path(L"f\\hidden.txt")->getWriteTime(false);
    auto folder = path(L"f");
    EXPECT_TRUE(folder->setTimes(-1, 1400000000, -1, true, true, false, true, true));
    EXPECT_EQ(path(L"f\\plain.txt")->getWriteTime(false), 1400000000);
    EXPECT_EQ(path(L"f\\hidden.txt")->getWriteTime(false), before) << "hidden items were switched off";
    EXPECT_EQ(attributesOf(L"f\\hidden.txt") & 0x17, FILE_ATTRIBUTE_HIDDEN) << "attributes are put back";
    EXPECT_EQ(folder->getWriteTime(true), 1400000000);
}

TEST_F(PathWinInfo, FolderTotals) {
    ASSERT_TRUE(box.makeFolder(L"f"));
    ASSERT_TRUE(box.makeFolder(L"f\\sub"));
    ASSERT_TRUE(box.writeFile(L"f\\a", std::string(10, 'a')));
    ASSERT_TRUE(box.writeFile(L"f\\sub\\b", std::string(32, 'b')));
    auto folder = path(L"f");
    int32_t files = 0, folders = 0;
    EXPECT_EQ(folder->getSize(true, true, &files, &folders, true), 42);
    EXPECT_EQ(files, 2);
    EXPECT_EQ(folders, 1);
    EXPECT_EQ(folder->getSize(true, false, nullptr, nullptr, true), 10);
    EXPECT_EQ(folder->getSize(false, false, nullptr, nullptr, true), 0) << "a folder's own size";
}

TEST_F(PathWinInfo, TheVolume) {
    auto p = path(L"x");
    EXPECT_STREQ(p->getVolumeRoot(), L"T:\\");
    EXPECT_TRUE(p->isNtfs()) << "Wine names every drive NTFS";
    EXPECT_FALSE(p->isFat());
    PathWin share;
    share.assignText(L"\\\\server\\share\\folder\\file.txt");
    EXPECT_STREQ(share.getVolumeRoot(), L"\\\\server\\share\\");
    PathWin prefixed;
    prefixed.assignText(L"\\\\?\\UNC\\server\\share\\folder\\file.txt");
    EXPECT_STREQ(prefixed.getVolumeRoot(), L"\\\\?\\UNC\\server\\share\\");
    EXPECT_STREQ(s::file::win::windowsDriveRootText(), L"C:\\");
}

// Win32 strips trailing dots and spaces from names: without the verbatim form "keep." would
// reach "keep", and removing the one would remove the other.
TEST_F(PathWinInfo, ANameWithATrailingDotIsNotItsNeighbour) {
    ASSERT_TRUE(box.writeFile(L"keep", "precious"));
    ASSERT_NE(GetFileAttributesW(box.at(L"keep.").c_str()), INVALID_FILE_ATTRIBUTES)
        << "Wine strips the dot like Windows (the fault this guards against)";
    auto p = path(L"keep.");
    EXPECT_FALSE(p->exists());
    EXPECT_TRUE(p->remove(false, false)) << "an item that is not there";
    EXPECT_FALSE(p->renameToRandomName(1, nullptr, false, nullptr));
    EXPECT_EQ(contentOf(L"keep"), "precious");
}

}  // namespace
