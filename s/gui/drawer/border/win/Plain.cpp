// s/gui/drawer/border/win/Plain.cpp
#include "s/gui/drawer/border/win/Plain.h"

#include "s/gui/drawer/win/Paint.h"

namespace s::gui::drawer::border::win {

using s::gui::drawer::win::fill;

void Plain::setColour(int32_t red, int32_t green, int32_t blue) {
    m_colour = s::gui::drawer::win::rgbOf(red, green, blue);
}

void Plain::draw(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom) {
    if (s::gui::drawer::win::isEmptyRect(left, top, right, bottom)) return;
    const int32_t w = right - left, h = bottom - top;
    fill(dc, 0, 0, w, 1, m_colour);
    fill(dc, w - 1, 0, 1, h, m_colour);
    fill(dc, 0, h - 1, w, 1, m_colour);
    fill(dc, 0, 0, 1, h - 1, m_colour);
}

}  // namespace s::gui::drawer::border::win
