// tests/s/file/win/PathWinParseTest.cpp
//
// Parsing, the long form and the texts derived from a path: nothing here touches a disk.
#include <gmock/gmock.h>

#include <string>

#include "s/file/win/PathWin.h"
#include "support/Pooled.h"

namespace {

using s::file::win::PathWin;
using s::file::win::pathFromString;
using s::str::strbuffer::StrBuffer;
using tests::Pooled;

std::wstring str(const wchar_t* t) { return t ? t : L""; }

using Copy = StrBuffer* (PathWin::*)(StrBuffer*, bool) const;

std::wstring copied(const PathWin& path, Copy copy) {
    StrBuffer out;
    (path.*copy)(&out, false);
    return tests::text(&out);
}

std::wstring pathText(s::file::IPath* path) {
    std::wstring t = path ? str(path->getFullPath()) : L"(none)";
    if (path) path->releaseToPool();
    return t;
}

TEST(PathWinParse, PartsOfEveryKindOfPath) {
    struct Row {
        const wchar_t* given;
        const wchar_t* full;
        const wchar_t* drive;
        const wchar_t* dirSlash;
        const wchar_t* title;
        const wchar_t* ext;
        bool stream;
        const char* why;
    } rows[] = {
        {L"C:\\", L"C:", L"C:", L"C:", L"", L"", false, "a root loses its separator"},
        {L"C:/docs/a.txt", L"C:\\docs\\a.txt", L"C:", L"C:\\docs\\", L"a", L".txt", false, "slashes become backslashes"},
        {L"C:\\docs\\", L"C:\\docs", L"C:", L"C:\\", L"docs", L"", false, "a trailing separator goes"},
        {L"C:\\docs\\\\\\", L"C:\\docs", L"C:", L"C:\\", L"docs", L"", false, "every trailing separator goes"},
        {L"\\\\server\\share\\d\\f.txt", L"\\\\server\\share\\d\\f.txt", L"", L"\\\\server\\share\\d\\", L"f", L".txt",
         false, "a share path has no drive"},
        {L"docs\\a.txt", L"docs\\a.txt", L"", L"docs\\", L"a", L".txt", false, "relative"},
        {L"a.txt", L"a.txt", L"", L"", L"a", L".txt", false, "a bare name has no folder"},
        {L"C:\\x\\.hidden", L"C:\\x\\.hidden", L"C:", L"C:\\x\\", L"", L".hidden", false, "a dot name"},
        {L"C:\\x\\..", L"C:\\x\\..", L"C:", L"C:\\x\\", L".", L".", false, "dots are kept as they are"},
        {L"C:\\docs\\a.txt:secret", L"C:\\docs\\a.txt:secret", L"C:", L"C:\\docs\\", L"a", L".txt:secret", true,
         "a stream of a file: its extension holds the colon"},
        {L"C:\\docs:str", L"C:\\docs:str", L"C:", L"C:\\", L"docs:str", L"", true, "a stream of a folder"},
        {L"C:\\a.b:c.d", L"C:\\a.b:c.d", L"C:", L"C:\\", L"a.b:c", L".d", true, "the colon is in the title"},
        {L"\\\\?\\C:", L"\\\\?\\C:", L"", L"\\\\?\\", L"C:", L"", false, "a prefixed drive is no stream"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        Pooled<PathWin> p(pathFromString(row.given));
        ASSERT_TRUE(p->isParsed());
        EXPECT_EQ(str(p->getFullPath()), row.full);
        EXPECT_EQ(copied(*p, &PathWin::copyDirSlash), row.dirSlash);
        EXPECT_EQ(copied(*p, &PathWin::copyTitle), row.title);
        EXPECT_EQ(copied(*p, &PathWin::copyExt), row.ext);
        EXPECT_EQ(str(p->getExtension()), row.ext);
        EXPECT_EQ(p->isStream(), row.stream);
        EXPECT_EQ(copied(*p, &PathWin::copyName), std::wstring(row.title) + row.ext);
        std::wstring dirSlash = row.dirSlash;
        EXPECT_EQ(dirSlash.substr(0, std::wstring(row.drive).size()), row.drive);
    }
}

TEST(PathWinParse, AnEmptyTextLeavesThePathUnparsed) {
    Pooled<PathWin> p(pathFromString(L""));
    EXPECT_FALSE(p->isParsed());
    EXPECT_FALSE(p->exists());
    EXPECT_FALSE(p->remove(false, false));
    Pooled<PathWin> none(pathFromString(nullptr));
    EXPECT_FALSE(none->isParsed());
}

TEST(PathWinParse, ADriveRootIsStoredWithoutSeparatorAndRefusedEverywhere) {
    PathWin root;
    ASSERT_TRUE(root.assignText(L"C:\\"));
    EXPECT_EQ(str(root.getFullPath()), L"C:");
    EXPECT_TRUE(root.isDriveOnly());
    EXPECT_TRUE(root.isRootLike());
    EXPECT_FALSE(root.isStream());
    EXPECT_EQ(str(root.getVolumeRoot()), L"C:\\");
    EXPECT_TRUE(root.parentPathOrNull() == nullptr);
    // The refusals are text rules, shown on a drive the session does not map, so that a
    // broken rule could reach nothing.
    ASSERT_TRUE(root.assignText(L"Q:\\"));
    ASSERT_TRUE(root.isRootLike());
    EXPECT_FALSE(root.remove(false, false));
    EXPECT_FALSE(root.renameToRandomName(1, nullptr, false, nullptr));
    EXPECT_FALSE(root.renameTo(L"C:\\elsewhere"));
    EXPECT_FALSE(root.setAttributes(FILE_ATTRIBUTE_HIDDEN));
    EXPECT_FALSE(root.checkExclusiveAccess(false, false, nullptr, 0));
    EXPECT_FALSE(root.moveToRecycleBin(false, false));
    EXPECT_FALSE(root.removeAtReboot());
    EXPECT_FALSE(root.setTimes(0, 0, 0, true, true, true, true, false));
}

TEST(PathWinParse, OtherRootsAreRefusedToo) {
    const wchar_t* roots[] = {
        L"\\\\no-such-server-for-tests\\share",
        L"\\\\?\\UNC\\no-such-server-for-tests\\share",
        L"\\\\?\\Volume{00000000-0000-0000-0000-000000000000}\\",
        L"Q:\\.",
        L"Q:\\x\\..",
    };
    for (const wchar_t* text : roots) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(text)));
        PathWin root;
        ASSERT_TRUE(root.assignText(text));
        EXPECT_TRUE(root.isRootLike());
        EXPECT_FALSE(root.remove(false, false));
        EXPECT_FALSE(root.renameToRandomName(1, nullptr, false, nullptr));
    }
}

