// tests/s/file/win/PathTextTest.cpp
#include "s/file/win/PathText.h"

#include <gmock/gmock.h>

#include <string>

namespace {

using namespace s::file::win;

uint32_t len(const wchar_t* text) { return static_cast<uint32_t>(std::wstring(text).size()); }

TEST(PathText, SplitsLikeTheRunTimeLibrary) {
    struct Row {
        const wchar_t* path;
        const wchar_t* drive;
        const wchar_t* dir;
        const wchar_t* title;
        const wchar_t* ext;
        const char* why;
    } rows[] = {
        {L"C:\\docs\\a.txt", L"C:", L"\\docs\\", L"a", L".txt", "plain file"},
        {L"C:\\docs\\a.txt:secret", L"C:", L"\\docs\\", L"a", L".txt:secret", "a stream stays in the extension"},
        {L"C:\\docs\\a.b:c.d", L"C:", L"\\docs\\", L"a.b:c", L".d", "the last dot decides"},
        {L"C:\\docs:str", L"C:", L"\\", L"docs:str", L"", "a folder's stream has no dot"},
        {L"C:\\x\\.hidden", L"C:", L"\\x\\", L"", L".hidden", "a leading dot is an extension"},
        {L"\\\\server\\share", L"", L"\\\\server\\", L"share", L"", "a share has no drive"},
        {L"C:", L"C:", L"", L"", L"", "a drive alone"},
        {L"a/b.c", L"", L"a/", L"b", L".c", "forward slashes separate too"},
        {L"name", L"", L"", L"name", L"", "a bare name"},
        {L"C:\\x.y\\z", L"C:", L"\\x.y\\", L"z", L"", "dots in folders are not extensions"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        std::wstring p = row.path;
        PathSplit split = splitPath(p.c_str(), len(row.path));
        EXPECT_EQ(p.substr(0, split.driveEnd), row.drive);
        EXPECT_EQ(p.substr(split.driveEnd, split.dirEnd - split.driveEnd), row.dir);
        EXPECT_EQ(p.substr(split.dirEnd, split.titleEnd - split.dirEnd), row.title);
        EXPECT_EQ(p.substr(split.titleEnd), row.ext);
    }
}

TEST(PathText, RecognisesEveryFormOfRoot) {
    struct Row {
        const wchar_t* path;
        bool rootLike;
        const char* why;
    } rows[] = {
        {L"C:\\", true, "a drive root"},
        {L"C:", true, "a drive alone"},
        {L"\\", true, "the current drive's root"},
        {L"", true, "nothing at all"},
        {L"\\\\server\\share", true, "a share root"},
        {L"\\\\server\\share\\", true, "a share root with its separator"},
        {L"\\\\server", true, "a server"},
        {L"\\\\?\\UNC\\server\\share", true, "a prefixed share root"},
        {L"\\\\?\\UNC\\server\\share\\", true, "a prefixed share root with its separator"},
        {L"\\\\?\\C:\\", true, "a prefixed drive root"},
        {L"\\\\?\\C:", true, "a prefixed drive"},
        {L"\\\\?\\Volume{6fa1c8e2-0000-0000-0000-100000000000}\\", true, "a volume by its name"},
        {L"\\\\.\\PhysicalDrive0", true, "a raw disk"},
        {L"\\\\.\\C:", true, "a raw volume"},
        {L"\\\\?\\GLOBALROOT\\Device\\HarddiskVolume1", true, "a device's root"},
        {L"\\??\\C:", true, "the native form of a drive"},
        {L"\\??\\C:\\", true, "the native form of a drive root"},
        {L"\\??\\UNC\\server\\share", true, "the native form of a share root"},
        {L"C:\\.", true, "a dot is the folder itself: here the root"},
        {L"C:\\x\\..", true, "two dots are the parent"},
        {L"C:\\x\\.\\", true, "a dot with a separator"},
        {L"C:\\x\\...", true, "Win32 strips the dots and reaches the parent"},
        {L"C:\\ .", true, "dots and spaces only"},
        {L"C:..", true, "the parent of the current folder of C:"},
        {L"C:\\:s", true, "a stream of a drive root"},
        {L"C:\\:$I30:$INDEX_ALLOCATION", true, "the root folder's own index, named as a stream"},
        {L"\\\\?\\C:\\:s", true, "a stream of a prefixed drive root"},
        {L"\\\\server\\share:s", true, "a stream of a share root"},
        {L"C:\\x\\..:s", true, "a stream of a path that normalises to a root"},
        {L"\\\\?\\Global\\C:\\", true, "Global names the same namespace again"},
        {L"\\\\?\\GLOBAL\\global\\UNC\\server\\share", true, "as often as it comes"},
        {L"\\\\?\\GLOBALROOT\\Device\\Harddisk0\\Partition1", true, "a partition of a disk"},
        {L"\\\\?\\GLOBALROOT\\Device\\Harddisk12\\DR12", true, "a whole disk"},
        {L"\\\\?\\GLOBALROOT\\Device\\Mup\\server\\share", true, "a share through the redirector"},
        {L"\\\\?\\GLOBALROOT\\Device\\Mup\\;LanmanRedirector\\server\\share", true,
         "the redirector's own components name no folder"},
        {L"\\\\?\\GLOBALROOT\\??\\UNC\\server\\share", true, "the DOS namespace again, below the root"},
        {L"C:\\x", false, "a folder of the root"},
        {L"C:\\x:s", false, "a stream of a folder"},
        {L"\\\\?\\Global\\C:\\x", false, "a folder of a drive named through Global"},
        {L"\\\\?\\GLOBALROOT\\Device\\Harddisk0\\Partition1\\x", false, "a folder of a partition"},
        {L"\\\\?\\GLOBALROOT\\Device\\Mup\\server\\share\\x", false, "a folder of a share"},
        {L"\\\\?\\GLOBALROOT\\??\\C:\\x", false, "a folder of a drive, below the root"},
        {L"\\\\server\\share\\x", false, "a folder of a share"},
        {L"\\\\?\\UNC\\server\\share\\x", false, "a folder of a prefixed share"},
        {L"\\\\?\\C:\\x", false, "a folder of a prefixed drive"},
        {L"\\??\\C:\\x", false, "a folder in the native form"},
        {L"\\\\?\\GLOBALROOT\\Device\\HarddiskVolume1\\x", false, "a folder of a device"},
        {L"C:\\x\\.hidden", false, "a name that starts with a dot"},
        {L"C:\\x\\a..b", false, "dots inside a name"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_EQ(isRootLike(row.path, len(row.path)), row.rootLike);
    }
}

TEST(PathText, ReservedDeviceNames) {
    struct Row {
        const wchar_t* name;
        bool reserved;
    } rows[] = {
        {L"CON", true},   {L"con", true},   {L"Nul.txt", true}, {L"aux.tar.gz", true}, {L"PRN", true},
        {L"COM1", true},  {L"lpt9.x", true}, {L"COM0", false},  {L"COM10", false},     {L"CONX", false},
        {L"xNUL", false}, {L"NU", false},    {L".con", false},  {L"LPT", false},
        {L"com1 ", true}, {L"AUX  .c", true}, {L"nul.", true},  {L"Lpt3. .", true},  {L"con x", false},
        {L" con", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(row.name)));
        EXPECT_EQ(isReservedDeviceName(row.name, len(row.name)), row.reserved);
    }
}

TEST(PathText, NamesEndingInDotsOrSpacesNeedTheVerbatimForm) {
    struct Row {
        const wchar_t* path;
        bool verbatim;
        const char* why;
    } rows[] = {
        {L"C:\\x\\a.", true, "a trailing dot would be stripped"},
        {L"C:\\x\\a ", true, "a trailing space would be stripped"},
        {L"C:\\x.\\a", true, "also in a folder's name"},
        {L"\\\\server\\share\\a.", true, "shares too"},
        {L"C:\\x\\a", false, "an ordinary name"},
        {L"C:\\x\\..\\a", false, "dot components are resolved, not stripped"},
        {L"x\\a.", false, "a relative path cannot take the prefix"},
        {L"\\\\?\\C:\\a.", false, "already verbatim"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_EQ(needsVerbatimForm(row.path, len(row.path)), row.verbatim);
    }
}

TEST(PathText, ShellPathsReachTheItemTheyName) {
    EXPECT_TRUE(isShellPath(L"C:\\x\\a.txt", 10));
    EXPECT_FALSE(isShellPath(L"C:\\x\\a.", 7)) << "the shell would reach C:\\x\\a";
    EXPECT_FALSE(isShellPath(L"x\\a", 3)) << "relative";
    const std::wstring longest = L"C:\\" + std::wstring(256, L'n');
    EXPECT_TRUE(isShellPath(longest.c_str(), len(longest.c_str()))) << "259 units and the terminator";
    const std::wstring longer = longest + L"n";
    EXPECT_FALSE(isShellPath(longer.c_str(), len(longer.c_str())));
}

TEST(PathText, ADeviceIsNamedByTheLastComponentOfAnAbsolutePath) {
    struct Row {
        const wchar_t* path;
        bool device;
    } rows[] = {
        {L"T:\\box\\COM1", true},       {L"T:\\box\\aux.c", true},   {L"T:\\box\\nul.txt\\", true},
        {L"\\\\srv\\share\\prn", true}, {L"T:\\con\\a.txt", false}, {L"T:\\box\\com10", false},
        {L"\\\\?\\T:\\box\\COM1", false}, // already reaches the file
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(row.path)));
        EXPECT_EQ(namesDevice(row.path, len(row.path)), row.device);
    }
}

TEST(PathText, NamesOfOtherSystemsThatWindowsCannotHold) {
    for (const wchar_t* name : {L"a?b", L"c|d.txt", L"e\"f", L"g*h", L"<x>", L"tab\there"})
        EXPECT_TRUE(hasInexpressibleCharacter(name, len(name))) << testing::PrintToString(std::wstring(name));
    for (const wchar_t* name : {L"plain.txt", L"a.txt:stream", L"\u00e9t\u00e9 \u0444\u0430\u0439\u043b", L"con"})
        EXPECT_FALSE(hasInexpressibleCharacter(name, len(name))) << testing::PrintToString(std::wstring(name));
}

TEST(PathText, DotComponentsAreResolvedBelowTheRoot) {
    struct Row {
        const wchar_t* path;
        const wchar_t* resolved;  // "" when refused
        const char* why;
    } rows[] = {
        {L"\\\\?\\T:\\x1\\..\\x2\\f.txt", L"\\\\?\\T:\\x2\\f.txt", "a prefixed path"},
        {L"\\\\?\\T:\\.\\a\\.\\b", L"\\\\?\\T:\\a\\b", "single dots vanish"},
        {L"\\\\?\\T:\\a\\b\\..\\..\\c", L"\\\\?\\T:\\c", "back to the root, not beyond"},
        {L"\\\\?\\T:\\..\\c", L"", "above the drive"},
        {L"\\\\?\\UNC\\srv\\sh\\a\\..\\b", L"\\\\?\\UNC\\srv\\sh\\b", "a share"},
        {L"\\\\?\\UNC\\srv\\sh\\..\\other\\b", L"", "never into another share"},
        {L"T:\\a\\\\b\\..\\c", L"T:\\a\\c", "repeated separators"},
        {L"T:\\a\\b\\..", L"T:\\a\\b\\..", "the last component stays (a root-like name)"},
        {L"a\\..\\b", L"", "relative: no root to keep"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        std::wstring text = row.path;
        const uint32_t n = collapseDotComponents(&text[0], len(row.path));
        EXPECT_EQ(text.substr(0, n), row.resolved);
    }
    EXPECT_TRUE(hasInnerDotComponent(L"T:\\a\\..\\b", 9));
    EXPECT_FALSE(hasInnerDotComponent(L"T:\\a\\..", 7)) << "only before the last component";
    EXPECT_FALSE(hasInnerDotComponent(L"T:\\a..\\b", 8));
}

TEST(PathText, ShellPathsNeverNameADeviceOrADotComponent) {
    for (const wchar_t* path : {L"T:\\box\\COM1", L"T:\\box\\nul.txt", L"T:\\box\\..\\x", L"T:\\box\\.\\x",
                                L"T:\\box\\x ", L"T:\\box\\x."}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(path)));
        EXPECT_FALSE(isShellPath(path, len(path)));
    }
}

TEST(PathText, FullyQualifiedPaths) {
    EXPECT_TRUE(isFullyQualified(L"C:\\x", 4));
    EXPECT_TRUE(isFullyQualified(L"\\\\server\\share\\x", 16));
    EXPECT_FALSE(isFullyQualified(L"C:x", 3)) << "relative to the current folder of C:";
    EXPECT_FALSE(isFullyQualified(L"x\\y", 3));
    EXPECT_FALSE(isFullyQualified(L"\\x", 2)) << "relative to the current drive";
    EXPECT_FALSE(isFullyQualified(L"\\\\?\\C:\\x", 8)) << "the shell takes no prefixed path";
    EXPECT_FALSE(isFullyQualified(L"1:\\x", 4));
}

}  // namespace
