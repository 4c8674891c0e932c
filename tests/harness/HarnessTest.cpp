// tests/harness/HarnessTest.cpp
//
// The test session's safety: no drive maps the host's file system, and sandboxes live on
// the fixture drive only and vanish with their contents, links included.
#include <gtest/gtest.h>

#include <windows.h>

#include "support/Sandbox.h"

namespace {

TEST(Harness, HostFileSystemIsNotMapped) {
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(L"Z:\\"));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(L"T:\\sandbox.root"));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(L"R:\\canary.txt"));
}

// The user's folders of the prefix are real folders of the prefix, not links to the host's
// home: nothing written to the desktop leaves the test session.
TEST(Harness, UserFoldersStayInsideThePrefix) {
    wchar_t profile[MAX_PATH];
    DWORD n = GetEnvironmentVariableW(L"USERPROFILE", profile, MAX_PATH);
    ASSERT_GT(n, 0u);
    for (const wchar_t* folder : {L"Desktop", L"Documents", L"Downloads"}) {
        std::wstring path = std::wstring(profile) + L"\\" + folder;
        DWORD attributes = GetFileAttributesW(path.c_str());
        SCOPED_TRACE(testing::Message() << "folder " << static_cast<int>(path.size()));
        ASSERT_NE(INVALID_FILE_ATTRIBUTES, attributes);
        EXPECT_EQ(0u, attributes & FILE_ATTRIBUTE_REPARSE_POINT);
    }
}

TEST(Harness, SandboxIsMadeOnTheFixtureDriveAndRemoved) {
    std::wstring path;
    {
        tests::Sandbox box;
        ASSERT_TRUE(box.ok());
        path = box.path();
        EXPECT_EQ(0, path.compare(0, 3, L"T:\\"));
        ASSERT_TRUE(box.makeFolder(L"sub"));
        ASSERT_TRUE(box.writeFile(L"sub\\a.txt", "hello"));
        ASSERT_TRUE(box.writeFile(L"b.bin", std::string(70000, 'x')));
        SetFileAttributesW(box.at(L"b.bin").c_str(), FILE_ATTRIBUTE_READONLY);
        std::string back;
        ASSERT_TRUE(box.readFile(L"sub\\a.txt", &back));
        EXPECT_EQ("hello", back);
        EXPECT_TRUE(box.exists(L"sub"));
    }
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(path.c_str()));
}

// A folder link is seen as a reparse point, and removing the sandbox removes the link
// without following it: the target keeps its file.
TEST(Harness, LinksAreMadeAndNeverFollowedOnCleanUp) {
    tests::Sandbox outside;
    ASSERT_TRUE(outside.ok());
    ASSERT_TRUE(outside.writeFile(L"keep.txt", "precious"));
    std::wstring boxPath;
    {
        tests::Sandbox box;
        ASSERT_TRUE(box.ok());
        boxPath = box.path();
        std::wstring target = L"..\\" + outside.path().substr(3);
        ASSERT_TRUE(box.makeLink(L"link", target));
        DWORD attributes = GetFileAttributesW(box.at(L"link").c_str());
        EXPECT_EQ(FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT,
                  attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT));
        EXPECT_TRUE(box.exists(L"link\\keep.txt"));
        EXPECT_FALSE(box.makeLink(L"escape", L"..\\..\\..\\etc"));  // outside the fixture drive
    }
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(boxPath.c_str()));
    std::string back;
    ASSERT_TRUE(outside.readFile(L"keep.txt", &back));
    EXPECT_EQ("precious", back);
}

TEST(Harness, TwoSandboxesAreDistinct) {
    tests::Sandbox a, b;
    ASSERT_TRUE(a.ok() && b.ok());
    EXPECT_NE(a.path(), b.path());
}

}  // namespace
