// tests/s/file/win/HandleCheckTest.cpp
//
// Whether an open handle is the item itself: the place comparison and the decision as
// tables, then handles on real items of a sandbox, a link to a file (made by the session:
// Wine shows it as a plain file) and another name of a file among them, with the system's
// final path and without it (as on XP).
#include "s/file/win/HandleCheck.h"

#include "PathFixture.h"
#include "s/str/strbuffer/StrBuffer.h"

namespace {

using s::file::win::HandleFacts;
using s::file::win::HandleVerdict;
using tests::PathFixture;

TEST(HandleCheck, PlacesAreComparedAsTheSystemComparesNames) {
    struct Row {
        const wchar_t* a;
        const wchar_t* b;
        bool same;
        const char* why;
    } const rows[] = {
        {L"C:\\docs\\a.txt", L"C:\\docs\\a.txt", true, "the same text"},
        {L"C:\\Docs\\A.TXT", L"c:\\docs\\a.txt", true, "letters ignoring case"},
        {L"\\\\?\\C:\\docs\\a.txt", L"C:\\docs\\a.txt", true, "the long form as the plain one"},
        {L"\\\\?\\UNC\\server\\share\\a", L"\\\\server\\share\\a", true, "the long share form"},
        {L"\\\\?\\unc\\Server\\share\\a", L"\\\\server\\SHARE\\a", true, "its prefix ignoring case"},
        {L"C:\\docs\\", L"\\\\?\\C:\\docs", true, "trailing separators aside"},
        {L"\\\\?\\T:\\", L"T:", true, "a drive root"},
        {L"C:\\docs\\a.txt", L"C:\\docs\\b.txt", false, "another name"},
        {L"C:\\docs\\a", L"C:\\docs\\ab", false, "a longer name"},
        {L"C:\\drop\\link.bin", L"C:\\target\\t.bin", false, "a link's target"},
        {L"C:\\x\\a", L"D:\\x\\a", false, "another drive"},
        {L"\\\\server\\share\\a", L"\\server\\share\\a", false, "a share and a rooted path"},
        {L"\\\\?\\C:\\a", L"\\\\?\\UNC\\C:\\a", false, "a drive and a share"},
        {L"C:\\a b", L"C:\\a\\b", false, "a separator is no letter"},
        {L"", L"", false, "nothing names no place"},
        {L"C:\\\u00C4rger", L"c:\\\u00E4RGER", true, "letters beyond A to Z too"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_EQ(row.same, s::file::win::isSamePlace(row.a, static_cast<uint32_t>(wcslen(row.a)), row.b,
                                                      static_cast<uint32_t>(wcslen(row.b))));
        EXPECT_EQ(row.same, s::file::win::isSamePlace(row.b, static_cast<uint32_t>(wcslen(row.b)), row.a,
                                                      static_cast<uint32_t>(wcslen(row.a))));
    }
}

TEST(HandleCheck, TheDecisionOnWhatAHandleTells) {
    constexpr DWORD kLink = FILE_ATTRIBUTE_REPARSE_POINT;
    struct Row {
        HandleFacts facts;  // informed, attributes, names, placeKnown, atOwnPlace
        bool folder;
        HandleVerdict verdict;
        const char* why;
    } const rows[] = {
        {{true, FILE_ATTRIBUTE_ARCHIVE, 1, true, true}, false, HandleVerdict::kItself, "a file at its own place"},
        {{true, FILE_ATTRIBUTE_DIRECTORY, 1, true, true}, true, HandleVerdict::kItself, "a folder at its own place"},
        {{true, FILE_ATTRIBUTE_ARCHIVE, 1, true, false}, false, HandleVerdict::kThroughLink,
         "a plain file elsewhere: a link to a file under Wine"},
        {{true, FILE_ATTRIBUTE_DIRECTORY, 1, true, false}, true, HandleVerdict::kThroughLink, "a folder elsewhere"},
        {{true, FILE_ATTRIBUTE_ARCHIVE | kLink, 1, false, false}, false, HandleVerdict::kThroughLink,
         "a link by its attribute, where no final path is known (XP)"},
        {{true, FILE_ATTRIBUTE_DIRECTORY | kLink, 1, true, true}, true, HandleVerdict::kThroughLink,
         "the attribute wins over the place"},
        {{true, FILE_ATTRIBUTE_ARCHIVE, 1, false, false}, false, HandleVerdict::kItself,
         "no final path and no attribute: the attribute rule lets it pass"},
        {{true, FILE_ATTRIBUTE_ARCHIVE, 2, true, true}, false, HandleVerdict::kOtherNames, "a file with two names"},
        {{true, FILE_ATTRIBUTE_ARCHIVE, 2, false, false}, false, HandleVerdict::kOtherNames,
         "names counted without a final path too"},
        {{true, FILE_ATTRIBUTE_DIRECTORY, 5, true, true}, true, HandleVerdict::kItself,
         "a folder's count is no count of names"},
        {{true, FILE_ATTRIBUTE_ARCHIVE, 2, true, false}, false, HandleVerdict::kThroughLink,
         "a link to a file with two names is a link"},
        {{false, 0, 0, false, false}, false, HandleVerdict::kUnknown, "a handle that told nothing"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_EQ(row.verdict, s::file::win::judgeHandle(row.facts, row.folder));
    }
}

class HandleCheckOnDisk : public PathFixture {
protected:
    void SetUp() override {
        PathFixture::SetUp();
        if (IsSkipped()) return;
        ASSERT_TRUE(box.makeFolder(L"drop"));
        ASSERT_TRUE(box.makeFolder(L"target"));
        ASSERT_TRUE(box.writeFile(L"target\\t.bin", std::string(5000, 't')));
        ASSERT_TRUE(box.writeFile(L"drop\\plain.txt", "plain"));
        ASSERT_TRUE(box.writeFile(L"drop\\a long name here.txt", "long"));
        ASSERT_TRUE(box.makeLink(L"drop\\filelink.bin", L"../target/t.bin")) << "the session made no link";
        ASSERT_TRUE(box.makeLink(L"drop\\dirlink", L"../target"));
        ASSERT_TRUE(box.writeFile(L"target\\orig.txt", "orig"));
        ASSERT_TRUE(box.makeHardLink(L"drop\\alias.txt", L"../target/orig.txt")) << "the session made no hard link";
    }
    // The verdict on a handle opened as the wiper opens one for its check.
    HandleVerdict verdictOn(const std::wstring& path, bool folder) {
        tests::Pooled<s::file::win::PathWin> item(s::file::win::pathFromString(path.c_str()));
        s::str::strbuffer::StrBuffer place;
        const bool placeRead = s::file::win::readFolderPlace(*item, &place);
        HANDLE h = item->openItem(FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  FILE_FLAG_BACKUP_SEMANTICS);
        if (h == INVALID_HANDLE_VALUE) return HandleVerdict::kUnknown;
        const HandleVerdict verdict =
            s::file::win::checkHandle(h, *item, placeRead ? place.cString() : nullptr, folder, nullptr);
        CloseHandle(h);
        return verdict;
    }
};

TEST_F(HandleCheckOnDisk, ALinkToAFileIsToldFromTheFileItselfAndSoIsAnotherName) {
    // What Wine shows of them (measured): a file link reads as a plain file everywhere, a
    // folder link 0x410 by its path but 0x10 on its handle, and both names of a file 0x20.
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE), attributesOf(L"drop\\filelink.bin"));
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT), attributesOf(L"drop\\dirlink"));
    ASSERT_NE(nullptr, s::file::win::finalPathFunction()) << "Wine 8.0 has GetFinalPathNameByHandleW";
    wchar_t shortName[MAX_PATH] = {};
    ASSERT_NE(0u, GetShortPathNameW(box.at(L"drop\\a long name here.txt").c_str(), shortName, MAX_PATH));
    ASSERT_NE(box.at(L"drop\\a long name here.txt"), std::wstring(shortName));
    struct Row {
        std::wstring path;
        bool folder;
        HandleVerdict verdict;
        const char* why;
    } const rows[] = {
        {box.at(L"drop\\plain.txt"), false, HandleVerdict::kItself, "a plain file"},
        {box.at(L"DROP\\PLAIN.TXT"), false, HandleVerdict::kItself, "named in other letters"},
        {L"\\\\?\\" + box.at(L"drop\\plain.txt"), false, HandleVerdict::kItself, "named in the long form"},
        {shortName, false, HandleVerdict::kItself, "named by its short name"},
        {box.at(L"drop"), true, HandleVerdict::kItself, "a folder"},
        {box.at(L"drop\\filelink.bin"), false, HandleVerdict::kThroughLink, "a link to a file"},
        {box.at(L"drop\\dirlink"), true, HandleVerdict::kThroughLink, "a link to a folder"},
        {box.at(L"drop\\alias.txt"), false, HandleVerdict::kOtherNames, "another name of a file"},
        {box.at(L"target\\orig.txt"), false, HandleVerdict::kOtherNames, "the first name of that file"},
        {box.at(L"target\\t.bin"), false, HandleVerdict::kItself, "the link's target by its own name"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_EQ(row.verdict, verdictOn(row.path, row.folder));
    }
}