TEST(PathWinParse, LongFormFrom250Units) {
    struct Row {
        std::wstring full;
        std::wstring longForm;  // empty: the API path is the full path
        const char* why;
    };
    const std::wstring drive249 = L"C:\\" + std::wstring(246, L'a');
    const std::wstring drive250 = L"C:\\" + std::wstring(247, L'a');
    const std::wstring unc250 = L"\\\\server\\share\\" + std::wstring(235, L'b');
    const Row rows[] = {
        {drive249, L"", "249 units: no long form"},
        {drive250, L"\\\\?\\" + drive250, "250 units: the prefix"},
        {unc250, L"\\\\?\\UNC\\server\\share\\" + std::wstring(235, L'b'), "a share path: the UNC prefix"},
        {L"\\\\?\\" + drive250, L"", "already prefixed: kept as it is"},
        {L"C:\\x\\name.", L"\\\\?\\C:\\x\\name.", "a trailing dot: Win32 would reach \"name\""},
        {L"T:\\box\\COM1", L"\\\\?\\T:\\box\\COM1", "a device name: Win32 would open the device"},
        {L"T:\\box\\aux .c", L"\\\\?\\T:\\box\\aux .c", "also with spaces and an extension"},
        {L"\\\\srv\\sh\\Lpt1.txt", L"\\\\?\\UNC\\srv\\sh\\Lpt1.txt", "on a share"},
        {L"\\\\?\\T:\\x1\\..\\x2\\f.txt", L"\\\\?\\T:\\x2\\f.txt", "the prefixed form takes \"..\" as a name"},
        {L"C:\\" + std::wstring(250, L'a') + L"\\..\\b.txt", L"\\\\?\\C:\\b.txt", "a long path with \"..\""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        PathWin p;
        ASSERT_TRUE(p.assignText(row.full.c_str()));
        ASSERT_EQ(p.getLength(), row.full.size());
        EXPECT_EQ(str(p.getApiPath()), row.longForm.empty() ? row.full : row.longForm);
        EXPECT_EQ(str(p.getFullPath()), row.full);
    }
}

// A ".." that climbs out of its root, and a device name that no full path leads to (Win32
// would open the device), leave the item unreachable: refused, never guessed.
TEST(PathWinParse, WhatNoLongFormReachesIsRefused) {
    for (const wchar_t* text : {L"\\\\?\\T:\\..\\x\\f.txt", L"COM1", L"sub\\nul.txt", L"\\box\\aux"}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(text)));
        PathWin p;
        ASSERT_TRUE(p.assignText(text));
        EXPECT_TRUE(p.isRootLike());
        EXPECT_FALSE(p.exists());
        EXPECT_EQ(p.readLiveAttributes(), INVALID_FILE_ATTRIBUTES);
        EXPECT_EQ(p.openItem(GENERIC_READ, 0, 0), INVALID_HANDLE_VALUE);
    }
}

