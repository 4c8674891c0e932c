// s/gui/win/FrameHitTest.cpp
#include "s/gui/win/FrameHitTest.h"

namespace s::gui::win {

LRESULT frameHitTest(int32_t x, int32_t y, int32_t width, int32_t height, int32_t scale, LRESULT inside) {
    if (scale < 1) scale = 1;
    const int32_t border = 5 * scale;
    const int32_t corner = 30 * scale;
    if (x < 0 || y < 0 || x >= width || y >= height) return inside;
    const bool nearTop = y < corner, nearBottom = y >= height - corner;
    const bool nearLeft = x < corner, nearRight = x >= width - corner;
    if (x >= width - border) return nearTop ? HTTOPRIGHT : nearBottom ? HTBOTTOMRIGHT : HTRIGHT;
    if (y >= height - border) return nearLeft ? HTBOTTOMLEFT : nearRight ? HTBOTTOMRIGHT : HTBOTTOM;
    if (x < border) return nearTop ? HTTOPLEFT : nearBottom ? HTBOTTOMLEFT : HTLEFT;
    if (y < border) return nearLeft ? HTTOPLEFT : nearRight ? HTTOPRIGHT : HTTOP;
    return inside;
}

}  // namespace s::gui::win
