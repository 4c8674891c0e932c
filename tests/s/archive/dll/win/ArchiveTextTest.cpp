// tests/s/archive/dll/win/ArchiveTextTest.cpp
//
// The text renderings of the fixture module's templates (archive_fixture.rc, compiled by
// windres) against golden texts written from the script by hand; each rendering refuses an
// entry of another type.
#include <gtest/gtest.h>

#include <string>

#include "s/archive/dll/TypeCodes.h"
#include "s/archive/dll/win/Archive.h"
#include "s/image/bmp/win/Bitmap.h"
#include "tests/s/archive/ArchiveFixture.h"

namespace {

using s::archive::dll::win::Archive;
using namespace s::archive::dll;

const wchar_t kMenu200[] =
    L"&File\r\n"
    L"\t&Open\r\n"
    L"\t(ID: 101)\r\n"
    L"\t---------------\r\n"
    L"\tRecent\r\n"
    L"\t\tOne\r\n"
    L"\t\t(ID: 111)\r\n"
    L"\t\tTwo\r\n"
    L"\t\t(ID: 112)\r\n"
    L"\tE&xit\r\n"
    L"\t(ID: 102)\r\n"
    L"&Help\r\n"
    L"\t&About\r\n"
    L"\t(ID: 201)\r\n";

const char kAccelerators300[] =
    "Key: Ctrl + O key\r\nAction ID: 101\r\n\r\n"
    "Key: F1 key\r\nAction ID: 201\r\n\r\n"
    "Key: a key\r\nAction ID: 102\r\n\r\n"
    "Key: Alt + Shift + BACKSPACE key\r\nAction ID: 103\r\n\r\n"
    "Key: Alt + Ctrl + Browser Back key\r\nAction ID: 104\r\n\r\n"
    "Key: Unknown key\r\nAction ID: 105\r\n\r\n";

#define GEOMETRY(x, y, w, h)                                                                   \
    L"X: " #x L" (dialog unit)\r\nY: " #y L" (dialog unit)\r\nWidth: " #w L" (dialog unit)\r\n" \
    L"Height: " #h L" (dialog unit)\r\n"

const wchar_t kDialog400[] =
    L"[Dialog]\r\n"
    L"Title: About\r\n" GEOMETRY(10, 20, 180, 90)
    L"Menu Resource ID: (None)\r\n"
    L"Class ID: (None)\r\n"
    L"Help ID: (None)\r\n"
    L"Font Name: MS Shell Dlg\r\n"
    L"Font Size: 8 point\r\n"
    L"Font Weight: (None)\r\n"
    L"Font Italic: (None)\r\n"
    L"Font Character Set: (None)\r\n"
    L"Styles:\r\nDS_SETFONT\r\nDS_MODALFRAME\r\nDS_CENTER\r\nWS_POPUP\r\nWS_CAPTION\r\nWS_SYSMENU\r\n"
    L"Extended Styles:\r\n(None)\r\n"
    L"\r\n[Component 1]\r\nClass ID: Button\r\nControl ID: 1\r\nHelp ID: (None)\r\nText: OK\r\n"
    GEOMETRY(120, 70, 50, 14)
    L"Styles:\r\nWS_CHILD\r\nWS_VISIBLE\r\nWS_TABSTOP\r\nExtended Styles:\r\n(None)\r\n"
    L"\r\n[Component 2]\r\nClass ID: Edit\r\nControl ID: 1001\r\nHelp ID: (None)\r\nText: (None)\r\n"
    GEOMETRY(10, 10, 100, 12)
    L"Styles:\r\nWS_CHILD\r\nWS_VISIBLE\r\nWS_BORDER\r\nWS_TABSTOP\r\nExtended Styles:\r\n(None)\r\n"
    L"\r\n[Component 3]\r\nClass ID: Static\r\nControl ID: -1\r\nHelp ID: (None)\r\nText: Name:\r\n"
    GEOMETRY(10, 30, 40, 8)
    L"Styles:\r\nWS_CHILD\r\nWS_VISIBLE\r\nWS_GROUP\r\nExtended Styles:\r\n(None)\r\n"
    L"\r\n[Component 4]\r\nClass ID: List box\r\nControl ID: 1002\r\nHelp ID: (None)\r\nText: (None)\r\n"
    GEOMETRY(10, 40, 60, 20)
    L"Styles:\r\nWS_CHILD\r\nWS_VISIBLE\r\nWS_BORDER\r\nWS_VSCROLL\r\nWS_TABSTOP\r\nExtended Styles:\r\n(None)\r\n"
    L"\r\n[Component 5]\r\nClass ID: Scroll bar\r\nControl ID: 1003\r\nHelp ID: (None)\r\nText: (None)\r\n"
    GEOMETRY(80, 40, 10, 20)
    L"Styles:\r\nWS_CHILD\r\nWS_VISIBLE\r\nExtended Styles:\r\n(None)\r\n"
    L"\r\n[Component 6]\r\nClass ID: Combo box\r\nControl ID: 1004\r\nHelp ID: (None)\r\nText: (None)\r\n"
    GEOMETRY(100, 40, 60, 40)
    L"Styles:\r\nWS_CHILD\r\nWS_VISIBLE\r\nWS_VSCROLL\r\nWS_TABSTOP\r\nExtended Styles:\r\n(None)\r\n"
    // windres keeps no size for an icon control.
    L"\r\n[Component 7]\r\nClass ID: Static\r\nControl ID: 1005\r\nHelp ID: (None)\r\nResource ID: 128\r\n"
    GEOMETRY(150, 10, 0, 0)
    L"Styles:\r\nWS_CHILD\r\nWS_VISIBLE\r\nExtended Styles:\r\n(None)\r\n"
    // windres stores class names in capitals.
    L"\r\n[Component 8]\r\nClass ID: SYSLINK\r\nControl ID: 1006\r\nHelp ID: (None)\r\nText: link\r\n"
    GEOMETRY(10, 60, 50, 10)
    L"Styles:\r\nWS_CHILD\r\nWS_VISIBLE\r\nWS_TABSTOP\r\nExtended Styles:\r\nWS_EX_CLIENTEDGE\r\n";

const wchar_t kDialog401[] =
    L"[Dialog]\r\n"
    L"Title: Settings\r\n" GEOMETRY(0, 0, 120, 40)
    L"Menu Resource ID: 200\r\n"
    L"Class ID: (None)\r\n"
    L"Help ID: 77\r\n"
    L"Font Name: Segoe UI\r\n"
    L"Font Size: 9 point\r\n"
    L"Font Weight: 700\r\n"
    L"Font Italic: true\r\n"
    L"Font Character Set: 204\r\n"
    L"Styles:\r\nDS_FIXEDSYS\r\nDS_SETFONT\r\nDS_MODALFRAME\r\nWS_POPUP\r\nWS_CAPTION\r\nWS_SYSMENU\r\n"
    L"Extended Styles:\r\nWS_EX_DLGMODALFRAME\r\nWS_EX_TOOLWINDOW\r\n"
    L"\r\n[Component 1]\r\nClass ID: BUTTON\r\nControl ID: 2001\r\nHelp ID: 42\r\nText: Keep\r\n"
    GEOMETRY(5, 5, 60, 10)
    L"Styles:\r\nWS_CHILD\r\nWS_VISIBLE\r\nWS_TABSTOP\r\nExtended Styles:\r\n(None)\r\n"
    L"\r\n[Component 2]\r\nClass ID: MSCTLS_PROGRESS32\r\nControl ID: 2002\r\nHelp ID: 0\r\nText: (None)\r\n"
    GEOMETRY(5, 20, 110, 8)
    L"Styles:\r\nWS_CHILD\r\nWS_VISIBLE\r\nWS_BORDER\r\nExtended Styles:\r\n(None)\r\n";

const wchar_t kStrings2[] =
    L"\"First\"\r\n"
    L"\r\n"
    L"\"Say \"hi\"\"\r\n"
    L"\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n"
    L"\"Last of the block\"\r\n";

const wchar_t kVersion1[] =
    L"File Version: 1.23.4.5\r\n"
    L"Product Version: 1.23.0.0\r\n"
    L"File Flags: 0x00000000\r\n"
    L"File OS: 0x00040004\r\n"
    L"File Type: 0x00000002\r\n"
    L"File Subtype: 0x00000000\r\n"
    L"[StringFileInfo]\r\n"
    L"[040904B0]\r\n"
    L"CompanyName: Ostrel\r\n"
    L"FileVersion: 1.23\r\n"
    L"[VarFileInfo]\r\n"
    L"Translation: 0x0409 0x04b0\r\n";

using Rendering = bool (Archive::*)(uint32_t index, s::io::IOutputStream* out);

struct GoldenRow {
    const char* why;
    uint32_t typeCode;
    uint16_t id;
    Rendering render;
    std::wstring expected;  // UTF-16 renderings
    std::string expectedUtf8;  // the accelerators
};

TEST(DllArchiveText, EveryRenderingMatchesItsGoldenText) {
    const GoldenRow rows[] = {
        {"a menu with a separator and a submenu", kMenu, 200, &Archive::describeMenu, kMenu200, ""},
        {"accelerators: modifiers, virtual keys, a character, an unknown key", kAccelerator, 300,
         &Archive::describeAccelerators, L"", kAccelerators300},
        {"a dialog of every predefined class, an icon by id, a custom class", kDialog, 400,
         &Archive::describeDialog, kDialog400, ""},
        {"an extended dialog: menu, help ids, weight, italic, character set", kDialog, 401,
         &Archive::describeDialog, kDialog401, ""},
        {"a string block with empty slots and quotes", kString, 2, &Archive::stringTableAsText, kStrings2, ""},
        {"a version record", kVersion, 1, &Archive::versionAsText, kVersion1, ""},
    };
    tests::archive::OpenArchive fixture(tests::archive::fixtureModule());
    ASSERT_NE(nullptr, fixture.get());
    for (const GoldenRow& row : rows) {
        SCOPED_TRACE(row.why);
        uint32_t index = 0;
        ASSERT_TRUE(fixture->findTypeIdNameId(row.typeCode, row.id, &index));
        tests::Pooled<s::col::_array::ArrayU08> out;
        ASSERT_TRUE((fixture.get()->*row.render)(index, out.get()));
        if (row.expectedUtf8.empty()) {
            EXPECT_EQ(row.expected, tests::archive::utf16Of(out.get()));
        } else {
            EXPECT_EQ(row.expectedUtf8, tests::archive::bytesOf(out.get()));
        }
        // Any other rendering refuses the entry, and none renders a missing index.
        const Rendering all[] = {&Archive::describeMenu, &Archive::describeAccelerators, &Archive::describeDialog,
                                 &Archive::stringTableAsText, &Archive::versionAsText};
        for (Rendering other : all) {
            tests::Pooled<s::col::_array::ArrayU08> refused;
            if (other != row.render) {
                EXPECT_FALSE((fixture.get()->*other)(index, refused.get()));
            }
            EXPECT_FALSE((fixture.get()->*other)(fixture->entryCount(), refused.get()));
        }
    }
}

TEST(DllArchiveText, BitmapAsBmpWritesTheModulesBitmapAsAFile) {
    tests::archive::OpenArchive fixture(tests::archive::fixtureModule());
    ASSERT_NE(nullptr, fixture.get());
    uint32_t index = 0;
    ASSERT_TRUE(fixture->findTypeIdNameId(kBitmap, 700, &index));
    tests::Pooled<s::col::_array::ArrayU08> out;
    ASSERT_TRUE(fixture->bitmapAsBmp(index, out.get()));
    const std::string file = tests::archive::bytesOf(out.get());
    ASSERT_GT(file.size(), 54u);
    EXPECT_EQ("BM", file.substr(0, 2));
    tests::Pooled<s::image::bmp::win::Bitmap> bitmap;
    ASSERT_TRUE(out->seekStart());
    ASSERT_TRUE(bitmap->decode(out.get()));
    ASSERT_EQ(4, bitmap->getWidth());
    ASSERT_EQ(2, bitmap->getHeight());
    // make_fixture.py: blue x * 60, green y * 200, red 255 - x * 60, row 0 on top.
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 4; ++x) {
            const uint8_t* p = bitmap->getRow(y) + 3 * x;
            EXPECT_EQ(x * 60, p[0]);
            EXPECT_EQ(y * 200, p[1]);
            EXPECT_EQ(255 - x * 60, p[2]);
        }
    }
    uint32_t menu = 0;
    ASSERT_TRUE(fixture->findTypeIdNameId(kMenu, 200, &menu));
    EXPECT_FALSE(fixture->bitmapAsBmp(menu, out.get()));
}

}  // namespace
