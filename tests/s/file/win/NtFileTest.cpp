// tests/s/file/win/NtFileTest.cpp
//
// The ntdll calls on held handles: opens by a bare name inside a folder's handle, renames
// that never replace, removal at the last close, attributes and link counts through a
// handle, and a folder listed through its handle as by its path.
#include <algorithm>

#include "PathFixture.h"
#include "s/file/win/NtFile.h"

namespace {

using namespace s::file::win;
using tests::PathFixture;

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

class NtFile : public PathFixture {
protected:
    void SetUp() override {
        PathFixture::SetUp();
        if (IsSkipped()) return;
        ASSERT_TRUE(ntFileCallsAvailable());
        ASSERT_TRUE(box.makeFolder(L"f"));
        folder = CreateFileW(box.at(L"f").c_str(), FILE_LIST_DIRECTORY | FILE_TRAVERSE | SYNCHRONIZE, kShareAll, nullptr,
                             OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, folder);
    }
    void TearDown() override {
        if (folder != INVALID_HANDLE_VALUE) CloseHandle(folder);
    }
    HANDLE open(const std::wstring& name, DWORD access, DWORD share = kShareAll, uint32_t options = 0) const {
        return openInFolder(folder, name.c_str(), static_cast<uint32_t>(name.size()), access, share, options);
    }
    // The bytes of a file that a handle with DELETE access holds open: a reader must share
    // deletion too, or it meets a sharing violation (Wine 8.0 checks it as Windows does).
    std::string sharedContentOf(const std::wstring& relative) const {
        std::string bytes;
        HANDLE h = CreateFileW(box.at(relative).c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING, 0, nullptr);
        if (h == INVALID_HANDLE_VALUE) return bytes;
        char buffer[4096];
        DWORD got = 0;
        while (ReadFile(h, buffer, sizeof buffer, &got, nullptr) && got) bytes.append(buffer, got);
        CloseHandle(h);
        return bytes;
    }

