// tests/s/file/win/PathWinListTest.cpp
//
// Folder listings: the order of the recursive walk, the kinds, the "all" switch, the
// wildcard search, and that links are never listed nor listed into.
#include <algorithm>

#include "PathFixture.h"
#include "s/file/win/ExplorerSettings.h"
#include "s/str/strarray/StrArray.h"
#include "support/RegistryFixture.h"

namespace {

using s::file::win::PathWin;
using tests::PathFixture;

class PathWinList : public PathFixture {
protected:
    // f: a.txt, sub\ (b.txt, deep\ (c.txt)), other\ (d.log), e.log
    void makeTree() {
        for (const wchar_t* folder : {L"f", L"f\\sub", L"f\\sub\\deep", L"f\\other"}) ASSERT_TRUE(box.makeFolder(folder));
        for (const wchar_t* file : {L"f\\a.txt", L"f\\sub\\b.txt", L"f\\sub\\deep\\c.txt", L"f\\other\\d.log", L"f\\e.log"})
            ASSERT_TRUE(box.writeFile(file, "x"));
    }

    std::vector<std::wstring> relative(const std::vector<std::wstring>& paths) const {
        std::vector<std::wstring> names;
        for (const std::wstring& p : paths) names.push_back(p.substr(box.path().size() + 1));
        return names;
    }

    static std::vector<std::wstring> sorted(std::vector<std::wstring> v) {
        std::sort(v.begin(), v.end());
        return v;
    }

