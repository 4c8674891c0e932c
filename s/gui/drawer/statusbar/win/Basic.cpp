// s/gui/drawer/statusbar/win/Basic.cpp
#include "s/gui/drawer/statusbar/win/Basic.h"

#include "s/gui/drawer/win/Paint.h"
#include "s/gui/win/OsLook.h"
#include "s/gui/win/UiScale.h"

namespace s::gui::drawer::statusbar::win {

namespace {

using s::gui::drawer::win::fill;

constexpr COLORREF kTopRows[5] = {RGB(149, 147, 133), RGB(191, 189, 176), RGB(215, 212, 197),
                                  RGB(232, 229, 212), RGB(238, 235, 217)};
constexpr COLORREF kBody = RGB(236, 233, 216);
// Rows h-9 to h-1.
constexpr COLORREF kBottomRows[9] = {RGB(235, 232, 212), RGB(235, 232, 212), RGB(235, 232, 212),
                                     RGB(234, 230, 211), RGB(231, 228, 209), RGB(227, 225, 205),
                                     RGB(221, 219, 199), RGB(217, 214, 192), RGB(223, 220, 202)};
// Corner shading of a row: pixels 0, 1, 2-4, 5 and 6 from each side.
struct Span {
    int32_t from, count;
};
constexpr Span kCornerSpans[5] = {{0, 1}, {1, 1}, {2, 3}, {5, 1}, {6, 1}};
constexpr COLORREF kRow0Corners[5] = {RGB(166, 164, 149), RGB(158, 155, 141), RGB(154, 151, 138),
                                      RGB(151, 149, 136), RGB(150, 147, 134)};
constexpr COLORREF kRow1Under[5] = {RGB(211, 213, 210), RGB(203, 204, 201), RGB(198, 199, 196),
                                    RGB(196, 196, 193), RGB(194, 195, 191)};
constexpr COLORREF kRow1Over[5] = {RGB(227, 228, 223), RGB(222, 223, 218), RGB(219, 220, 217),
                                   RGB(217, 218, 215), RGB(216, 217, 214)};

void paintCorners(HDC dc, int32_t l, int32_t r, int32_t y, const COLORREF (&colours)[5]) {
    for (int i = 0; i < 5; ++i) {
        fill(dc, l + kCornerSpans[i].from, y, kCornerSpans[i].count, 1, colours[i]);
        fill(dc, r - kCornerSpans[i].from - kCornerSpans[i].count, y, kCornerSpans[i].count, 1, colours[i]);
    }
}

void paintGradient(HDC dc, int32_t l, int32_t t, int32_t r, int32_t b) {
    const int32_t w = r - l, h = b - t;
    for (int i = 0; i < 5; ++i) fill(dc, l, t + i, w, 1, kTopRows[i]);
    fill(dc, l, t + 5, w, h - 14, kBody);
    for (int i = 0; i < 9; ++i) fill(dc, l, b - 9 + i, w, 1, kBottomRows[i]);
    paintCorners(dc, l, r, t, kRow0Corners);
    paintCorners(dc, l, r, t + 1, kRow1Under);
    paintCorners(dc, l, r, t + 1, kRow1Over);
}

}  // namespace

Basic::Basic() : m_resizer(BasicResizer::obtain()) { resetForReuse(); }
Basic::~Basic() { releaseDrawer(m_resizer); }

void Basic::resetForReuse() {
    m_gradient = m_grip = false;
    if (!m_resizer) m_resizer = BasicResizer::obtain();
}

int32_t Basic::getHeight() const { return 23 * s::gui::win::uiScale(); }

void Basic::draw(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom) {
    if (s::gui::drawer::win::isEmptyRect(left, top, right, bottom)) return;
    if (m_gradient && !s::gui::win::isVistaLook()) paintGradient(dc, left, top, right, bottom);
    if (m_grip && m_resizer) m_resizer->draw(dc, left, top, right, bottom);
}

}  // namespace s::gui::drawer::statusbar::win
