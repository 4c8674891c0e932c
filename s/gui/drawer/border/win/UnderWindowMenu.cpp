// s/gui/drawer/border/win/UnderWindowMenu.cpp
#include "s/gui/drawer/border/win/UnderWindowMenu.h"

#include "s/gui/drawer/win/Paint.h"

namespace s::gui::drawer::border::win {

void UnderWindowMenu::draw(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom) {
    if (s::gui::drawer::win::isEmptyRect(left, top, right, bottom)) return;
    s::gui::drawer::win::fill(dc, 0, 0, right - left, 1, RGB(172, 168, 153));
    s::gui::drawer::win::fill(dc, 0, 1, right - left, 1, RGB(255, 255, 255));
}

}  // namespace s::gui::drawer::border::win
