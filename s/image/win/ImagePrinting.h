// s/image/win/ImagePrinting.h
//
// Printing one picture on one page of the printer the user picks: the page's room in screen pixels
// (a pure rule), the picture prepared for it (turned, scaled, sharpened, flattened on white)
// and the print run itself through seams for the printer, its dialog and the information box,
// so that all but the real printer can be tried without one. The picture is never changed.
#pragma once
#include <windows.h>

#include <cstdint>

namespace s::image::win {

class BufferedImage;

// The largest picture the page holds, in screen pixels, and the printer pixels per screen
// pixel in each direction.
struct PrintRoom {
    int32_t width = 0, height = 0;
    double ratioX = 0, ratioY = 0;
};

// The printable width is the page width in printer pixels less 7 millimetres, the height the
// whole page height (1 inch is 25.4 mm); both divided by the printer-to-screen ratios.
PrintRoom printRoom(int32_t pageWidthMm, int32_t pageHeightMm, int32_t printerDpiX, int32_t printerDpiY,
                    int32_t screenDpiX, int32_t screenDpiY);

// A new pooled copy of image made ready for the page: when fit is set or it exceeds the room,
// turned a quarter clockwise first (rotate set and wider than high), then scaled into the room
// keeping its aspect; sharpened by 80 with sharpen; flattened on white. Null on failure.
BufferedImage* preparedForPrint(const BufferedImage* image, bool rotate, bool sharpen, bool fit, const PrintRoom& room);

// The system calls of a print run; tests put their own in.
struct PrintSeams {
    bool (*hasDefaultPrinter)();                               // its device context can be made
    HDC (*askPrintDialog)();                                   // one page; the printer picked, null on cancel
    bool (*startDocument)(HDC printer, const wchar_t* name);  // false when no document starts
    void (*inform)(const wchar_t* text);                       // the toolkit's information box
    int32_t (*screenDpi)(bool horizontal);
};
const PrintSeams& systemPrintSeams();

// The whole run (the image's print operation): nothing is printed without a printer, a
// document or the user's OK; false then. The page goes to the printer picked in the dialog
// (the default one unless the user chose another), and its room is that printer's.
bool printImage(const BufferedImage* image, bool rotate, bool sharpen, bool fit, const PrintSeams& seams);

}  // namespace s::image::win
