// s/gui/drawer/win/Paint.cpp
#include "s/gui/drawer/win/Paint.h"

namespace s::gui::drawer::win {

void fill(HDC dc, int32_t x, int32_t y, int32_t w, int32_t h, COLORREF colour) {
    if (w <= 0 || h <= 0) return;
    const RECT box = {x, y, x + w, y + h};
    const COLORREF before = SetBkColor(dc, colour);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &box, nullptr, 0, nullptr);
    SetBkColor(dc, before);
}

void fill(HDC dc, const RECT& r, COLORREF colour) {
    const int32_t x = r.right < r.left ? r.right + 1 : r.left;
    const int32_t y = r.bottom < r.top ? r.bottom + 1 : r.top;
    const int32_t w = r.right < r.left ? r.left - r.right : r.right - r.left;
    const int32_t h = r.bottom < r.top ? r.top - r.bottom : r.bottom - r.top;
    fill(dc, x, y, w, h, colour);
}

void frame(HDC dc, int32_t x, int32_t y, int32_t w, int32_t h, int32_t thickness, COLORREF colour) {
    const int32_t t = thickness < 1 ? 1 : thickness;
    fill(dc, x, y, w, t, colour);
    fill(dc, x, y + h - t, w, t, colour);
    fill(dc, x, y + t, t, h - 2 * t, colour);
    fill(dc, x + w - t, y + t, t, h - 2 * t, colour);
}

TextState::TextState(HDC dc, HFONT font, COLORREF colour)
    : m_dc(dc),
      m_font(font ? SelectObject(dc, font) : nullptr),
      m_colour(SetTextColor(dc, colour)),
      m_mode(SetBkMode(dc, TRANSPARENT)) {}

TextState::~TextState() {
    SetBkMode(m_dc, m_mode);
    SetTextColor(m_dc, m_colour);
    if (m_font) SelectObject(m_dc, m_font);
}

}  // namespace s::gui::drawer::win
