// s/gui/drawer/listheader/win/Thin.cpp
#include "s/gui/drawer/listheader/win/Thin.h"

#include "s/gui/drawer/win/Paint.h"

namespace s::gui::drawer::listheader::win {

using s::gui::drawer::win::rgbOf;

Thin::Thin() : m_button(s::gui::drawer::button::win::Thin::obtain()) { resetForReuse(); }
Thin::~Thin() { releaseDrawer(m_button); }

void Thin::resetForReuse() {
    m_mode = 1;
    m_frame = RGB(120, 120, 120);
    m_background = RGB(51, 51, 51);
    if (m_button) {
        m_button->resetForReuse();
        m_button->setFrameColour(120, 120, 120);
    }
}

void Thin::setFrameColour(int32_t r, int32_t g, int32_t b) {
    m_frame = rgbOf(r, g, b);
    if (m_button) m_button->setFrameColour(r, g, b);
}
void Thin::setBackgroundColour(int32_t r, int32_t g, int32_t b) { m_background = rgbOf(r, g, b); }
void Thin::setFontColour(int32_t r, int32_t g, int32_t b) {
    if (m_button) m_button->getCaptionFont()->setTextColour(r, g, b);
}

void Thin::draw(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, bool useColour, COLORREF colour) {
    if (s::gui::drawer::win::isEmptyRect(left, top, right, bottom)) return;
    s::gui::drawer::win::fill(dc, left, top, right - left, bottom - top, useColour ? colour : m_background);
}

void Thin::drawCell(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, const wchar_t* caption,
                    const s::gui::IFont* font, int32_t look) {
    if (s::gui::drawer::win::isEmptyRect(left, top, right, bottom)) return;
    m_button->draw(dc, left, top, right, bottom, look, caption, true, font, true, false, false);
}

}  // namespace s::gui::drawer::listheader::win
