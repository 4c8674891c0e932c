// s/gui/drawer/groupbox/win/GroupFrame.h
//
// The figure both group-box drawers paint: the title at titleX from the left, a frame of
// lines `thickness` thick with a gap for the title in its top edge and one block of the
// same thickness just inside each corner, which rounds it.
#pragma once
#include <windows.h>

#include <cstdint>

namespace s::gui {
class IFont;
}  // namespace s::gui

namespace s::gui::drawer::groupbox::win {

void paintGroupFrame(HDC dc, const RECT& box, const wchar_t* title, const s::gui::IFont* font,
                     int32_t titleWidth, int32_t titleHeight, int32_t titleX, int32_t thickness,
                     COLORREF colour);

}  // namespace s::gui::drawer::groupbox::win
