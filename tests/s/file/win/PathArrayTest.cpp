// tests/s/file/win/PathArrayTest.cpp
#include "s/file/win/PathArray.h"

#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

#include "PathFixture.h"
#include "s/col/_array/ArrayP.h"
#include "s/file/Extension.h"
#include "s/file/win/ShellFileOperation.h"
#include "s/str/strarray/StrArray.h"
#include "s/system/win/ShellOpen.h"

namespace {

using s::col::_array::ArrayP;
using s::file::Extension;
using s::file::win::PathArray;
using s::file::win::PathWin;
using tests::PathFixture;
using tests::Pooled;

std::vector<std::wstring> itemsOf(const s::file::IPathArray& list) {
    std::vector<std::wstring> paths;
    for (uint32_t i = 0; i < list.count(); ++i) paths.push_back(list.item(i)->getFullPath());
    return paths;
}

// Each group as "key=count", the list released.
std::vector<std::wstring> groupsOf(ArrayP* groups) {
    std::vector<std::wstring> found;
    for (uint32_t i = 0; groups && i < groups->count(); ++i) {
        Extension* g = groups->item<Extension>(i);
        found.push_back(std::wstring(g->keyText()) + L"=" + std::to_wstring(g->count()));
    }
    if (groups) groups->releaseToPool();
    return found;
}

TEST(PathArray, FindsIgnoringCaseOrExactly) {
    Pooled<PathArray> list;
    list->pushText(L"C:\\Docs\\A.txt");
    list->pushText(L"C:\\docs\\b.txt");
    PathWin probe;
    probe.assignText(L"c:\\DOCS\\a.TXT");
    int32_t at = 7;
    EXPECT_TRUE(list->find(&probe, &at));
    EXPECT_EQ(at, 0);
    EXPECT_FALSE(list->findExact(&probe, &at));
    EXPECT_EQ(at, -1);
    probe.assignText(L"C:/Docs/A.txt");
    EXPECT_TRUE(list->findExact(&probe, &at)) << "slashes are read as backslashes";
    EXPECT_TRUE(list->findText(L"C:\\DOCS\\B.TXT", &at));
    EXPECT_EQ(at, 1);
    EXPECT_FALSE(list->findText(L"C:\\docs\\c.txt", nullptr));
}

TEST(PathArray, JoinsPathsIntoADoubleTerminatedList) {
    Pooled<PathArray> list;
    list->pushText(L"C:\\a");
    list->pushText(L"D:\\b c");
    s::str::strbuffer::StrBuffer joined;
    list->joinPaths(&joined, false);
    EXPECT_EQ(tests::text(&joined), std::wstring(L"C:\\a\0D:\\b c\0\0", 13));
    EXPECT_EQ(std::wstring(list->joinPathsOwn(), 13), std::wstring(L"C:\\a\0D:\\b c\0\0", 13));
}

TEST(PathArray, ItemsAreOwnedTakenAndRemoved) {
    Pooled<PathArray> list;
    EXPECT_TRUE(list->insertTextAt(0, L"C:\\b"));
    EXPECT_TRUE(list->insertTextAt(0, L"C:\\a"));
    EXPECT_TRUE(list->insertTextAt(99, L"C:\\c")) << "beyond the end appends";
    EXPECT_EQ(itemsOf(*list), (std::vector<std::wstring>{L"C:\\a", L"C:\\b", L"C:\\c"}));
    s::file::IPath* taken = list->takeAt(1);
    ASSERT_TRUE(taken != nullptr);
    EXPECT_STREQ(taken->getFullPath(), L"C:\\b");
    taken->releaseToPool();
    EXPECT_TRUE(list->removeLast());
    EXPECT_TRUE(list->removeAt(0));
    EXPECT_FALSE(list->removeAt(0));
    EXPECT_TRUE(list->takeAt(0) == nullptr);
    EXPECT_FALSE(list->push(nullptr));
    const wchar_t* texts[] = {L"C:\\x", L"C:\\y"};
    list->assignTexts(2, texts);
    EXPECT_EQ(itemsOf(*list), (std::vector<std::wstring>{L"C:\\x", L"C:\\y"}));
    Pooled<s::str::strarray::StrArray> names(list->toNameList());
    ASSERT_EQ(names->count(), 2u);
    EXPECT_EQ(tests::text(names->at(1)), L"y");
}

TEST(PathArray, SortsStablyIgnoringCaseThenByLength) {
    Pooled<PathArray> list;
    for (const wchar_t* t : {L"C:\\b.TXT", L"C:\\A.log", L"C:\\a.txt", L"C:\\a", L"C:\\c.txt"}) list->pushText(t);
    ASSERT_TRUE(list->sortByPath());
    EXPECT_EQ(itemsOf(*list),
              (std::vector<std::wstring>{L"C:\\a", L"C:\\A.log", L"C:\\a.txt", L"C:\\b.TXT", L"C:\\c.txt"}));
    ASSERT_TRUE(list->sortByExtension());
    EXPECT_EQ(itemsOf(*list),
              (std::vector<std::wstring>{L"C:\\a", L"C:\\A.log", L"C:\\a.txt", L"C:\\b.TXT", L"C:\\c.txt"}))
        << "equal extensions keep their order";
    EXPECT_EQ(groupsOf(list->buildExtensionGroups()), (std::vector<std::wstring>{L"=1", L".log=1", L".txt=3"}));
}

TEST(PathArray, GroupsByTheWordsOfTheNames) {
    Pooled<PathArray> list;
    for (const wchar_t* t : {L"C:\\holiday photo.jpg", L"C:\\holiday video.avi", L"C:\\work.jpg"}) list->pushText(t);
    std::vector<std::wstring> groups = groupsOf(list->groupByExtension(false));
    ASSERT_EQ(groups.size(), 4u) << "a shared key keeps every group";
    EXPECT_EQ(groups.back(), L"holiday=2") << "the largest last";
    groups = groupsOf(list->groupByCompoundExtension(false));
    EXPECT_EQ(groups, (std::vector<std::wstring>{L"photo=1", L"video=1", L".avi=1", L"work=1", L"holiday=2", L".jpg=2"}))
        << "the extensions join the words; a stable sort by size keeps the order of first use";
    Pooled<PathArray> alone;
    for (const wchar_t* t : {L"C:\\one.a", L"C:\\two.b"}) alone->pushText(t);
    EXPECT_TRUE(groupsOf(alone->groupByExtension(false)).empty()) << "no key shared by two paths";
    Pooled<PathArray> cases;
    for (const wchar_t* t : {L"C:\\Photo 1.jpg", L"C:\\photo 2.jpg"}) cases->pushText(t);
    EXPECT_EQ(groupsOf(cases->groupByExtension(false)).back(), L"Photo=2") << "keys compare ignoring case";
}

TEST(PathArray, MarksFollowTheItems) {
    Pooled<PathArray> list;
    list->pushText(L"Q:\\not-there");
    list->markFolders();
    EXPECT_FALSE(list->isMarked(0));
    list->insertTextAt(0, L"Q:\\other");
    EXPECT_FALSE(list->isMarked(0));
    EXPECT_FALSE(list->isMarked(5));
    list->clear();
    EXPECT_FALSE(list->isMarked(0));
    Pooled<PathArray> rebased(static_cast<PathArray*>(list->rebaseNames(L"D:\\copies")));
    EXPECT_EQ(itemsOf(*rebased), (std::vector<std::wstring>{L"D:\\copies\\other", L"D:\\copies\\not-there"}));
    Pooled<PathArray> drives;
    drives->pushText(L"C:");
    drives->pushText(L"E:\\x\\name.txt");
    Pooled<PathArray> byDrive(static_cast<PathArray*>(drives->rebaseDrives(L"D:\\images")));
    EXPECT_EQ(itemsOf(*byDrive), (std::vector<std::wstring>{L"D:\\images\\C", L"D:\\images\\name.txt"}));
    EXPECT_FALSE(byDrive->isMarked(0));
}

class PathArrayOnDisk : public PathFixture {};

TEST_F(PathArrayOnDisk, SizeClassesOfA5000ByteFile) {
    ASSERT_TRUE(box.writeFile(L"f5000", std::string(5000, 'x')));
    ASSERT_TRUE(box.writeFile(L"f100", std::string(100, 'x')));
    Pooled<PathArray> list;
    list->pushText(box.at(L"f5000").c_str());
    list->pushText(box.at(L"f100").c_str());
    EXPECT_EQ(groupsOf(list->groupBySizeAtLeast()), (std::vector<std::wstring>{L"1024=1"}))
        << "the 100-byte file is in no class";
    EXPECT_EQ(groupsOf(list->groupBySizeBelow()),
              (std::vector<std::wstring>{L"1024=1", L"10240=2", L"102400=2", L"1048576=2", L"10485760=2",
                                         L"104857600=2", L"1073741824=2"}));
}

TEST_F(PathArrayOnDisk, FoldersAreMarkedAndMovedOut) {
    ASSERT_TRUE(box.makeFolder(L"d1"));
    ASSERT_TRUE(box.writeFile(L"f", "f"));
    ASSERT_TRUE(box.makeFolder(L"d2"));
    Pooled<PathArray> list;
    for (const wchar_t* name : {L"d1", L"f", L"d2"}) list->pushText(box.at(name).c_str());
    list->markFolders();
    EXPECT_TRUE(list->isMarked(0));
    EXPECT_FALSE(list->isMarked(1));
    EXPECT_TRUE(list->isMarked(2));
    Pooled<PathArray> folders(static_cast<PathArray*>(list->moveFoldersTo(nullptr)));
    EXPECT_EQ(itemsOf(*folders), (std::vector<std::wstring>{box.at(L"d2"), box.at(L"d1")})) << "from the last";
    EXPECT_EQ(itemsOf(*list), (std::vector<std::wstring>{box.at(L"f")}));
    EXPECT_FALSE(list->isMarked(0));
}

TEST_F(PathArrayOnDisk, ExpandsFoldersAndNumbersExistingNames) {
    ASSERT_TRUE(box.makeFolder(L"d"));
    ASSERT_TRUE(box.makeFolder(L"d\\in"));
    ASSERT_TRUE(box.writeFile(L"d\\in\\x.txt", "x"));
    ASSERT_TRUE(box.writeFile(L"a.txt", "a"));
    Pooled<PathArray> list;
    list->pushText(box.at(L"d").c_str());
    list->pushText(box.at(L"a.txt").c_str());
    list->expandFolders(true);
    EXPECT_EQ(itemsOf(*list), (std::vector<std::wstring>{box.at(L"d"), box.at(L"a.txt"), box.at(L"d\\in"),
                                                        box.at(L"d\\in\\x.txt")}));
    list->replaceWithUniqueNames();
    EXPECT_EQ(list->item(1)->getFullPath(), box.at(L"a (1).txt"));
    EXPECT_EQ(list->item(0)->getFullPath(), box.at(L"d (1)"));
}

// The shell is replaced for these tests: the recycle bin is never reached.
class PathArrayShell : public PathFixture {
protected:
    struct Request {
        UINT function = 0;
        FILEOP_FLAGS flags = 0;
        std::wstring from, to;
    };
    static std::vector<Request>& requests() {
        static std::vector<Request> r;
        return r;
    }
    static size_t listLength(const wchar_t* list) {
        size_t n = 0;
        while (list && (list[n] || list[n + 1])) ++n;
        return list ? n + 2 : 0;
    }
    static int record(SHFILEOPSTRUCTW* operation) {
        Request r;
        r.function = operation->wFunc;
        r.flags = operation->fFlags;
        r.from.assign(operation->pFrom, listLength(operation->pFrom));
        if (operation->pTo) r.to.assign(operation->pTo, listLength(operation->pTo));
        requests().push_back(r);
        return 0;
    }
    void SetUp() override {
        PathFixture::SetUp();
        requests().clear();
        previous = s::file::win::replaceShellFileOperation(&record);
    }
    void TearDown() override { s::file::win::replaceShellFileOperation(previous); }

