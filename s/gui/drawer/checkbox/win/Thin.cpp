// s/gui/drawer/checkbox/win/Thin.cpp
#include "s/gui/drawer/checkbox/win/Thin.h"

#include "s/gui/drawer/win/Paint.h"
#include "s/gui/win/UiScale.h"

namespace s::gui::drawer::checkbox::win {

using s::gui::drawer::win::fill;
using s::gui::drawer::win::rgbOf;

void drawMarkCaption(s::gui::drawer::text::win::Basic* text, HDC dc, int32_t x, int32_t top, int32_t right,
                     int32_t bottom, const wchar_t* caption, const s::gui::IFont* font) {
    if (!caption || !caption[0] || !font || x >= right) return;
    RECT box = {x, top, right, bottom};
    int32_t w = 0, h = 0;
    text->measureText(dc, box, caption, font, &w, &h);
    if (h < bottom - top) box.top = top + (bottom - top - h) / 2;
    text->drawText(dc, box, caption, font);
}

Thin::Thin()
    : m_mark(s::gui::drawer::button::win::Thin::obtain()),
      m_textDrawer(s::gui::drawer::text::win::Basic::obtain()) {
    resetForReuse();
}

Thin::~Thin() {
    releaseDrawer(m_mark);
    releaseDrawer(m_textDrawer);
}

void Thin::resetForReuse() {
    m_flagOne = true;
    m_flagTwo = false;
    m_text = m_boxFrame = RGB(120, 120, 120);
    if (m_mark) m_mark->resetForReuse();
    if (m_textDrawer) m_textDrawer->resetForReuse();
}

void Thin::setTextColour(int32_t r, int32_t g, int32_t b) {
    m_text = rgbOf(r, g, b);
    if (m_textDrawer) m_textDrawer->getNormalFont()->setTextColour(r, g, b);
}

void Thin::setDisabledTextColour(int32_t r, int32_t g, int32_t b) {
    if (m_textDrawer) m_textDrawer->getDisabledFont()->setTextColour(r, g, b);
}

void Thin::setBoxFrameColour(int32_t r, int32_t g, int32_t b) { m_boxFrame = rgbOf(r, g, b); }

void Thin::draw(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t e,
                const wchar_t* caption, const s::gui::IFont* font, bool, bool checked) {
    if (s::gui::drawer::win::isEmptyRect(left, top, right, bottom) || e <= 0) return;
    const int32_t s = s::gui::win::uiScale();
    const int32_t x = left, y = top + (bottom - top - e) / 2;
    fill(dc, x, y, e, e, m_boxFrame);
    fill(dc, x + 2 * s, y + 2 * s, e - 4 * s, e - 4 * s, RGB(255, 255, 255));
    if (checked) m_mark->drawGlyph(dc, x + 2, y + 2, x + e - 2, y + e - 2, L"#Check", 0, 0, 0);
    drawMarkCaption(m_textDrawer, dc, left + e + e / 6, top, right, bottom, caption, font);
}

}  // namespace s::gui::drawer::checkbox::win
