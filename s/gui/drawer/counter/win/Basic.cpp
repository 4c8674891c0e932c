// s/gui/drawer/counter/win/Basic.cpp
#include "s/gui/drawer/counter/win/Basic.h"

#include "s/gui/drawer/counter/ValueHistory.h"
#include "s/gui/drawer/win/Paint.h"

namespace s::gui::drawer::counter::win {

using s::gui::drawer::win::fill;
using s::gui::drawer::win::rgbOf;

void Basic::resetForReuse() {
    m_transparent = false;
    m_background = RGB(255, 255, 255);
    m_first = RGB(213, 235, 107);
    m_second = RGB(255, 165, 0);
    m_useSecond = false;
}

void Basic::setBackgroundColour(int32_t r, int32_t g, int32_t b) { m_background = rgbOf(r, g, b); }
void Basic::setFirstColour(int32_t r, int32_t g, int32_t b) { m_first = rgbOf(r, g, b); }
void Basic::setSecondColour(int32_t r, int32_t g, int32_t b) { m_second = rgbOf(r, g, b); }

void Basic::paintHistory(HDC dc, const RECT& box, ValueHistory* history, COLORREF colour) const {
    if (!history) return;
    s::thread::Lock hold(history->lock());
    const int32_t w = box.right - box.left, h = box.bottom - box.top;
    const int32_t visible = history->count() < w ? history->count() : w;
    const int64_t minimum = history->minimum(), maximum = history->scaleMaximum(visible);
    const COLORREF c = history->hasColour() ? history->colour() : colour;
    for (int32_t i = 0; i < visible; ++i) {
        const int32_t x = box.right - 1 - i;
        const int32_t height = sampleHeight(history->newest(i), minimum, maximum, h);
        if (history->markers()) {
            const int32_t markTop = box.bottom - height - 2;
            const int32_t clippedTop = markTop < box.top ? box.top : markTop;
            const int32_t markBottom = markTop + 5 > box.bottom ? box.bottom : markTop + 5;
            fill(dc, x, clippedTop, 1, markBottom - clippedTop, c);
        } else {
            fill(dc, x, box.bottom - height, 1, height, c);
        }
    }
}

void Basic::draw(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, ValueHistory* first,
                 ValueHistory* second) {
    if (s::gui::drawer::win::isEmptyRect(left, top, right, bottom)) return;
    if (!m_transparent) fill(dc, left, top, right - left, bottom - top, m_background);
    const RECT box = {left, top, right, bottom};
    paintHistory(dc, box, first, m_useSecond ? m_second : m_first);
    paintHistory(dc, box, second, m_second);
}

}  // namespace s::gui::drawer::counter::win