    s::file::win::ShellFileOperationFunction previous = nullptr;
};

TEST_F(PathArrayShell, TheRecycleBinTakesAbsolutePathsOnly) {
    ASSERT_TRUE(box.writeFile(L"a.txt", "a"));
    Pooled<PathArray> relative;
    relative->pushText(box.at(L"a.txt").c_str());
    relative->pushText(L"a.txt");
    EXPECT_FALSE(relative->deleteToRecycleBin(false, false, nullptr)) << "the shell would delete it for good";
    Pooled<PathArray> driveRelative;
    driveRelative->pushText(L"T:a.txt");
    EXPECT_FALSE(driveRelative->deleteToRecycleBin(false, false, nullptr));
    EXPECT_FALSE(path(L"a.txt")->isRootLike());
    PathWin bare;
    bare.assignText(L"a.txt");
    EXPECT_FALSE(bare.moveToRecycleBin(false, false));
    EXPECT_TRUE(requests().empty()) << "nothing reached the shell";

    Pooled<PathArray> absolute;
    absolute->pushText(box.at(L"a.txt").c_str());
    EXPECT_TRUE(absolute->deleteToRecycleBin(false, false, nullptr));
    EXPECT_TRUE(absolute->deleteToRecycleBin(false, true, nullptr));
    EXPECT_TRUE(path(L"a.txt")->moveToRecycleBin(false, false));
    ASSERT_EQ(requests().size(), 3u);
    EXPECT_EQ(requests()[0].function, static_cast<UINT>(FO_DELETE));
    EXPECT_EQ(requests()[0].flags, 0x54) << "undo, no confirmation, silent";
    EXPECT_EQ(requests()[1].flags, 0x40) << "with the user interface";
    EXPECT_EQ(requests()[0].from, box.at(L"a.txt") + std::wstring(L"\0\0", 2));
    EXPECT_EQ(requests()[2].from, requests()[0].from);
    EXPECT_TRUE(box.exists(L"a.txt"));
}

// The shell takes paths as text and shortens names ending in dots or spaces, so "a." would
// reach its neighbour "a"; past MAX_PATH its buffers do not hold the path. Neither is sent.
TEST_F(PathArrayShell, TheRecycleBinTakesOnlyPathsTheShellReachesAsTheyAre) {
    ASSERT_TRUE(box.writeFile(L"a", "neighbour"));
    HANDLE dotted = CreateFileW((L"\\\\?\\" + box.at(L"a.")).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, dotted);
    CloseHandle(dotted);
    const std::wstring longName(255, L'n');
    ASSERT_TRUE(box.makeFolder(longName));
    ASSERT_TRUE(box.writeFile(longName + L"\\deep.txt", "deep"));
    for (const std::wstring& relative : {std::wstring(L"a."), longName + L"\\deep.txt"}) {
        SCOPED_TRACE(testing::PrintToString(relative));
        EXPECT_FALSE(path(relative)->moveToRecycleBin(false, false));
        Pooled<PathArray> list;
        list->pushText(box.at(relative).c_str());
        EXPECT_FALSE(list->deleteToRecycleBin(false, false, nullptr));
    }
    EXPECT_TRUE(requests().empty()) << "nothing reached the shell";
    EXPECT_EQ(contentOf(L"a"), "neighbour");
}

TEST_F(PathArrayShell, CopiesAndMovesIntoAFolder) {
    ASSERT_TRUE(box.writeFile(L"a.txt", "a"));
    ASSERT_TRUE(box.writeFile(L"b.txt", "b"));
    ASSERT_TRUE(box.makeFolder(L"to"));
    Pooled<PathArray> one, two, empty;
    one->pushText(box.at(L"a.txt").c_str());
    two->pushText(box.at(L"a.txt").c_str());
    two->pushText(box.at(L"b.txt").c_str());
    auto folder = path(L"to");
    EXPECT_EQ(one->copyToFolder(folder.get(), false, nullptr), 2);
    EXPECT_EQ(two->moveToFolder(folder.get(), false, nullptr), 2);
    EXPECT_EQ(empty->copyToFolder(folder.get(), false, nullptr), 0);
    ASSERT_EQ(requests().size(), 2u);
    EXPECT_EQ(requests()[0].function, static_cast<UINT>(FO_COPY));
    EXPECT_EQ(requests()[0].flags, 0x240);
    EXPECT_EQ(requests()[0].to, box.at(L"to\\a.txt") + std::wstring(L"\0\0", 2)) << "one item: its own name";
    EXPECT_EQ(requests()[1].function, static_cast<UINT>(FO_MOVE));
    EXPECT_EQ(requests()[1].to, box.at(L"to") + std::wstring(L"\0\0", 2));
}

// Copies and moves go through the shell by text, like the recycle bin, with its guards: no
// relative path, root, link, stream, device name, dot component or name the shell would
// shorten; nor a link or stream to copy into.
TEST_F(PathArrayShell, CopiesAndMovesTakeOnlyPathsTheShellReachesAsTheyAre) {
    ASSERT_TRUE(box.writeFile(L"a.txt", "a"));
    ASSERT_TRUE(box.writeFile(L"a", "a"));
    ASSERT_TRUE(box.makeFolder(L"to"));
    ASSERT_TRUE(box.makeFolder(L"dir"));
    ASSERT_TRUE(box.makeLink(L"link", L"dir"));
    for (const wchar_t* name : {L"a.", L"COM1"}) {
        HANDLE h = CreateFileW((L"\\\\?\\" + box.at(name)).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, h);
        CloseHandle(h);
    }
    const std::wstring items[] = {L"a.txt", L"T:a.txt", L"T:\\", box.at(L"link"), box.at(L"a.txt:s"), box.at(L"a."),
                                  box.at(L"COM1"), box.at(L"dir\\..\\a.txt")};
    auto folder = path(L"to");
    for (const std::wstring& item : items) {
        SCOPED_TRACE(testing::PrintToString(item));
        Pooled<PathArray> list;
        list->pushText(box.at(L"a").c_str());
        list->pushText(item.c_str());
        EXPECT_EQ(list->copyToFolder(folder.get(), false, nullptr), 0);
        EXPECT_EQ(list->moveToFolder(folder.get(), false, nullptr), 0);
    }
    Pooled<PathArray> good;
    good->pushText(box.at(L"a.txt").c_str());
    EXPECT_EQ(good->copyToFolder(path(L"link").get(), false, nullptr), 0) << "into a link";
    EXPECT_EQ(good->copyToFolder(path(L"a.txt:s").get(), false, nullptr), 0) << "into a stream";
    EXPECT_TRUE(requests().empty()) << "nothing reached the shell";
    EXPECT_EQ(good->copyToFolder(folder.get(), false, nullptr), 2);
    EXPECT_EQ(requests().size(), 1u);
}

// A folder that cannot be listed (held open without read sharing) is not copied: the shell
// would answer success for the empty copy it makes.
TEST_F(PathArrayShell, AFolderThatCannotBeListedIsNotCopied) {
    ASSERT_TRUE(box.makeFolder(L"shut"));
    ASSERT_TRUE(box.writeFile(L"shut\\inside.txt", "inside"));
    ASSERT_TRUE(box.makeFolder(L"to"));
    HANDLE holder = CreateFileW(box.at(L"shut").c_str(), GENERIC_READ, FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, holder);
    Pooled<PathArray> list;
    list->pushText(box.at(L"shut").c_str());
    const int32_t copied = list->copyToFolder(path(L"to").get(), false, nullptr);
    const bool copiedByPath = path(L"shut")->copyTo(box.at(L"to\\shut").c_str(), false);
    CloseHandle(holder);
    EXPECT_EQ(copied, 0);
    EXPECT_TRUE(requests().empty());
    EXPECT_FALSE(copiedByPath) << "the path's own copy made an empty folder and answered true";
    EXPECT_EQ(list->moveToFolder(path(L"to").get(), false, nullptr), 2) << "a move takes the folder whole";
}

}  // namespace