// Without the final path (XP) the attributes are the rule: under Wine a link to a file then
// passes, which is why the system's call is asked wherever it exists.
TEST_F(HandleCheckOnDisk, WithoutTheSystemsFinalPathTheAttributesAreTheRule) {
    const s::file::win::FinalPathFunction before = s::file::win::installFinalPathFunction(nullptr);
    const HandleVerdict plain = verdictOn(box.at(L"drop\\plain.txt"), false);
    const HandleVerdict fileLink = verdictOn(box.at(L"drop\\filelink.bin"), false);
    const HandleVerdict alias = verdictOn(box.at(L"drop\\alias.txt"), false);
    s::str::strbuffer::StrBuffer final;
    HANDLE h = CreateFileW(box.at(L"drop\\plain.txt").c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    const bool read = s::file::win::readFinalPath(h, &final);
    CloseHandle(h);
    s::file::win::installFinalPathFunction(before);
    EXPECT_EQ(HandleVerdict::kItself, plain);
    EXPECT_EQ(HandleVerdict::kItself, fileLink) << "Wine shows no attribute on a link to a file";
    EXPECT_EQ(HandleVerdict::kOtherNames, alias) << "names are counted on XP too";
    EXPECT_FALSE(read);
    EXPECT_EQ(0u, final.length());
}

TEST_F(HandleCheckOnDisk, TheFinalPathIsReadWholeAndAFolderPlaceIsItsFoldersOwn) {
    tests::Pooled<s::file::win::PathWin> item(s::file::win::pathFromString(box.at(L"drop\\filelink.bin").c_str()));
    s::str::strbuffer::StrBuffer place, own, final;
    ASSERT_TRUE(s::file::win::readFolderPlace(*item, &place));
    EXPECT_TRUE(s::file::win::isSamePlace(place.chars(), place.length(), box.at(L"drop").c_str(),
                                          static_cast<uint32_t>(box.at(L"drop").size())))
        << testing::PrintToString(std::wstring(place.cString()));
    s::file::win::ownPlace(*item, place.cString(), &own);
    const std::wstring expected = L"\\\\?\\" + box.at(L"drop\\filelink.bin");
    EXPECT_TRUE(s::file::win::isSamePlace(own.chars(), own.length(), expected.c_str(),
                                          static_cast<uint32_t>(expected.size())));
    HANDLE h = item->openItem(FILE_READ_ATTRIBUTES, FILE_SHARE_READ, FILE_FLAG_BACKUP_SEMANTICS);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    EXPECT_EQ(HandleVerdict::kThroughLink, s::file::win::checkHandle(h, *item, place.cString(), false, &final));
    CloseHandle(h);
    const std::wstring target = L"\\\\?\\" + box.at(L"target\\t.bin");
    EXPECT_TRUE(s::file::win::isSamePlace(final.chars(), final.length(), target.c_str(),
                                          static_cast<uint32_t>(target.size())))
        << "Wine 8.0 answers the target's path for a link's handle: "
        << testing::PrintToString(std::wstring(final.cString()));
    // A file in a drive's root folder: its folder is the root, opened with its separator.
    tests::Pooled<s::file::win::PathWin> top(s::file::win::pathFromString(box.path().c_str()));
    ASSERT_TRUE(s::file::win::readFolderPlace(*top, &place));
    const std::wstring root = box.path().substr(0, 3);
    EXPECT_TRUE(s::file::win::isSamePlace(place.chars(), place.length(), root.c_str(), 3))
        << testing::PrintToString(std::wstring(place.cString()));
}

}  // namespace
