// s/image/win/ImagePrinting.cpp
#include "s/image/win/ImagePrinting.h"

#include <commdlg.h>

#include "s/gui/win/MessageBoxW.h"
#include "s/image/filters/sharpness/Sharpness.h"
#include "s/image/win/BufferedImage.h"

namespace s::image::win {

namespace {

constexpr double kMmPerInch = 25.4;
constexpr UINT kDocumentNameId = 57344;  // the application's title among its strings

bool systemHasDefaultPrinter() {
    PRINTDLGW dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.Flags = PD_RETURNDEFAULT | PD_RETURNDC;
    const bool found = PrintDlgW(&dialog) != 0 && dialog.hDC;
    if (dialog.hDevMode) GlobalFree(dialog.hDevMode);
    if (dialog.hDevNames) GlobalFree(dialog.hDevNames);
    if (dialog.hDC) DeleteDC(dialog.hDC);
    return found;
}

// The dialog opens on the default printer; the user may pick another, whose device context
// it returns.
HDC systemPrintDialog() {
    PRINTDLGW dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.Flags = PD_RETURNDC | PD_NOSELECTION | PD_USEDEVMODECOPIESANDCOLLATE;
    dialog.nFromPage = dialog.nToPage = dialog.nMinPage = dialog.nMaxPage = 1;
    const bool ok = PrintDlgW(&dialog) != 0;
    if (dialog.hDevMode) GlobalFree(dialog.hDevMode);
    if (dialog.hDevNames) GlobalFree(dialog.hDevNames);
    if (!ok && dialog.hDC) DeleteDC(dialog.hDC);
    return ok ? dialog.hDC : nullptr;
}

bool systemStartDocument(HDC printer, const wchar_t* name) {
    DOCINFOW doc = {};
    doc.cbSize = sizeof doc;
    doc.lpszDocName = name;
    return StartDocW(printer, &doc) > 0;
}

int32_t systemScreenDpi(bool horizontal) {
    HDC screen = GetDC(nullptr);
    const int32_t dpi = screen ? GetDeviceCaps(screen, horizontal ? LOGPIXELSX : LOGPIXELSY) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

// The picture on the page at (0, 0), each side times its ratio, a row at a time from getRow:
// the store may be larger than the picture.
bool stretchOnto(HDC printer, const BufferedImage* image, const PrintRoom& room) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = image->getWidth();
    info.bmiHeader.biHeight = -1;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    const int32_t width = static_cast<int32_t>(image->getWidth() * room.ratioX);
    bool ok = true;
    for (int32_t i = 0; ok && i < image->getHeight(); ++i) {
        const int32_t top = static_cast<int32_t>(i * room.ratioY), bottom = static_cast<int32_t>((i + 1) * room.ratioY);
        if (bottom == top) continue;
        ok = StretchDIBits(printer, 0, top, width, bottom - top, 0, 0, image->getWidth(), 1, image->getRow(i), &info,
                           DIB_RGB_COLORS, SRCCOPY) != 0;
    }
    return ok;
}

bool printPage(HDC printer, const BufferedImage* image, bool rotate, bool sharpen, bool fit, const PrintRoom& room,
               const PrintSeams& seams) {
    wchar_t name[256] = {};
    LoadStringW(GetModuleHandleW(nullptr), kDocumentNameId, name, 256);
    if (!seams.startDocument(printer, name)) {
        seams.inform(L"Printing error occured. Unable to find printer.");
        return false;
    }
    bool ok = StartPage(printer) > 0;
    if (ok) {
        RECT page = {0, 0, GetDeviceCaps(printer, HORZRES), GetDeviceCaps(printer, VERTRES)};
        FillRect(printer, &page, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        BufferedImage* prepared = preparedForPrint(image, rotate, sharpen, fit, room);
        ok = prepared && stretchOnto(printer, prepared, room);
        if (prepared) prepared->releaseToPool();
        ok = EndPage(printer) > 0 && ok;
    }
    if (ok) {
        EndDoc(printer);
    } else {
        AbortDoc(printer);
    }
    return ok;
}

}  // namespace

PrintRoom printRoom(int32_t pageWidthMm, int32_t pageHeightMm, int32_t printerDpiX, int32_t printerDpiY,
                    int32_t screenDpiX, int32_t screenDpiY) {
    PrintRoom room;
    if (printerDpiX <= 0 || printerDpiY <= 0 || screenDpiX <= 0 || screenDpiY <= 0) return room;
    room.ratioX = static_cast<double>(printerDpiX) / screenDpiX;
    room.ratioY = static_cast<double>(printerDpiY) / screenDpiY;
    const double width = pageWidthMm * printerDpiX / kMmPerInch - 7 * printerDpiX / kMmPerInch;
    const double height = pageHeightMm * printerDpiY / kMmPerInch;
    room.width = width > 0 ? static_cast<int32_t>(width / room.ratioX) : 0;
    room.height = height > 0 ? static_cast<int32_t>(height / room.ratioY) : 0;
    return room;
}

BufferedImage* preparedForPrint(const BufferedImage* image, bool rotate, bool sharpen, bool fit, const PrintRoom& room) {
    if (!image || image->getWidth() <= 0 || room.width <= 0 || room.height <= 0) return nullptr;
    BufferedImage* prepared = nullptr;
    const bool tooLarge = image->getWidth() > room.width || image->getHeight() > room.height;
    if (fit || tooLarge) {
        BufferedImage* turned = rotate && image->getWidth() > image->getHeight() ? image->rotatedRight(nullptr) : nullptr;
        const BufferedImage* source = turned ? turned : image;
        const BufferedImage* scaled = source->scaledCopy(room.width, room.height, true);
        prepared = scaled ? scaled->copy(nullptr) : nullptr;
        if (turned) turned->releaseToPool();
    } else {
        prepared = image->copy(nullptr);
    }
    if (prepared && sharpen) {
        s::image::filters::sharpness::Sharpness* filter = s::image::filters::sharpness::newSharpness(80);
        BufferedImage* sharpened = filter ? filter->apply(prepared, nullptr) : nullptr;
        if (filter) filter->releaseToPool();
        prepared->releaseToPool();
        prepared = sharpened;
    }
    if (prepared) prepared->flattenOnWhite();
    return prepared;
}

const PrintSeams& systemPrintSeams() {
    static const PrintSeams seams = {&systemHasDefaultPrinter, &systemPrintDialog, &systemStartDocument,
                                     &s::gui::win::showInfoMessage, &systemScreenDpi};
    return seams;
}

bool printImage(const BufferedImage* image, bool rotate, bool sharpen, bool fit, const PrintSeams& seams) {
    if (!image) return false;
    if (!seams.hasDefaultPrinter()) {
        seams.inform(L"Unable to find a printer. Please check installed/default printers.");
        return false;
    }
    HDC printer = seams.askPrintDialog();
    if (!printer) return false;
    const PrintRoom room = printRoom(GetDeviceCaps(printer, HORZSIZE), GetDeviceCaps(printer, VERTSIZE),
                                     GetDeviceCaps(printer, LOGPIXELSX), GetDeviceCaps(printer, LOGPIXELSY),
                                     seams.screenDpi(true), seams.screenDpi(false));
    const bool ok = printPage(printer, image, rotate, sharpen, fit, room, seams);
    DeleteDC(printer);
    return ok;
}

}  // namespace s::image::win
