// s/gui/drawer/groupbox/win/Thin.cpp
#include "s/gui/drawer/groupbox/win/Thin.h"

#include "s/gui/drawer/groupbox/win/GroupFrame.h"
#include "s/gui/drawer/win/Paint.h"
#include "s/gui/win/UiScale.h"

namespace s::gui::drawer::groupbox::win {

void Thin::resetForReuse() {
    m_frame = RGB(120, 120, 120);
    for (auto& font : m_titleFonts) font.resetForReuse();
}

void Thin::setFrameColour(int32_t red, int32_t green, int32_t blue) {
    m_frame = s::gui::drawer::win::rgbOf(red, green, blue);
}

void Thin::draw(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, const wchar_t* title,
                 const s::gui::IFont* titleFont, int32_t titleWidth, int32_t titleHeight) {
    if (s::gui::drawer::win::isEmptyRect(left, top, right, bottom)) return;
    const RECT box = {left, top, right, bottom};
    const int32_t scale = s::gui::win::uiScale();
    paintGroupFrame(dc, box, title, titleFont, titleWidth, titleHeight, 9 * scale, scale >= 2 ? 4 : 2, m_frame);
}

}  // namespace s::gui::drawer::groupbox::win
