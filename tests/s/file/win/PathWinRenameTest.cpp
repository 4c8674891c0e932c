// tests/s/file/win/PathWinRenameTest.cpp
//
// Renames never replace anything; random names keep length and dots; the stop flag is
// heard in every try.
#include <atomic>
#include <cstdlib>

#include "PathFixture.h"
#include "s/file/win/RandomName.h"
#include "s/file/win/RandomSource.h"

namespace {

using s::file::win::PathWin;
using s::str::strbuffer::StrBuffer;
using tests::PathFixture;

class PathWinRename : public PathFixture {
protected:
    static std::wstring nameOf(const StrBuffer& path) {
        std::wstring text = tests::text(&path);
        return text.substr(text.find_last_of(L'\\') + 1);
    }

    static bool isNameUnit(wchar_t c) {
        return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') || (c >= L'1' && c <= L'9');
    }
};

TEST_F(PathWinRename, RenameToRefusesAnExistingTarget) {
    ASSERT_TRUE(box.writeFile(L"a.txt", "a"));
    ASSERT_TRUE(box.writeFile(L"b.txt", "b"));
    auto a = path(L"a.txt");
    EXPECT_FALSE(a->renameTo(box.at(L"b.txt").c_str()));
    EXPECT_FALSE(a->renameTo(box.at(L"B.TXT").c_str())) << "names differ in case only";
    EXPECT_EQ(contentOf(L"b.txt"), "b");
    EXPECT_EQ(contentOf(L"a.txt"), "a");
    EXPECT_TRUE(a->renameTo(box.at(L"c.txt").c_str()));
    EXPECT_EQ(contentOf(L"c.txt"), "a");
    EXPECT_FALSE(box.exists(L"a.txt"));
}

TEST_F(PathWinRename, AShortNameGrowsToThreeRandomUnitsAndAnUnderscore) {
    ASSERT_TRUE(box.makeFolder(L"x"));
    ASSERT_TRUE(box.writeFile(L"x\\ab", "content"));
    auto p = path(L"x\\ab");
    StrBuffer received;
    ASSERT_TRUE(p->renameToRandomName(1, &received, false, nullptr));
    const std::wstring name = nameOf(received);
    ASSERT_EQ(name.size(), 4u) << testing::PrintToString(name);
    EXPECT_EQ(name[3], L'_');
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(isNameUnit(name[i])) << testing::PrintToString(name);
    EXPECT_EQ(namesIn(L"x"), std::vector<std::wstring>{name});
    EXPECT_EQ(contentOf(L"x\\" + name), "content");
}

TEST_F(PathWinRename, RandomNamesKeepLengthAndDotsOverRounds) {
    ASSERT_TRUE(box.writeFile(L"report.final.docx", "r"));
    auto p = path(L"report.final.docx");
    StrBuffer received;
    ASSERT_TRUE(p->renameToRandomName(3, &received, false, nullptr));
    const std::wstring name = nameOf(received);
    ASSERT_EQ(name.size(), std::wstring(L"report.final.docx").size());
    EXPECT_EQ(name[6], L'.');
    EXPECT_EQ(name[12], L'.');
    EXPECT_NE(name, L"report.final.docx");
    EXPECT_EQ(namesIn(L""), std::vector<std::wstring>{name});
}

TEST_F(PathWinRename, FoldersAreRenamedWithTheirContents) {
    ASSERT_TRUE(box.makeFolder(L"folder"));
    ASSERT_TRUE(box.writeFile(L"folder\\in.txt", "in"));
    auto p = path(L"folder");
    StrBuffer received;
    ASSERT_TRUE(p->renameToRandomName(2, &received, false, nullptr));
    const std::wstring name = nameOf(received);
    EXPECT_EQ(name.size(), 6u);
    EXPECT_EQ(contentOf(name + L"\\in.txt"), "in");
}

// The generator of this thread is seeded by the first draw; after that srand fixes the
// sequence, so the first candidate is known and can be put in place beforehand.
TEST_F(PathWinRename, ARandomRenameNeverReplacesASibling) {
    s::file::win::RandomSource::draw();
    std::srand(4242);
    wchar_t first[] = L"abc";
    s::file::win::randomizeStretch(first, 0, 3, &s::file::win::RandomSource::draw);
    std::srand(4242);
    ASSERT_TRUE(box.writeFile(first, "sibling"));
    ASSERT_TRUE(box.writeFile(L"abc", "mine"));
    auto p = path(L"abc");
    StrBuffer received;
    ASSERT_TRUE(p->renameToRandomName(1, &received, false, nullptr));
    EXPECT_EQ(contentOf(first), "sibling") << "the first candidate was taken: the next try won";
    EXPECT_NE(nameOf(received), first);
    EXPECT_EQ(contentOf(nameOf(received)), "mine");
    EXPECT_EQ(namesIn(L"").size(), 2u);
}

TEST_F(PathWinRename, AStopFlagEndsTheRenamesAtOnce) {
    ASSERT_TRUE(box.writeFile(L"stay.txt", "s"));
    std::atomic<bool> stop{true};
    auto p = path(L"stay.txt");
    const DWORD started = GetTickCount();
    EXPECT_FALSE(p->renameToRandomName(20, nullptr, false, &stop));
    EXPECT_LT(GetTickCount() - started, 1000u);
    EXPECT_TRUE(box.exists(L"stay.txt"));
}

TEST_F(PathWinRename, AttributesComeBackOnlyWhenAsked) {
    ASSERT_TRUE(box.writeFile(L"h1.txt", "1"));
    ASSERT_TRUE(box.writeFile(L"h2.txt", "2"));
    for (const wchar_t* name : {L"h1.txt", L"h2.txt"})
        SetFileAttributesW(box.at(name).c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY);
    StrBuffer kept, cleared;
    ASSERT_TRUE(path(L"h1.txt")->renameToRandomName(1, &kept, true, nullptr));
    ASSERT_TRUE(path(L"h2.txt")->renameToRandomName(1, &cleared, false, nullptr));
    EXPECT_EQ(GetFileAttributesW(kept.cString()) & 0x17, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(GetFileAttributesW(cleared.cString()) & 0x17, 0u);
}

TEST_F(PathWinRename, NothingIsRenamedForStreamsOrMissingItems) {
    ASSERT_TRUE(box.writeFile(L"a.txt", "a"));
    EXPECT_FALSE(path(L"a.txt:info")->renameToRandomName(1, nullptr, false, nullptr));
    EXPECT_FALSE(path(L"gone.txt")->renameToRandomName(1, nullptr, false, nullptr));
    EXPECT_FALSE(path(L"a.txt")->renameToRandomName(0, nullptr, false, nullptr)) << "no round asked";
    EXPECT_TRUE(box.exists(L"a.txt"));
}

TEST_F(PathWinRename, NameUnitsAreLettersAndDigitsButZero) {
    static int32_t next;
    next = 0;
    // Low bytes '0', '@', '[', 0x80 | 'A' (a negative byte), then 'Z'.
    auto draw = []() -> int32_t {
        const int32_t values[] = {'0', '@', '[', 0x180 | 'A', 0x100 | 'Z'};
        return values[next++ % 5];
    };
    EXPECT_EQ(s::file::win::drawNameUnit(draw), L'Z');
    EXPECT_EQ(next, 5);
    wchar_t name[] = L"a.b..c";
    s::file::win::randomizeStretch(name, 0, 6, []() -> int32_t { return '7'; });
    EXPECT_STREQ(name, L"7.7..7");
}

TEST_F(PathWinRename, MoveToMovesAndReplacesOnlyWhenAsked) {
    ASSERT_TRUE(box.writeFile(L"a.txt", "a"));
    ASSERT_TRUE(box.writeFile(L"b.txt", "b"));
    auto a = path(L"a.txt");
    EXPECT_FALSE(a->moveTo(box.at(L"b.txt").c_str(), false, false));
    EXPECT_EQ(contentOf(L"b.txt"), "b");
    EXPECT_TRUE(a->moveTo(box.at(L"b.txt").c_str(), true, false));
    EXPECT_EQ(contentOf(L"b.txt"), "a");
    EXPECT_FALSE(box.exists(L"a.txt"));
}

}  // namespace

namespace {

std::atomic<int> g_moveCalls{0};
std::atomic<DWORD> g_moveError{0};

BOOL WINAPI failingMove(LPCWSTR, LPCWSTR, DWORD) {
    ++g_moveCalls;
    SetLastError(g_moveError);
    return FALSE;
}

// A rename that the file system refuses for lack of permission is given up at once, while
// a sharing violation is tried again (each of the 20 tries of a round, after a pause).
TEST_F(PathWinRename, APermissionRefusalEndsAtOnceASharingViolationIsRetried) {
    struct Case {
        DWORD error;
        int calls;
    };
    const Case cases[] = {{ERROR_ACCESS_DENIED, 1}, {ERROR_WRITE_PROTECT, 1}, {ERROR_SHARING_VIOLATION, 40}};
    ASSERT_TRUE(box.writeFile(L"held.txt", "h"));
    for (const Case& c : cases) {
        g_moveCalls = 0;
        g_moveError = c.error;
        auto p = path(L"held.txt");
        s::file::win::MoveFunction before = s::file::win::installMoveFunction(&failingMove);
        const bool renamed = p->renameToRandomName(c.error == ERROR_SHARING_VIOLATION ? 1 : 20, nullptr, true, nullptr);
        s::file::win::installMoveFunction(before);
        EXPECT_FALSE(renamed) << c.error;
        EXPECT_EQ(c.calls, g_moveCalls.load()) << c.error;
        EXPECT_EQ(contentOf(L"held.txt"), "h");
    }
}

}  // namespace