    HANDLE folder = INVALID_HANDLE_VALUE;
};

TEST_F(NtFile, OpensByABareNameInsideTheFolderAndNothingElse) {
    ASSERT_TRUE(box.writeFile(L"f\\a.txt", "a"));
    ASSERT_TRUE(box.makeFolder(L"f\\sub"));
    ASSERT_TRUE(box.writeFile(L"f\\sub\\b.txt", "b"));
    ASSERT_TRUE(box.writeFile(L"outside.txt", "o"));
    struct Row {
        const wchar_t* name;
        uint32_t options;
        DWORD error;  // 0: opens
    } rows[] = {
        {L"a.txt", 0, 0},
        {L"A.TXT", 0, 0},  // names ignore case, as CreateFileW's do
        {L"sub", kNtOpenBackupIntent, 0},
        {L"sub", 0, ERROR_ACCESS_DENIED},  // a folder only with backup intent, as CreateFileW
        {L"missing.txt", 0, ERROR_FILE_NOT_FOUND},
        {L"sub\\b.txt", 0, ERROR_INVALID_PARAMETER},  // one name, never a path below
        {L"..\\outside.txt", 0, ERROR_INVALID_PARAMETER},
        {L"sub/b.txt", 0, ERROR_INVALID_PARAMETER},
    };
    for (const Row& row : rows) {
        SetLastError(0);
        HANDLE h = open(row.name, FILE_READ_ATTRIBUTES, kShareAll, row.options);
        const DWORD error = h == INVALID_HANDLE_VALUE ? GetLastError() : 0;
        if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
        EXPECT_EQ(row.error, error) << row.name;
    }
}

// A name already there refuses the rename: its bytes and the renamed file's stay.
TEST_F(NtFile, ARenameNeverReplacesAndTakesNamesOfAnyLength) {
    ASSERT_TRUE(box.writeFile(L"f\\a.txt", "first"));
    ASSERT_TRUE(box.writeFile(L"f\\taken.txt", "taken"));
    HANDLE h = open(L"a.txt", DELETE | FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    EXPECT_FALSE(renameInFolder(h, folder, L"taken.txt", 9));
    EXPECT_EQ("taken", contentOf(L"f\\taken.txt"));
    EXPECT_EQ("first", sharedContentOf(L"f\\a.txt"));
    for (const wchar_t* name : {L"x", L"xy", L"a much longer name than before.txt"}) {
        EXPECT_TRUE(renameInFolder(h, folder, name, static_cast<uint32_t>(wcslen(name)))) << name;
        EXPECT_EQ("first", sharedContentOf(std::wstring(L"f\\") + name)) << name;
    }
    CloseHandle(h);
    const std::vector<std::wstring> names = namesIn(L"f");
    EXPECT_EQ(2u, names.size()) << testing::PrintToString(names);
}

TEST_F(NtFile, AnItemMarkedGoesAtItsLastCloseAndAFolderOnlyEmpty) {
    ASSERT_TRUE(box.writeFile(L"f\\a.txt", "a"));
    ASSERT_TRUE(box.makeFolder(L"f\\full"));
    ASSERT_TRUE(box.writeFile(L"f\\full\\kept.txt", "kept"));
    HANDLE file = open(L"a.txt", DELETE);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    EXPECT_TRUE(deleteOnClose(file));
    CloseHandle(file);
    EXPECT_FALSE(box.exists(L"f\\a.txt"));
    HANDLE full = open(L"full", DELETE, kShareAll, kNtOpenBackupIntent);
    ASSERT_NE(INVALID_HANDLE_VALUE, full);
    EXPECT_FALSE(deleteOnClose(full));
    CloseHandle(full);
    EXPECT_EQ("kept", contentOf(L"f\\full\\kept.txt"));
}

// A read-only file's attributes change through a handle that asked for nothing more.
TEST_F(NtFile, AttributesAreReadAndSetThroughAHandle) {
    ASSERT_TRUE(box.writeFile(L"f\\a.txt", "a"));
    ASSERT_TRUE(SetFileAttributesW(box.at(L"f\\a.txt").c_str(), FILE_ATTRIBUTE_READONLY));
    HANDLE h = open(L"a.txt", FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    NtFileBasics basics;
    ASSERT_TRUE(readBasics(h, &basics));
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_READONLY), basics.attributes & 0x17);
    EXPECT_NE(0, basics.write);
    for (DWORD value : {DWORD(FILE_ATTRIBUTE_HIDDEN), DWORD(FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN),
                        DWORD(FILE_ATTRIBUTE_NORMAL)}) {
        ASSERT_TRUE(writeAttributes(h, value));
        ASSERT_TRUE(readBasics(h, &basics));
        EXPECT_EQ(value & 0x17, basics.attributes & 0x17) << value;
        EXPECT_EQ(value & 0x17, attributesOf(L"f\\a.txt") & 0x17) << value;
    }
    CloseHandle(h);
}

TEST_F(NtFile, TheLinkCountTellsAFileWithOtherNames) {
    ASSERT_TRUE(box.writeFile(L"f\\one.txt", "one"));
    ASSERT_TRUE(box.writeFile(L"f\\two.txt", "two"));
    ASSERT_TRUE(box.makeHardLink(L"f\\alias.txt", L"two.txt"));
    struct Row {
        const wchar_t* name;
        DWORD names;
    } rows[] = {{L"one.txt", 1}, {L"two.txt", 2}, {L"alias.txt", 2}};
    for (const Row& row : rows) {
        HANDLE h = open(row.name, FILE_READ_ATTRIBUTES);
        ASSERT_NE(INVALID_HANDLE_VALUE, h) << row.name;
        DWORD names = 0;
        bool isFolder = true;
        EXPECT_TRUE(readLinkCount(h, &names, &isFolder));
        CloseHandle(h);
        EXPECT_EQ(row.names, names) << row.name;
        EXPECT_FALSE(isFolder) << row.name;
    }
}

// The listing through the folder's handle is the listing by its path: the same children
// (hidden and system ones too, links never), the same "read to its end".
TEST_F(NtFile, AFolderListedThroughItsHandleAsByItsPath) {
    ASSERT_TRUE(box.makeFolder(L"f\\sub"));
    ASSERT_TRUE(box.makeFolder(L"elsewhere"));
    for (int i = 0; i < 300; ++i) ASSERT_TRUE(box.writeFile(L"f\\file" + std::to_wstring(i) + L".bin", "x"));
    ASSERT_TRUE(box.writeFile(L"f\\hidden.txt", "h"));
    ASSERT_TRUE(SetFileAttributesW(box.at(L"f\\hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    ASSERT_TRUE(box.makeLink(L"f\\link", L"../elsewhere"));
    for (const wchar_t* listed : {L"f", L"f\\sub"}) {
        bool byPathWhole = false, throughWhole = false;
        std::vector<std::wstring> byPath = tests::fullPathsOf(path(listed)->listEveryChild(&byPathWhole));
        HANDLE h = CreateFileW(box.at(listed).c_str(), FILE_LIST_DIRECTORY | SYNCHRONIZE, kShareAll, nullptr,
                               OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, h);
        std::vector<std::wstring> through = tests::fullPathsOf(path(listed)->listEveryChildThrough(h, &throughWhole));
        CloseHandle(h);
        std::sort(byPath.begin(), byPath.end());
        std::sort(through.begin(), through.end());
        EXPECT_EQ(byPath, through) << listed;
        EXPECT_TRUE(byPathWhole) << listed;
        EXPECT_TRUE(throughWhole) << listed;
    }
    EXPECT_EQ(302u, tests::fullPathsOf(path(L"f")->listEveryChildThrough(folder, nullptr)).size());
}

// A name with a trailing dot is the item of that very name, inside the folder as by the
// path's long form; the name without it is another item.
TEST_F(NtFile, ANameEndingInADotReachesTheItemOfThatName) {
    for (const wchar_t* name : {L"plain", L"plain."}) {
        const std::wstring verbatim = L"\\\\?\\" + box.at(std::wstring(L"f\\") + name);
        HANDLE made = CreateFileW(verbatim.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, made) << name;
        DWORD written = 0;
        WriteFile(made, name, static_cast<DWORD>(wcslen(name) * sizeof(wchar_t)), &written, nullptr);
        CloseHandle(made);
    }
    for (const wchar_t* name : {L"plain", L"plain."}) {
        HANDLE h = path(std::wstring(L"f\\") + name)->openInOwnFolder(folder, GENERIC_READ, kShareAll, 0);
        ASSERT_NE(INVALID_HANDLE_VALUE, h) << name;
        wchar_t back[16] = {};
        DWORD read = 0;
        ReadFile(h, back, sizeof back - sizeof(wchar_t), &read, nullptr);
        CloseHandle(h);
        EXPECT_EQ(std::wstring(name), std::wstring(back)) << name;
    }
}

TEST_F(NtFile, ANameIsMissingOnlyWhenNoItemOfItInAnyCaseIsThere) {
    ASSERT_TRUE(box.writeFile(L"f\\Here.txt", "here"));
    struct Row {
        const wchar_t* name;
        bool missing;
    } rows[] = {{L"Here.txt", false}, {L"HERE.TXT", false}, {L"gone.txt", true}, {L"sub\\x", false}};
    for (const Row& row : rows)
        EXPECT_EQ(row.missing, nameIsMissingInFolder(folder, row.name, static_cast<uint32_t>(wcslen(row.name)))) << row.name;
}

}  // namespace
