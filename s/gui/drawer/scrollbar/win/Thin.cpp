// s/gui/drawer/scrollbar/win/Thin.cpp
#include "s/gui/drawer/scrollbar/win/Thin.h"

#include "s/gui/drawer/win/Paint.h"
#include "s/gui/win/UiScale.h"

namespace s::gui::drawer::scrollbar::win {

using Geometry = ScrollBarGeometry;

Thin::Thin()
    : m_button(s::gui::drawer::button::win::Thin::obtain()),
      m_border(s::gui::drawer::border::win::Thin::obtain()) {
    resetForReuse();
}

Thin::~Thin() {
    releaseDrawer(m_button);
    releaseDrawer(m_border);
}

void Thin::resetForReuse() {
    m_mode = 1;
    m_background = RGB(255, 255, 255);
    m_thickness = 15 * s::gui::win::uiScale();
    m_geometry = Geometry();
    if (m_button) m_button->resetForReuse();
    if (m_border) m_border->resetForReuse();
    setFrameColour(120, 120, 120);
}

void Thin::setFrameColour(int32_t red, int32_t green, int32_t blue) {
    m_frame = s::gui::drawer::win::rgbOf(red, green, blue);
    if (m_button) m_button->setFrameColour(red, green, blue);
}

void Thin::setBackgroundColour(int32_t red, int32_t green, int32_t blue) {
    m_background = s::gui::drawer::win::rgbOf(red, green, blue);
}

void Thin::paintThumb(HDC dc, const ScrollBarState& state, const RECT& t) {
    m_button->draw(dc, t.left, t.top, t.right, t.bottom, 0, state.vertical ? L"#ThumbLineH" : L"#ThumbLineV",
                   true, nullptr, state.enabled, false, false);
    const int32_t thick = state.vertical ? t.right - t.left : t.bottom - t.top;
    if (m_geometry.thumb <= 2 * thick) return;
    const int32_t r = GetRValue(m_frame), g = GetGValue(m_frame), b = GetBValue(m_frame);
    if (state.vertical) {
        m_button->drawGlyph(dc, t.left, t.top, t.right, t.top + thick, L"#Up", r, g, b);
        m_button->drawGlyph(dc, t.left, t.bottom - thick, t.right, t.bottom, L"#Down", r, g, b);
    } else {
        m_button->drawGlyph(dc, t.left, t.top, t.left + thick, t.bottom, L"#Left", r, g, b);
        m_button->drawGlyph(dc, t.right - thick, t.top, t.right, t.bottom, L"#Right", r, g, b);
    }
}

void Thin::draw(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, const ScrollBarState& state) {
    if (s::gui::drawer::win::isEmptyRect(left, top, right, bottom)) return;
    m_geometry = scrollBarGeometry(left, top, right, bottom, state, m_thickness);
    s::gui::drawer::win::fill(dc, left, top, right - left, bottom - top, m_background);
    const RECT& first = m_geometry.parts[Geometry::kFirstArrow];
    const RECT& last = m_geometry.parts[Geometry::kLastArrow];
    m_button->draw(dc, first.left, first.top, first.right, first.bottom, 0, state.vertical ? L"#Up" : L"#Left",
                   true, nullptr, state.enabled, false, false);
    m_button->draw(dc, last.left, last.top, last.right, last.bottom, 0, state.vertical ? L"#Down" : L"#Right",
                   true, nullptr, state.enabled, false, false);
    if (m_geometry.hasThumb) paintThumb(dc, state, m_geometry.parts[Geometry::kThumb]);
}

int32_t Thin::hitTest(int32_t left, int32_t top, int32_t right, int32_t bottom, const ScrollBarState& state,
                      int32_t x, int32_t y) {
    m_geometry = scrollBarGeometry(left, top, right, bottom, state, m_thickness);
    return scrollBarHitTest(m_geometry, x, y);
}

int32_t Thin::positionFromDrag(int32_t left, int32_t top, int32_t right, int32_t bottom,
                               const ScrollBarState& state, int32_t offset) {
    m_geometry = scrollBarGeometry(left, top, right, bottom, state, m_thickness);
    return scrollBarPositionFromDrag(m_geometry, state, offset);
}

}  // namespace s::gui::drawer::scrollbar::win
