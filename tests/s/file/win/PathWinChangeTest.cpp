// tests/s/file/win/PathWinChangeTest.cpp
//
// Removing, creating and the exclusive-access test, and above all what none of them may
// touch: the target of a link, a folder named through "..", a neighbour.
#include "PathFixture.h"
#include "support/DeepTree.h"

namespace {

using s::file::win::PathWin;
using tests::PathFixture;
using tests::Sandbox;

class PathWinChange : public PathFixture {
protected:
    // A folder "keep" holding "data" in another sandbox, and here "f" holding "x.txt" and a
    // link "f\link" to that folder. Answers false when the session could not make the link.
    bool makeFolderWithLinkOutside() {
        if (!outside.ok() || !outside.makeFolder(L"keep") || !outside.writeFile(L"keep\\data", "outside")) return false;
        if (!box.makeFolder(L"f") || !box.writeFile(L"f\\x.txt", "x")) return false;
        const std::wstring outsideName = outside.path().substr(outside.path().find_last_of(L'\\') + 1);
        return box.makeLink(L"f\\link", L"..\\..\\" + outsideName + L"\\keep");
    }

    void expectOutsideWhole() {
        std::string data;
        EXPECT_TRUE(outside.readFile(L"keep\\data", &data));
        EXPECT_EQ(data, "outside");
        EXPECT_TRUE(outside.exists(L"keep"));
    }

    Sandbox outside;
};

TEST_F(PathWinChange, RemovesAReadOnlyFile) {
    ASSERT_TRUE(box.writeFile(L"ro.txt", "r"));
    ASSERT_TRUE(SetFileAttributesW(box.at(L"ro.txt").c_str(), FILE_ATTRIBUTE_READONLY));
    auto p = path(L"ro.txt");
    EXPECT_TRUE(p->remove(false, false));
    EXPECT_FALSE(box.exists(L"ro.txt"));
}

TEST_F(PathWinChange, RemovingSomethingAlreadyGoneSucceeds) {
    auto p = path(L"never-made.txt");
    EXPECT_TRUE(p->remove(false, false));
    auto deeper = path(L"no-folder\\never-made.txt");
    EXPECT_TRUE(deeper->remove(false, false)) << "its folder is gone too";
}

TEST_F(PathWinChange, RemovesAFolderWithEverythingInIt) {
    ASSERT_TRUE(box.makeFolder(L"f"));
    ASSERT_TRUE(box.makeFolder(L"f\\sub"));
    ASSERT_TRUE(box.writeFile(L"f\\sub\\a.txt", "a"));
    ASSERT_TRUE(box.writeFile(L"f\\b.txt", "b"));
    SetFileAttributesW(box.at(L"f\\b.txt").c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    auto p = path(L"f");
    EXPECT_TRUE(p->remove(false, false));
    EXPECT_FALSE(box.exists(L"f"));
}

struct RemovalJob {
    PathWin* top;
    bool removed;
    static DWORD WINAPI run(void* argument) {
        RemovalJob* job = static_cast<RemovalJob*>(argument);
        job->removed = job->top->remove(false, false);
        return 0;
    }
};

// Removal keeps its own stack: a chain of folders far deeper than a small thread stack
// could hold one call per level is removed whole, on a thread with that stack.
TEST_F(PathWinChange, RemovesAChainOfFoldersDeeperThanTheStackCouldRecurse) {
    ASSERT_FALSE(tests::makeFolderChain(box.at(L"chain"), 400).empty());
    RemovalJob job{s::file::win::pathFromString(box.at(L"chain").c_str()), false};
    HANDLE thread = tests::startWithSmallStack(&RemovalJob::run, &job, nullptr);
    ASSERT_NE(nullptr, thread);
    ResumeThread(thread);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread, 100000));
    CloseHandle(thread);
    job.top->releaseToPool();
    EXPECT_TRUE(job.removed);
    EXPECT_FALSE(box.exists(L"chain"));
}

// The engine's last step removes the item alone: a folder that is not empty keeps what it
// holds, and stays.
TEST_F(PathWinChange, RemovingTheItemAloneNeverEmptiesAFolder) {
    ASSERT_TRUE(box.makeFolder(L"full"));
    ASSERT_TRUE(box.writeFile(L"full\\x.txt", "x"));
    ASSERT_TRUE(box.makeFolder(L"empty"));
    ASSERT_TRUE(box.writeFile(L"file.txt", "f"));
    EXPECT_FALSE(path(L"full")->removeItemOnly(false));
    EXPECT_EQ(contentOf(L"full\\x.txt"), "x");
    EXPECT_TRUE(path(L"empty")->removeItemOnly(false));
    EXPECT_TRUE(path(L"file.txt")->removeItemOnly(false));
    EXPECT_TRUE(path(L"never-made")->removeItemOnly(false)) << "gone is gone";
    EXPECT_FALSE(box.exists(L"empty"));
    EXPECT_FALSE(box.exists(L"file.txt"));
}

