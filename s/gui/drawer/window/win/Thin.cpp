// s/gui/drawer/window/win/Thin.cpp
#include "s/gui/drawer/window/win/Thin.h"

#include "s/gui/drawer/win/Paint.h"

namespace s::gui::drawer::window::win {

namespace {

using s::gui::drawer::win::fill;

struct Step {
    int32_t x, y, w;  // x and y from the near edge when positive, from the far edge else
};

// The large rounding's staircases as drawn, corner by corner (x < 0: from the right edge,
// y < 0: from the bottom edge). The bottom-right one is not quite the mirror of the others.
constexpr Step kLargeTopLeft[] = {{0, 1, 5}, {0, 2, 3}, {0, 3, 2}, {0, 4, 2}, {0, 5, 1}};
constexpr Step kLargeTopRight[] = {{-5, 1, 5}, {-3, 2, 3}, {-2, 3, 2}, {-2, 4, 2}, {-1, 5, 1}};
constexpr Step kLargeBottomLeft[] = {{0, -6, 1}, {0, -5, 2}, {0, -4, 2}, {0, -3, 3}, {0, -2, 5}};
constexpr Step kLargeBottomRight[] = {{-1, -6, 1}, {-2, -5, 2}, {-3, -4, 2}, {-4, -3, 3}, {-5, -2, 5}};

void paintSteps(HDC dc, int32_t w, int32_t h, const Step (&steps)[5], COLORREF c) {
    for (const Step& s : steps) fill(dc, s.x < 0 ? w + s.x : s.x, s.y < 0 ? h + s.y : s.y, s.w, 1, c);
}

void paintCorners(HDC dc, int32_t w, int32_t h, int32_t style, bool top, COLORREF c) {
    if (style == 1) {
        const int32_t y = top ? 1 : h - 2;
        fill(dc, 0, y, 2, 1, c);
        fill(dc, w - 2, y, 2, 1, c);
    } else if (style == 2) {
        paintSteps(dc, w, h, top ? kLargeTopLeft : kLargeBottomLeft, c);
        paintSteps(dc, w, h, top ? kLargeTopRight : kLargeBottomRight, c);
    }
}

}  // namespace

void Thin::resetForReuse() {
    m_topStyle = m_bottomStyle = 0;
    m_transparent = true;
    m_background = RGB(255, 255, 255);
    m_frame = RGB(120, 120, 120);
}

void Thin::setBackgroundColour(int32_t red, int32_t green, int32_t blue) {
    m_background = s::gui::drawer::win::rgbOf(red, green, blue);
    m_transparent = false;
}

void Thin::setFrameColour(int32_t red, int32_t green, int32_t blue) {
    m_frame = s::gui::drawer::win::rgbOf(red, green, blue);
}

void Thin::draw(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom) {
    if (s::gui::drawer::win::isEmptyRect(left, top, right, bottom)) return;
    const int32_t w = right - left, h = bottom - top;
    if (!m_transparent) fill(dc, 0, 0, w, h, m_background);
    fill(dc, 0, 0, w, 1, m_frame);
    fill(dc, w - 1, 0, 1, h, m_frame);
    fill(dc, 0, h - 1, w, 1, m_frame);
    fill(dc, 0, 0, 1, h, m_frame);
    paintCorners(dc, w, h, m_topStyle, true, m_frame);
    paintCorners(dc, w, h, m_bottomStyle, false, m_frame);
}

HRGN Thin::createRegion(int32_t left, int32_t top, int32_t right, int32_t bottom) const {
    const int32_t t = m_topStyle, b = m_bottomStyle;
    if (t == 0 && b == 0) return CreateRectRgn(left, top, right + 1, bottom + 1);
    if (t < 0 || t > 2 || b < 0 || b > 2) return nullptr;
    const bool large = t == 2 || b == 2;
    const int32_t ellipse = large ? 11 : 5;
    const int32_t band = large ? 6 : 4;
    HRGN rounded = CreateRoundRectRgn(left, top, right + 1, bottom + 1, ellipse, ellipse);
    if (!rounded || (t && b)) return rounded;
    HRGN square = t ? CreateRectRgn(left, bottom + 1 - band, right + 1, bottom + 1)
                    : CreateRectRgn(left, top, right + 1, top + band);
    if (!square) {
        DeleteObject(rounded);
        return nullptr;
    }
    CombineRgn(rounded, rounded, square, RGN_OR);
    DeleteObject(square);
    return rounded;
}

}  // namespace s::gui::drawer::window::win
