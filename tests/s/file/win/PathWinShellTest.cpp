// tests/s/file/win/PathWinShellTest.cpp
//
// Shortcuts, internet shortcuts, copies, numbered names, neighbours and the shell's texts.
// The shell's COM objects work under Wine (checked); the recycle bin is tested behind the
// shell's replacement in PathArrayTest.cpp.
#include "PathFixture.h"
#include "s/file/win/ShellLinks.h"
#include "s/str/strbuffer/StrBuffer.h"

namespace {

using s::file::win::PathWin;
using s::str::strbuffer::StrBuffer;
using tests::PathFixture;

class PathWinShell : public PathFixture {
protected:
    static std::wstring released(s::file::IPath* path) {
        std::wstring text = path ? path->getFullPath() : L"(none)";
        if (path) path->releaseToPool();
        return text;
    }
};

TEST_F(PathWinShell, ShortcutsRoundTrip) {
    ASSERT_TRUE(box.makeFolder(L"Target Folder"));
    ASSERT_TRUE(box.writeFile(L"Target Folder\\Document.txt", "d"));
    auto target = path(L"Target Folder\\Document.txt");
    EXPECT_TRUE(target->createShortcut(box.at(L"doc").c_str(), false, L"/x")) << "\".lnk\" is added";
    ASSERT_TRUE(box.exists(L"doc.lnk"));
    auto link = path(L"doc.lnk");
    EXPECT_TRUE(link->isShortcut());
    EXPECT_EQ(released(link->shortcutTarget()), box.at(L"Target Folder\\Document.txt"));
    EXPECT_FALSE(target->createShortcut(box.at(L"doc.lnk").c_str(), false, nullptr)) << "no replacing unless asked";
    EXPECT_TRUE(target->createShortcut(box.at(L"doc.lnk").c_str(), true, nullptr));
    EXPECT_FALSE(path(L"missing.txt")->createShortcut(box.at(L"m").c_str(), false, nullptr));
    EXPECT_TRUE(link->createShortcut(box.at(L"copy").c_str(), false, nullptr)) << "a link to a link is a copy of it";
    EXPECT_EQ(contentOf(L"copy.lnk"), contentOf(L"doc.lnk"));
}

// Windows fails the quiet Resolve of a link whose target is gone, and the text is empty.
// Wine 8.0 answers success and the stored path (checked): either way nothing else is named.
TEST_F(PathWinShell, ALinkWhoseTargetIsGoneNamesNothingElse) {
    ASSERT_TRUE(box.writeFile(L"soon-gone.txt", "g"));
    ASSERT_TRUE(path(L"soon-gone.txt")->createShortcut(box.at(L"dead").c_str(), false, nullptr));
    ASSERT_TRUE(DeleteFileW(box.at(L"soon-gone.txt").c_str()));
    EXPECT_THAT(released(path(L"dead.lnk")->shortcutTarget()),
                testing::AnyOf(std::wstring(L"(none)"), box.at(L"soon-gone.txt")));
}

TEST_F(PathWinShell, AFolderHoldingTargetLnkIsAFolderShortcut) {
    ASSERT_TRUE(box.makeFolder(L"real"));
    ASSERT_TRUE(box.makeFolder(L"shortcut"));
    ASSERT_TRUE(path(L"real")->createShortcut(box.at(L"shortcut\\target.lnk").c_str(), false, nullptr));
    auto shortcut = path(L"shortcut");
    EXPECT_TRUE(shortcut->isFolderShortcut());
    EXPECT_EQ(std::wstring(shortcut->folderShortcutTargetText()), box.at(L"real"));
    EXPECT_EQ(released(shortcut->folderShortcutTargetPath()), box.at(L"real"));
    EXPECT_FALSE(path(L"real")->isFolderShortcut());
}

TEST_F(PathWinShell, InternetShortcutsRoundTrip) {
    auto url = path(L"site.url");
    EXPECT_TRUE(url->createUrlShortcut(L"http://example.com/page", false));
    EXPECT_TRUE(url->isUrlShortcut());
    EXPECT_EQ(std::wstring(url->urlTargetText()), L"http://example.com/page");
    EXPECT_FALSE(url->createUrlShortcut(L"http://example.com/other", false)) << "an existing file stays";
    EXPECT_TRUE(url->createUrlShortcut(L"http://example.com/other", true));
    EXPECT_EQ(std::wstring(url->urlTargetText()), L"http://example.com/other");
}

// Replacing means replacing a file: a folder of that name keeps all it holds.
TEST_F(PathWinShell, AnInternetShortcutNeverReplacesAFolder) {
    ASSERT_TRUE(box.makeFolder(L"site.url"));
    ASSERT_TRUE(box.writeFile(L"site.url\\kept.txt", "kept"));
    EXPECT_FALSE(path(L"site.url")->createUrlShortcut(L"http://example.com/page", true));
    EXPECT_EQ(contentOf(L"site.url\\kept.txt"), "kept");
}

TEST_F(PathWinShell, LongFormOfAPathTakesTheNamesTheFolderGives) {
    ASSERT_TRUE(box.makeFolder(L"Mixed Case"));
    ASSERT_TRUE(box.writeFile(L"Mixed Case\\File.Txt", "x"));
    std::wstring lower = box.at(L"mixed case\\file.txt");
    StrBuffer out;
    s::file::win::expandToLongPath(lower.c_str(), &out, false);
    EXPECT_EQ(tests::text(&out).substr(box.path().size()), L"\\Mixed Case\\File.Txt");
    s::file::win::expandToLongPath((box.at(L"mixed case\\f*.txt")).c_str(), &out, false);
    EXPECT_EQ(tests::text(&out).substr(box.path().size()), L"\\Mixed Case\\f*.txt") << "no wildcard is expanded";
}

TEST_F(PathWinShell, CopiesFilesAndFoldersButNeverIntoThemselves) {
    ASSERT_TRUE(box.makeFolder(L"a"));
    ASSERT_TRUE(box.makeFolder(L"a\\in"));
    ASSERT_TRUE(box.writeFile(L"a\\in\\x.txt", "x"));
    ASSERT_TRUE(box.writeFile(L"a\\y.txt", "y"));
    auto a = path(L"a");
    EXPECT_FALSE(a->copyTo(box.at(L"a\\in\\copy").c_str(), false)) << "inside itself";
    EXPECT_FALSE(a->copyTo(box.at(L"A").c_str(), true)) << "itself, in another case";
    EXPECT_TRUE(a->copyTo(box.at(L"ab").c_str(), false)) << "\"ab\" is beside \"a\", not in it";
    EXPECT_EQ(contentOf(L"ab\\in\\x.txt"), "x");
    EXPECT_EQ(contentOf(L"ab\\y.txt"), "y");
    EXPECT_FALSE(a->copyTo(box.at(L"ab").c_str(), false)) << "an existing folder only with replace";
    EXPECT_TRUE(a->copyTo(box.at(L"ab").c_str(), true));
    auto y = path(L"a\\y.txt");
    EXPECT_FALSE(y->copyTo(box.at(L"ab\\y.txt").c_str(), false));
    EXPECT_TRUE(y->copyTo(box.at(L"new\\folder\\y.txt").c_str(), false)) << "the folders are made";
    EXPECT_EQ(contentOf(L"new\\folder\\y.txt"), "y");
}

// A copy that replaces never writes through a link (a folder link would take the copies
// into its target, outside what was chosen) nor into a root.
TEST_F(PathWinShell, ACopyNeverReplacesThroughALinkOrIntoARoot) {
    tests::Sandbox outside;
    ASSERT_TRUE(outside.ok());
    ASSERT_TRUE(outside.makeFolder(L"keep"));
    ASSERT_TRUE(outside.writeFile(L"keep\\data", "outside"));
    ASSERT_TRUE(box.makeFolder(L"src"));
    ASSERT_TRUE(box.writeFile(L"src\\data", "copied"));
    const std::wstring outsideName = outside.path().substr(outside.path().find_last_of(L'\\') + 1);
    if (!box.makeLink(L"link", L"..\\" + outsideName + L"\\keep")) GTEST_SKIP() << "the session made no link";
    auto src = path(L"src");
    EXPECT_FALSE(src->copyTo(box.at(L"link").c_str(), true));
    EXPECT_FALSE(src->copyTo(L"R:\\", true)) << "a root";
    EXPECT_FALSE(path(L"src\\data")->copyTo(L"R:", true));
    std::string data;
    ASSERT_TRUE(outside.readFile(L"keep\\data", &data));
    EXPECT_EQ(data, "outside");
}

TEST_F(PathWinShell, NumberedAndDerivedNames) {
    ASSERT_TRUE(box.writeFile(L"r.txt", "r"));
    ASSERT_TRUE(box.writeFile(L"r (1).txt", "r"));
    ASSERT_TRUE(box.makeFolder(L"d.x"));
    EXPECT_EQ(released(path(L"r.txt")->uniquePathNumbered()), box.at(L"r (2).txt"));
    EXPECT_EQ(released(path(L"r.txt")->uniquePathNumberedPlain()), box.at(L"r1.txt"));
    EXPECT_EQ(released(path(L"d.x")->uniquePathNumbered()), box.at(L"d.x (1)")) << "a folder keeps its whole name";
    EXPECT_EQ(released(path(L"free.txt")->uniquePathNumbered()), box.at(L"free.txt"));
    EXPECT_EQ(released(path(L"r.txt")->withSuffix(L"-old")), box.at(L"r-old.txt"));
    EXPECT_EQ(released(path(L"d.x")->withSuffix(L"-old")), box.at(L"d.x-old"));
}

TEST_F(PathWinShell, NeighboursInTheFolder) {
    for (const wchar_t* name : {L"b.jpg", L"a.jpg", L"c.png", L"d.txt"}) ASSERT_TRUE(box.writeFile(name, "x"));
    auto b = path(L"b.jpg");
    EXPECT_EQ(released(b->siblingPath(false, L".jpg;.png", true, false)), box.at(L"c.png"));
    EXPECT_EQ(released(b->siblingPath(true, L".jpg;.png", true, false)), box.at(L"a.jpg"));
    auto c = path(L"c.png");
    EXPECT_EQ(released(c->siblingPath(false, L".jpg;.png", true, false)), L"(none)");
    EXPECT_EQ(released(c->siblingPath(false, L".jpg;.png", true, true)), box.at(L"a.jpg")) << "wrapping";
    EXPECT_EQ(released(c->siblingPath(false, nullptr, true, false)), box.at(L"d.txt"));
}

TEST_F(PathWinShell, TheShellsTexts) {
    ASSERT_TRUE(box.writeFile(L"n.txt", std::string(2048, 'n')));
    auto n = path(L"n.txt");
    EXPECT_FALSE(std::wstring(n->typeNameText()).empty());
    EXPECT_EQ(std::wstring(n->sizeString()), L"2.00 KB");
    ASSERT_TRUE(box.makeFolder(L"folder"));
    EXPECT_EQ(std::wstring(path(L"folder")->sizeString()), L"") << "none for a folder";
    EXPECT_FALSE(std::wstring(path(L"missing.doc")->typeNameText()).empty()) << "from the extension alone";
}

TEST(PathWinFree, PathsFromTheSystem) {
    tests::Pooled<PathWin> desktop(s::file::win::getDesktopFolder());
    ASSERT_TRUE(desktop.get() != nullptr);
    EXPECT_TRUE(desktop->isParsed());
    EXPECT_TRUE(desktop->isAbsolute());
    tests::Pooled<StrBuffer> root(s::file::win::getWindowsDriveRoot());
    wchar_t windows[MAX_PATH] = {}, volume[MAX_PATH] = {};
    ASSERT_NE(0u, GetWindowsDirectoryW(windows, MAX_PATH));
    ASSERT_TRUE(GetVolumePathNameW(windows, volume, MAX_PATH));
    EXPECT_EQ(0, _wcsicmp(tests::text(root.get()).c_str(), volume)) << "the Windows folder's own volume";
    tests::Pooled<PathWin> joined(s::file::win::pathFromFolderAndName(L"C:\\x\\", L"y"));
    EXPECT_STREQ(joined->getFullPath(), L"C:\\x\\y") << "no doubled separator";
    tests::Pooled<PathWin> copy(s::file::win::copyPath(joined.get()));
    EXPECT_TRUE(copy->equals(joined.get()));
    EXPECT_NE(copy.get(), joined.get());
}

}  // namespace