// Wine: RemoveDirectoryW on a link to an empty folder removes that folder, and listing the
// link lists the target (checked). The link is never listed, so never removed: the folder
// that holds it stays, and the outside folder stays whole.
TEST_F(PathWinChange, AFolderHoldingALinkKeepsTheLinkAndTheTargetStaysWhole) {
    if (!makeFolderWithLinkOutside()) GTEST_SKIP() << "the session made no link";
    ASSERT_EQ(attributesOf(L"f\\link") & FILE_ATTRIBUTE_REPARSE_POINT, FILE_ATTRIBUTE_REPARSE_POINT);
    auto folder = path(L"f");
    EXPECT_FALSE(folder->remove(false, false));
    EXPECT_TRUE(box.exists(L"f"));
    EXPECT_TRUE(box.exists(L"f\\link"));
    EXPECT_FALSE(box.exists(L"f\\x.txt")) << "what could go, went";
    expectOutsideWhole();
}

TEST_F(PathWinChange, NothingIsDoneThroughALink) {
    if (!makeFolderWithLinkOutside()) GTEST_SKIP() << "the session made no link";
    auto link = path(L"f\\link");
    EXPECT_TRUE(link->isReparsePoint());
    EXPECT_FALSE(link->remove(false, false));
    EXPECT_FALSE(link->removeItemOnly(false));
    EXPECT_FALSE(link->removeAtReboot());
    EXPECT_FALSE(link->renameTo(box.at(L"f\\moved").c_str()));
    EXPECT_FALSE(link->renameToRandomName(2, nullptr, false, nullptr));
    EXPECT_FALSE(link->moveTo(box.at(L"moved").c_str(), false, false));
    EXPECT_FALSE(link->setAttributes(FILE_ATTRIBUTE_HIDDEN));
    EXPECT_FALSE(link->setTimes(-1, 1400000000, -1, true, true, true, true, true));
    EXPECT_FALSE(link->checkExclusiveAccess(false, false, nullptr, 0));
    EXPECT_FALSE(link->copyTo(box.at(L"copy").c_str(), false));
    EXPECT_TRUE(tests::fullPathsOf(link->listChildren(true, nullptr, true)).empty()) << "the target is not listed";
    EXPECT_FALSE(link->hasChildren(true));
    EXPECT_TRUE(box.exists(L"f\\link"));
    EXPECT_FALSE(box.exists(L"copy"));
    EXPECT_EQ(GetFileAttributesW((outside.at(L"keep")).c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
    expectOutsideWhole();
}

// Wine removes the empty target folder when RemoveDirectoryW is given the link (checked).
TEST_F(PathWinChange, ALinkToAnEmptyFolderIsNotRemovedWithItsTarget) {
    ASSERT_TRUE(outside.makeFolder(L"empty"));
    const std::wstring outsideName = outside.path().substr(outside.path().find_last_of(L'\\') + 1);
    if (!box.makeLink(L"link", L"..\\" + outsideName + L"\\empty")) GTEST_SKIP() << "the session made no link";
    auto link = path(L"link");
    EXPECT_FALSE(link->remove(false, false));
    EXPECT_TRUE(outside.exists(L"empty"));
    EXPECT_TRUE(box.exists(L"link"));
}

TEST_F(PathWinChange, APathThroughDotsIsRefused) {
    ASSERT_TRUE(box.makeFolder(L"f"));
    ASSERT_TRUE(box.makeFolder(L"f\\sub"));
    ASSERT_TRUE(box.writeFile(L"f\\a.txt", "a"));
    for (const wchar_t* relative : {L"f\\sub\\..", L"f\\sub\\.", L"f\\sub\\..\\"}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(relative)));
        auto p = path(relative);
        EXPECT_FALSE(p->remove(false, false));
        EXPECT_FALSE(p->renameToRandomName(1, nullptr, false, nullptr));
        EXPECT_FALSE(p->setTimes(-1, 1400000000, -1, true, true, true, true, true));
    }
    EXPECT_TRUE(box.exists(L"f\\a.txt"));
    EXPECT_TRUE(box.exists(L"f\\sub"));
}