TEST(PathWinParse, KindsOfText) {
    PathWin unc, drive, relative;
    unc.assignText(L"\\\\Server\\share\\x");
    drive.assignText(L"c:\\x");
    relative.assignText(L"x\\y");
    EXPECT_TRUE(unc.isUnc());
    EXPECT_TRUE(unc.isAbsolute());
    StrBuffer server;
    unc.getUncServer(&server, false);
    EXPECT_EQ(tests::text(&server), L"Server");
    EXPECT_TRUE(drive.hasDriveLetter());
    EXPECT_FALSE(drive.isDriveOnly());
    EXPECT_TRUE(drive.isAbsolute());
    EXPECT_FALSE(relative.isAbsolute());
    EXPECT_EQ(drive.firstChar(), L'c');
    EXPECT_TRUE(drive.isSameDrive(L"C:\\other"));
    EXPECT_FALSE(drive.isSameDrive(L"D:\\other"));
    EXPECT_TRUE(unc.isSameDrive(L"\\\\SERVER\\other"));
    EXPECT_FALSE(unc.isSameDrive(L"\\\\elsewhere\\share"));
    EXPECT_FALSE(drive.isSameDrive(L"\\\\Server\\share"));
}

TEST(PathWinParse, PartTextsAndExtensions) {
    PathWin p;
    p.assignText(L"C:\\docs\\Report.Final.TXT");
    EXPECT_EQ(str(p.nameText()), L"Report.Final.TXT");
    EXPECT_EQ(str(p.titleText()), L"Report.Final");
    EXPECT_EQ(str(p.extText()), L".TXT");
    EXPECT_EQ(str(p.extNoDotText()), L"TXT");
    EXPECT_EQ(str(p.dirSlashText()), L"C:\\docs\\");
    EXPECT_EQ(str(p.dirText()), L"C:\\docs");
    EXPECT_EQ(str(p.fullPathSlashText()), L"C:\\docs\\Report.Final.TXT\\");
    EXPECT_TRUE(p.hasExtension(L".txt"));
    EXPECT_FALSE(p.hasExtension(L".tx"));
    PathWin dot;
    dot.assignText(L"C:\\docs\\a.");
    EXPECT_EQ(str(dot.extNoDotText()), L"") << "an extension of a dot alone";
}