    static std::vector<std::wstring> namesOf(s::str::strarray::StrArray* names) {
        std::vector<std::wstring> v;
        for (uint32_t i = 0; names && i < names->count(); ++i) v.push_back(tests::text(names->at(i)));
        if (names) names->releaseToPool();
        return v;
    }
};

// The folder order of the disk is not fixed (Wine lists in the Linux folder's order), so
// the walk's order is checked by its rule: each folder comes before its contents, and its
// contents follow it without anything else in between.
TEST_F(PathWinList, RecursionIsDepthFirstWithEachFolderBeforeItsContents) {
    makeTree();
    const std::vector<std::wstring> listed = relative(tests::fullPathsOf(path(L"f")->listChildren(true, nullptr, true)));
    EXPECT_EQ(sorted(listed), sorted({L"f\\a.txt", L"f\\sub", L"f\\sub\\b.txt", L"f\\sub\\deep", L"f\\sub\\deep\\c.txt",
                                      L"f\\other", L"f\\other\\d.log", L"f\\e.log"}));
    for (size_t i = 0; i < listed.size(); ++i) {
        const std::wstring prefix = listed[i] + L"\\";
        size_t inside = 0;
        for (const std::wstring& p : listed) inside += p.compare(0, prefix.size(), prefix) == 0;
        for (size_t k = 1; k <= inside; ++k) {
            ASSERT_LT(i + k, listed.size());
            EXPECT_EQ(listed[i + k].compare(0, prefix.size(), prefix), 0) << testing::PrintToString(listed);
        }
    }
}

TEST_F(PathWinList, KindsAndLevels) {
    makeTree();
    auto f = path(L"f");
    EXPECT_EQ(sorted(relative(tests::fullPathsOf(f->listChildren(false, nullptr, true)))),
              sorted({L"f\\a.txt", L"f\\sub", L"f\\other", L"f\\e.log"}));
    EXPECT_EQ(sorted(relative(tests::fullPathsOf(f->listFolders(true, nullptr, true)))),
              sorted({L"f\\sub", L"f\\sub\\deep", L"f\\other"}));
    EXPECT_EQ(sorted(relative(tests::fullPathsOf(f->listFiles(true, nullptr, true)))),
              sorted({L"f\\a.txt", L"f\\sub\\b.txt", L"f\\sub\\deep\\c.txt", L"f\\other\\d.log", L"f\\e.log"}))
        << "files of every level, folders walked but not listed";
    EXPECT_EQ(sorted(namesOf(f->listFileNames(false, true))), sorted({L"a.txt", L"e.log"}));
    EXPECT_EQ(sorted(namesOf(f->listFolderNames(true, true))), sorted({box.at(L"f\\sub"), box.at(L"f\\other")}));
    EXPECT_EQ(namesOf(f->listChildNames(false, true)).size(), 4u);
}

TEST_F(PathWinList, ListingAppendsToTheCallersArrayAndOwnsThePaths) {
    makeTree();
    s::col::_array::ArrayP* mine = s::thread::Pool<s::col::_array::ArrayP>::obtain();
    ASSERT_TRUE(path(L"f\\sub")->listFiles(false, mine, true) == mine);
    ASSERT_TRUE(path(L"f\\other")->listFiles(false, mine, true) == mine);
    EXPECT_TRUE(mine->elementDestructor() != nullptr) << "the paths go back to their pool with the array";
    EXPECT_EQ(sorted(relative(tests::fullPathsOf(mine))), sorted({L"f\\sub\\b.txt", L"f\\other\\d.log"}));
}

// With Explorer's defaults (the session's registry has neither value) hidden entries show and
// system entries do not; the wiper's "all" listing keeps both.
TEST_F(PathWinList, TheAllListingKeepsWhatExplorerHides) {
    ASSERT_TRUE(box.makeFolder(L"f"));
    ASSERT_TRUE(box.writeFile(L"f\\plain.txt", "p"));
    ASSERT_TRUE(box.writeFile(L"f\\hidden.txt", "h"));
    ASSERT_TRUE(box.writeFile(L"f\\system.txt", "s"));
    ASSERT_TRUE(box.makeFolder(L"f\\systemfolder"));
    ASSERT_TRUE(box.writeFile(L"f\\systemfolder\\inside.txt", "i"));
    SetFileAttributesW(box.at(L"f\\hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesW(box.at(L"f\\system.txt").c_str(), FILE_ATTRIBUTE_SYSTEM);
    SetFileAttributesW(box.at(L"f\\systemfolder").c_str(), FILE_ATTRIBUTE_SYSTEM);
    auto f = path(L"f");
    EXPECT_EQ(sorted(relative(tests::fullPathsOf(f->listChildren(true, nullptr, false)))),
              sorted({L"f\\plain.txt", L"f\\hidden.txt"}));
    EXPECT_EQ(sorted(relative(tests::fullPathsOf(f->listChildren(true, nullptr, true)))),
              sorted({L"f\\plain.txt", L"f\\hidden.txt", L"f\\system.txt", L"f\\systemfolder",
                      L"f\\systemfolder\\inside.txt"}));
}

TEST_F(PathWinList, AFolderHoldingOnlyALinkListsAsEmpty) {
    tests::Sandbox outside;
    ASSERT_TRUE(outside.makeFolder(L"target"));
    ASSERT_TRUE(outside.writeFile(L"target\\t.txt", "t"));
    ASSERT_TRUE(box.makeFolder(L"f"));
    const std::wstring outsideName = outside.path().substr(outside.path().find_last_of(L'\\') + 1);
    if (!box.makeLink(L"f\\link", L"..\\..\\" + outsideName + L"\\target")) GTEST_SKIP() << "the session made no link";
    auto f = path(L"f");
    for (bool all : {true, false}) {
        SCOPED_TRACE(all ? "all" : "filtered");
        EXPECT_TRUE(tests::fullPathsOf(f->listChildren(true, nullptr, all)).empty());
        EXPECT_FALSE(f->hasChildren(all));
    }
    EXPECT_TRUE(f->isEmptyDirectory());
    EXPECT_EQ(f->getSize(true, true, nullptr, nullptr, true), 0) << "the target's bytes are not counted";
    EXPECT_TRUE(tests::fullPathsOf(path(L"f\\link")->listChildren(true, nullptr, true)).empty())
        << "the link itself lists nothing of its target";
}

TEST_F(PathWinList, WildcardSearchInTheFolderAndBelow) {
    makeTree();
    EXPECT_EQ(sorted(relative(tests::fullPathsOf(path(L"f\\*.txt")->listChildrenInto(nullptr, false, true)))),
              sorted({L"f\\a.txt"}));
    const std::vector<std::wstring> deep =
        relative(tests::fullPathsOf(path(L"f\\*.txt")->listChildrenInto(nullptr, true, true)));
    EXPECT_EQ(sorted(deep), sorted({L"f\\a.txt", L"f\\sub\\b.txt", L"f\\sub\\deep\\c.txt"}));
    EXPECT_EQ(deep.front(), L"f\\a.txt") << "the folder's own matches come first";
    EXPECT_EQ(sorted(relative(tests::fullPathsOf(path(L"f\\s*")->listChildrenInto(nullptr, false, true, true)))),
              sorted({L"f\\sub"}))
        << "with folders";
    EXPECT_TRUE(tests::fullPathsOf(path(L"f\\s*")->listChildrenInto(nullptr, false, true)).empty()) << "files only";
}

TEST_F(PathWinList, NothingIsListedOfAFileOrAMissingFolder) {
    ASSERT_TRUE(box.writeFile(L"file.txt", "x"));
    EXPECT_TRUE(tests::fullPathsOf(path(L"file.txt")->listChildren(true, nullptr, true)).empty());
    EXPECT_TRUE(tests::fullPathsOf(path(L"missing")->listChildren(true, nullptr, true)).empty());
    EXPECT_FALSE(path(L"missing")->isEmptyDirectory());
}

// A listing that cannot read the folder is told apart from an empty folder. A folder held
// open without read sharing cannot be searched (Wine 8.0 too: error 32, checked).
TEST_F(PathWinList, AFolderThatCannotBeReadIsNotAnEmptyOne) {
    makeTree();
    ASSERT_TRUE(box.makeFolder(L"empty"));
    ASSERT_TRUE(box.writeFile(L"file.txt", "x"));
    struct Row {
        const wchar_t* folder;
        bool whole;
        size_t count;
        const char* why;
    } rows[] = {
        {L"f", true, 4, "read to its end"},
        {L"empty", true, 0, "empty, and read"},
        {L"file.txt", false, 0, "a file has nothing to list"},
        {L"missing", false, 0, "nothing there"},
        {L"f\\sub", false, 0, "held open without read sharing"},
    };
    HANDLE holder = CreateFileW(box.at(L"f\\sub").c_str(), GENERIC_READ, FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, holder);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        bool whole = !row.whole;
        EXPECT_EQ(tests::fullPathsOf(path(row.folder)->listEveryChild(&whole)).size(), row.count);
        EXPECT_EQ(whole, row.whole);
    }
    CloseHandle(holder);
}

TEST_F(PathWinList, StreamsAreListedOnlyWhereTheFileSystemKeepsThem) {
    ASSERT_TRUE(box.writeFile(L"a.txt", "a"));
    // Wine answers the stream query "not implemented" (checked): nothing is listed.
    EXPECT_TRUE(tests::fullPathsOf(path(L"a.txt")->listStreams(nullptr)).empty());
    EXPECT_TRUE(tests::fullPathsOf(path(L"a.txt:info")->listStreams(nullptr)).empty()) << "a stream has none";
}

}  // namespace

namespace {

// Explorer's settings from a private key that the readers are pointed at (for this test
// program's process only), so that Explorer's own key is never written.
class PathWinListExplorer : public tests::RegistryFixture {
protected:
    void SetUp() override {
        tests::RegistryFixture::SetUp();
        if (!box.ok()) GTEST_SKIP() << "no fixture drive";
        s::file::win::useExplorerSettingsKey(base().c_str());
    }
    void TearDown() override {
        s::file::win::useExplorerSettingsKey(nullptr);
        tests::RegistryFixture::TearDown();
    }

