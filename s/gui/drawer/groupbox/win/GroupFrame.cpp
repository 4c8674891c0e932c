// s/gui/drawer/groupbox/win/GroupFrame.cpp
#include "s/gui/drawer/groupbox/win/GroupFrame.h"

#include "s/gui/IFont.h"
#include "s/gui/drawer/win/Paint.h"

namespace s::gui::drawer::groupbox::win {

using s::gui::drawer::win::fill;

void paintGroupFrame(HDC dc, const RECT& box, const wchar_t* title, const s::gui::IFont* font,
                     int32_t titleWidth, int32_t titleHeight, int32_t titleX, int32_t t,
                     COLORREF colour) {
    const int32_t l = box.left, top = box.top, r = box.right, b = box.bottom;
    const int32_t w = r - l, h = b - top;
    if (title && title[0] && font) {
        s::gui::drawer::win::TextState state(dc, font->getHandle(), font->getTextColour());
        RECT place = {l + titleX, top, l + titleX + titleWidth, top + titleHeight};
        DrawTextW(dc, title, -1, &place, DT_SINGLELINE | DT_NOPREFIX);
    }
    const bool gap = title && title[0];
    const int32_t titleEnd = gap ? titleX + titleWidth : titleX - 4 * t;
    fill(dc, l + 2 * t, top, gap ? titleX - 4 * t : w - 4 * t, t, colour);
    if (gap) fill(dc, l + titleEnd + 2 * t, top, w - titleEnd - 4 * t, t, colour);
    fill(dc, l + 2 * t, b - t, w - 4 * t, t, colour);
    fill(dc, l, top + 2 * t, t, h - 4 * t, colour);
    fill(dc, r - t, top + 2 * t, t, h - 4 * t, colour);
    fill(dc, l + t, top + t, t, t, colour);
    fill(dc, r - 2 * t, top + t, t, t, colour);
    fill(dc, l + t, b - 2 * t, t, t, colour);
    fill(dc, r - 2 * t, b - 2 * t, t, t, colour);
}

}  // namespace s::gui::drawer::groupbox::win