TEST(PathWinParse, DerivedPaths) {
    PathWin p;
    p.assignText(L"C:\\docs\\a.txt");
    EXPECT_EQ(pathText(p.parentPathOrNull()), L"C:\\docs");
    EXPECT_EQ(pathText(p.parentFolder()), L"C:\\docs");
    EXPECT_EQ(pathText(p.childPath(L"x")), L"C:\\docs\\a.txt\\x");
    EXPECT_EQ(pathText(p.withExtension(L".bak")), L"C:\\docs\\a.bak");
    PathWin top;
    top.assignText(L"C:\\docs");
    EXPECT_EQ(pathText(top.parentPathOrNull()), L"C:");
    PathWin drive;
    drive.assignText(L"C:");
    EXPECT_EQ(pathText(drive.childPath(L"x")), L"C:\\x");
    EXPECT_EQ(pathText(drive.parentPathOrNull()), L"(none)");
}

TEST(PathWinParse, RelativePaths) {
    PathWin base;
    base.assignText(L"C:\\a\\b\\file.txt");
    StrBuffer out;
    struct Row {
        const wchar_t* text;
        const wchar_t* relative;
        const char* why;
    } rows[] = {
        {L"C:\\a\\c\\d.txt", L"..\\c\\d.txt", "one folder up"},
        {L"C:\\a\\b\\e.txt", L"e.txt", "the same folder"},
        {L"c:\\A\\B\\x\\e.txt", L"x\\e.txt", "case is ignored"},
        {L"C:\\a\\bb\\e.txt", L"..\\bb\\e.txt", "a common prefix must be a whole component"},
        {L"C:\\z.txt", L"..\\..\\z.txt", "to the root"},
        {L"D:\\a\\b.txt", L"D:\\a\\b.txt", "another drive: the text itself"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        base.relativePathTo(row.text, false, &out, false);
        EXPECT_EQ(tests::text(&out), row.relative);
    }
    base.relativePathTo(L"C:\\a\\b\\file.txt\\in.txt", true, &out, false);
    EXPECT_EQ(tests::text(&out), L"in.txt") << "the base is a folder when asked";

    struct Back {
        const wchar_t* text;
        const wchar_t* resolved;
    } back[] = {
        {L"..\\c\\d.txt", L"C:\\a\\c\\d.txt"},
        {L"../../z.txt", L"C:\\z.txt"},
        {L"e.txt", L"C:\\a\\b\\e.txt"},
        {L".\\e.txt", L"C:\\a\\b\\e.txt"},
        {L"D:\\x", L"D:\\x"},
    };
    for (const Back& row : back) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(row.text)));
        base.resolveRelative(row.text, false, &out, false);
        EXPECT_EQ(tests::text(&out), row.resolved);
    }
}

TEST(PathWinParse, ComparesAsItsFullPath) {
    PathWin a, b, c;
    a.assignText(L"C:\\Docs\\A.txt");
    b.assignText(L"c:/docs/a.txt");
    c.assignText(L"C:\\Docs\\A.txt\\");
    EXPECT_TRUE(a.equalsIgnoreCase(&b));
    EXPECT_FALSE(a.equals(&b));
    EXPECT_TRUE(a.equals(&c)) << "the trailing separator is not part of the path";
    EXPECT_EQ(a.hashCodeIgnoreCase(), b.hashCodeIgnoreCase());
    EXPECT_EQ(a.compareToIgnoreCase(&b), 0);
    EXPECT_STREQ(a.classId(), L"s_file_win_PathWin");
}

TEST(PathWinParse, AMissingItemReadsAsAFolder) {
    PathWin p;
    p.assignText(L"T:\\no-such-item-for-tests\\x");
    EXPECT_FALSE(p.exists());
    EXPECT_EQ(p.getAttributes(), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(p.isDirectory()) << "callers test exists first";
    EXPECT_FALSE(p.isFile());
}

}  // namespace