TEST_F(PathWinChange, CreatesFoldersAndEmptyFilesWithTheirParents) {
    auto folder = path(L"a\\b\\c");
    EXPECT_TRUE(folder->createFolder(false));
    EXPECT_EQ(attributesOf(L"a\\b\\c") & FILE_ATTRIBUTE_DIRECTORY, FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_FALSE(folder->createFolder(false)) << "it is there already";
    auto file = path(L"x\\y\\empty.txt");
    EXPECT_TRUE(file->createEmptyFile(false));
    EXPECT_TRUE(box.exists(L"x\\y\\empty.txt"));
    EXPECT_FALSE(file->createEmptyFile(false)) << "never over an existing file";
    auto nested = path(L"p\\q\\r.txt");
    EXPECT_TRUE(nested->ensureParentFolder());
    EXPECT_TRUE(box.exists(L"p\\q"));
    EXPECT_FALSE(box.exists(L"p\\q\\r.txt"));
}

TEST_F(PathWinChange, ExclusiveAccessFailsWhileAnotherHandleIsOpen) {
    ASSERT_TRUE(box.makeFolder(L"f"));
    ASSERT_TRUE(box.writeFile(L"f\\busy.txt", "busy"));
    ASSERT_TRUE(box.writeFile(L"f\\free.txt", "free"));
    ASSERT_TRUE(box.writeFile(L"empty.txt", ""));
    SetFileAttributesW(box.at(L"f\\busy.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
    EXPECT_TRUE(path(L"f")->checkExclusiveAccess(false, true, nullptr, 0));
    HANDLE holder = CreateFileW(box.at(L"f\\busy.txt").c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(path(L"f\\busy.txt")->checkExclusiveAccess(false, true, nullptr, 0));
    EXPECT_FALSE(path(L"f")->checkExclusiveAccess(false, true, nullptr, 0)) << "a child fails its folder";
    EXPECT_TRUE(path(L"f\\free.txt")->checkExclusiveAccess(false, true, nullptr, 0));
    CloseHandle(holder);
    EXPECT_EQ(attributesOf(L"f\\busy.txt") & 0x17, FILE_ATTRIBUTE_HIDDEN) << "attributes restored";
    EXPECT_TRUE(path(L"empty.txt")->checkExclusiveAccess(false, true, nullptr, 0)) << "nothing to write";
    EXPECT_FALSE(path(L"missing.txt")->checkExclusiveAccess(false, true, nullptr, 0));
}

// Wine keeps "a.txt:info" as a file of its own, which the path takes for a stream that no
// stream listing knows (checked): its size reads 0, yet it holds bytes the wiper must write.
TEST_F(PathWinChange, ExclusiveAccessIsNeededWhereTheSizeReadsZeroByMistake) {
    ASSERT_TRUE(box.writeFile(L"a.txt", "carrier"));
    ASSERT_TRUE(box.writeFile(L"a.txt:info", "bytes"));
    auto stream = path(L"a.txt:info");
    EXPECT_TRUE(stream->mayHoldData());
    HANDLE holder = CreateFileW(box.at(L"a.txt:info").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(stream->checkExclusiveAccess(false, true, nullptr, 0));
    CloseHandle(holder);
    ASSERT_TRUE(box.writeFile(L"empty.txt", ""));
    EXPECT_FALSE(path(L"empty.txt")->mayHoldData());
}

}  // namespace

namespace {

std::string canaryText() {
    HANDLE h = CreateFileW(L"R:\\canary.txt", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return "";
    char buffer[256];
    DWORD got = 0;
    ReadFile(h, buffer, sizeof buffer, &got, nullptr);
    CloseHandle(h);
    return std::string(buffer, got);
}

// The session's canary drive R: holds one file that no test may lose.
TEST(PathWinRoots, EveryFormOfTheCanaryDrivesRootIsRefused) {
    const std::string before = canaryText();
    if (before.empty()) GTEST_SKIP() << "no canary drive";
    const DWORD attributes = GetFileAttributesW(L"R:\\canary.txt");
    for (const wchar_t* text : {L"R:\\", L"R:", L"R:\\.", L"R:\\canary.txt\\..", L"\\\\?\\R:\\", L"\\??\\R:\\", L"R:/",
                             L"\\\\?\\Global\\R:\\", L"R:\\:stream"}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(text)));
        PathWin root;
        ASSERT_TRUE(root.assignText(text));
        EXPECT_TRUE(root.isRootLike());
        EXPECT_FALSE(root.remove(false, false));
        EXPECT_FALSE(root.removeAtReboot());
        EXPECT_FALSE(root.renameToRandomName(2, nullptr, false, nullptr));
        EXPECT_FALSE(root.setAttributes(FILE_ATTRIBUTE_HIDDEN));
        EXPECT_FALSE(root.setTimes(-1, 1400000000, -1, true, true, true, true, true));
        EXPECT_FALSE(root.checkExclusiveAccess(false, false, nullptr, 0));
        EXPECT_FALSE(root.moveToRecycleBin(false, false));
        EXPECT_FALSE(root.moveTo(L"R:\\elsewhere", false, false));
    }
    EXPECT_EQ(canaryText(), before);
    EXPECT_EQ(GetFileAttributesW(L"R:\\canary.txt"), attributes);
}

}  // namespace