namespace {

TEST_F(PathArrayOnDisk, ShortcutsForEveryExistingItem) {
    ASSERT_TRUE(box.writeFile(L"a.txt", "a"));
    ASSERT_TRUE(box.makeFolder(L"links"));
    tests::Pooled<PathArray> list;
    list->pushText(box.at(L"a.txt").c_str());
    auto folder = path(L"links");
    EXPECT_EQ(list->createShortcutsIn(folder.get(), false), 2);
    EXPECT_TRUE(box.exists(L"links\\a.txt.lnk"));
    EXPECT_EQ(list->createShortcutsIn(folder.get(), false), 0) << "none replaced";
    list->pushText(box.at(L"b.txt").c_str());
    EXPECT_EQ(list->createShortcutsIn(folder.get(), true), 2) << "missing items are left out";
    tests::Pooled<PathArray> empty;
    EXPECT_FALSE(empty->showProperties());
}

}  // namespace

namespace {

std::vector<std::wstring>& shellRequests() {
    static std::vector<std::wstring> requests;
    return requests;
}

BOOL WINAPI recordShellExecute(SHELLEXECUTEINFOW* info) {
    shellRequests().push_back(std::wstring(info->lpVerb) + L"|" + info->lpFile + L"|" + std::to_wstring(info->fMask) +
                              L"|" + std::to_wstring(info->nShow));
    return TRUE;
}

// The shell's replacement keeps the sheet from opening.
TEST(PathArrayProperties, OneItemAsksTheShellForItsSheet) {
    shellRequests().clear();
    auto previous = s::system::win::setShellExecuteFunction(&recordShellExecute);
    tests::Pooled<PathArray> list;
    list->pushText(L"C:\\x.txt");
    EXPECT_TRUE(list->showProperties());
    s::system::win::setShellExecuteFunction(previous);
    EXPECT_EQ(shellRequests(), (std::vector<std::wstring>{L"properties|C:\\x.txt|12|5"}))
        << "SEE_MASK_INVOKEIDLIST, SW_SHOW";
}

}  // namespace
