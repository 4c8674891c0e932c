// s/gui/drawer/combo/win/Thin.cpp
#include "s/gui/drawer/combo/win/Thin.h"

#include "s/gui/drawer/win/Paint.h"
#include "s/gui/win/UiScale.h"

namespace s::gui::drawer::combo::win {

using s::gui::drawer::win::rgbOf;

Thin::Thin()
    : m_text(s::gui::drawer::text::win::Basic::obtain()), m_button(s::gui::drawer::button::win::Thin::obtain()) {
    resetForReuse();
}

Thin::~Thin() {
    releaseDrawer(m_text);
    releaseDrawer(m_button);
}

void Thin::resetForReuse() {
    m_arrow = 0;
    if (m_text) m_text->resetForReuse();
    if (m_button) m_button->resetForReuse();
}

void Thin::setTextColour(int32_t r, int32_t g, int32_t b) {
    if (m_text) m_text->getNormalFont()->setTextColour(r, g, b);
}
void Thin::setDisabledTextColour(int32_t r, int32_t g, int32_t b) {
    if (m_text) m_text->getDisabledFont()->setTextColour(r, g, b);
}
void Thin::setArrowColour(int32_t r, int32_t g, int32_t b) {
    m_arrow = rgbOf(r, g, b);
    if (m_button) m_button->setFrameColour(r, g, b);
}

void Thin::draw(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, const wchar_t* text,
                const s::gui::IFont* font, int32_t state, bool enabled) {
    if (s::gui::drawer::win::isEmptyRect(left, top, right, bottom)) return;
    const int32_t s = s::gui::win::uiScale();
    m_button->draw(dc, left, top, right, bottom, state == 2 ? 2 : 0, L"", true, nullptr, enabled, false, false);
    const int32_t shift = state == 1 || state == 2 ? s : 0;
    const int32_t arrowLeft = right - 13 * s;
    s::gui::drawer::win::fill(dc, arrowLeft - s + shift, top + 2 * s, s, bottom - top - 4 * s, m_arrow);
    m_button->drawGlyph(dc, arrowLeft + shift, top + shift, right + shift, bottom + shift, L"#Down",
                        GetRValue(m_arrow), GetGValue(m_arrow), GetBValue(m_arrow));
    if (!text || !text[0] || !font) return;
    RECT box = {left + 4 * s + shift, top + shift, arrowLeft - s + shift, bottom + shift};
    int32_t w = 0, h = 0;
    m_text->measureText(dc, box, text, font, &w, &h);
    if (h < box.bottom - box.top) box.top += (box.bottom - box.top - h) / 2;
    m_text->drawText(dc, box, text, font);
}

}  // namespace s::gui::drawer::combo::win