    void setting(const wchar_t* name, DWORD value) { ASSERT_TRUE(writeRaw(L"", name, REG_DWORD, &value, sizeof value)); }

    std::vector<std::wstring> listed(bool all) {
        std::vector<std::wstring> names;
        for (const std::wstring& p : tests::fullPathsOf(folder->listChildren(false, nullptr, all)))
            names.push_back(p.substr(p.find_last_of(L'\\') + 1));
        std::sort(names.begin(), names.end());
        return names;
    }

    tests::Sandbox box;
    tests::Pooled<PathWin> folder{s::file::win::pathFromString(box.path().c_str())};
};

TEST_F(PathWinListExplorer, TheFilteredListingFollowsExplorersSettings) {
    ASSERT_TRUE(box.writeFile(L"plain.txt", "p"));
    ASSERT_TRUE(box.writeFile(L"hidden.txt", "h"));
    ASSERT_TRUE(box.writeFile(L"system.txt", "s"));
    SetFileAttributesW(box.at(L"hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesW(box.at(L"system.txt").c_str(), FILE_ATTRIBUTE_SYSTEM);
    const std::vector<std::wstring> everything{L"hidden.txt", L"plain.txt", L"system.txt"};
    EXPECT_EQ(listed(false), (std::vector<std::wstring>{L"hidden.txt", L"plain.txt"})) << "the defaults";
    setting(L"Hidden", 2);
    EXPECT_EQ(listed(false), (std::vector<std::wstring>{L"plain.txt"}));
    EXPECT_EQ(listed(true), everything) << "the wiper's listing keeps what Explorer hides";
    setting(L"Hidden", 1);
    setting(L"ShowSuperHidden", 1);
    EXPECT_EQ(listed(false), everything) << "read again at every listing";
}

}  // namespace
