// tests/s/image/win/ImagePrintingTest.cpp
//
// Printing without a printer: the page's room in screen pixels against values worked by
// hand, the picture made ready for the page (turned, scaled keeping its aspect, sharpened,
// flattened on white, the caller's picture left as it was), and the run's branches through
// its seams: no printer, the dialog cancelled, a device that starts no document (the one the
// dialog picked). With no printer on the machine, the image's own print shows the toolkit's
// information box.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "s/gui/win/MessageBoxW.h"
#include "s/image/ImageTestSupport.h"
#include "s/image/win/BufferedImage.h"
#include "s/image/win/ImagePrinting.h"

namespace {

using s::image::win::BufferedImage;
using s::image::win::PrintRoom;
using s::image::win::printRoom;
using s::image::win::PrintSeams;
using tests::image::Held;
using tests::image::imageOf;
using tests::image::pixelsOf;

TEST(ImagePrintingTest, TheRoomOfAPage) {
    struct Case {
        int32_t widthMm, heightMm, printerDpi, screenDpi, width, height;
    } cases[] = {
        // (210 - 7) x 600 / 25.4 = 4795.3 printer pixels / 6.25 = 767; 297 x 600 / 25.4 / 6.25 = 1122
        {210, 297, 600, 96, 767, 1122},
        // at the screen's own resolution: (210 - 7) / 25.4 x 96 = 767.2; 297 / 25.4 x 96 = 1122.5
        {210, 297, 96, 96, 767, 1122},
        {7, 10, 300, 96, 0, 37},  // no width left after the 7 mm
    };
    for (const Case& c : cases) {
        const PrintRoom room = printRoom(c.widthMm, c.heightMm, c.printerDpi, c.printerDpi, c.screenDpi, c.screenDpi);
        EXPECT_EQ(c.width, room.width) << c.widthMm << " mm at " << c.printerDpi;
        EXPECT_EQ(c.height, room.height) << c.heightMm << " mm at " << c.printerDpi;
        EXPECT_DOUBLE_EQ(static_cast<double>(c.printerDpi) / c.screenDpi, room.ratioX);
    }
    EXPECT_EQ(0, printRoom(210, 297, 0, 600, 96, 96).width) << "a device without a resolution";
}

TEST(ImagePrintingTest, ThePictureIsMadeReadyForThePage) {
    PrintRoom room;
    room.width = 10;
    room.height = 20;
    room.ratioX = room.ratioY = 1;
    Held wide(imageOf(40, 10, std::vector<uint32_t>(400, 0xFF808080u), false));
    struct Case {
        const char* why;
        bool rotate, fit;
        int32_t width, height;
    } cases[] = {
        {"too large: scaled keeping the aspect", false, false, 10, 2},
        {"too large and wider than high: turned first (10 x 40 into 10 x 20)", true, false, 5, 20},
    };
    for (const Case& c : cases) {
        Held ready(s::image::win::preparedForPrint(wide.get(), c.rotate, false, c.fit, room));
        ASSERT_NE(nullptr, ready.get()) << c.why;
        EXPECT_EQ(c.width, ready->getWidth()) << c.why;
        EXPECT_EQ(c.height, ready->getHeight()) << c.why;
    }
    Held small(imageOf(2, 1, {0x00123456u, 0x80000000u}, true));
    Held copied(s::image::win::preparedForPrint(small.get(), true, false, false, room));
    ASSERT_NE(nullptr, copied.get());
    EXPECT_EQ(2, copied->getWidth()) << "fits: copied as it is";
    EXPECT_EQ((std::vector<uint32_t>{0xFFFFFFFFu, 0xFF7F7F7Fu}), pixelsOf(copied.get())) << "flattened on white";
    EXPECT_FALSE(copied->hasAlpha());
    EXPECT_EQ((std::vector<uint32_t>{0x00123456u, 0x80000000u}), pixelsOf(small.get())) << "the caller's picture";
    Held fitted(s::image::win::preparedForPrint(small.get(), false, false, true, room));
    ASSERT_NE(nullptr, fitted.get());
    EXPECT_EQ(10, fitted->getWidth()) << "fit enlarges into the room";
    EXPECT_EQ(5, fitted->getHeight());
    Held edge(imageOf(3, 1, {0xFF000000u, 0xFF808080u, 0xFF000000u}, false));
    Held sharp(s::image::win::preparedForPrint(edge.get(), false, true, false, room));
    ASSERT_NE(nullptr, sharp.get());
    EXPECT_NE(pixelsOf(edge.get()), pixelsOf(sharp.get())) << "sharpened";
    EXPECT_GT(sharp->getRow(0)[1] & 0xFF, 0x80u) << "the bright middle gets brighter";
}

std::vector<std::wstring> g_told;
bool g_asked = false;
HDC g_picked = nullptr;       // what the dialog answers
HDC g_documentOn = nullptr;   // where a document was to start
bool noPrinter() { return false; }
bool aPrinter() { return true; }
HDC dialog() {
    g_asked = true;
    return g_picked;
}
bool noDocument(HDC printer, const wchar_t*) {
    g_documentOn = printer;
    return false;
}
void tell(const wchar_t* text) { g_told.push_back(text); }
int32_t dpi96(bool) { return 96; }

TEST(ImagePrintingTest, EachBranchOfTheRunWithoutAPrinter) {
    Held image(imageOf(2, 2, std::vector<uint32_t>(4, 0xFF000000u), false));
    struct Case {
        const char* why;
        bool (*printer)();
        bool picks;
        bool asked;
        const wchar_t* told;
    } cases[] = {
        {"no printer", &noPrinter, true, false, L"Unable to find a printer. Please check installed/default printers."},
        {"the dialog cancelled", &aPrinter, false, true, nullptr},
        {"a device that starts no document", &aPrinter, true, true, L"Printing error occured. Unable to find printer."},
    };
    for (const Case& c : cases) {
        g_told.clear();
        g_asked = false;
        g_documentOn = nullptr;
        // The printer the user picks in the dialog: a device of its own, not the default.
        g_picked = c.picks ? CreateCompatibleDC(nullptr) : nullptr;
        const HDC picked = g_picked;
        const PrintSeams seams = {c.printer, &dialog, &noDocument, &tell, &dpi96};
        EXPECT_FALSE(s::image::win::printImage(image.get(), false, false, false, seams)) << c.why;
        EXPECT_EQ(c.asked, g_asked) << c.why;
        ASSERT_EQ(c.told ? 1u : 0u, g_told.size()) << c.why;
        if (c.told) {
            EXPECT_EQ(std::wstring(c.told), g_told[0]) << c.why;
        }
        EXPECT_EQ(c.asked && picked ? picked : nullptr, g_documentOn) << c.why << ": the document goes to the pick";
        if (picked && !c.asked) DeleteDC(picked);  // the run owns it only once the dialog gave it
    }
}

// Under Wine without printers only the refusal can show: it is the toolkit's information box
// (captioned with the application's title, as the box's own tests show), never a bare one.
TEST(ImagePrintingTest, TheSystemRunTellsThroughTheToolkitsInformationBox) {
    const PrintSeams& system = s::image::win::systemPrintSeams();
    EXPECT_EQ(&s::gui::win::showInfoMessage, system.inform);
}

}  // namespace
