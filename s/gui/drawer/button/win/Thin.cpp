// s/gui/drawer/button/win/Thin.cpp
#include "s/gui/drawer/button/win/Thin.h"

#include <initializer_list>

#include "s/gui/IFont.h"
#include "s/gui/drawer/button/win/Glyphs.h"
#include "s/gui/drawer/win/Paint.h"
#include "s/gui/win/UiScale.h"

namespace s::gui::drawer::button::win {

using s::gui::drawer::win::fill;
using s::gui::drawer::win::rgbOf;

Thin::Thin()
    : m_border(s::gui::drawer::border::win::Thin::obtain()),
      m_captionText(s::gui::drawer::text::win::Basic::obtain()),
      m_secondText(s::gui::drawer::text::win::Basic::obtain()) {
    resetForReuse();
}

Thin::~Thin() {
    releaseDrawer(m_border);
    releaseDrawer(m_captionText);
    releaseDrawer(m_secondText);
}

Thin* Thin::newForSkin(int32_t red, int32_t green, int32_t blue) {
    Thin* drawer = obtain();
    if (!drawer) return nullptr;
    drawer->m_flagOne = false;
    drawer->m_flagTwo = true;
    drawer->m_pressShift = true;
    drawer->setFrameColour(red, green, blue);
    return drawer;
}

void Thin::resetForReuse() {
    m_accent = RGB(213, 235, 107);
    m_flagOne = m_flagTwo = true;
    m_pressShift = false;
    m_cornerStyle = 1;
    m_frame = m_disabledFrame = m_toggledFrame = m_toggledFill = RGB(120, 120, 120);
    if (m_border) m_border->resetForReuse();
    for (auto* text : {m_captionText, m_secondText}) {
        if (!text) continue;
        text->resetForReuse();
        text->setCentred(true);
    }
}

void Thin::setAccentColour(int32_t r, int32_t g, int32_t b) { m_accent = rgbOf(r, g, b); }
void Thin::setFrameColour(int32_t r, int32_t g, int32_t b) { m_frame = rgbOf(r, g, b); }
void Thin::setDisabledFrameColour(int32_t r, int32_t g, int32_t b) { m_disabledFrame = rgbOf(r, g, b); }
void Thin::setToggledFrameColour(int32_t r, int32_t g, int32_t b) { m_toggledFrame = rgbOf(r, g, b); }
void Thin::setToggledFillColour(int32_t r, int32_t g, int32_t b) { m_toggledFill = rgbOf(r, g, b); }

bool Thin::drawGlyph(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom,
                     const wchar_t* caption, int32_t red, int32_t green, int32_t blue) {
    if (s::gui::drawer::win::isEmptyRect(left, top, right, bottom)) return isGlyphCaption(caption);
    return paintGlyph(dc, left, top, right, bottom, caption, rgbOf(red, green, blue), s::gui::win::uiScale());
}

void Thin::draw(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t look,
                const wchar_t* caption, bool framed, const s::gui::IFont* font, bool enabled,
                bool toggled, bool drawerFlag) {
    if (s::gui::drawer::win::isEmptyRect(left, top, right, bottom)) return;
    const int32_t s = s::gui::win::uiScale();
    if (toggled && (look == 1 || look == 2)) look = 3 - look;
    const COLORREF frame = !enabled ? m_disabledFrame : toggled ? m_toggledFrame : m_frame;
    const int32_t r = GetRValue(frame), g = GetGValue(frame), b = GetBValue(frame);
    if (framed) {
        if (toggled) fill(dc, left + s, top + s, right - left - 2 * s, bottom - top - 2 * s, m_toggledFill);
        const int32_t kind = look == 1 ? 0 : look == 2 ? 2 : 1;
        m_border->draw(dc, left, top, right, bottom, kind, m_cornerStyle, r, g, b);
    } else if (toggled) {
        const int32_t from = drawerFlag ? top + 1 : top;
        fill(dc, left, from, right - left, bottom - from, m_toggledFill);
        m_border->draw(dc, left, top, right, bottom, 1, m_cornerStyle, r, g, b);
    } else if (drawerFlag) {
        m_border->draw(dc, left, top, right, bottom, 3, m_cornerStyle, r, g, b);
    }
    RECT content = {left + 2 * s, top + 2 * s, right - 2 * s, bottom - 2 * s};
    if (m_pressShift && (look == 1 || look == 2)) {
        const int32_t d = look == 1 ? -s : s;
        OffsetRect(&content, d, d);
    }
    if (!caption || !caption[0]) return;
    const COLORREF glyph = toggled && font ? font->getTextColour() : frame;
    if (drawGlyph(dc, content.left, content.top, content.right, content.bottom, caption, GetRValue(glyph),
                  GetGValue(glyph), GetBValue(glyph))) {
        return;
    }
    if (!font) return;
    if (!framed && !toggled && !drawerFlag) InflateRect(&content, s, s);
    m_captionText->drawText(dc, content, caption, font);
}

void Thin::measureCaption(HDC dc, const wchar_t* caption, const s::gui::IFont* font, int32_t* width,
                          int32_t* height) {
    const RECT none = {0, 0, 0, 0};
    m_captionText->measureText(dc, none, caption, font, width, height);
}

void Thin::measureSecondText(HDC dc, const wchar_t* text, const s::gui::IFont* font, int32_t* width,
                             int32_t* height) {
    const RECT none = {0, 0, 0, 0};
    m_secondText->measureText(dc, none, text, font, width, height);
}

}  // namespace s::gui::drawer::button::win
